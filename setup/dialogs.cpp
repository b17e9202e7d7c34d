// Dialog invocation and events: every interactive dialog of the setup
// program is a dialog of the custom dialog library, run by the toolkit over
// its frame by template number and procedure name. Afterwards the symbol
// "DLGEVENT" tells which button ended it; its event code is what every
// dialog loop dispatches on.
#include "setup/dialogs.h"
#include "setup/config.h"
#include "setup/main.h"
#include "common/ui.h"
#include "setup/toolkit.h"
#include "platform/templates.h"

DialogHookProc DialogHook;

UINT RunDialog(UINT templ, LPCSTR proc, UINT helpTempl, LPCSTR helpProc)
{
    if (DialogHook)
        return DialogHook(templ);
    char event[15];
    TkDoDialog(Settings.LoadModule, templ, proc, helpTempl, helpProc);
    PumpMessages();
    return EventCode(GetSymbol("DLGEVENT", event, sizeof event));
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

// Asks whether to end setup. Returns when the user chose to go on (the
// caller then shows its own dialog again); ends setup when the user
// confirmed the exit.
void ConfirmQuit()
{
    for (;;) {
        UINT code = RunDialog(MessageTemplate(SLOT_QUIT), "FQuitDlgProc",
                              TPL_HELP, "FHelpDlgProc");
        if (code == EV_CANCEL || code == EV_CONTINUE) {
            KillDialogs(1);
            return;
        }
        if (code == EV_EXIT)
            EndSetup();
    }
}
