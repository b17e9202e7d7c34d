// The rest of the setup program as the welcome and closing dialogs see it,
// for unit tests (see fake_sequence.h).
#include "fake_sequence.h"
#include "platform/templates.h"
#include "setup/toolkit.h"
#include <cstdlib>

// ---- state buffers (main.cpp)
UINT WelcomeTemplate;
char DestinationDir[PATH_CAP];
int MinimalInstall;
int EndNotice;
HMODULE MsgModule;

namespace fake {
std::vector<Answer> script;
std::vector<ShownDialog> shown;
std::map<std::string, std::string> symbols;
std::vector<int> killed;
int quitQuestions;
std::string removedDestination;
int removals;
int shutdowns;

void Reset(const char *destination)
{
    script.clear();
    shown.clear();
    symbols.clear();
    killed.clear();
    quitQuestions = removals = shutdowns = 0;
    removedDestination.clear();
    TextCopy(Settings.LoadModule, "mscuistf.dll");
    TextCopy(Settings.SourcePath1, "Q:\\GAME\\");
    TextCopy(Settings.DefaultPath, "C:\\ORVA\\");
    TextCopy(Settings.RequiresDskSpc, "1000000");
    TextCopy(Settings.MsgDlgBoxTitle, "ORVA Setup");
    TextCopy(Settings.ExecErrMsg, "Cannot start ORVA.");
    TextCopy(Settings.ExecFileName, "ORVA.EXE");
    TextCopy(Settings.IniFileName, "H8DLGTST.INI");  // in the Windows directory
    WelcomeTemplate = TPL_WELCOME_AGAIN;
    TextCopy(DestinationDir, destination);
    MinimalInstall = 0;
    EndNotice = 0;
    MessageTable[SLOT_NOTICE_BADNAME] = TPL_NOTICE_BADNAME;
    MessageTable[SLOT_NOTICE_ISFILE] = TPL_NOTICE_ISFILE;
    MessageTable[SLOT_NOTICE_CREATE] = TPL_NOTICE_CREATE;
    MessageTable[SLOT_NOTICE_ROOT] = TPL_NOTICE_ROOT;
    MessageTable[SLOT_NOTICE_SOURCE] = TPL_NOTICE_SOURCE;
    MessageTable[SLOT_NOTICE_EMPTY] = TPL_NOTICE_EMPTY;
    MessageTable[SLOT_QUIT] = TPL_QUIT;
    MessageTable[SLOT_REMOVE_OLD] = TPL_REMOVE_OLD;
    MessageTable[SLOT_LOW_DISK] = TPL_LOW_DISK;
    MessageTable[SLOT_ENDING] = TPL_ENDING;
    MessageTable[SLOT_DESTINATION] = TPL_DESTINATION;
    static const char ask[] = "Restart now?";
    static const char failed[] = "Restart failed.";
    static const char declined[] = "Restart later.";
    static const char notice[] = "Setup is complete.";
    MessageTable[SLOT_RESTART_ASK] = (UINT_PTR)ask;
    MessageTable[SLOT_RESTART_FAILED] = (UINT_PTR)failed;
    MessageTable[SLOT_RESTART_DECLINED] = (UINT_PTR)declined;
    MessageTable[SLOT_END_NOTICE] = (UINT_PTR)notice;
}

std::vector<UINT> Templates()
{
    std::vector<UINT> t;
    for (auto &d : shown)
        t.push_back(d.templ);
    return t;
}
}  // namespace fake

// ---- the toolkit (toolkit.cpp): dialogs answered from the script
static std::string lastEvent;   // DLGEVENT of the last dialog
static int quitOpen;            // the quit question is up

// The quit question that no script line answers: the user goes on. Its
// own closing is not counted among the dialogs the tested code closed.
static bool AnswerQuitQuestion(UINT templ)
{
    if (templ != TPL_QUIT ||
        (!fake::script.empty() && fake::script.front().templ == TPL_QUIT))
        return false;
    fake::quitQuestions++;
    quitOpen = 1;
    lastEvent = std::string(1, (char)(EV_CONTINUE / 2)) +
                (char)(EV_CONTINUE - EV_CONTINUE / 2);
    return true;
}

void TkDoDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
                LPCSTR helpProc)
{
    if (lstrcmpA(library, "mscuistf.dll") != 0)
        throw ScriptBroken{std::string("library ") + library};
    if (AnswerQuitQuestion(templ))
        return;
    fake::shown.push_back({templ, proc ? proc : "", helpTempl,
                           helpProc ? helpProc : "", fake::symbols});
    if (fake::script.empty())
        throw ScriptBroken{"no answer for template " + std::to_string(templ)};
    Answer a = fake::script.front();
    fake::script.erase(fake::script.begin());
    if (a.templ != templ)
        throw ScriptBroken{"template " + std::to_string(templ) + ", script has " +
                           std::to_string(a.templ)};
    if (templ == TPL_DESTINATION)
        fake::symbols["EditTextOut"] = a.typed;
    // A two-character event word whose characters sum to the code.
    lastEvent = std::string(1, (char)(a.code / 2)) + (char)(a.code - a.code / 2);
}

void KillDialogs(int count)
{
    if (quitOpen && count == 1) {
        quitOpen = 0;
        return;
    }
    fake::killed.push_back(count);
}

char *GetSymbol(LPCSTR name, char *buffer, int size)
{
    const std::string &value =
        lstrcmpA(name, "DLGEVENT") == 0 ? lastEvent : fake::symbols[name];
    if ((int)value.size() >= size)
        throw ScriptBroken{std::string("Buffer Overflow in ") + name};
    ZeroMemory(buffer, size);
    TextCopy(buffer, value.c_str(), size);
    return buffer;
}

void SetSymbol(LPCSTR name, LPCSTR value)
{
    fake::symbols[name] = value;
}

// The fatal exit (main.cpp): no dialog test reaches it.
void AbortSetup()
{
    throw ScriptBroken{"AbortSetup"};
}

// The end of the program (main.cpp) as it closes the dialogs and the
// toolkit; the fake toolkit's end throws SetupEnded.
void EndSetup()
{
    KillDialogs(-1);
    ShutdownSetup();
    abort();  // not reached: ShutdownSetup throws
}

void ShutdownSetup()
{
    fake::shutdowns++;
    throw SetupEnded{};
}

void RemoveInstallation()
{
    fake::removals++;
    fake::removedDestination = DestinationDir;
}

// ---- the toolkit's path check: the shipped toolkit's own FValidDir, from
// the CD image of this build.
int TkValidDir(LPCSTR path)
{
    typedef BOOL(WINAPI * ValidDirProc)(LPCSTR);
    static ValidDirProc validDir = [] {
        std::string library = std::string(getenv("TQL_CD")) + "\\mscomstf.dll";
        HMODULE toolkit = LoadLibraryA(library.c_str());
        return toolkit ? (ValidDirProc)(void *)GetProcAddress(toolkit, "FValidDir")
                       : nullptr;
    }();
    if (!validDir)
        throw ScriptBroken{"the toolkit's FValidDir cannot be loaded"};
    return validDir(path) ? 1 : 0;
}
