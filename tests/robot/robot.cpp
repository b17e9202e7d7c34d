// The UI robot (see robot.h).
#include "robot.h"

#include "platform/templates.h"

#include <cstdio>
#include <cstring>

namespace {

// A system message box: its text is the static 0xFFFF and it has the icon
// static (1088 under Wine, 20 under Windows), shown or hidden. Dialog
// templates of ours never give a static one of these icon IDs.
const int kMessageBoxTextId = 0xFFFF;
const int kMessageBoxIconIds[] = {1088, 20};

bool IsMessageBox(HWND hwnd)
{
    if (!GetDlgItem(hwnd, kMessageBoxTextId))
        return false;
    for (int id : kMessageBoxIconIds)
        if (GetDlgItem(hwnd, id))
            return true;
    return false;
}

// The text of a window as it is stored, without sending it a message: the
// window's thread may be busy (a program blocked in a long call) and must
// not hold the robot up. Converted to the robot's ANSI code page.
std::string ClassOf(HWND hwnd);

std::string WindowText(HWND hwnd)
{
    // An edit control keeps what is typed in its own buffer, not in the
    // stored window text: it must be asked (its dialog waits for input).
    if (ClassOf(hwnd) == "Edit") {
        char buf[4096] = "";
        DWORD_PTR len = 0;
        if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, (LPARAM)buf,
                                 SMTO_ABORTIFHUNG, 2000, &len))
            return std::string();
        buf[sizeof buf - 1] = '\0';
        return std::string(buf);
    }
    WCHAR wide[4096];
    int n = InternalGetWindowText(hwnd, wide, 4096);
    if (n <= 0)
        return std::string();
    char buf[8192];
    int len = WideCharToMultiByte(CP_ACP, 0, wide, n, buf, sizeof buf - 1,
                                  nullptr, nullptr);
    return std::string(buf, len > 0 ? len : 0);
}

std::string ClassOf(HWND hwnd)
{
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    return cls;
}

// Children in Z order (the order of the template).
std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out.push_back(c);
    return out;
}

// A dialog of the custom dialog library, recognised even while it is not
// waiting: it has event buttons (1100..1199), the destination edit or a
// Help button.
bool HasDialogLibraryControls(HWND hwnd)
{
    for (HWND c : Children(hwnd)) {
        int id = GetDlgCtrlID(c);
        if ((id >= 1100 && id < 1200) || id == 1200 || id == 1999)
            return true;
    }
    return false;
}

std::string StaticTexts(HWND hwnd)
{
    std::string text;
    for (HWND c : Children(hwnd)) {
        if (!IsWindowVisible(c) || ClassOf(c) != "Static")
            continue;
        std::string t = WindowText(c);
        if (t.empty())
            continue;
        if (!text.empty())
            text += "\n";
        text += t;
    }
    return text;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND> *>(list)->push_back(hwnd);
    return TRUE;
}

std::string OneLine(std::string s)
{
    for (char &c : s)
        if (c == '\n' || c == '\r')
            c = '|';
    return s;
}

} // namespace

Robot::Robot() : start_(GetTickCount()) {}

std::string Robot::ControlText(HWND window, int controlId)
{
    HWND c = GetDlgItem(window, controlId);
    return c ? WindowText(c) : std::string();
}

std::string Describe(const SeenWindow &w)
{
    std::string head = w.kind + " ";
    if (w.kind == "dialog")
        head += std::to_string(w.templ);
    else
        head += "\"" + w.caption + "\"";
    return head + " \"" + OneLine(w.text) + "\"";
}

std::optional<SeenWindow> Robot::Ready(HWND hwnd)
{
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))
        return std::nullopt;
    if (ClassOf(hwnd) != "#32770")
        return std::nullopt;
    SeenWindow w;
    w.hwnd = hwnd;
    GetWindowThreadProcessId(hwnd, &w.pid);
    HANDLE prop = GetPropA(hwnd, "TemplateNumber");
    if (prop) {
        w.kind = "dialog";
        w.templ = (UINT)(UINT_PTR)prop;
        w.text = StaticTexts(hwnd);
    } else if (IsMessageBox(hwnd)) {
        w.kind = "box";
        w.text = ControlText(hwnd, kMessageBoxTextId);
    } else if (HasDialogLibraryControls(hwnd)) {
        return std::nullopt;  // a dialog that is not waiting for input
    } else {
        w.kind = "window";
        w.text = StaticTexts(hwnd);
    }
    w.caption = WindowText(hwnd);
    return w;
}

std::optional<SeenWindow> Robot::Next(DWORD timeoutMs)
{
    DWORD until = GetTickCount() + timeoutMs;
    for (;;) {
        // Forget windows that are gone, and dialogs that stopped waiting
        // (so that a dialog run again is reported again).
        for (auto it = reported_.begin(); it != reported_.end();) {
            HWND h = *it;
            bool gone = !IsWindow(h) || !IsWindowVisible(h);
            bool stopped = !GetPropA(h, "TemplateNumber") &&
                           HasDialogLibraryControls(h);
            it = (gone || stopped) ? reported_.erase(it) : std::next(it);
        }
        std::vector<HWND> tops;
        EnumWindows(CollectWindow, (LPARAM)&tops);
        // EnumWindows lists the topmost first: answer what is on top.
        for (HWND h : tops) {
            if (reported_.count(h))
                continue;
            auto w = Ready(h);
            if (!w)
                continue;
            reported_.insert(h);
            transcript.push_back(Describe(*w));
            times.push_back(GetTickCount() - start_);
            return w;
        }
        if ((LONG)(GetTickCount() - until) >= 0)
            return std::nullopt;
        Sleep(20);
    }
}

bool Robot::Press(const SeenWindow &w, int controlId, DWORD timeoutMs)
{
    std::string line = Describe(w);
    for (size_t i = transcript.size(); i-- > 0;)
        if (transcript[i] == line) {
            transcript[i] += " -> " + std::to_string(controlId);
            break;
        }
    HWND button = GetDlgItem(w.hwnd, controlId);
    if (button && IsWindowEnabled(button))
        PostMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                     (LPARAM)button);
    DWORD until = GetTickCount() + timeoutMs;
    for (;;) {
        if (!IsWindow(w.hwnd) || !IsWindowVisible(w.hwnd))
            return true;
        if (w.kind == "dialog" && !GetPropA(w.hwnd, "TemplateNumber")) {
            // Taken: the same window may wait again at once (the program
            // shows the dialog again), and is then to be reported again.
            reported_.erase(w.hwnd);
            return true;
        }
        if ((LONG)(GetTickCount() - until) >= 0)
            return false;
        Sleep(10);
    }
}

void Robot::SetText(const SeenWindow &w, int controlId, const std::string &text)
{
    HWND c = GetDlgItem(w.hwnd, controlId);
    DWORD_PTR r;
    SendMessageTimeoutA(c, WM_SETTEXT, 0, (LPARAM)text.c_str(),
                        SMTO_ABORTIFHUNG, 2000, &r);
}

int Launched::Wait(DWORD ms)
{
    if (!process)
        return -1;
    if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return (int)code;
}

void Launched::Kill()
{
    if (process && WaitForSingleObject(process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
}

Launched Launch(const std::string &exe, const std::string &args,
                const std::string &cwd)
{
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty())
        cmd += " " + args;
    return Start(cmd, cwd);
}

Launched Start(const std::string &commandLine, const std::string &cwd)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA si;
    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    Launched l;
    for (int tries = 0; tries < 3 && !l.process; tries++) {
        if (tries)
            Sleep(1000);
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           cwd.empty() ? nullptr : cwd.c_str(), &si, &pi)) {
            CloseHandle(pi.hThread);
            l.process = pi.hProcess;
            l.pid = pi.dwProcessId;
        }
    }
    return l;
}

bool SaveScreenshot(const std::string &bmpPath)
{
    HDC screen = GetDC(nullptr);
    int w = GetDeviceCaps(screen, HORZRES), h = GetDeviceCaps(screen, VERTRES);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi;
    memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = ((w * 3) + 3) & ~3u, size = stride * h;
    BITMAPFILEHEADER fh;
    memset(&fh, 0, sizeof fh);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    bool ok = false;
    if (FILE *f = fopen(bmpPath.c_str(), "wb")) {
        ok = fwrite(&fh, sizeof fh, 1, f) == 1 &&
             fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
             fwrite(bits, size, 1, f) == 1;
        fclose(f);
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

int OrdinaryDialogChoice(const SeenWindow &w)
{
    std::vector<int> choices;
    switch (w.templ) {
    case TPL_WELCOME:
    case TPL_WELCOME_AGAIN:
        choices = {IDC_EVENT_BASE + EV_GO_ON, IDC_EVENT_BASE + EV_CONTINUE};
        break;
    case TPL_MACHINE:
        choices = {IDC_EVENT_BASE + EV_MACHINE_NEC};
        break;
    case TPL_ENDING:
        choices = {IDC_EVENT_BASE + EV_EXIT};
        break;
    case TPL_QUIT:
        choices = {IDC_EVENT_BASE + EV_CANCEL};
        break;
    case TPL_HELP:
        choices = {IDOK};
        break;
    default:  // destination, notices, confirmations, failure dialog
        choices = {IDC_EVENT_BASE + EV_CONTINUE, IDC_EVENT_BASE + EV_GO_ON};
        break;
    }
    for (int id : choices)
        if (GetDlgItem(w.hwnd, id))
            return id;
    return choices.front();
}

int OrdinaryBoxChoice(const SeenWindow &w)
{
    for (int id : {IDOK, IDNO, IDCANCEL})
        if (GetDlgItem(w.hwnd, id))
            return id;
    return IDOK;
}

bool IsProgressWindow(const SeenWindow &w)
{
    return w.kind == "window" && GetDlgItem(w.hwnd, IDC_PROGRESS_SOURCE);
}
