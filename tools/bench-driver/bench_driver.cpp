// bench-driver: the Windows half of tools/bench. Every figure is taken
// from outside the program under test, on the robot's clock (milliseconds
// since the robot started, as in Robot::times).
//   bench-driver install CD_DIR   runs CD_DIR\Tql.exe from CD_DIR, answers
//       every window with the ordinary choice and prints
//       "copy_ms=N": from the progress window's appearance to its
//       destruction.
//   bench-driver uninstall        starts the UninstallString the
//       installation registered, presses OK in the confirmation and prints
//       "remove_ms=N": from the press to the final message box.
//   bench-driver time COMMAND...  runs the command line, waits for it and
//       prints "ms=N exit=C pid=P" (process start included; P the
//       Windows id of the process started).
//   bench-driver time-uninstall   the same for the registered
//       UninstallString with /S after its program (an unattended removal).
//   bench-driver calls MSG_DLL DIR  the cost of each call the copy makes
//       per file, in microseconds, measured on 500 files of 4 KB made in
//       DIR, with the message library's progress window on screen: one
//       line "call=us" each (the best of three rounds).
// The transcript, with times, goes to stderr.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/templates.h"
#include "setup/copy.h"
#include "setup/progress.h"
#include "tests/robot/robot.h"

namespace {

// The robot's clock: milliseconds since the robot started.
struct Clock {
    DWORD base = GetTickCount();
    DWORD Now() const { return GetTickCount() - base; }
};

void Log(const Robot &robot, size_t from)
{
    for (size_t i = from; i < robot.transcript.size(); i++)
        std::fprintf(stderr, "%7lu ms  %s\n", (unsigned long)robot.times[i],
                     robot.transcript[i].c_str());
    std::fflush(stderr);
}

// Waits until the window is gone (destroyed, or its process ended),
// looking every 5 ms; the time it was first seen gone.
DWORD WaitGone(HWND hwnd, const Clock &clock)
{
    while (IsWindow(hwnd))
        Sleep(5);
    return clock.Now();
}

int Install(const std::string &cdDir)
{
    Robot robot;
    Clock clock;
    std::string dir = cdDir;
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    Launched setup = Launch(dir + "Tql.exe", "", dir);
    if (!setup.process) {
        std::fprintf(stderr, "cannot start %sTql.exe\n", dir.c_str());
        return 1;
    }
    long copyMs = -1;
    size_t logged = 0;
    DWORD quietSince = clock.Now();
    while (setup.Wait(0) < 0) {
        auto w = robot.Next(200);
        Log(robot, logged);
        logged = robot.transcript.size();
        if (!w) {
            if (clock.Now() - quietSince > 600000) {
                std::fprintf(stderr, "no window for ten minutes: giving up\n");
                setup.Kill();
                return 1;
            }
            continue;
        }
        quietSince = clock.Now();
        if (IsProgressWindow(*w)) {
            DWORD shown = robot.times.back();
            DWORD gone = WaitGone(w->hwnd, clock);
            copyMs = (long)(gone - shown);
            std::fprintf(stderr, "%7lu ms  progress window gone\n",
                         (unsigned long)gone);
            continue;
        }
        int press = w->kind == "dialog" ? OrdinaryDialogChoice(*w)
                  : w->kind == "box"    ? OrdinaryBoxChoice(*w)
                  : GetDlgItem(w->hwnd, IDOK) ? IDOK : 0;
        if (press)
            robot.Press(*w, press);
    }
    int code = setup.Wait(0);
    std::fprintf(stderr, "%7lu ms  setup ended, exit code %d\n",
                 (unsigned long)clock.Now(), code);
    if (copyMs < 0) {
        std::fprintf(stderr, "the progress window was never seen\n");
        return 1;
    }
    std::printf("copy_ms=%ld\n", copyMs);
    return code == 0 ? 0 : 1;
}

// The UninstallString of the installed product: the entry of the
// uninstall key whose command starts UNINST.EXE.
std::string FindUninstallString()
{
    HKEY root;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                      0, KEY_READ, &root) != ERROR_SUCCESS)
        return std::string();
    std::string found;
    char name[256];
    for (DWORD i = 0;; i++) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(root, i, name, &nameLength, nullptr, nullptr,
                          nullptr, nullptr) != ERROR_SUCCESS)
            break;
        char value[1024] = "";
        DWORD size = sizeof value - 1;
        if (RegGetValueA(root, name, "UninstallString", RRF_RT_REG_SZ,
                         nullptr, value, &size) != ERROR_SUCCESS)
            continue;
        std::string upper = value;
        for (char &c : upper)
            c = (char)toupper((unsigned char)c);
        if (upper.find("UNINST.EXE") != std::string::npos) {
            found = value;
            break;
        }
    }
    RegCloseKey(root);
    return found;
}

// Starts a whole command line as Add/Remove Programs or a shell would.
Launched StartCommand(const std::string &command)
{
    Launched launched;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si;
    std::memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &si, &pi))
        return launched;
    CloseHandle(pi.hThread);
    launched.process = pi.hProcess;
    launched.pid = pi.dwProcessId;
    return launched;
}

int Uninstall()
{
    std::string command = FindUninstallString();
    if (command.empty()) {
        std::fprintf(stderr, "no UninstallString of UNINST.EXE registered\n");
        return 1;
    }
    Robot robot;
    Clock clock;
    std::fprintf(stderr, "starting %s\n", command.c_str());
    Launched uninst = StartCommand(command);
    if (!uninst.process) {
        std::fprintf(stderr, "cannot start it\n");
        return 1;
    }
    long pressed = -1, lastBox = -1;
    size_t logged = 0;
    while (uninst.Wait(0) < 0) {
        auto w = robot.Next(200);
        Log(robot, logged);
        logged = robot.transcript.size();
        if (!w) {
            if (clock.Now() > 600000) {
                std::fprintf(stderr, "uninstaller still running after ten minutes\n");
                uninst.Kill();
                return 1;
            }
            continue;
        }
        if (pressed < 0 && GetDlgItem(w->hwnd, IDC_UNINST_MSG0) &&
            GetDlgItem(w->hwnd, IDOK)) {
            // The removal runs inside the OK handler while the dialog
            // stays on screen: the click is posted, not waited for.
            pressed = (long)clock.Now();
            PostMessageA(GetDlgItem(w->hwnd, IDOK), BM_CLICK, 0, 0);
            std::fprintf(stderr, "%7ld ms  OK pressed\n", pressed);
            continue;
        }
        if (w->kind == "box") {
            lastBox = (long)robot.times.back();
            robot.Press(*w, OrdinaryBoxChoice(*w));
        }
    }
    int code = uninst.Wait(0);
    std::fprintf(stderr, "%7lu ms  uninstaller ended, exit code %d\n",
                 (unsigned long)clock.Now(), code);
    if (pressed < 0 || lastBox < 0) {
        std::fprintf(stderr, "no confirmation or no final message seen\n");
        return 1;
    }
    std::printf("remove_ms=%ld\n", lastBox - pressed);
    return 0;
}

// Runs a command line and prints how long it took, start included.
int Time(const std::string &command)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Launched run = StartCommand(command);
    if (!run.process) {
        std::fprintf(stderr, "cannot start %s\n", command.c_str());
        return 1;
    }
    int code = run.Wait(INFINITE);
    QueryPerformanceCounter(&end);
    double ms = (double)(end.QuadPart - start.QuadPart) * 1000.0 /
                (double)frequency.QuadPart;
    // The process's id, by which tools/bench finds its requests in a
    // traced server's log.
    std::printf("ms=%.1f exit=%d pid=%lu\n", ms, code, (unsigned long)run.pid);
    return code == 0 ? 0 : 1;
}

// The registered UninstallString with /S after its program: the program
// is the first word, or the quoted text when the line starts with a quote.
std::string SilentUninstallString()
{
    std::string command = FindUninstallString();
    if (command.empty())
        return command;
    size_t end = command[0] == '"' ? command.find('"', 1) : command.find(' ');
    if (end == std::string::npos)
        return command + " /S";
    if (command[0] == '"')
        end++;
    return command.substr(0, end) + " /S" + command.substr(end);
}

// Microseconds on the performance counter.
double MicrosecondsNow()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1e6 / (double)frequency.QuadPart;
}

// The copy's empty counting loop, as the setup program has it.
__attribute__((noinline)) void CountingPause(DWORD iterations)
{
    for (volatile DWORD i = 0; i < iterations; i = i + 1) {
    }
}

INT_PTR CALLBACK QuietDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

int Calls(const std::string &msgDll, const std::string &dir)
{
    const int files = 500;
    HMODULE library = LoadLibraryA(msgDll.c_str());
    HWND window = library ? CreateDialogParamA(library, MAKEINTRESOURCEA(TPL_PROGRESS),
                                               nullptr, QuietDlgProc, 0)
                          : nullptr;
    if (!window) {
        std::fprintf(stderr, "cannot show the progress window of %s\n", msgDll.c_str());
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    std::string src = dir + "\\src", dst = dir + "\\dst", fresh = dir + "\\new";
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA(src.c_str(), nullptr);
    std::vector<std::string> from, to, renewed;
    std::vector<char> data(4096, 'x');
    for (int i = 0; i < files; i++) {
        from.push_back(src + "\\F" + std::to_string(i) + ".DAT");
        to.push_back(dst + "\\F" + std::to_string(i) + ".DAT");
        renewed.push_back(fresh + "\\F" + std::to_string(i) + ".DAT");
        HANDLE h = CreateFileA(from.back().c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(h, data.data(), (DWORD)data.size(), &written, nullptr);
        CloseHandle(h);
    }
    struct Figure { const char *name; double best; };
    std::vector<Figure> figures = {
        {"CopyFileA_4KB", 1e18}, {"SetFileAttributesA", 1e18},
        {"ProbePath_GetFileAttributesA", 1e18}, {"PeekMessageA", 1e18},
        {"SetDlgItemTextA_x2", 1e18}, {"paint_GetDC_bar_ReleaseDC", 1e18},
        {"Pause_10000", 1e18}, {"FindNextFileA", 1e18},
        {"CopyAsNormalFile_4KB_new", 1e18},
        {"CopyAsNormalFile_4KB_over", 1e18},
        {"SetText_DefWindowProc_x2", 1e18}, {"ProbePath_FindFirstFileA", 1e18},
        {"GetTickCount", 1e18}};
    for (int round = 0; round < 3; round++) {
        CreateDirectoryA(dst.c_str(), nullptr);
        double t[14];
        t[0] = MicrosecondsNow();
        for (int i = 0; i < files; i++)
            CopyFileA(from[i].c_str(), to[i].c_str(), FALSE);
        t[1] = MicrosecondsNow();
        for (int i = 0; i < files; i++)
            SetFileAttributesA(to[i].c_str(), FILE_ATTRIBUTE_NORMAL);
        t[2] = MicrosecondsNow();
        for (int i = 0; i < files; i++)
            GetFileAttributesA(to[i].c_str());
        t[3] = MicrosecondsNow();
        for (int i = 0; i < files; i++) {
            MSG msg;
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) &&
                !IsDialogMessageA(window, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        t[4] = MicrosecondsNow();
        for (int i = 0; i < files; i++) {
            SetDlgItemTextA(window, IDC_PROGRESS_SOURCE, from[i].c_str());
            SetDlgItemTextA(window, IDC_PROGRESS_DEST, to[i].c_str());
        }
        t[5] = MicrosecondsNow();
        const RECT bar = {10, 10, 210, 34};
        for (int i = 0; i < files; i++)
            PaintBarOnWindow(window, bar, i * 100 / files);
        t[6] = MicrosecondsNow();
        for (int i = 0; i < files; i++)
            CountingPause(10000);
        t[7] = MicrosecondsNow();
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((src + "\\*.*").c_str(), &entry);
        int listed = 1;
        while (FindNextFileA(search, &entry))
            listed++;
        FindClose(search);
        t[8] = MicrosecondsNow();
        // The setup program's own copy: to a name not taken, as a first
        // installation copies, and over the file there, as a reinstall.
        CreateDirectoryA(fresh.c_str(), nullptr);
        for (int i = 0; i < files; i++)
            CopyAsNormalFile(from[i].c_str(), renewed[i].c_str(), nullptr);
        t[9] = MicrosecondsNow();
        for (int i = 0; i < files; i++)
            CopyAsNormalFile(from[i].c_str(), to[i].c_str(), nullptr);
        t[10] = MicrosecondsNow();
        HWND source = GetDlgItem(window, IDC_PROGRESS_SOURCE);
        HWND dest = GetDlgItem(window, IDC_PROGRESS_DEST);
        for (int i = 0; i < files; i++) {
            DefWindowProcA(source, WM_SETTEXT, 0, (LPARAM)from[i].c_str());
            DefWindowProcA(dest, WM_SETTEXT, 0, (LPARAM)to[i].c_str());
        }
        t[11] = MicrosecondsNow();
        for (int i = 0; i < files; i++) {
            WIN32_FIND_DATAA found;
            HANDLE h = FindFirstFileA(to[i].c_str(), &found);
            if (h != INVALID_HANDLE_VALUE)
                FindClose(h);
        }
        t[12] = MicrosecondsNow();
        volatile DWORD ticks = 0;
        for (int i = 0; i < files; i++)
            ticks = ticks + GetTickCount();
        t[13] = MicrosecondsNow();
        for (size_t k = 0; k < figures.size(); k++) {
            double per = (t[k + 1] - t[k]) / (k == 7 ? listed : files);
            if (per < figures[k].best)
                figures[k].best = per;
        }
        for (int i = 0; i < files; i++) {
            SetFileAttributesA(to[i].c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(to[i].c_str());
            DeleteFileA(renewed[i].c_str());
        }
        RemoveDirectoryA(dst.c_str());
        RemoveDirectoryA(fresh.c_str());
    }
    for (const Figure &f : figures)
        std::printf("%s=%.1f\n", f.name, f.best);
    for (int i = 0; i < files; i++)
        DeleteFileA(from[i].c_str());
    RemoveDirectoryA(src.c_str());
    DestroyWindow(window);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::string action = argc > 1 ? argv[1] : "";
    if (action == "install" && argc == 3)
        return Install(argv[2]);
    if (action == "uninstall" && argc == 2)
        return Uninstall();
    if (action == "time" && argc > 2) {
        std::string command;
        for (int i = 2; i < argc; i++)
            command += (i > 2 ? " " : "") + std::string(argv[i]);
        return Time(command);
    }
    if (action == "time-uninstall" && argc == 2) {
        std::string command = SilentUninstallString();
        if (command.empty()) {
            std::fprintf(stderr, "no UninstallString of UNINST.EXE registered\n");
            return 1;
        }
        std::fprintf(stderr, "%s\n", command.c_str());
        return Time(command);
    }
    if (action == "calls" && argc == 4)
        return Calls(argv[2], argv[3]);
    std::fprintf(stderr, "usage: bench-driver install CD_DIR | uninstall | "
                         "time COMMAND... | time-uninstall | calls MSG_DLL DIR\n");
    return 2;
}
