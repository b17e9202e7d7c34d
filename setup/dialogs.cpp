// The dialogs every step may come to: the question whether to quit, and
// the failure dialog of the fatal exit. Each is run by RunDialog (run.cpp).
#include "setup/dialogs.h"
#include "setup/ends.h"
#include "setup/run.h"
#include "setup/toolkit.h"
#include "common/ui.h"
#include "platform/templates.h"

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
