// Stand-ins for the setup program's other modules and the helpers of the
// file installation tests (see install_support.h).
#include "install_support.h"
#include "setup/dialogs.h"
#include "setup/main.h"
#include "setup/state.h"
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

// The product's ProbeName and CopyAsNormalFile, reached through the
// linker's --wrap so that a test sees each probe and each file's copy of
// the tree copy (on the copy's thread) before it runs.
extern "C" int __real__Z9ProbeNamePKc(const char *path);
extern "C" int __wrap__Z9ProbeNamePKc(const char *path)
{
    if (ProbeHook)
        ProbeHook(path);
    return __real__Z9ProbeNamePKc(path);
}

extern "C" BOOL __real__Z16CopyAsNormalFilePKcS0_PFvvE(const char *, const char *,
                                                     void (*)());
extern "C" BOOL __wrap__Z16CopyAsNormalFilePKcS0_PFvvE(const char *source,
                                                     const char *dest,
                                                     void (*betweenReads)())
{
    if (CopyHook)
        CopyHook(dest);
    return __real__Z16CopyAsNormalFilePKcS0_PFvvE(source, dest, betweenReads);
}

// The system the copy believes it runs on (common/system.cpp, wrapped).
bool PretendWindows, PretendWindows95;
extern "C" FARPROC __real__Z14SystemFunctioni(int row);
extern "C" FARPROC __wrap__Z14SystemFunctioni(int row)
{
    if (PretendWindows && row == SF_wine_get_version)
        return nullptr;
    return __real__Z14SystemFunctioni(row);
}
extern "C" int __real__Z10IsNtFamilyv();
extern "C" int __wrap__Z10IsNtFamilyv()
{
    return PretendWindows95 ? 0 : __real__Z10IsNtFamilyv();
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

// The dialog hook of dialogs.cpp, which these tests do not link, for the
// unattended run's answers (unattended.cpp).
DialogHookProc DialogHook;

// ---- set-up
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
    MinimalInstall = 0;
    PretendWindows = PretendWindows95 = false;
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
