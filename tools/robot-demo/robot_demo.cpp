// robot-demo: the product's whole life on this machine, as a user meets it,
// each window answered with the ordinary choice:
//   1. the installation: Q:\Tql.exe started from the CD's root;
//   2. the Start Menu group that the shell made, in its folder window;
//   3. the game started from the group's item;
//   4. the removal: the command line of the Add/Remove Programs entry, its
//      confirmation and its final message;
//   5. the restart (wineboot -r) that deletes the uninstaller and the
//      message library.
// One transcript line per window or step is printed as it happens (in
// UTF-8, whatever the system's code page), with a screenshot of each saved
// into OUTDIR; OUTDIR\page.html shows them in order, each under its line. At the end, one line per stage says what is
// on the machine (directory, Add/Remove entry, group, deletions scheduled
// for the next start), read from the machine; the exit code is 1 when any
// stage left the machine otherwise than a user would expect.
//   robot-demo.exe OUTDIR [program [arguments]]
// program defaults to Q:\Tql.exe, started in its own directory.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "common/record.h"
#include "platform/templates.h"
#include "tests/robot/robot.h"
#include "tests/support/files.h"

#include <shellapi.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <shlobj.h>
#include "tests/support/pending.h"

namespace {

// ---- what the CD says about the product (Q:\TQL.INI)

struct CdFacts {
    std::string language;      // the section of this system's language
    std::string groupTitle, gameTitle, applicationName, msgLibrary;
};

std::string CdSetting(const std::string &section, const std::string &key)
{
    char value[1024] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                             "Q:\\TQL.INI");
    return value;
}

CdFacts ReadCd()
{
    CdFacts cd;
    cd.language = GetACP() == 932 ? "Japanese" : "English";
    cd.groupTitle = CdSetting(cd.language, "GroupTitle");
    cd.gameTitle = CdSetting(cd.language, "GameTitle");
    cd.msgLibrary = CdSetting(cd.language, "LoadMsgModule");
    cd.applicationName = CdSetting("Option", "ApplicationName");
    return cd;
}

// ---- the page and the transcript

struct Step {
    std::string line;  // as printed, in the system's code page
    std::string shot;  // the screenshot's PNG name, or ""
};

struct Demo {
    std::string outDir;
    std::vector<Step> steps;
    int shots = 0;
};

// Takes the picture now; the name of the PNG that tools/demo makes of it.
std::string Photograph(Demo &demo, const std::string &what)
{
    char name[80];
    std::snprintf(name, sizeof name, "%02d-%s", ++demo.shots, what.c_str());
    if (!SaveScreenshot(demo.outDir + "\\" + name + ".bmp"))
        return "";
    return std::string(name) + ".png";
}

std::string Utf8(const std::string &ansi);

// Prints the line (in UTF-8, for the terminal of the person who runs the
// demo) and keeps it for the page.
void Report(Demo &demo, const std::string &line, const std::string &shot = "")
{
    std::printf("%s\n", Utf8(line).c_str());
    std::fflush(stdout);
    demo.steps.push_back({line, shot});
}

std::string Utf8(const std::string &ansi)
{
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], n);
    n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(n > 0 ? n - 1 : 0);
    return out;
}

std::string Html(const std::string &ansi)
{
    std::string out;
    for (char c : Utf8(ansi)) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// The run's part of the page (UTF-8): every step under a heading, its
// screenshot below its line.
void WritePage(const Demo &demo, const CdFacts &cd, const std::vector<std::string> &closing)
{
    FILE *f = std::fopen((demo.outDir + "\\page.html").c_str(), "wb");
    if (!f)
        return;
    std::fprintf(f, "<h3>%s system</h3>\n<ol>\n", cd.language.c_str());
    for (const Step &s : demo.steps) {
        std::fprintf(f, "<li><pre>%s</pre>\n", Html(s.line).c_str());
        if (!s.shot.empty())
            std::fprintf(f, "<a href=\"%s\"><img src=\"%s\" alt=\"%s\"></a>\n",
                         s.shot.c_str(), s.shot.c_str(), s.shot.c_str());
        std::fprintf(f, "</li>\n");
    }
    std::fprintf(f, "</ol>\n<pre>\n");
    for (const std::string &line : closing)
        std::fprintf(f, "%s\n", Html(line).c_str());
    std::fprintf(f, "</pre>\n");
    std::fclose(f);
}

// ---- answering windows

std::string DirectoryOf(const std::string &path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Another window: the credits box and the removal's confirmation go on
// with OK; the progress window is left alone (its only button cancels).
int OrdinaryWindowChoice(const SeenWindow &w)
{
    if (IsProgressWindow(w))
        return 0;
    return GetDlgItem(w.hwnd, IDOK) ? IDOK : 0;
}

// Waits until the progress window has shown about half of the files it
// copies (its source line names each file in turn), so that its picture
// shows the bar part-way; at most two seconds.
void WaitForHalfCopied(const SeenWindow &w, int files)
{
    std::set<std::string> seen;
    DWORD until = GetTickCount() + 2000;
    while ((int)seen.size() * 2 < files && IsWindow(w.hwnd) &&
           (LONG)(GetTickCount() - until) < 0) {
        seen.insert(Robot::ControlText(w.hwnd, IDC_PROGRESS_SOURCE));
        Sleep(2);
    }
}

// The window's static texts as they are now ("|"-joined, as in the
// transcript): the progress and wait windows change theirs while the robot
// waits to photograph them, and the line under the picture should match it.
std::string StaticTextsNow(HWND window)
{
    std::string text;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = "";
        GetClassNameA(c, cls, sizeof cls);
        WCHAR wide[1024];
        int n = IsWindowVisible(c) && lstrcmpiA(cls, "Static") == 0
                    ? InternalGetWindowText(c, wide, 1024) : 0;
        if (n <= 0)
            continue;
        char ansi[2048];
        int len = WideCharToMultiByte(CP_ACP, 0, wide, n, ansi, sizeof ansi, nullptr,
                                      nullptr);
        text += (text.empty() ? "" : "|") + std::string(ansi, len > 0 ? len : 0);
    }
    return text;
}

// Suspends (or resumes) every thread of a process: a wait window lasts only
// while its work does, often less than the robot needs to photograph it.
void HoldProcess(DWORD pid, bool hold)
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return;
    THREADENTRY32 te;
    te.dwSize = sizeof te;
    for (BOOL more = Thread32First(snap, &te); more; more = Thread32Next(snap, &te)) {
        if (te.th32OwnerProcessID != pid)
            continue;
        if (HANDLE t = OpenThread(THREAD_SUSPEND_RESUME, FALSE, te.th32ThreadID)) {
            if (hold)
                SuspendThread(t);
            else
                ResumeThread(t);
            CloseHandle(t);
        }
    }
    CloseHandle(snap);
}

// Answers the windows of one program until it ends, each photographed
// before it is answered. The confirmation dialog stays while the removal
// runs (its press shows only when the removal's boxes are answered), so
// windows other than dialogs and boxes are pressed without waiting.
int AnswerUntilEnd(Demo &demo, Robot &robot, Launched &program, int filesToCopy)
{
    DWORD quietSince = GetTickCount();
    while (program.Wait(0) < 0) {
        // Looks every millisecond or so: a wait window may last only a few.
        auto w = robot.Next(0);
        if (!w)
            Sleep(1);
        if (!w || w->pid != program.pid) {
            if (GetTickCount() - quietSince > 120000) {
                std::fprintf(stderr, "no window for two minutes: giving up\n");
                program.Kill();
                return -1;
            }
            continue;
        }
        quietSince = GetTickCount();
        // A wait window (no button) is held on the screen while it is
        // photographed: it is painted before its work starts.
        bool wait = w->kind == "window" && !GetDlgItem(w->hwnd, IDOK) &&
                    !IsProgressWindow(*w);
        if (wait)
            HoldProcess(program.pid, true);
        if (IsProgressWindow(*w))
            WaitForHalfCopied(*w, filesToCopy);
        else
            Sleep(300);  // let the window paint before it is photographed
        std::string shot =
            Photograph(demo, w->kind + (w->templ ? "-" + std::to_string(w->templ) : ""));
        if (wait)
            HoldProcess(program.pid, false);
        if (w->kind == "window" && IsWindow(w->hwnd))
            w->text = StaticTextsNow(w->hwnd);
        int press = w->kind == "dialog" ? OrdinaryDialogChoice(*w)
                  : w->kind == "box"    ? OrdinaryBoxChoice(*w)
                                        : OrdinaryWindowChoice(*w);
        Report(demo, Describe(*w) + (press ? " -> " + std::to_string(press) : ""), shot);
        if (!press)
            continue;
        if (w->kind == "window")
            PostMessageA(GetDlgItem(w->hwnd, press), BM_CLICK, 0, 0);
        else
            robot.Press(*w, press);
    }
    return program.Wait(0);
}

// ---- the machine

std::optional<std::string> RegString(const std::string &key, const char *name)
{
    char data[1024] = "";
    DWORD size = sizeof data - 1, type = 0;
    HKEY k;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &k))
        return std::nullopt;
    LONG r = RegQueryValueExA(k, name, nullptr, &type, (BYTE *)data, &size);
    RegCloseKey(k);
    if (r || type != REG_SZ)
        return std::nullopt;
    return std::string(data);
}

std::string UninstallKey(const CdFacts &cd)
{
    return UninstallRoot + cd.applicationName;
}

std::string GroupFolder(const CdFacts &cd)
{
    char programs[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    return std::string(programs) + "\\" + cd.groupTitle;
}

std::vector<std::string> GroupItems(const CdFacts &cd)
{
    std::vector<std::string> items;
    ForEachEntry(GroupFolder(cd), [&](const WIN32_FIND_DATAA &f) {
        items.push_back(f.cFileName);
    });
    return items;
}

// The [rename] entries of WININIT.INI ("nul=C:\...").
std::vector<std::string> WininitEntries()
{
    std::vector<char> buf(32768, '\0');
    DWORD n = GetPrivateProfileSectionA("rename", buf.data(), (DWORD)buf.size(),
                                        (WindowsDir() + "WININIT.INI").c_str());
    std::vector<std::string> out;
    for (const char *p = buf.data(); p < buf.data() + n && *p; p += lstrlenA(p) + 1)
        out.push_back(p);
    return out;
}

std::string Joined(const std::vector<std::string> &parts)
{
    std::string out;
    for (const std::string &p : parts)
        out += (out.empty() ? "" : ", ") + p;
    return out;
}

// What is on the machine now, read from it.
struct State {
    bool directory = false;
    int files = 0;
    std::optional<std::string> entry;  // the entry's UninstallString
    bool group = false;
    std::vector<std::string> items, wininit, pendingDeletes;
    bool uninstaller = false, msgLibrary = false;
};

State Look(const CdFacts &cd, const std::string &installDir)
{
    State s;
    s.directory = Exists(installDir);
    s.files = s.directory ? CountFiles(installDir) : 0;
    s.entry = RegString(UninstallKey(cd), "UninstallString");
    s.group = Exists(GroupFolder(cd));
    s.items = GroupItems(cd);
    s.wininit = WininitEntries();
    s.pendingDeletes = pending::Deletions();
    s.uninstaller = Exists(WindowsDir() + "UNINST.EXE");
    s.msgLibrary = Exists(WindowsDir() + cd.msgLibrary);
    return s;
}

std::string Describe(const State &s, const CdFacts &cd, const std::string &installDir)
{
    std::string w = WindowsDir();
    std::string out = installDir + (s.directory ? " (" + std::to_string(s.files) + " files)"
                                                : " absent");
    out += "; Add/Remove entry " + (s.entry ? "\"" + *s.entry + "\"" : std::string("absent"));
    out += "; group \"" + cd.groupTitle + "\" " +
           (s.group ? "(" + Joined(s.items) + ")" : std::string("absent"));
    out += "; WININIT.INI [rename] " + (s.wininit.empty() ? "empty" : Joined(s.wininit));
    out += "; pending deletions " +
           (s.pendingDeletes.empty() ? "none" : Joined(s.pendingDeletes));
    out += "; " + w + "UNINST.EXE " + (s.uninstaller ? "present" : "absent");
    out += ", " + w + cd.msgLibrary + (s.msgLibrary ? " present" : " absent");
    return out;
}

// ---- the stages after the installation

// The group's folder window once the shell has filled it: its list shows
// the items (it is made by a process of its own, which takes a while).
bool FolderShowsItems(HWND folder)
{
    HWND list = FindWindowExA(folder, nullptr, nullptr, nullptr);
    for (; list; list = GetWindow(list, GW_HWNDNEXT)) {
        HWND inner = FindWindowExA(list, nullptr, "SysListView32", nullptr);
        HWND found = inner ? inner : list;
        char cls[64] = "";
        GetClassNameA(found, cls, sizeof cls);
        DWORD_PTR count = 0;
        if (lstrcmpA(cls, "SysListView32") == 0 && IsWindowVisible(found) &&
            SendMessageTimeoutA(found, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 500,
                                &count) && count > 0)
            return true;
    }
    return false;
}

// Closes the group's folder windows (the shell may have opened more than
// one) and waits until they are gone.
void CloseFolders(const CdFacts &cd)
{
    for (int i = 0; i < 100; i++) {
        HWND folder = FindWindowA("ExplorerWClass", cd.groupTitle.c_str());
        if (!folder)
            return;
        if (i % 25 == 0)
            PostMessageA(folder, WM_CLOSE, 0, 0);
        Sleep(20);
    }
}

// The folder window the shell opened for the new group (opened here when
// the shell did not), photographed once it shows the items, then closed.
void ShowGroup(Demo &demo, const CdFacts &cd)
{
    HWND folder = nullptr;
    for (int i = 0; i < 50 && !folder; i++, Sleep(20))
        folder = FindWindowA("ExplorerWClass", cd.groupTitle.c_str());
    if (!folder) {
        ShellExecuteA(nullptr, "open", GroupFolder(cd).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
        for (int i = 0; i < 250 && !folder; i++, Sleep(20))
            folder = FindWindowA("ExplorerWClass", cd.groupTitle.c_str());
    }
    if (!folder) {
        Report(demo, "group \"" + cd.groupTitle + "\": no folder window");
        return;
    }
    SetForegroundWindow(folder);
    for (int i = 0; i < 250 && !FolderShowsItems(folder); i++)
        Sleep(20);
    Sleep(300);  // the last paint
    std::string shot = Photograph(demo, "group");
    Report(demo, "group \"" + cd.groupTitle + "\" \"" + Joined(GroupItems(cd)) + "\"", shot);
    CloseFolders(cd);
}

// The game started from its item as the shell starts a link: its target,
// arguments and working directory. Photographed, then closed.
bool PlayGame(Demo &demo, const CdFacts &cd)
{
    std::string item = GroupFolder(cd) + "\\" + cd.gameTitle + ".lnk";
    char target[MAX_PATH] = "", args[MAX_PATH] = "", dir[MAX_PATH] = "";
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellLinkA, (void **)&link))) {
        IPersistFile *file = nullptr;
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, item.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                link->GetPath(target, MAX_PATH, nullptr, 0);
                link->GetArguments(args, MAX_PATH);
                link->GetWorkingDirectory(dir, MAX_PATH);
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    if (!target[0]) {
        Report(demo, "item \"" + item + "\": cannot be read");
        return false;
    }
    Launched game = Launch(target, args, dir[0] ? dir : DirectoryOf(target));
    HWND window = nullptr;
    for (int i = 0; i < 250 && !window && game.Wait(0) < 0; i++, Sleep(20))
        window = FindWindowA("OrvaGameWindow", nullptr);
    if (!window) {
        Report(demo, "item \"" + item + "\": " + target + " showed no window");
        game.Kill();
        return false;
    }
    Sleep(500);
    std::string shot = Photograph(demo, "game");
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    Report(demo, "game \"" + std::string(title) + "\" started from \"" + item + "\" (" +
                     target + ") -> closed", shot);
    PostMessageA(window, WM_CLOSE, 0, 0);
    int code = game.Wait(10000);
    if (code < 0)
        game.Kill();
    return code == 0;
}

// The removal as Add/Remove Programs starts it: the entry's command line.
bool Remove(Demo &demo, const CdFacts &cd)
{
    auto line = RegString(UninstallKey(cd), "UninstallString");
    if (!line) {
        Report(demo, "no Add/Remove Programs entry " + UninstallKey(cd));
        return false;
    }
    Report(demo, "Add/Remove Programs: " + *line);
    Launched uninstaller = Start(*line);
    if (!uninstaller.process) {
        Report(demo, "cannot start " + *line);
        return false;
    }
    Robot robot;
    int code = AnswerUntilEnd(demo, robot, uninstaller, 0);
    Report(demo, "uninstaller exit code " + std::to_string(code));
    return code == 0;
}

bool Restart(Demo &demo)
{
    Launched boot = Launch("C:\\windows\\system32\\wineboot.exe", "-r", "C:\\");
    int code = boot.Wait(120000);
    Report(demo, "restart (wineboot -r) exit code " + std::to_string(code));
    return code == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: robot-demo OUTDIR [program [arguments]]\n");
        return 2;
    }
    Demo demo;
    demo.outDir = argv[1];
    std::string program = argc > 2 ? argv[2] : "Q:\\Tql.exe";
    std::string arguments = argc > 3 ? argv[3] : "";
    CdFacts cd = ReadCd();
    std::string cdRoot = DirectoryOf(program);
    int filesToCopy = CountFiles(cdRoot + CdSetting("Option", "SourcePath1")) +
                      CountFiles(cdRoot + CdSetting("Option", "SourcePath2"));

    // 1. The installation.
    Robot robot;
    // Right after the session starts, Wine may not show drive Q: yet: a
    // few tries, half a second apart.
    Launched setup = Launch(program, arguments, cdRoot);
    for (int tries = 1; !setup.process && tries < 10; tries++) {
        Sleep(500);
        setup = Launch(program, arguments, cdRoot);
    }
    if (!setup.process) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return 1;
    }
    int code = AnswerUntilEnd(demo, robot, setup, filesToCopy);
    Report(demo, "setup exit code " + std::to_string(code));
    std::string installDir;
    if (auto path = RegString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
                                  CdSetting("Option", "ExecFileName"), "Path"))
        installDir = *path;
    if (!installDir.empty() && installDir.back() == '\\')
        installDir.pop_back();
    bool ok = code == 0 && !installDir.empty();
    State installed = Look(cd, installDir);

    // 2., 3. The group and the game.
    if (ok) {
        ShowGroup(demo, cd);
        ok = PlayGame(demo, cd);
    }
    // 4. The removal, 5. the restart.
    State removed, restarted;
    bool removalRan = ok;
    if (ok) {
        ok = Remove(demo, cd);
        removed = Look(cd, installDir);
        ok = Restart(demo) && ok;
        restarted = Look(cd, installDir);
    }

    // What each stage left, and whether that is what a user expects.
    std::vector<std::string> closing;
    closing.push_back("after installation: " + Describe(installed, cd, installDir));
    ok = ok && installed.directory && installed.entry && installed.group &&
         !installed.items.empty() && installed.uninstaller;
    if (removalRan) {
        closing.push_back("after removal: " + Describe(removed, cd, installDir));
        closing.push_back("after restart: " + Describe(restarted, cd, installDir));
        ok = ok && !removed.directory && !removed.entry && !removed.group &&
             (!removed.wininit.empty() || !removed.pendingDeletes.empty()) &&
             !restarted.uninstaller && !restarted.msgLibrary &&
             restarted.wininit.empty() && restarted.pendingDeletes.empty();
    } else {
        ok = false;
    }
    closing.push_back(ok ? "the product's whole life went as expected"
                         : "FAILED: the machine is not as expected after every stage");
    for (const std::string &line : closing)
        std::printf("%s\n", Utf8(line).c_str());
    WritePage(demo, cd, closing);
    return ok ? 0 : 1;
}
