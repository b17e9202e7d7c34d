// Names that reach other systems: the Program Manager group and its items
// (formatted by the same code that sends them) and the registry keys
// (checked by the same rule the registry layer applies).
#include "check/check.h"
#include "setup/setup.h"
#include "common/removal.h"

// Why the Program Manager code refuses a name; its own decision comes
// from FormatGroupCommand and FormatItemCommand.
static std::string RefusalReason(const char *name, int group)
{
    if (!name[0])
        return "is empty";
    for (const char *p = name; *p; p = CharNextA(p))
        if (CharNextA(p) == p + 1 && *p == '"')
            return "holds a double quote";
    if (group && !CheckGroupName(name))
        return "has a part that is empty or only dots and blanks";
    return "is too long for the command";
}

// One program item as InstallDocuments adds it, with DefaultPath as the
// destination.
static void CheckItem(const char *key, const char *title, const char *file)
{
    char command[1024];
    std::string line = std::string(Settings.DefaultPath) + file;
    if (FormatItemCommand(command, sizeof command, title, line.c_str()))
        return;
    Error(IniPlace(Settings.LanguageName, key),
          "[" + std::string(Settings.LanguageName) + "] " + key + " " + Quoted(title) + " " +
              RefusalReason(title, 0) + "; the Program Manager item would not be created");
}

static void CheckHelpName(const char *key, const char *name)
{
    if (!lstrcmpA(name, "None"))
        return;
    for (const char *p = name; *p; p = CharNextA(p))
        if (*p == '.')
            return;
    Warning(IniPlace(Settings.LanguageName, key),
            "[" + std::string(Settings.LanguageName) + "] " + key + " " + Quoted(name) +
                " has no \".\"; setup takes its contents file as " +
                Quoted(std::string(name) + ".CNT"));
}

static void CheckKey(const char *key, const char *name, const char *what)
{
    if (CheckKeyName(name))
        return;
    Error(IniPlace("Option", key),
          "[Option] " + std::string(key) + " " + Quoted(name) +
              " is refused as a registry key name; " + what + " would not be written");
}

void CheckNames(const std::string &, int first)
{
    char command[128];
    if (!IsNone(Settings.GroupTitle) &&
        !FormatGroupCommand(command, sizeof command, "CreateGroup", Settings.GroupTitle))
        Error(IniPlace(Settings.LanguageName, "GroupTitle"),
              "[" + std::string(Settings.LanguageName) + "] GroupTitle " + Quoted(Settings.GroupTitle) +
                  " " + RefusalReason(Settings.GroupTitle, 1) +
                  "; the Program Manager group would not be created");
    CheckItem("GameTitle", Settings.GameTitle, Settings.ExecFileName);
    int docs = lstrcmpA(Settings.DocPath, "None") != 0;
    if (docs && lstrcmpA(Settings.HelpTitle, "None") && lstrcmpA(Settings.HelpFileNameSrc, "None") &&
        lstrcmpA(Settings.HelpFileNameDst, "None")) {
        CheckItem("HelpTitle", Settings.HelpTitle, Settings.HelpFileNameDst);
        CheckHelpName("HelpFileNameSrc", Settings.HelpFileNameSrc);
        CheckHelpName("HelpFileNameDst", Settings.HelpFileNameDst);
    }
    if (docs && lstrcmpA(Settings.TextTitle, "None") && lstrcmpA(Settings.TextFileNameSrc, "None") &&
        lstrcmpA(Settings.TextFileNameDst, "None"))
        CheckItem("TextTitle", Settings.TextTitle, Settings.TextFileNameDst);
    if (!first)
        return;
    CheckKey("ExecFileName", Settings.ExecFileName, "the App Paths key");
    CheckKey("ProductName", Settings.ProductName, "the product key");
    CheckKey("ProductVersion", Settings.ProductVersion, "the version key");
    CheckKey("ApplicationName", Settings.ApplicationName, "the uninstall entry");
    std::string version = std::string(Settings.ProductName) + "\\" + Settings.ProductVersion + "\\";
    if (CheckKeyName(Settings.ProductName) && CheckKeyName(Settings.ProductVersion) &&
        !CheckKeyName(version.c_str()))
        CheckKey("ProductVersion", version.c_str(), "the version key");
}
