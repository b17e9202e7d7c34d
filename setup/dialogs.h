// Dialog invocation and events of the setup program (dialogs.cpp); the
// toolkit's own calls are wrapped in toolkit.cpp, declared in toolkit.h.
#ifndef SETUP_DIALOGS_H
#define SETUP_DIALOGS_H

#include <windows.h>

// are wrapped in toolkit.cpp, declared in toolkit.h)
// Runs one dialog of the custom dialog library (LoadModule) modally over
// the frame and returns the event code of the button that ended it. Does
// not return when the toolkit cannot run the dialog.
UINT RunDialog(UINT templ, LPCSTR proc, UINT helpTempl = 0,
               LPCSTR helpProc = nullptr);
// While set (an unattended run), RunDialog shows no dialog: the hook gives
// the event code of the answer, as BoxHook does for message boxes.
typedef UINT (*DialogHookProc)(UINT templ);
extern DialogHookProc DialogHook;
void PumpMessages();
void ConfirmQuit();

#endif
