// The UI robot: finds the windows a program shows and answers them as a
// user would, by the automation contract:
//  - a dialog of the custom dialog library is ready for input while it has
//    the window property "TemplateNumber"; its buttons have the control ID
//    1000 + event code;
//  - message boxes are the system's own (their text is control 0xFFFF);
//  - any other dialog window (progress, confirmation, credits) is answered
//    by its control IDs.
// Presses are posted, never sent: a press may open a modal box that the
// robot itself must answer. Only visible, enabled windows are answered.
#ifndef TESTS_ROBOT_H
#define TESTS_ROBOT_H

#include <windows.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct SeenWindow {
    HWND hwnd = nullptr;
    std::string kind;     // "box", "dialog" or "window"
    UINT templ = 0;       // "TemplateNumber" of a dialog, else 0
    std::string caption;  // window title
    std::string text;     // box: its message; others: static texts, "\n"-joined
    DWORD pid = 0;
};

class Robot {
public:
    Robot();
    // The next window that is ready for input and not yet reported.
    std::optional<SeenWindow> Next(DWORD timeoutMs = 10000);
    // Clicks the control (posted BM_CLICK, or WM_COMMAND with that ID when
    // the window has no such control, as Esc gives IDCANCEL) and waits until
    // the press was taken: the dialog lost its "TemplateNumber", or the
    // window is gone or hidden. Returns false when it was not taken in time.
    bool Press(const SeenWindow &w, int controlId, DWORD timeoutMs = 10000);
    // Replaces the text of a control (e.g. the destination edit 1200).
    void SetText(const SeenWindow &w, int controlId, const std::string &text);
    // The current text of a control.
    static std::string ControlText(HWND window, int controlId);
    // One line per window: kind, template number or caption, text, press.
    std::vector<std::string> transcript;
    // Milliseconds since the robot started, at each transcript line.
    std::vector<DWORD> times;

private:
    std::optional<SeenWindow> Ready(HWND hwnd);
    std::set<HWND> reported_;
    DWORD start_;
};

// A started program.
struct Launched {
    HANDLE process = nullptr;
    DWORD pid = 0;
    // The exit code, or -1 when the program is still running after ms.
    int Wait(DWORD ms = 30000);
    // Ends the program if it still runs (for cleaning up after a failure).
    void Kill();
};

// Starts exe with the command line "exe args" (or just exe when args is
// empty) in the directory cwd, as a user starting it from there.
Launched Launch(const std::string &exe, const std::string &args,
                const std::string &cwd);
// Starts a command line exactly as it stands (as Add/Remove Programs starts
// an entry's), in the directory cwd ("" for this process's own). Wine now
// and then refuses to start a process on a loaded machine: a refusal is
// tried twice more, a second apart. Nothing started: process is null.
Launched Start(const std::string &commandLine, const std::string &cwd = "");

// The ordinary choice of a user who goes through a whole installation:
// the control to press in a dialog of the custom dialog library (go on,
// continue, the first machine type, exit at the end) and in a message box
// (OK, or No to a question: never restart the machine the robot runs on).
int OrdinaryDialogChoice(const SeenWindow &w);
int OrdinaryBoxChoice(const SeenWindow &w);
// True for the message library's progress window (template 7), known by its
// source line: a window of its own whose only button cancels the copy.
bool IsProgressWindow(const SeenWindow &w);

// Describes a window as its transcript line does (without the press).
std::string Describe(const SeenWindow &w);

// Saves the whole screen as a 24-bit BMP file.
bool SaveScreenshot(const std::string &bmpPath);

#endif
