// Dialog invocation and events of the setup program (dialogs.cpp); the
// toolkit's own calls are wrapped in toolkit.cpp, declared in toolkit.h,
// and whether a dialog is shown at all is the run's (RunDialog, run.h).
#ifndef SETUP_DIALOGS_H
#define SETUP_DIALOGS_H

#include <windows.h>
#include "setup/run.h"

// Runs one dialog of the custom dialog library (LoadModule) modally over
// the frame and returns the event code of the button that ended it. Does
// not return when the toolkit cannot run the dialog.
UINT ShowDialog(UINT templ, LPCSTR proc, UINT helpTempl, LPCSTR helpProc);
void ConfirmQuit();
// The failure dialog of a person's run (the fatal exit's message).
void ShowFailure();

#endif
