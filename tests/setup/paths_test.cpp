// The setup program's path operations (setup/paths.cpp) on real files,
// with their message boxes answered by the UI robot.
#include <gtest/gtest.h>
#include <filesystem>
#include "answer_boxes.h"
#include "fake_sequence.h"
#include "japanese_system.h"
#include "setup/paths.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

static const char kCaption[] = "ORVA Setup";

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

TEST(MakeDirectoryPath, CreatesEveryMissingLevel)
{
    std::string base = MakeTempDir("tqllevels");
    std::string path = base + "\\one\\two\\three";
    std::vector<SeenWindow> boxes;
    int result = -1;
    boxes = AnswerBoxes([&] { result = MakeDirectoryPath(path.c_str()); }, {});
    EXPECT_EQ(1, result);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(IsDirectory(base + "\\one"));
    EXPECT_TRUE(IsDirectory(base + "\\one\\two"));
    EXPECT_TRUE(IsDirectory(path));
}

TEST(MakeDirectoryPath, KeepsExistingLevelsAndTheirContents)
{
    std::string base = MakeTempDir("tqlexisting");
    fs::create_directories(base + "\\one");
    WriteBytes(base + "\\one\\keep.txt", "kept");
    int result = -1;
    auto boxes = AnswerBoxes(
        [&] { result = MakeDirectoryPath((base + "\\one\\two\\").c_str()); }, {});
    EXPECT_EQ(1, result);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(IsDirectory(base + "\\one\\two"));
    EXPECT_EQ(4u, fs::file_size(base + "\\one\\keep.txt"));
    // Everything there already: nothing to do, nothing to say.
    boxes = AnswerBoxes([&] { result = MakeDirectoryPath(base.c_str()); }, {});
    EXPECT_EQ(1, result);
    EXPECT_TRUE(boxes.empty());
}

TEST(MakeDirectoryPath, LevelTakenByAFileIsReported)
{
    std::string base = MakeTempDir("tqltakenbyfile");
    WriteBytes(base + "\\one", "a file, not a directory");
    for (std::string path : {base + "\\one\\two", base + "\\one"}) {
        SCOPED_TRACE(path);
        fake::Reset("C:\\ORVA\\");
        int result = -1;
        auto boxes = AnswerBoxes(
            [&] { result = MakeDirectoryPath(path.c_str()); }, {IDOK});
        EXPECT_EQ(0, result);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("box", boxes[0].kind);
        EXPECT_EQ("Can't create directory", boxes[0].text);
        EXPECT_EQ(kCaption, boxes[0].caption);
    }
    EXPECT_FALSE(IsDirectory(base + "\\one"));
}

TEST(JapanesePath, MakeDirectoryPathCreatesTheCharacterWhole)
{
    NEED_JAPANESE();
    std::string base = MakeTempDir("tqljapanese");
    std::string path = base + "\\" + kHyo + "\\sub";
    int result = -1;
    auto boxes = AnswerBoxes([&] { result = MakeDirectoryPath(path.c_str()); }, {});
    EXPECT_EQ(1, result);
    EXPECT_TRUE(boxes.empty());
    std::vector<std::wstring> names;
    for (auto &e : fs::directory_iterator(base))
        names.push_back(e.path().filename().wstring());
    EXPECT_EQ(std::vector<std::wstring>{L"\u8868"}, names);
    EXPECT_TRUE(fs::is_directory(fs::path(base) / L"\u8868" / L"sub"));
}
