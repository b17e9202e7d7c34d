// The setup program's ends, the style of its run and the exit code of the
// stage under way (ends.cpp): the ground floor, below every step. WinMain
// hands it the shutdown steps and the run's style at start-up; every step
// that ends the program ends it here, and nothing here calls a step.
#ifndef SETUP_ENDS_H
#define SETUP_ENDS_H

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

// How a run meets its user. A person's run (PersonRun, main.cpp) shows the
// frame and its windows and asks; an unattended one (UnattendedRun) shows
// none, takes its answers from the command line (run.cpp), and ends with
// the exit code of its stage. The main sequence asks the run what to do,
// never which kind of run it is.
struct RunStyle {
    void (*startFrame)();                 // step 11
    void (*showFrame)();                  // steps 13, 14
    int (*chooseInstallation)();          // step 17; 0 when refused
    int (*askRestart)(int endNotice);     // step 25: the end notice after it
    void (*showClosing)(int endNotice);   // step 26
    void (*tellFailure)();                // the fatal exit's message
    void (*stepFailed)();                 // after a step a person's run passes over
    int (*exitCode)(int code);            // the process's, for a stage's code
};
// What every end of a started setup does before the process ends:
// closeDialogs at an ordinary end, shutdown at every end.
struct EndSteps {
    void (*closeDialogs)();
    void (*shutdown)();
};
// Called once by WinMain, before the first step that can end setup. Until
// then an end has nothing to shut down and its code is the process's.
void StartEnds(const EndSteps &steps, const RunStyle &run);
const RunStyle &TheRun();

// Begins a stage of the installation: its log line, and the exit code of
// a failure from now on.
void Step(int stage, const char *what);
int StageCode();                              // that of the stage under way

// The fatal exit: tells the failure once (the run's message), then
// EndFailed with the stage's code. A failure while the failure is told
// comes back here and ends the process at once.
[[noreturn]] void AbortSetup();
// The end of a failure already told (an unattended run's logged message):
// shuts down and ends with the run's exit code for code.
[[noreturn]] void EndFailed(int code);
// The ordinary end once the frame is up: closes every dialog and the
// toolkit and ends with the run's exit code for code.
[[noreturn]] void EndSetup(int code = 0);
// Ends the process with code as it is, nothing shut down: before the run
// has started anything, or once the product started has taken over.
[[noreturn]] void EndAtOnce(int code);

#endif
