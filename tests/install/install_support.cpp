// Stand-ins for the setup program's other modules and the helpers of the
// file installation tests (see install_support.h).
#include "install_support.h"
#include "setup/setup.h"

#include <fstream>
#include <sstream>

// ---- state the tested files read, normally defined by other modules
HMODULE MsgModule;
char DestinationDir[PATH_CAP];
int MinimalInstall;
SetupSettings Settings;

std::vector<ItemCall> ItemCalls;
std::vector<int> KillDialogCalls;
std::vector<HCURSOR> RestoredCursors;
BOOL RestoreCursorResult = TRUE;
int WaitCursorShown;
bool MakeDirectoryFails;
std::function<void(const char *)> ProbeHook;

static LONG Aborts;

// The fatal exit: recorded, and the worker thread ends here.
void AbortSetup()
{
    InterlockedIncrement(&Aborts);
    ExitThread(0);
}

void KillDialogs(int count)
{
    KillDialogCalls.push_back(count);
}

// As the settings module probes a path: 0 nothing, 1 file, 2 directory.
int ProbePath(const char *path)
{
    if (ProbeHook)
        ProbeHook(path);
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path, &found);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(h);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

// Creates every missing directory of the path.
int MakeDirectoryPath(const char *path)
{
    if (MakeDirectoryFails)
        return 0;
    std::string p(path);
    for (size_t i = 3; i <= p.size(); i++)
        if (i == p.size() || p[i] == '\\')
            CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

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
void ResetInstallState()
{
    if (!MsgModule) {
        MsgModule = LoadLibraryA(CdPath("msgeng.dll").c_str());
        if (MsgModule) {
            auto setup = (MsgSetupProc)(void *)GetProcAddress(MsgModule, "MsgSetup");
            if (setup)
                setup(MessageTable);
        }
    }
    ItemCalls.clear();
    KillDialogCalls.clear();
    RestoredCursors.clear();
    RestoreCursorResult = TRUE;
    WaitCursorShown = 0;
    MakeDirectoryFails = false;
    ProbeHook = nullptr;
    MinimalInstall = 0;
    CopyFileTotal = 0;
    CopyStep = 0;
    CopyAccumulated = 0;
    CopyFilesDone = 0;
    CopyPercent = 0;
    ProgressWindow = nullptr;
    CopyCancelled = 0;
    Aborts = 0;
}

const char *Slot(int slot)
{
    return MessageText(slot) ? MessageText(slot) : "(empty slot)";
}

// ---- worker thread answered by the robot
namespace {
struct Work {
    std::function<void()> fn;
    bool finished = false;
};
DWORD WINAPI RunWork(void *p)
{
    auto *w = static_cast<Work *>(p);
    w->fn();
    w->finished = true;
    return 0;
}
}  // namespace

Outcome RunAnswered(std::function<void()> work,
                    std::function<void(Robot &, const SeenWindow &)> onWindow)
{
    Outcome o;
    Work w{std::move(work)};
    LONG abortsBefore = Aborts;
    HANDLE thread = CreateThread(nullptr, 0, RunWork, &w, 0, nullptr);
    Robot robot;
    // Generous: a thread ended by force may hold a lock of the process (the
    // heap's, the window system's), so the limit is only for a copy that
    // really hangs, never for a slow machine (10,000 files under the 32-bit
    // Wine on a loaded machine take minutes).
    DWORD until = GetTickCount() + 300000;
    for (;;) {
        bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        auto seen = robot.Next(ended ? 0 : 50);
        if (seen) {
            o.windows.push_back({seen->kind, seen->caption, seen->text});
            if (seen->kind == "box")
                robot.Press(*seen, IDOK);
            else if (onWindow)
                onWindow(robot, *seen);
            continue;
        }
        if (ended || (LONG)(GetTickCount() - until) >= 0)
            break;
    }
    if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0)
        TerminateThread(thread, 1);
    CloseHandle(thread);
    o.finished = w.finished;
    o.aborted = Aborts != abortsBefore;
    return o;
}

std::string BoxLine(const char *caption, const char *text)
{
    return std::string(caption) + "|" + text;
}

std::vector<std::string> Boxes(const Outcome &o)
{
    std::vector<std::string> out;
    for (const Seen &s : o.windows)
        if (s.kind == "box")
            out.push_back(BoxLine(s.caption.c_str(), s.text.c_str()));
    return out;
}

// ---- files
void RemoveTree(const std::string &dir)
{
    std::string base = dir;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((base + "\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = f.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string p = base + "\\" + name;
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(p);
            else
                DeleteFileA(p.c_str());
        } while (FindNextFileA(h, &f));
        FindClose(h);
    }
    RemoveDirectoryA(base.c_str());
}

std::string TestDir(const std::string &name)
{
    CreateDirectoryA("C:\\h6test", nullptr);
    std::string dir = "C:\\h6test\\" + name;
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\";
}

void WriteFile(const std::string &path, const std::string &content)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream f(path, std::ios::binary);
    f << content;
}

std::string ReadFile(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

int CountFiles(const std::string &dir)
{
    std::string base = dir;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    int n = 0;
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((base + "\\*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = f.cFileName;
        if (name == "." || name == "..")
            continue;
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            n += CountFiles(base + "\\" + name);
        else
            n++;
    } while (FindNextFileA(h, &f));
    FindClose(h);
    return n;
}

std::string LockedFile(std::string *missing)
{
    const char *drives = getenv("H6_DRIVES");
    std::string base = drives ? "Z:" + std::string(drives) + "\\" : "";
    for (char &c : base)
        if (c == '/')
            c = '\\';
    if (drives && Exists(base + "locked\\LOCKED.TXT"))
        return base + "locked\\LOCKED.TXT";
    std::string reason = drives ? ReadFile(base + "locked.reason") : "";
    *missing = reason.empty() ? "the immutable LOCKED.TXT is not set up" : reason;
    return "";
}
