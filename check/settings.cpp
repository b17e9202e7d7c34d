// TQL.INI as setup reads it: the setup program's own LoadSetupConfig and
// CheckSetupTitles run with the reading hooks, so that the checker and
// setup cannot disagree about a value. Reported: values setup would cut,
// required values missing, figures that do not read as numbers, and
// "None" where its reader does not take it as absent.
#include "check/check.h"
#include "setup/config.h"
#include "setup/rules.h"
#include <set>

// Keys outside the language section are reported once, not per language.
static std::set<std::string> Reported;
static int FirstLanguage;

static int IsLanguageSection(const char *section)
{
    return !lstrcmpiA(section, Settings.LanguageName);
}

// Reports once per key (per language for the language section).
static int FirstReport(const char *section, const char *key, const char *what)
{
    std::string id = std::string(section) + "\n" + key + "\n" + what;
    if (!IsLanguageSection(section) && !FirstLanguage)
        return 0;
    if (IsLanguageSection(section))
        id = std::string(Settings.LanguageName) + "\n" + id;
    return Reported.insert(id).second;
}

// Every read: the whole value, read again by the same profile reader with
// room to spare, against what setup's buffer kept.
static void WatchRead(const char *section, const char *key, const char *fallback,
                      const char *value, int capacity, int)
{
    char whole[4096];
    GetPrivateProfileStringA(section, key, fallback, whole, sizeof whole,
                             (CdDir + "TQL.INI").c_str());
    int length = lstrlenA(whole);
    if (length < capacity || !FirstReport(section, key, "cut"))
        return;
    Error(IniPlace(section, key),
          "[" + std::string(section) + "] " + key + " is " +
              std::to_string(length) + " bytes long; setup keeps " +
              std::to_string(capacity - 1) + " (capacity " +
              std::to_string(capacity) + "): " + Quoted(value));
}

// A missing required setting: setup would stop with its message.
static int WatchMissing(const char *section, const char *key, const char *message)
{
    if (FirstReport(section, key, "missing"))
        Error(IniPlace(section, key),
              "[" + std::string(section) + "] " + key +
                  " is missing or None; setup stops with " + Quoted(message));
    return 1;  // read on, to find every other problem
}

std::vector<std::string> ChoosableLanguages()
{
    char force[17];
    GetPrivateProfileStringA("Debug", "ForceLanguage", "No", force, sizeof force,
                             (CdDir + "TQL.INI").c_str());
    if (lstrcmpiA(force, "No") && !IsNone(force))
        return {force};
    return {"Japanese", "English", "German", "French", "Spanish"};
}

// A figure setup reads with ReadDecimal: digits, nothing else.
static void CheckNumber(const char *section, const char *key, const char *value,
                        int allowNegative)
{
    const char *p = value;
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p == '+' || (*p == '-' && allowNegative))
        p++;
    const char *digits = p;
    while (*p >= '0' && *p <= '9')
        p++;
    const char *rest = p;
    while (*p == ' ' || *p == '\t')
        p++;
    if (digits != rest && !*p)
        return;
    if (FirstReport(section, key, "number"))
        Error(IniPlace(section, key),
              "[" + std::string(section) + "] " + key + " " + Quoted(value) +
                  " does not read as a number; setup takes it as " +
                  std::to_string(ReadDecimal(value)));
}

// The document keys are compared with "None" letter case counting: any
// other spelling is taken as a title or a file name.
static void CheckDocumentNone(const char *key, const char *value)
{
    if (IsNone(value) && lstrcmpA(value, "None") &&
        FirstReport(Settings.LanguageName, key, "none"))
        Warning(IniPlace(Settings.LanguageName, key),
                "[" + std::string(Settings.LanguageName) + "] " + key + " " +
                    Quoted(value) + " is not \"None\" as the documents step " +
                    "reads it (letter case counts); it is taken as a name");
}

int CheckSettings(const std::string &language, int first)
{
    FirstLanguage = first;
    ConfigReadHook = WatchRead;
    ConfigMissingHook = WatchMissing;
    ConfigLanguageOverride = language.c_str();
    LoadSetupConfig();
    CheckSetupTitles();
    if (!IsNone(Settings.RequiresDskSpc))
        CheckNumber("option", "RequiresDskSpc", Settings.RequiresDskSpc, 0);
    if (!IsNone(Settings.RequiresDskSpc2))
        CheckNumber("option", "RequiresDskSpc2", Settings.RequiresDskSpc2, 0);
    if (!IsNone(Settings.DirectX) && !lstrcmpiA(Settings.Select, "No"))
        CheckNumber("DirectX", "SelectMachine", Settings.SelectMachine, 0);
    const char *docKeys[] = {"HelpTitle", "HelpFileNameSrc", "HelpFileNameDst",
                             "TextTitle", "TextFileNameSrc", "TextFileNameDst"};
    const char *docValues[] = {Settings.HelpTitle, Settings.HelpFileNameSrc, Settings.HelpFileNameDst,
                               Settings.TextTitle, Settings.TextFileNameSrc, Settings.TextFileNameDst};
    for (int i = 0; i < 6; i++)
        CheckDocumentNone(docKeys[i], docValues[i]);
    return !IsNone(Settings.UninstWinTitle);
}
