// Dialog invocation and events, and the dialogs every step may come to:
// the question whether to quit, and the failure dialog of the fatal exit.
#include "setup/dialogs.h"
#include "setup/config.h"
#include "setup/ends.h"
#include "setup/run.h"
#include "setup/toolkit.h"
#include "common/ui.h"
#include "platform/templates.h"

// A person's run: every interactive dialog of the setup program is a
// dialog of the custom dialog library, run by the toolkit over its frame by
// template number and procedure name. Afterwards the symbol "DLGEVENT"
// tells which button ended it; its event code is what every dialog loop
// dispatches on.
static UINT ShowDialog(UINT templ, LPCSTR proc, UINT helpTempl, LPCSTR helpProc)
{
    char event[15];
    TkDoDialog(Settings.LoadModule, templ, proc, helpTempl, helpProc);
    PumpMessages();
    return EventCode(GetSymbol("DLGEVENT", event, sizeof event));
}

UINT RunDialog(UINT templ, LPCSTR proc, UINT helpTempl, LPCSTR helpProc)
{
    UINT code;
    if (RunAnswersDialog(templ, &code))
        return code;
    return ShowDialog(templ, proc, helpTempl, helpProc);
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

// The failure dialog of the fatal exit, over no other dialog.
void ShowFailure()
{
    KillDialogs(-1);
    UINT code;
    do
        code = RunDialog(MessageTemplate(SLOT_FAILURE), "FInfo0DlgProc");
    while (code != EV_CANCEL && code != EV_CONTINUE);
    KillDialogs(1);
}
