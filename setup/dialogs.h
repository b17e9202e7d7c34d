// Dialog invocation, the quit question and the failure dialog
// (dialogs.cpp); whether a dialog is shown at all is the run's (run.h).
#ifndef SETUP_DIALOGS_H
#define SETUP_DIALOGS_H

#include <windows.h>
#include "setup/run.h"

// Runs one dialog of the custom dialog library (LoadModule) modally over
// the frame and returns the event code of the button that ended it; the
// run may answer it instead (RunAnswersDialog). Does not return when the
// toolkit cannot run the dialog.
UINT RunDialog(UINT templ, LPCSTR proc, UINT helpTempl = 0,
               LPCSTR helpProc = nullptr);
void ConfirmQuit();
// The failure dialog of a person's run (the fatal exit's message).
void ShowFailure();

#endif
