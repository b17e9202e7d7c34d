// The toolkit's dialog calls (setup/toolkit.cpp: TkDoDialog, KillDialogs,
// GetSymbol, SetSymbol) for unit tests of the setup program, in place of
// the custom dialog library, and the program's end (EndSetup): each dialog
// is answered from a script, and what was shown is recorded (template,
// procedure, help, the symbols at that moment). Linked with the real setup/dialogs.cpp, so that RunDialog,
// the event code and ConfirmQuit are the program's own.
#ifndef TESTS_SUPPORT_SCRIPTED_DIALOGS_H
#define TESTS_SUPPORT_SCRIPTED_DIALOGS_H

#include <windows.h>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// One scripted answer: the dialog expected (its template; 0 takes any),
// the event code its button gives, and for the destination dialog the
// text typed.
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

// Thrown by the program's end (EndSetup, which closes every dialog and
// counts fake::shutdowns) in its place: setup would end here.
struct SetupEnded {};

// Thrown when a dialog comes that the script does not expect, from another
// library than fake::library, or when a symbol does not fit its buffer.
struct ScriptBroken : std::runtime_error {
    using std::runtime_error::runtime_error;
};

namespace fake {
extern std::string library;               // every dialog must come from it
extern std::vector<Answer> script;        // consumed from the front
extern std::vector<ShownDialog> shown;
extern std::map<std::string, std::string> symbols;
extern std::vector<int> killed;           // KillDialogs counts
extern int shutdowns;                     // ends of setup (EndSetup)
// The quit question (template TPL_QUIT) when no script line expects it:
// answered "continue" here, counted, and neither it nor its closing is
// recorded among the dialogs shown and closed.
extern int quitQuestions;
// Every call in order: "run <template> <procedure> <help template> <help
// procedure or ->", "kill <count>", "quit".
extern std::vector<std::string> log;
// Forgets the script and the records, and takes the dialogs from `from`
// (also Settings.LoadModule), with the sample CD's caption, program name
// and quit question (SLOT_QUIT).
void ResetDialogs(const char *from);
// The templates of the dialogs shown, in order.
std::vector<UINT> Templates();
}

#endif
