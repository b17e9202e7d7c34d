// The kind of the run (run.cpp): a person's, or the unattended run of
// "/S", without a window or a question. The one place that knows which it
// is: it reads the command line, shows or answers every dialog, opens or
// leaves out every window of its own, and has every message box of an
// unattended run logged; a step asks it for these and never which kind of
// run it is.
#ifndef SETUP_RUN_H
#define SETUP_RUN_H

#include <windows.h>
#include "setup/ends.h"

extern char UnattendedDestination[255];      // "/D=", or "" to propose
#define RUN_ENDS       0
#define RUN_BY_PERSON  1
#define RUN_UNATTENDED 2
// Reads the command line: RUN_ENDS when setup is to end at once with the
// exit code in *exitCode (after /? or a line that an unattended run does
// not understand), else the kind of run it asks for.
int ReadCommandLine(const char *cmdLine, int *exitCode);
// Runs one dialog of the custom dialog library (LoadModule) modally over
// the frame and returns the event code of the button that ended it; an
// unattended run answers it instead, with the choice a person makes by
// default, or ends where there is none. Does not return when the toolkit
// cannot run the dialog.
UINT RunDialog(UINT templ, LPCSTR proc, UINT helpTempl = 0,
               LPCSTR helpProc = nullptr);
// Opens a modeless dialog of module (the progress and wait windows) into
// *window, hidden; an unattended run opens none (*window = 0). 0 when the
// window could not be made.
int OpenRunWindow(HMODULE module, UINT templ, DLGPROC proc, HWND *window);
// The parts of an unattended run's style (see UnattendedRun in main.cpp).
int LogRestartNeeded(int endNotice);
void LogClosing(int endNotice);
void LogFailure();
int LoggedExitCode(int code);

#endif
