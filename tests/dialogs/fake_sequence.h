// What the welcome and closing dialogs need of the rest of the setup
// program, for unit tests: the settings and state buffers, and a dialog
// layer that answers each dialog from a script and records what was shown
// (template, procedure, help, the symbols at that moment). Files, drives
// and message boxes stay real; only the custom dialog library is scripted.
#ifndef TESTS_DIALOGS_FAKE_SEQUENCE_H
#define TESTS_DIALOGS_FAKE_SEQUENCE_H

#include <map>
#include <string>
#include <vector>
#include "setup/setup.h"

// One scripted answer: the dialog expected (its template), the event code
// its button gives, and for the destination dialog the text typed.
struct Answer {
    UINT templ;
    UINT code;
    std::string typed;
};

// One dialog as it was run.
struct ShownDialog {
    UINT templ;
    std::string proc;
    UINT helpTempl;
    std::string helpProc;
    std::map<std::string, std::string> symbols;
};

// Thrown by the fake ShutdownSetup: setup would end here (exit code 0).
struct SetupEnded {};
// Thrown when a dialog comes that the script does not expect.
struct ScriptBroken {
    std::string what;
};

namespace fake {
extern std::vector<Answer> script;        // consumed from the front
extern std::vector<ShownDialog> shown;
extern std::map<std::string, std::string> symbols;
extern std::vector<int> killed;           // KillDialogs counts
extern int quitQuestions;                 // ConfirmQuit calls
extern std::string removedDestination;    // DestinationDir at RemoveInstallation
extern int removals;
extern int shutdowns;
// Resets the recordings and the state buffers to a fresh start-up:
// DestinationDir = destination, the message table of the sample library.
void Reset(const char *destination);
// The templates of the dialogs shown, in order.
std::vector<UINT> Templates();
}

#endif
