// WinMain's command line as the shipped programs' own start-up takes it:
// the program name skipped exactly as the runtime's start-up code did.
#include <gtest/gtest.h>
#include "common/entry.h"

TEST(ProgramArguments, SkipsPlainAndQuotedProgramNames)
{
    EXPECT_STREQ("SPECIAL THANKS", ProgramArguments("Tql.exe SPECIAL THANKS"));
    EXPECT_STREQ("", ProgramArguments("Tql.exe"));
    EXPECT_STREQ("", ProgramArguments("Tql.exe \t "));
    EXPECT_STREQ("a b ", ProgramArguments("Tql.exe \t a b "));
    EXPECT_STREQ("x", ProgramArguments("\"Q:\\my cd\\Tql.exe\"  x"));
    // Quotes toggle anywhere in the name; the name ends at a blank outside
    // them, not at the closing quote.
    EXPECT_STREQ("x", ProgramArguments("Q:\\\"my cd\"\\Tql.exe x"));
    EXPECT_STREQ("y", ProgramArguments("\"Q:\\my cd\\Tql.exe\"x y"));
    EXPECT_STREQ("", ProgramArguments("\"Q:\\my cd\\Tql.exe x"));
}

TEST(ProgramArguments, TakesBytesAbove0x7FAsTheRuntimeDid)
{
    // Signed comparisons: such a byte ends an unquoted name and is skipped
    // with the blanks; inside quotes it is part of the name.
    EXPECT_STREQ("e.exe x", ProgramArguments("Q:\\\x83\x65.exe x"));
    EXPECT_STREQ("x", ProgramArguments("\"Q:\\\x83\x65.exe\" x"));
    // So an argument that starts with a double-byte character loses its
    // lead byte (0x81 of 0x81 0x40), as it did under the runtime.
    EXPECT_STREQ("@x", ProgramArguments("Tql.exe \x81\x40x"));
}
