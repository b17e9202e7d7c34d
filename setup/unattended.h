// The run of "/S", without a window or a question (unattended.cpp).
#ifndef SETUP_UNATTENDED_H
#define SETUP_UNATTENDED_H

#include <windows.h>

// Exit codes of an unattended run; a person's run always ends with 0.
#define EXIT_DONE              0
#define EXIT_USAGE             1   // the command line is not understood
#define EXIT_STARTUP           2   // TQL.INI, the message library, the titles
#define EXIT_RUNNING           3   // setup or the product is running already
#define EXIT_DESTINATION       4   // the destination is refused
#define EXIT_COPY              5   // the earlier folder or the copy failed
#define EXIT_REGISTRATION      6   // the uninstaller's registration failed
#define EXIT_DIRECTX           7
#define EXIT_CODEC             8
#define EXIT_DOCUMENTS         9   // documents and program items
#define EXIT_OTHER_PRODUCT    10   // another product's record has the settings file's name
#define EXIT_RESTART_NEEDED 3010   // installed; DirectX needs a restart
extern char UnattendedDestination[255];      // "/D=", or "" to propose
// How a run meets its user. A person's run (PersonRun, main.cpp) shows the
// frame and its windows and asks; an unattended one (UnattendedRun) shows
// none, takes its answers from the command line and the dialog and box
// hooks, and ends with the exit code of its stage. The main sequence asks
// the run what to do, never which kind of run it is.
struct RunStyle {
    int (*chooseInstallation)();          // step 17; 0 when refused
    int (*askRestart)(int endNotice);     // step 25: the end notice after it
    void (*showClosing)(int endNotice);   // step 26
    void (*tellFailure)();                // the fatal exit's message
    void (*stepFailed)();                 // after a step a person's run passes over
    int (*exitCode)(int code);            // the process's, for a stage's code
};
#define RUN_ENDS       0
#define RUN_BY_PERSON  1
#define RUN_UNATTENDED 2
// Reads the command line: RUN_ENDS when setup is to end at once with the
// exit code in *exitCode (after /? or a line that an unattended run does
// not understand), else the kind of run it asks for.
int ReadCommandLine(const char *cmdLine, int *exitCode);
// Begins a stage of an unattended run: its log line, and the exit code of
// a failure from now on.
void Step(int stage, const char *what);
int StageCode();                              // that of the stage under way
// The parts of an unattended run (see UnattendedRun in main.cpp).
int LogRestartNeeded(int endNotice);
void LogClosing(int endNotice);
void LogFailure();
int LoggedExitCode(int code);

#endif
