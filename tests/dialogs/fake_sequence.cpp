// The rest of the setup program as the welcome and closing dialogs see it,
// for unit tests (see fake_sequence.h).
#include "fake_sequence.h"
#include "platform/templates.h"
#include "tests/import_slot.h"

// ---- settings and state buffers (config.cpp, main.cpp)
char LoadModule[13];
char SourcePath1[260];
char DefaultPath[260];
char RequiresDskSpc[11];
char MsgDlgBoxTitle[33];
char ExecErrMsg[65];
char ExecFileName[13];
char IniFileName[13];
UINT WelcomeTemplate;
char DestinationDir[PATH_CAP];
int MinimalInstall;
int EndNotice;
UINT_PTR MessageTable[MSG_TABLE_SLOTS];
HMODULE MsgModule;
char LanguageName[17];

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
    TextCopy(LoadModule, "mscuistf.dll");
    TextCopy(SourcePath1, "Q:\\GAME\\");
    TextCopy(DefaultPath, "C:\\ORVA\\");
    TextCopy(RequiresDskSpc, "1000000");
    TextCopy(MsgDlgBoxTitle, "ORVA Setup");
    TextCopy(ExecErrMsg, "Cannot start ORVA.");
    TextCopy(ExecFileName, "ORVA.EXE");
    TextCopy(IniFileName, "H8DLGTST.INI");  // in the Windows directory
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

// ---- dialog layer (dialogs.cpp): answered from the script
void RunDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
               LPCSTR helpProc, char *event, int size)
{
    if (lstrcmpA(library, "mscuistf.dll") != 0)
        throw ScriptBroken{std::string("library ") + library};
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
    char word[3] = {(char)(a.code / 2), (char)(a.code - a.code / 2), 0};
    TextCopy(event, word, size);
}

UINT EventCode(const char *event)
{
    return (WORD)((signed char)event[0] + (signed char)event[1]);
}

void KillDialogs(int count)
{
    fake::killed.push_back(count);
}

char *GetSymbol(LPCSTR name, char *buffer, int size)
{
    const std::string &value = fake::symbols[name];
    if ((int)value.size() >= size)
        throw ScriptBroken{std::string("Buffer Overflow in ") + name};
    TextCopy(buffer, value.c_str(), size);
    return buffer;
}

void SetSymbol(LPCSTR name, LPCSTR value)
{
    fake::symbols[name] = value;
}

// The quit confirmation: the user goes on (continue).
void ConfirmQuit()
{
    fake::quitQuestions++;
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

int IsNone(const char *value)
{
    return lstrcmpiA(value, "None") == 0;
}

// ---- the toolkit's path check: a drive letter, a colon, then nothing or
// a backslash and a path without the characters a file name cannot hold.
static BOOL WINAPI ValidDir(LPCSTR dir)
{
    int n = lstrlenA(dir);
    if (n < 2 || !IsCharAlphaA(dir[0]) || dir[1] != ':')
        return FALSE;
    if (n > 2 && dir[2] != '\\')
        return FALSE;
    for (const char *p = dir + 2; *p; p = CharNextA(p))
        if (CharNextA(p) == p + 1 && strchr("*?\"<>|:/", *p))
            return FALSE;
    return TRUE;
}
extern "C" {
// welcome.cpp calls the toolkit's FValidDir through its import pointer.
void *__imp_FValidDir IMPORT_SLOT(FValidDir, 4) = (void *)ValidDir;
}
