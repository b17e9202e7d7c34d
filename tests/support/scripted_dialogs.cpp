// The scripted toolkit dialogs (see scripted_dialogs.h).
#include "scripted_dialogs.h"
#include "platform/templates.h"
#include "setup/toolkit.h"
#include "common/text.h"
#include "common/ui.h"
#include "setup/config.h"
#include "setup/ends.h"

static std::string lastEvent;  // DLGEVENT of the last dialog
static int quitOpen;           // the unscripted quit question is up

namespace fake {
std::string library;
std::vector<Answer> script;
std::vector<ShownDialog> shown;
std::map<std::string, std::string> symbols;
std::vector<int> killed;
int shutdowns;
int quitQuestions;
std::vector<std::string> log;

void ResetDialogs(const char *from)
{
    library = from;
    TextCopy(Settings.LoadModule, from);
    TextCopy(Settings.MsgDlgBoxTitle, "ORVA Setup");
    TextCopy(Settings.ExecFileName, "ORVA.EXE");
    MessageTable[SLOT_QUIT] = TPL_QUIT;
    lastEvent.clear();
    quitOpen = 0;
    script.clear();
    shown.clear();
    symbols.clear();
    killed.clear();
    shutdowns = 0;
    quitQuestions = 0;
    log.clear();
}

std::vector<UINT> Templates()
{
    std::vector<UINT> t;
    for (auto &d : shown)
        t.push_back(d.templ);
    return t;
}
}  // namespace fake

// An event word whose first two characters sum to the code; the rest of
// the word must not count.
static std::string Word(UINT code)
{
    char first = static_cast<char>(code / 2);
    return std::string(1, first) + static_cast<char>(code - first) + "EVENT";
}

static bool AnswerQuitQuestion(UINT templ)
{
    if (templ != TPL_QUIT ||
        (!fake::script.empty() && fake::script.front().templ == TPL_QUIT))
        return false;
    fake::quitQuestions++;
    fake::log.push_back("quit");
    quitOpen = 1;
    lastEvent = Word(EV_CONTINUE);
    return true;
}

void TkDoDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
                LPCSTR helpProc)
{
    if (fake::library != library)
        throw ScriptBroken(std::string("library ") + library);
    if (AnswerQuitQuestion(templ))
        return;
    std::string p = proc ? proc : "", hp = helpProc ? helpProc : "";
    fake::shown.push_back({templ, p, helpTempl, hp, fake::symbols});
    fake::log.push_back("run " + std::to_string(templ) + " " + p + " " +
                        std::to_string(helpTempl) + " " + (helpProc ? hp : "-"));
    if (fake::script.empty())
        throw ScriptBroken("no answer for template " + std::to_string(templ));
    Answer a = fake::script.front();
    fake::script.erase(fake::script.begin());
    if (a.templ && a.templ != templ)
        throw ScriptBroken("template " + std::to_string(templ) + ", script has " +
                           std::to_string(a.templ));
    if (templ == TPL_DESTINATION)
        fake::symbols["EditTextOut"] = a.typed;
    lastEvent = Word(a.code);
}

void KillDialogs(int count)
{
    if (quitOpen && count == 1) {
        quitOpen = 0;
        return;
    }
    fake::killed.push_back(count);
    fake::log.push_back("kill " + std::to_string(count));
}

// The end of the program (main.cpp) as it closes the dialogs, counted,
// without the toolkit's end and the program's exit.
void EndSetup(int)
{
    KillDialogs(-1);
    fake::shutdowns++;
    throw SetupEnded{};
}

char *GetSymbol(LPCSTR name, char *buffer, int size)
{
    const std::string &value =
        lstrcmpA(name, "DLGEVENT") == 0 ? lastEvent : fake::symbols[name];
    if ((int)value.size() >= size)
        throw ScriptBroken(std::string("Buffer Overflow in ") + name);
    ZeroMemory(buffer, size);
    TextCopy(buffer, value.c_str(), size);
    return buffer;
}

void SetSymbol(LPCSTR name, LPCSTR value)
{
    fake::symbols[name] = value;
}
