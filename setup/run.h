// The kind of the run (run.cpp): a person's, or the unattended run of
// "/S", without a window or a question. The one place that knows which it
// is: it reads the command line, answers the dialogs of an unattended
// run, opens or leaves out every window of its own, and has every message
// box of an unattended run logged; a step asks it for these and never
// which kind of run it is.
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
// 1 when the run answers the dialog of that template itself, with the
// event code of its answer in *code (an unattended run: the choice a person
// makes by default; it ends where there is none); 0 when it is shown.
int RunAnswersDialog(UINT templ, UINT *code);
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
