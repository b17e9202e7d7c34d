// Single-file copy and the copy of a versioned file, on real files under
// Wine; every message box is read by the robot.
#include <gtest/gtest.h>
#include "common/log.h"
#include "common/system.h"
#include "install_support.h"
#include "setup/config.h"
#include "setup/copy.h"
#include "setup/state.h"
#include "common/text.h"

namespace {

const char *kCopy = "Setup File Copy";

class CopyTest : public InstallTest {
protected:
    // Runs CopyOneFile on the worker thread; result and boxes.
    int CopyOne(const std::string &from, const std::string &to, Answered *o)
    {
        int r = -1;
        *o = RunAnswered([&] { r = CopyOneFile(from.c_str(), to.c_str()); });
        return r;
    }
};

TEST_F(CopyTest, CopiesOverAnExistingFileAndClearsReadOnly)
{
    std::string to = dir + "README.TXT";
    WriteBytes(to, "old text");
    Answered o;
    EXPECT_EQ(CopyOne(CdPath("DOCS\\README.TXT"), to, &o), 1);
    EXPECT_TRUE(o.windows.empty());
    EXPECT_NE(Attributes(CdPath("DOCS\\README.TXT")) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(Attributes(to) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadBytes(to), ReadBytes(CdPath("DOCS\\README.TXT")));
}

TEST_F(CopyTest, MissingSourceOrDirectory)
{
    Answered o;
    EXPECT_EQ(CopyOne(dir + "NOFILE.TXT", dir + "X.TXT", &o), 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(43))}));
    // A directory as source fails without a message.
    EXPECT_EQ(CopyOne(CdPath("DOCS"), dir + "X.TXT", &o), 0);
    EXPECT_TRUE(o.windows.empty());
    EXPECT_FALSE(Exists(dir + "X.TXT"));
}

TEST_F(CopyTest, DestinationHeldOpenWithoutSharing)
{
    std::string to = dir + "HELD.TXT";
    WriteBytes(to, "held");
    HANDLE held = CreateFileA(to.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Answered o;
    EXPECT_EQ(CopyOne(CdPath("DOCS\\README.TXT"), to, &o), 0);
    CloseHandle(held);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(44))}));
    EXPECT_EQ(ReadBytes(to), "held");
}

TEST_F(CopyTest, ReadOnlyDestinationRefused)
{
    // Read-only alone does not stop root, who runs these tests: the file
    // is also made immutable by the drives set-up.
    std::string missing;
    std::string to = LockedFile(&missing);
    if (!missing.empty())
        GTEST_SKIP() << missing;
    Answered o;
    EXPECT_EQ(CopyOne(CdPath("DOCS\\README.TXT"), to, &o), 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(45))}));
    EXPECT_EQ(ReadBytes(to), "locked\r\n");
}

TEST_F(CopyTest, OtherCopyErrorIsFileCopyError)
{
    Answered o;
    EXPECT_EQ(CopyOne(CdPath("DOCS\\README.TXT"), dir + "NODIR\\README.TXT", &o), 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, "File Copy Error")}));
}

// The reason why T: (the tiny tmpfs) is missing, or "" when it is there.
std::string FullDiskMissing()
{
    const char *drives = getenv("H6_DRIVES");
    if (GetFileAttributesA("T:\\") != INVALID_FILE_ATTRIBUTES)
        return "";
    std::string reason = drives ? ReadBytes("Z:" + std::string(drives) + "/full.reason") : "";
    return reason.empty() ? "drive T: (a 64 KB tmpfs) is not set up" : reason;
}

TEST_F(CopyTest, FullDisk)
{
    std::string missing = FullDiskMissing();
    if (!missing.empty())
        GTEST_SKIP() << missing;
    std::string big = dir + "BIG.DAT";
    WriteBytes(big, std::string(256 * 1024, 'B'));
    Answered o;
    EXPECT_EQ(CopyOne(big, "T:\\BIG.DAT", &o), 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(46))}));
    DeleteFileA("T:\\BIG.DAT");
}

// The branches of the copy: Wine's (time and attributes on the handle) or
// Windows' (time on the handle, attributes by name after the close), and
// a replace in one call (NT family) or in Windows 95's order.
struct Branch {
    bool windows, windows95;
    const char *name;
};
const Branch kBranches[] = {{false, false, "Wine"},
                            {true, false, "Windows NT family"},
                            {true, true, "Windows 95"}};

// Takes a branch under Wine by pretending its system.
void TakeBranch(const Branch &b)
{
    PretendSystem = SystemPretence{b.windows, b.windows95};
}

FILETIME LastWrite(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// A copy carries the source's bytes (more than one 64 KB read) and
// last-write time, with normal attributes, to a new name and over an old
// file, on every branch; nothing else is left in the folder.
TEST_F(CopyTest, CopyCarriesBytesTimeAndNormalAttributesOnEveryBranch)
{
    std::string src = dir + "SRC.DAT", to = dir + "TO.DAT";
    WriteBytes(src, std::string(150000, 'x') + "end");
    const FILETIME written{0x5E2C1000, 0x01BE9F36};  // in 1999
    HANDLE h = CreateFileA(src.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
    CloseHandle(h);
    SetFileAttributesA(src.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    for (const Branch &b : kBranches) {
        for (bool over : {false, true}) {
            SCOPED_TRACE(std::string(b.name) + (over ? ", over an old file" : ", new"));
            TakeBranch(b);
            DeleteFileA(to.c_str());
            if (over)
                WriteBytes(to, "old");
            Answered o;
            EXPECT_EQ(CopyOne(src, to, &o), 1);
            EXPECT_TRUE(o.windows.empty());
            EXPECT_TRUE(ReadBytes(to) == ReadBytes(src));  // 150 KB: not printed
            FILETIME copied = LastWrite(to);
            EXPECT_EQ(CompareFileTime(&written, &copied), 0);
            // Wine shows every plain file with the archive bit.
            EXPECT_EQ(Attributes(to) & ~(DWORD)(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL), 0u);
            EXPECT_EQ(Matches(dir + "*"), (std::vector<std::string>{"SRC.DAT", "TO.DAT"}));
        }
    }
    SetFileAttributesA(src.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A source that fails to read part way (S:, a scratched CD) is a failure
// with "File Copy Error" on every branch: an old file stays byte for byte,
// a new name is not left behind, and no temporary file stays.
TEST_F(CopyTest, ScratchedSourceLeavesTheOldFileOnEveryBranch)
{
    std::string missing = ScratchedMissing();
    if (!missing.empty())
        GTEST_SKIP() << missing;
    std::string to = dir + "BIG.DAT";
    for (const Branch &b : kBranches) {
        SCOPED_TRACE(b.name);
        TakeBranch(b);
        WriteBytes(to, "the old file");
        Answered o;
        EXPECT_EQ(CopyOne("S:\\TREE\\BIG.DAT", to, &o), 0);
        EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, "File Copy Error")}));
        EXPECT_EQ(ReadBytes(to), "the old file");
        EXPECT_EQ(Matches(dir + "*"), (std::vector<std::string>{"BIG.DAT"}));
        DeleteFileA(to.c_str());
        EXPECT_EQ(CopyOne("S:\\TREE\\BIG.DAT", to, &o), 0);
        EXPECT_TRUE(Matches(dir + "*").empty());
    }
}

TEST_F(CopyTest, CopyIfNewer)
{
    std::string codec = CdPath("INDEO41\\IR41_32.DLL");
    std::string to = dir + "IR41_32.DLL";
    Answered o;
    int r = -1;
    // Nothing installed: copied.
    o = RunAnswered([&] { r = CopyIfNewer(codec.c_str(), to.c_str()); });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(ReadBytes(to), ReadBytes(codec));
    EXPECT_EQ(Attributes(to) & FILE_ATTRIBUTE_READONLY, 0u);
    // A newer one installed: left untouched.
    CopyFileA((ModuleDir() + "newer.dll").c_str(), to.c_str(), FALSE);
    o = RunAnswered([&] { r = CopyIfNewer(codec.c_str(), to.c_str()); });
    EXPECT_EQ(r, 2);
    EXPECT_EQ(ReadBytes(to), ReadBytes(ModuleDir() + "newer.dll"));
    // 5.0.0.0 installed is not at least 4.11.15.60: replaced.
    CopyFileA((ModuleDir() + "older.dll").c_str(), to.c_str(), FALSE);
    o = RunAnswered([&] { r = CopyIfNewer(codec.c_str(), to.c_str()); });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(ReadBytes(to), ReadBytes(codec));
    EXPECT_TRUE(o.windows.empty());
}

TEST_F(CopyTest, CopyIfNewerRefusals)
{
    std::string codec = CdPath("INDEO41\\IR41_32.DLL");
    Answered o;
    int r = -1;
    o = RunAnswered([&] { r = CopyIfNewer((dir + "NONE.DLL").c_str(), (dir + "X.DLL").c_str()); });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(47))}));
    o = RunAnswered([&] { r = CopyIfNewer(CdPath("INDEO41").c_str(), (dir + "X.DLL").c_str()); });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(48))}));
    CreateDirectoryA((dir + "IR41_32.DLL").c_str(), nullptr);
    o = RunAnswered([&] { r = CopyIfNewer(codec.c_str(), (dir + "IR41_32.DLL").c_str()); });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(49))}));
    // An installed file without a version ends setup after slot 51.
    WriteBytes(dir + "IR41_32.TXT", "not a library");
    o = RunAnswered([&] { CopyIfNewer(codec.c_str(), (dir + "IR41_32.TXT").c_str()); });
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine("Setup", Slot(51))}));
    EXPECT_EQ(ReadBytes(dir + "IR41_32.TXT"), "not a library");
}

// A version that cannot be read ends setup with its message.
TEST_F(CopyTest, UnreadableSourceVersionEndsSetup)
{
    std::string cd = CdPath("INDEO41\\IR41_32.DLL");
    Answered o = RunAnswered([&] {
        IsInstalledFileCurrent((ModuleDir() + "plain.dll").c_str(), cd.c_str());
    });
    EXPECT_TRUE(o.aborted);
    EXPECT_FALSE(o.finished);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine("Setup", Slot(50))}));
}

TEST_F(CopyTest, UnreadableInstalledVersionEndsSetup)
{
    std::string cd = CdPath("INDEO41\\IR41_32.DLL");
    Answered o = RunAnswered([&] {
        IsInstalledFileCurrent(cd.c_str(), (ModuleDir() + "nofilever.dll").c_str());
    });
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine("Setup", Slot(51))}));
}

}  // namespace
