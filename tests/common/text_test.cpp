// Bounded text helpers: cutting at capacity minus one, never past the
// buffer, backslash handling that keeps double-byte characters whole, and
// the joining of a directory and a name.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "common/text.h"

TEST(TextCopy, CutsAtCapacityMinusOneAndGuardsTheRest)
{
    char buf[8];
    memset(buf, 'X', sizeof buf);
    char guarded[12];
    memset(guarded, '#', sizeof guarded);
    EXPECT_EQ(0, TextCopy(guarded, "0123456789ABCDEF", 5));
    EXPECT_STREQ("0123", guarded);
    EXPECT_EQ('#', guarded[5]);
    EXPECT_EQ(1, TextCopy(buf, "1234567"));
    EXPECT_STREQ("1234567", buf);
    EXPECT_EQ(0, TextCopy(buf, "12345678"));
    EXPECT_STREQ("1234567", buf);
}

TEST(TextAppend, StopsAtCapacity)
{
    char buf[6] = "abc";
    EXPECT_EQ(1, TextAppend(buf, "de"));
    EXPECT_EQ(0, TextAppend(buf, "fgh"));
    EXPECT_STREQ("abcde", buf);
}

TEST(TextFormat, CutsAndTerminates)
{
    char buf[6];
    EXPECT_EQ(1, TextFormat(buf, sizeof buf, "%3d%%", 50));
    EXPECT_STREQ(" 50%", buf);
    EXPECT_EQ(0, TextFormat(buf, sizeof buf, "[%s]", "too long"));
    EXPECT_STREQ("[too ", buf);
    EXPECT_EQ(0, TextFormat(buf, sizeof buf, "%s", "123456"));  // one over
    EXPECT_STREQ("12345", buf);
}

TEST(TextFormat, ConversionsTheProgramsUse)
{
    char buf[64];
    EXPECT_EQ(1, TextFormat(buf, sizeof buf, "\\%02x%02x%02x%02x\\", 4, 9,
                            0xe4, 0));
    EXPECT_STREQ("\\0409e400\\", buf);
    EXPECT_EQ(1, TextFormat(buf, sizeof buf, "%3d%%|%d|%03d|%u|%c|%s", 100,
                            -2147483647 - 1, -5, 4294967295u, 'Q', "[a,b]"));
    EXPECT_STREQ("100%|-2147483648|-05|4294967295|Q|[a,b]", buf);
}

TEST(Backslash, AppendAndRemoveAreByteExactForAscii)
{
    char buf[16] = "";
    AppendBackslash(buf);
    EXPECT_STREQ("\\", buf);
    TextCopy(buf, "C:\\GAME");
    AppendBackslash(buf);
    AppendBackslash(buf);
    EXPECT_STREQ("C:\\GAME\\", buf);
    RemoveBackslash(buf);
    EXPECT_STREQ("C:\\GAME", buf);
    RemoveBackslash(buf);
    EXPECT_STREQ("C:\\GAME", buf);
    char full[8] = "C:\\GAME";
    EXPECT_EQ(0, AppendBackslash(full));
    EXPECT_STREQ("C:\\GAME", full);
}

// On a Japanese system (code page 932) the character 0x95 0x5C ends in the
// byte of a backslash but is one character.
TEST(Backslash, KeepsDoubleByteCharacterWhole)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs a Japanese system (LC_ALL=ja_JP.UTF-8)";
    char buf[16] = "C:\\\x95\x5C";
    EXPECT_EQ(0, EndsWithBackslash(buf));
    AppendBackslash(buf);
    EXPECT_STREQ("C:\\\x95\x5C\\", buf);
    RemoveBackslash(buf);
    RemoveBackslash(buf);
    EXPECT_STREQ("C:\\\x95\x5C", buf);
}

// A library's text gets its value in place of the first "%s" only: more
// conversions than ours are shown as they stand, never read as a format.
TEST(JoinPath, AddsExactlyOneBackslashAndNeverOverruns)
{
    char path[PATH_CAP + 8];
    memset(path, '#', sizeof path);
    EXPECT_EQ(1, JoinPath(path, "C:\\", "UNINST.EXE"));
    EXPECT_STREQ("C:\\UNINST.EXE", path);
    EXPECT_EQ(1, JoinPath(path, "C:\\windows", "a"));
    EXPECT_STREQ("C:\\windows\\a", path);
    std::string dir(250, 'd');
    EXPECT_EQ(0, JoinPath(path, dir.c_str(), "UNINST.EXE"));
    EXPECT_EQ(PATH_CAP - 1, static_cast<int>(strlen(path)));
    EXPECT_EQ('#', path[PATH_CAP]);
}

TEST(FillIn, PutsTheValueForTheFirstPercentSOnly)
{
    char buf[32];
    EXPECT_EQ(1, TextFillIn(buf, sizeof buf, "A %s B", "C:\\X"));
    EXPECT_STREQ("A C:\\X B", buf);
    EXPECT_EQ(1, TextFillIn(buf, sizeof buf, "%s %s %d %n%%", "v"));
    EXPECT_STREQ("v %s %d %n%%", buf);
    EXPECT_EQ(1, TextFillIn(buf, sizeof buf, "no value", "v"));
    EXPECT_STREQ("no value", buf);
    char small[6];
    EXPECT_EQ(0, TextFillIn(small, sizeof small, "ab%scd", "XYZ"));
    EXPECT_STREQ("abXYZ", small);
    EXPECT_EQ(0, TextFillIn(small, sizeof small, "abcdefgh%s", "X"));
    EXPECT_STREQ("abcde", small);
}

// Names kept as UTF-8 are compared as their bytes: a different byte is a
// different name, whatever the locale; only ASCII letters fold.
TEST(BytesEqual, ComparesBytesAndFoldsOnlyAscii)
{
    EXPECT_TRUE(BytesEqual("ORVA.INI", "ORVA.INI"));
    EXPECT_FALSE(BytesEqual("ORVA.INI", "orva.ini"));
    EXPECT_FALSE(BytesEqual("ORVA", "ORVA.INI"));
    EXPECT_TRUE(BytesEqualNoCase("ORVA.INI", "orva.ini"));
    EXPECT_FALSE(BytesEqualNoCase("\xC3\xA9", "\xC3\x89"));  // é, É: two names to the bytes
    EXPECT_FALSE(BytesEqualNoCase("\xE3\x83\x87", "\xE3\x83\x86"));  // デ, テ
    EXPECT_FALSE(BytesEqualNoCase("A", "A\xC3\xA9"));
}
