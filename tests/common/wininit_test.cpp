// Deletion at the next Windows start through the real WININIT.INI of the
// prefix's Windows directory and the system's pending operations (both
// saved and restored around each test), and Wine's own processing of them
// by a restart (wineboot -r).
#include <gtest/gtest.h>
#include <fstream>
#include "common/removal.h"
#include "tests/robot/robot.h"
#include "tests/support/files.h"
#include "tests/support/pending.h"

class Wininit : public ::testing::Test {
protected:
    std::string path_ = WindowsDir() + "WININIT.INI";
    SavedFile saved_{path_};
    pending::Keep keepPending_;
    void SetUp() override { DeleteFileA(path_.c_str()); }
    void TearDown() override { saved_.Restore(); }
    bool Read(std::string &bytes)
    {
        std::optional<std::string> b = ReadWholeFile(path_);
        bytes = b.value_or("");
        return b.has_value();
    }
    void Write(const std::string &bytes) { WriteBytes(path_, bytes); }
    // The section as the profile functions see it, entries joined by "|".
    std::string Section()
    {
        std::vector<char> block(64 * 1024);
        DWORD n = GetPrivateProfileSectionA("rename", block.data(), block.size(), "WININIT.INI");
        std::string s(block.data(), n);
        for (char &c : s)
            if (!c) c = '|';
        return s;
    }
};

TEST_F(Wininit, BlockHelpers)
{
    EXPECT_EQ(0, SectionBlockLength("\0"));
    EXPECT_EQ(11, SectionBlockLength("nul=A\0x=BC\0"));
    EXPECT_EQ(6, FindSectionEntry("nul=A\0NUL=c:\\b\0", "nul=C:\\B"));
    EXPECT_EQ(-1, FindSectionEntry("nul=A\0", "nul=B"));
}

// A file of the Windows directory is scheduled only when no other product
// counts it (a file without a count counts one product); any other path,
// however it is spelt, never.
TEST_F(Wininit, WindowsFilesGoWithTheirLastProduct)
{
    std::string file = WindowsDir() + "TQLSHARE.TMP";
    for (const std::string &path : {std::string("C:\\ORVA\\UNINST.EXE"), WindowsDir() + "..\\ORVA.INI",
                                    WindowsDir() + "system32\\kernel32.dll", std::string()})
        EXPECT_EQ(0, ReleaseWindowsFile(path.c_str(), 0)) << path;
    EXPECT_EQ("", Section());
    std::ofstream(file) << "x";
    SetSharedCount(file, 2);
    EXPECT_EQ(1, ReleaseWindowsFile(file.c_str(), 0));
    EXPECT_EQ(1, SharedCount(file));
    EXPECT_EQ("", Section());
    EXPECT_EQ(1, ReleaseWindowsFile(file.c_str(), 1));  // stays: kept at 0
    EXPECT_EQ(0, SharedCount(file));
    EXPECT_EQ("", Section());
    SetSharedCount(file, -1);
    EXPECT_EQ(1, ReleaseWindowsFile(file.c_str(), 0));
    EXPECT_EQ(-1, SharedCount(file));
    EXPECT_EQ("nul=" + file + "|", Section());
    CancelScheduledDelete(file.c_str());
    DeleteFileA(file.c_str());
}

TEST_F(Wininit, SchedulesEachPathOnceInTheOrderGiven)
{
    EXPECT_EQ(1, ScheduleDeleteAtRestart("C:\\WINDOWS\\UNINST.EXE"));
    std::string bytes;
    ASSERT_TRUE(Read(bytes));
    EXPECT_EQ("nul=C:\\WINDOWS\\UNINST.EXE|", Section());
    EXPECT_EQ(1, ScheduleDeleteAtRestart("C:\\WINDOWS\\msg.dll"));
    EXPECT_EQ(0, ScheduleDeleteAtRestart("c:\\windows\\UNINST.exe"));
    EXPECT_EQ("nul=C:\\WINDOWS\\UNINST.EXE|nul=C:\\WINDOWS\\msg.dll|", Section());
}

TEST_F(Wininit, CancelsOneEntryAndKeepsTheOthers)
{
    Write("[rename]\r\nnul=C:\\A.DLL\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\nnul=C:\\B.EXE\r\n"
          "nul=C:\\C.INI\r\n");
    EXPECT_EQ(1, CancelScheduledDelete("C:\\b.exe"));
    EXPECT_EQ("nul=C:\\A.DLL|C:\\NEW.DLL=C:\\OLD.DLL|nul=C:\\C.INI|", Section());
    std::string before, after;
    Read(before);
    EXPECT_EQ(0, CancelScheduledDelete("C:\\B.EXE"));
    Read(after);
    EXPECT_EQ(before, after);

    Write("[rename]\r\nnul=C:\\ONLY.EXE\r\n");
    EXPECT_EQ(1, CancelScheduledDelete("C:\\ONLY.EXE"));
    EXPECT_EQ("", Section());
    EXPECT_EQ(0, CancelScheduledDelete("C:\\ONLY.EXE"));
}

TEST_F(Wininit, SectionsOfSeveralKilobytesStayWhole)
{
    std::string file = "[rename]\r\n", expected;
    for (int i = 0; i < 300; i++) {
        std::string entry = "nul=C:\\ORVA\\DATA\\FILE" + std::to_string(i) + ".DAT";
        file += entry + "\r\n";
        if (i != 150)
            expected += entry + "|";
    }
    Write(file);
    EXPECT_EQ(1, ScheduleDeleteAtRestart("C:\\LAST.EXE"));
    EXPECT_EQ(1, CancelScheduledDelete("C:\\ORVA\\DATA\\FILE150.DAT"));
    EXPECT_EQ(expected + "nul=C:\\LAST.EXE|", Section());
}

// Wine deletes every "nul" file when wineboot restarts the session.
TEST_F(Wininit, RestartDeletesExactlyTheScheduledFiles)
{
    const char *files[] = {"C:\\TQLDEL1.TMP", "C:\\TQLDEL2.TMP", "C:\\TQLKEEP.TMP"};
    for (const char *f : files)
        std::ofstream(f) << "x";
    ASSERT_EQ(1, ScheduleDeleteAtRestart(files[0]));
    ASSERT_EQ(1, ScheduleDeleteAtRestart(files[1]));
    Launched boot = Launch("C:\\windows\\system32\\wineboot.exe", "-r", "C:\\");
    ASSERT_EQ(0, boot.Wait(120000));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(files[0]));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(files[1]));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(files[2]));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
    DeleteFileA(files[2]);
}

// On the NT family (Wine shows Windows 10 here) the system gets each
// deletion too, once; a cancel takes out exactly that pair and leaves the
// other operations byte for byte; a value left empty goes.
TEST_F(Wininit, NtFamilyRegistersWithTheSystemAndCancelsExactlyThePair)
{
    if (GetVersion() & 0x80000000)
        GTEST_SKIP() << "Wine shows this program Windows 95/98";
    const char *files[] = {"C:\\TQLPEND1.TMP", "C:\\TQLPEND2.TMP"};
    for (const char *f : files)
        std::ofstream(f) << "x";
    pending::Write(std::nullopt);
    ASSERT_EQ(1, ScheduleDeleteAtRestart(files[0]));
    EXPECT_EQ(std::vector<std::string>{files[0]}, pending::Deletions());
    EXPECT_EQ(1, CancelScheduledDelete("c:\\tqlpend1.tmp"));
    EXPECT_FALSE(pending::Read());

    // Someone else's rename and deletion (a name that is not ASCII).
    const std::wstring others(L"\\??\\C:\\A.TMP\0!\\??\\C:\\B.TMP\0"
                              L"\\??\\C:\\\x0416.TMP\0\0\0", 42);
    pending::Write(others);
    ScheduleDeleteAtRestart(files[0]);
    ScheduleDeleteAtRestart(files[1]);
    ScheduleDeleteAtRestart("C:\\TQLPEND1.TMP");
    auto deletions = pending::Deletions();
    ASSERT_EQ(3u, deletions.size());
    EXPECT_EQ(files[0], deletions[1]);
    EXPECT_EQ(files[1], deletions[2]);
    EXPECT_EQ(1, CancelScheduledDelete(files[0]));
    EXPECT_EQ(1, CancelScheduledDelete(files[1]));
    EXPECT_EQ(others, pending::Read().value_or(L"(none)"));
    EXPECT_EQ(0, CancelScheduledDelete(files[1]));
    for (const char *f : files)
        DeleteFileA(f);
}
