// The tree copy: the count and the bar's steps, the minimal install's
// rules on the sample CD, names taken by the wrong kind of entry, paths
// that do not fit, and real copy faults, the reader's ahead of the copy
// among them.
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include "copy_support.h"
#include "setup/config.h"
#include "setup/state.h"
#include "setup/treecopy.h"
#include "common/text.h"

namespace {

TEST_F(TreeCopyTest, FullInstallOfTheSampleCd)
{
    std::string dest = dir + "ORVA\\";
    int r = -1;
    // SourcePath2 is kept as written in TQL.INI: no trailing backslash.
    Answered o = Copy(CdPath("GAME\\"), dest, CdPath("DATA"), dest, &r);
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(BoxLines(o.windows).empty());
    int total = CountFiles(CdPath("GAME")) + CountFiles(CdPath("DATA"));
    EXPECT_EQ(CopyState().FileTotal, (UINT)total);
    EXPECT_EQ(CountFiles(dest), total);
    for (const char *f : {"MOVIE\\INTRO.AVI", "MOVIE\\INTRO.AVI.OLD", "OPENING\\INTRO.avi",
                          "STAGE\\AREA1\\ROOM1\\WALL.TEX", "LEVELS\\2\\BONUS\\LAYOUT", "README"}) {
        EXPECT_TRUE(Exists(dest + f)) << f;
        EXPECT_EQ(Attributes(dest + f) & FILE_ATTRIBUTE_READONLY, 0u) << f;
    }
    EXPECT_EQ(ReadBytes(dest + "SCENE.V2\\CUT1.AVI"), ReadBytes(CdPath("DATA\\SCENE.V2\\CUT1.AVI")));
    EXPECT_EQ(Distinct(BarSeen).back(), 100);
}

TEST_F(TreeCopyTest, MinimalInstallLeavesOutMoviesAndTextures)
{
    std::string dest = dir + "ORVA\\";
    MinimalInstall = 1;
    int r = -1;
    Answered o = Copy(CdPath("GAME\\"), dest, CdPath("DATA"), dest, &r);
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(BoxLines(o.windows).empty());
    for (const char *f : {"MOVIE\\INTRO.AVI", "MOVIE\\ENDING.AVI", "STAGE\\AREA1\\ROOM1\\WALL.TEX",
                          "STAGE\\AREA2\\FLOOR.TEX", "TEXTURE\\SKY.TEX", "TEXTURE\\GROUND.TEX"})
        EXPECT_FALSE(Exists(dest + f)) << f;
    // Not exactly "AVI" or "TEX" after the first ".", or a dot earlier in
    // the path (SCENE.V2): copied.
    for (const char *f : {"MOVIE\\INTRO.AVI.OLD", "OPENING\\INTRO.avi", "SCENE.V2\\CUT1.AVI",
                          "SCENE.V2\\BG.TEX", "README", "ORVA.DAT", "SOUND\\BGM01.WAV"})
        EXPECT_TRUE(Exists(dest + f)) << f;
    // Left-out files do not move the bar.
    EXPECT_EQ((int)CopyState().FilesDone, CountFiles(dest));
    int total = CountFiles(CdPath("GAME")) + CountFiles(CdPath("DATA"));
    std::vector<int> seen = Distinct(BarSeen);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[seen.size() - 2], (int)(CopyState().FilesDone * (1000000 / total) / 10000));
    EXPECT_LT(seen[seen.size() - 2], 99);
}

TEST_F(TreeCopyTest, NothingLeftOutBelowASourcePathWithADot)
{
    std::string src = dir + "CD.V1\\GAME\\", dest = dir + "DEST\\";
    Tree(src, {"MOVIE\\INTRO.AVI", "TEX\\WALL.TEX", "ORVA.DAT"});
    MinimalInstall = 1;
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(Exists(dest + "MOVIE\\INTRO.AVI"));
    EXPECT_TRUE(Exists(dest + "TEX\\WALL.TEX"));
    EXPECT_EQ(CountFiles(dest), 3);
}

TEST_F(TreeCopyTest, EmptyFirstTreeOpensNoWindow)
{
    std::string src = dir + "SRC\\";
    CreateDirectoryA(src.c_str(), nullptr);
    CreateDirectoryA((src + "SUB").c_str(), nullptr);
    std::string second = dir + "DATA\\";
    Tree(second, {"X.DAT"});
    int r = -1;
    Answered o = Copy(src, dir + "DEST\\", second, dir + "DEST\\", &r);
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(o.windows.empty());
    EXPECT_EQ(CopyState().Window, nullptr);
    EXPECT_FALSE(Exists(dir + "DEST"));
}

TEST_F(TreeCopyTest, MissingFirstTreeCannotBeListed)
{
    int r = -1;
    Answered o = Copy(dir + "NOSUCH\\", dir + "DEST\\", "", dir + "DEST\\", &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kTree, Slot(54))}));
    EXPECT_EQ(o.windows.size(), 1u);
}

TEST_F(TreeCopyTest, FileNameTakenByADirectoryLaterInTheListing)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    Tree(src, {"A.DAT"});
    CreateDirectoryA(dest.c_str(), nullptr);
    CreateDirectoryA((dest + "A.DAT").c_str(), nullptr);
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    EXPECT_EQ(r, 0);
    // "." and ".." come first in a directory's listing.
    EXPECT_EQ(BoxLines(o.windows), Failure(kTree, Slot(57)));
}

TEST_F(TreeCopyTest, FileNameTakenByADirectoryAsFirstEntry)
{
    // A drive root's listing has no "." entry: its first entry is A.DAT.
    if (GetFileAttributesA("R:\\A.DAT") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "drive R: is not set up";
    std::string dest = dir + "DEST\\";
    CreateDirectoryA(dest.c_str(), nullptr);
    CreateDirectoryA((dest + "A.DAT").c_str(), nullptr);
    int r = -1;
    Answered o = Copy("R:\\", dest, "", dest, &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), Failure(kTree, Slot(56)));
}

TEST_F(TreeCopyTest, DirectoryNameTakenByAFile)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    Tree(src, {"SUB\\X.DAT"});
    CreateDirectoryA(dest.c_str(), nullptr);
    WriteBytes(dest + "SUB", "a file");
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), Failure(kTree, Slot(55)));
    EXPECT_EQ(ReadBytes(dest + "SUB"), "a file");
}

TEST_F(TreeCopyTest, DestinationThatCannotBeCreated)
{
    // A file where a directory of the destination's path should be.
    std::string src = dir + "SRC\\", dest = dir + "BLOCK\\DEST\\";
    Tree(src, {"X.DAT"});
    WriteBytes(dir + "BLOCK", "a file");
    TextCopy(Settings.MsgDlgBoxTitle, "Orva Setup");
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{
                                       BoxLine("Orva Setup", "Can't create directory"),
                                       BoxLine(kTree, Slot(52)), BoxLine(kTree, Slot(53))}));
    EXPECT_EQ(ReadBytes(dir + "BLOCK"), "a file");
}

// A source directory whose path is 256 bytes: its listing pattern
// ("\*.*") does not fit 260 bytes. Cut to "\*." it would list only the
// names without an extension and the copy would report success; it is
// refused before the window opens, and nothing is copied.
TEST_F(TreeCopyTest, DirectoryPathNearTheLimitIsRefused)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    std::string deep = src + std::string(256 - src.size(), 'D');
    Tree(src, {"TOP.DAT"});
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << GetLastError();
    WriteBytes(deep + "\\B", "no extension");
    // Beyond MAX_PATH: made and removed by its \\?\ name.
    std::string longName = "\\\\?\\" + deep + "\\C.DAT";
    std::wstring wide(longName.begin(), longName.end());
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(h);
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    DeleteFileW(wide.c_str());
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{
                                       BoxLine("Setup PM File Copy", "File Copy Error")}));
    EXPECT_EQ(CopyState().Window, nullptr);
    EXPECT_FALSE(Exists(dest));
}

// Sources that only a case-sensitive file system holds: a directory X and
// a file x. Copied into a directory the copy made, the later of the two
// meets the earlier: the copy stops with the message of a name taken by
// the other kind of entry, whichever the listing gives first.
TEST_F(TreeCopyTest, NamesThatDifferOnlyInCase)
{
    if (!Exists(DrivesDir() + "cases\\A\\A"))
        GTEST_SKIP() << "the drives are not set up";
    std::set<int> seen;
    for (char letter = 'A'; letter <= 'F'; letter++) {
        std::string src = DrivesDir() + "cases\\" + letter, dest = dir + letter + "\\";
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA((src + "\\*").c_str(), &f);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        while (f.cFileName[0] == '.' && FindNextFileA(h, &f)) {
        }
        FindClose(h);
        int slot = (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 57 : 55;
        seen.insert(slot);
        int r = -1;
        Answered o = Copy(src, dest, "", dest, &r);
        EXPECT_EQ(r, 0) << letter;
        EXPECT_EQ(BoxLines(o.windows), Failure(kTree, Slot(slot))) << letter;
    }
    if (!seen.count(57))
        GTEST_SKIP() << "no listing gave the directory first";
}
// A tree on a scratched CD (S:, reads fail past 64 KB): the copy stops at
// the file that cannot be read, with its message and slot 53. Over an
// earlier installation that file stays byte for byte; in a new folder it
// is not left cut short; no temporary file stays in either.
TEST_F(TreeCopyTest, ScratchedFileStopsTheCopyAndKeepsTheOldFile)
{
    std::string missing = ScratchedMissing();
    if (!missing.empty())
        GTEST_SKIP() << missing;
    std::string earlier = dir + "EARLIER\\", fresh = dir + "FRESH\\";
    CreateDirectoryA(earlier.c_str(), nullptr);
    WriteBytes(earlier + "BIG.DAT", "the earlier installation's file");
    for (const std::string &dest : {earlier, fresh}) {
        SCOPED_TRACE(dest);
        ResetInstallState();
        int r = -1;
        Answered o = Copy("S:\\TREE", dest, "", dest, &r);
        EXPECT_EQ(r, 0);
        EXPECT_EQ(BoxLines(o.windows), Failure("Setup PM File Copy", "File Copy Error"));
        for (const std::string &name : Matches(dest + "*"))
            EXPECT_TRUE(name == "SMALL.DAT" || (name == "BIG.DAT" && dest == earlier)) << name;
    }
    EXPECT_EQ(ReadBytes(earlier + "BIG.DAT"), "the earlier installation's file");
}

TEST_F(TreeCopyTest, DestinationFileHeldOpenOrReadOnly)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    Tree(src, {"A.DAT"});
    CreateDirectoryA(dest.c_str(), nullptr);
    WriteBytes(dest + "A.DAT", "held");
    HANDLE held = CreateFileA((dest + "A.DAT").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    CloseHandle(held);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), Failure("Setup File Copy", Slot(44)));
    EXPECT_EQ(ReadBytes(dest + "A.DAT"), "held");

    // A read-only destination that refuses the copy (immutable for root).
    std::string missing, locked = LockedFile(&missing);
    if (!missing.empty())
        GTEST_SKIP() << missing;
    std::string lockedDir = locked.substr(0, locked.rfind('\\') + 1);
    ResetInstallState();
    Tree(dir + "SRC2\\", {"LOCKED.TXT"});
    o = Copy(dir + "SRC2\\", lockedDir, "", lockedDir, &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), Failure("Setup File Copy", Slot(45)));
    EXPECT_EQ(ReadBytes(locked), "locked\r\n");
}

// A source file that cannot be opened, met while the reader is ahead of
// the copy: the copy stops at it with its message, and nothing listed
// after it reaches the destination.
TEST_F(TreeCopyTest, SourceFaultAheadOfTheCopyWritesNothingPastIt)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    CreateDirectoryA(src.c_str(), nullptr);
    for (int i = 0; i < 20; i++)
        WriteBytes(src + "F" + std::to_string(i) + ".DAT", "file " + std::to_string(i));
    std::vector<std::string> listed;  // in the listing's order, as copied
    WIN32_FIND_DATAA f;
    HANDLE search = FindFirstFileA((src + "*.*").c_str(), &f);
    do {
        if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            listed.push_back(f.cFileName);
    } while (FindNextFileA(search, &f));
    FindClose(search);
    ASSERT_EQ(listed.size(), 20u);
    HANDLE held = CreateFileA((src + listed[10]).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    CopyHook = [](const char *) {
        if (CopyState().FilesDone == 0)
            Sleep(500);  // the reader goes on meanwhile
    };
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    CloseHandle(held);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), Failure("Setup File Copy", Slot(44)));
    std::vector<std::string> before(listed.begin(), listed.begin() + 10);
    std::sort(before.begin(), before.end());
    EXPECT_EQ(Matches(dest + "*"), before);
    for (const std::string &name : before)
        EXPECT_EQ(ReadBytes(dest + name), ReadBytes(src + name)) << name;
}

TEST_F(TreeCopyTest, FullDisk)
{
    if (GetFileAttributesA("T:\\") == INVALID_FILE_ATTRIBUTES) {
        const char *drives = getenv("H6_DRIVES");
        std::string reason = drives ? ReadBytes("Z:" + std::string(drives) + "/full.reason") : "";
        GTEST_SKIP() << (reason.empty() ? "drive T: (a 64 KB tmpfs) is not set up" : reason);
    }
    std::string src = dir + "SRC\\";
    Tree(src, {"SMALL.DAT"});
    WriteBytes(src + "BIG.DAT", std::string(256 * 1024, 'B'));
    int r = -1;
    Answered o = Copy(src, "T:\\ORVA\\", "", "T:\\ORVA\\", &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), Failure("Setup File Copy", Slot(46)));
    RemoveTree("T:\\ORVA");
}

// More than 10,000 files: the bar still rises with the files copied.
TEST_F(TreeCopyTest, LargeTreeMovesTheBar)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    CreateDirectoryA(src.c_str(), nullptr);
    const int kDirs = 15, kPerDir = 670;  // 10,050 files
    for (int d = 0; d < kDirs; d++) {
        std::string sub = src + "D" + std::to_string(d) + "\\";
        CreateDirectoryA(sub.c_str(), nullptr);
        for (int f = 0; f < kPerDir; f++) {
            HANDLE h = CreateFileA((sub + std::to_string(f)).c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(h);
        }
    }
    std::vector<int> samples;  // the bar every thousand files
    CopyHook = [&](const char *) {
        if (CopyState().Window && CopyState().FilesDone % 1000 == 999)
            samples.push_back(BarOnScreen());
    };
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(CopyState().FileTotal, (UINT)(kDirs * kPerDir));
    ASSERT_GE(samples.size(), 9u);
    for (size_t i = 1; i < samples.size(); i++)
        EXPECT_GT(samples[i], samples[i - 1]) << i << " thousand files";
    EXPECT_EQ(Distinct(BarSeen).back(), 100);
}

}  // namespace
