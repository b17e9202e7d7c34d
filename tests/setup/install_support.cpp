// Stand-ins for the setup program's other modules and the helpers of the
// file installation tests (see install_support.h).
#include "install_support.h"
#include "setup/ends.h"
#include "setup/state.h"
#include "setup/treecopy.h"
#include "common/ui.h"
#include "common/system.h"
#include "tests/support/msg_table.h"

std::vector<ItemCall> ItemCalls;
std::vector<int> KillDialogCalls;
std::vector<HCURSOR> RestoredCursors;
BOOL RestoreCursorResult = TRUE;
int WaitCursorShown;
std::function<void(const char *)> ProbeHook, CopyHook;

void KillDialogs(int count)
{
    KillDialogCalls.push_back(count);
}

// The tree copy's watch (setup/treecopy.cpp) passes each step on to the
// test's hook for it.
static void WatchCopy(CopyWatchStep step, const char *path)
{
    const std::function<void(const char *)> &hook = step == WATCH_PROBE ? ProbeHook : CopyHook;
    if (hook)
        hook(path);
}

// The items' shared conversation: the stand-in of AddProgramItem needs none.
void OpenProgramItems() {}
void CloseProgramItems() {}

int AddProgramItem(const char *group, const char *item, const char *commandLine)
{
    ItemCalls.push_back({group, item, commandLine,
                         GetFileAttributesA(commandLine) != INVALID_FILE_ATTRIBUTES});
    return 1;
}

// The toolkit's wait cursor (setup/toolkit.cpp): recorded; a refused
// restore takes the fatal exit, as the wrapper does.
HCURSOR TkShowWaitCursor()
{
    WaitCursorShown++;
    return (HCURSOR)(UINT_PTR)0x4711;
}

void TkRestoreCursor(HCURSOR previous)
{
    RestoredCursors.push_back(previous);
    if (!RestoreCursorResult)
        AbortSetup();
}

// ---- set-up
void InstallTest::SetUp()
{
    ResetInstallState();
    ASSERT_NE(MsgModule, nullptr) << "the message library is not on the CD";
    dir = TestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

void InstallTest::TearDown()
{
    RemoveTree(dir);
}

void ResetInstallState()
{
    if (!MsgModule)
        MsgModule = LoadMessageTable("msgeng.dll", MessageTable);
    ItemCalls.clear();
    KillDialogCalls.clear();
    RestoredCursors.clear();
    RestoreCursorResult = TRUE;
    WaitCursorShown = 0;
    ProbeHook = CopyHook = nullptr;
    CopyWatch = WatchCopy;
    MinimalInstall = 0;
    PretendSystem = SystemPretence{};
}

const char *Slot(int slot)
{
    return MessageText(slot) ? MessageText(slot) : "(empty slot)";
}

// ---- files
std::string TestDir(const std::string &name)
{
    CreateDirectoryA("C:\\h6test", nullptr);
    std::string dir = "C:\\h6test\\" + name;
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\";
}

DWORD Attributes(const std::string &path)
{
    return GetFileAttributesA(path.c_str());
}

std::string ModuleDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.rfind('\\') + 1);
}

std::string CdPath(const std::string &relative)
{
    return "Q:\\" + relative;
}

std::string DrivesDir()
{
    const char *drives = getenv("H6_DRIVES");
    std::string base = drives ? "Z:" + std::string(drives) + "\\" : "";
    for (char &c : base)
        if (c == '/')
            c = '\\';
    return base;
}

std::string ScratchedMissing()
{
    if (Exists("S:\\TREE\\BIG.DAT"))
        return "";
    std::string base = DrivesDir();
    std::string reason = base.empty() ? "" : ReadBytes(base + "scratched.reason");
    return reason.empty() ? "drive S: (a scratched CD on FUSE) is not set up" : reason;
}

std::string LockedFile(std::string *missing)
{
    std::string base = DrivesDir();
    if (!base.empty() && Exists(base + "locked\\LOCKED.TXT"))
        return base + "locked\\LOCKED.TXT";
    std::string reason = base.empty() ? "" : ReadBytes(base + "locked.reason");
    *missing = reason.empty() ? "the immutable LOCKED.TXT is not set up" : reason;
    return "";
}
