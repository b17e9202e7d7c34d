// The setup program's path operations (setup/paths.cpp) on real files.
#include <gtest/gtest.h>
#include "setup/paths.h"
#include "tests/support/files.h"

TEST(ProbePath, NothingFileOrDirectory)
{
    std::string dir = MakeTempDir("tqlprobe");
    ASSERT_TRUE(WriteBytes(dir + "\\A.TXT", "a"));
    EXPECT_EQ(0, ProbePath((dir + "\\B.TXT").c_str()));
    EXPECT_EQ(1, ProbePath((dir + "\\A.TXT").c_str()));
    EXPECT_EQ(2, ProbePath(dir.c_str()));
    RemoveTree(dir);
}

// The rule setup and the CD checker share: a letter and a colon, in
// capitals, or nothing.
TEST(DrivePrefixOf, DriveLetterOrNone)
{
    char prefix[3];
    DrivePrefixOf("q:\\SETUP", prefix);
    EXPECT_STREQ("Q:", prefix);
    DrivePrefixOf("\\\\server\\cd\\SETUP", prefix);
    EXPECT_STREQ("", prefix);
}
