// Dialog invocation and events: every interactive dialog of the setup
// program is a dialog of the custom dialog library, run by the toolkit over
// its frame by template number and procedure name. Afterwards the symbol
// "DLGEVENT" tells which button ended it; its event code is what every
// dialog loop dispatches on. These functions are also the program's
// wrappers of the toolkit's dialog and symbol calls: a failure takes
// AbortSetup.
#include "setup/setup.h"
#include "platform/templates.h"
#include "platform/toolkitcalls.h"

// Runs one dialog of a custom dialog library modally over the frame and
// leaves its event word in the buffer. The same library holds the help
// dialog. Does not return when the toolkit cannot run the dialog.
void RunDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
               LPCSTR helpProc, char *event, int size)
{
    HWND frame = TkHwndFrame();
    if (!FDoDialogExt(frame, library, templ, proc, library, helpTempl,
                      helpProc))
        AbortSetup();
    PumpMessages();
    GetSymbol("DLGEVENT", event, size);
}

// The event code of an event word: its first two bytes, each a signed
// 8-bit character, summed as a 16-bit unsigned value. A one-character word
// adds its terminating zero.
UINT EventCode(const char *event)
{
    int sum = static_cast<signed char>(event[0]) +
              static_cast<signed char>(event[1]);
    return static_cast<WORD>(sum);
}

// Closes the topmost `count` toolkit dialogs (-1: all of them) and handles
// what their closing left in the queue.
void KillDialogs(int count)
{
    if (!FKillNDialogs(count))
        AbortSetup();
    PumpMessages();
}

// Removes and dispatches every message waiting in the thread's queue. A
// WM_QUIT means the program is being ended under it: the fatal exit.
void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            AbortSetup();
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Copies a toolkit symbol's value into the buffer and returns the buffer.
// The buffer is cleared first, so that a short value leaves defined bytes
// behind it (the event code reads two bytes of a one-character word). A
// value that does not fit is a fault of the dialog library: "Buffer
// Overflow", then the fatal exit.
char *GetSymbol(LPCSTR name, char *buffer, int size)
{
    if (name == nullptr || *name == '\0')
        AbortSetup();
    ZeroMemory(buffer, size);
    UINT length = CbGetSymbolValue(name, buffer, size);
    if (length >= static_cast<UINT>(size)) {
        TkDoMsgBox("Buffer Overflow", "ORVA Setup Error", MB_ICONHAND);
        AbortSetup();
    }
    return buffer;
}

// Sets a toolkit symbol for the next dialog to read.
void SetSymbol(LPCSTR name, LPCSTR value)
{
    if (!FSetSymbolValue(name, value))
        AbortSetup();
}

// Asks whether to end setup. Returns when the user chose to go on (the
// caller then shows its own dialog again); ends the process when the user
// confirmed the exit.
void ConfirmQuit()
{
    char event[15];
    for (;;) {
        RunDialog(LoadModule, static_cast<UINT>(MessageTable[SLOT_QUIT]),
                  "FQuitDlgProc", TPL_HELP, "FHelpDlgProc", event,
                  sizeof event);
        UINT code = EventCode(event);
        if (code == EV_CANCEL || code == EV_CONTINUE) {
            KillDialogs(1);
            return;
        }
        if (code == EV_EXIT) {
            KillDialogs(-1);
            ShutdownSetup();
            ExitProcess(0);
        }
    }
}
