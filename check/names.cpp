// Names that reach other systems: the Program Manager group and its items
// (formatted by the same code that sends them) and the registry keys
// (checked by the same rule the registry layer applies).
#include "check/check.h"
#include "setup/config.h"
#include "setup/rules.h"
#include "common/removal.h"
#include "common/record.h"
#include "setup/windowsfiles.h"

// Text as the Program Manager and registry code of a system reads it,
// whatever code page this process has: on a code page 932 system (cp932 1)
// each double-byte character becomes two plain letters, on a single-byte
// system each byte above 0x7F one. A trail byte may be 0x5C, a backslash
// to a single-byte reading only. The rules then see the same characters
// and lengths as on that system.
static std::string Shaped(const char *text, int cp932)
{
    std::string shaped = text;
    for (size_t i = 0; i < shaped.size(); i++) {
        unsigned char c = (unsigned char)shaped[i];
        if (cp932 && IsCp932Lead(c) && i + 1 < shaped.size()) {
            shaped[i] = shaped[i + 1] = 'J';
            i++;
        } else if (c > 0x7F) {
            shaped[i] = 'S';
        }
    }
    return shaped;
}

// A language section's texts are read on the systems of its language.
static std::string ShapedTitle(const char *text)
{
    return Shaped(text, !lstrcmpiA(Settings.LanguageName, "Japanese"));
}

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
// destination. The title or the command line may be what is refused; a
// refused file name is reported by its own name check.
static void CheckItem(const char *key, const char *title, const char *file)
{
    static int defaultPathReported;
    char command[1024];
    std::string line = std::string(Settings.DefaultPath) + file, shaped = ShapedTitle(title);
    if (FormatItemCommand(command, sizeof command, shaped.c_str(), line.c_str()))
        return;
    if (!FormatItemCommand(command, sizeof command, shaped.c_str(), "X"))
        Error(IniPlace(Settings.LanguageName, key),
              "[" + std::string(Settings.LanguageName) + "] " + key + " " + Quoted(title) + " " +
                  RefusalReason(shaped.c_str(), 0) +
                  "; the Program Manager item would not be created");
    else if (!FormatItemCommand(command, sizeof command, "X", Settings.DefaultPath) &&
             !defaultPathReported++)
        Error(IniPlace("option", "DefaultPath"),
              "[option] DefaultPath " + Quoted(Settings.DefaultPath) + " " +
                  RefusalReason(Settings.DefaultPath, 0) + "; no Program Manager item would be "
                  "created (their command lines start with it)");
}

// A file name setup gives an installed file, as written in TQL.INI. The
// Japanese section's names, and those every language shares, meet code
// page 932 systems.
static void CheckFileName(const char *section, const char *key, const char *name)
{
    int cp932 = !lstrcmpiA(section, "Japanese") || lstrcmpiA(section, Settings.LanguageName);
    const char *reason = BadNameReason(name, cp932);
    if (reason)
        Error(IniPlace(section, key), "[" + std::string(section) + "] " + key + " " +
                                          Quoted(name) + " " + reason);
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

// The registration's keys below HKEY_LOCAL_MACHINE (their roots from the
// removal code); the registry layer refuses a key path over 255 bytes.
static const int KeyPathLimit = KEY_CAP - 1;

// Why the registry layer refuses a key name shared by every language: on
// which systems it does; 0 when no system does.
static const char *KeyRefusal(const char *name)
{
    int japanese = CheckKeyName(Shaped(name, 1).c_str());
    int singleByte = CheckKeyName(Shaped(name, 0).c_str());
    if (japanese && singleByte)
        return 0;
    if (!japanese && !singleByte)
        return "";
    return japanese ? " on systems of a single-byte code page" : " on code page 932 systems";
}

static void CheckKey(const char *key, const char *name, const char *what,
                     const std::string &path)
{
    if (const char *systems = KeyRefusal(name))
        Error(IniPlace("Option", key),
              "[Option] " + std::string(key) + " " + Quoted(name) +
                  " is refused as a registry key name" + systems + "; " + what +
                  " would not be written");
    else if ((int)path.size() > KeyPathLimit)
        Error(IniPlace("Option", key),
              "[Option] " + std::string(key) + " " + Quoted(name) + " makes the key path " +
                  std::to_string(path.size()) + " bytes long, over the " +
                  std::to_string(KeyPathLimit) + " the registry layer takes; " + what +
                  " would not be written");
}

// The names setup gives its files in the Windows folder, by the rules it
// checks them with at start-up; the names every language shares once.
static void CheckWindowsNames(int first)
{
    WindowsName names[WINDOWS_NAMES];
    SettingsWindowsNames(names);
    for (int i = first ? 0 : WINDOWS_NAMES - 1; i < WINDOWS_NAMES; i++) {
        int fault = WindowsNameFaultAmong(names, i);
        const char *sections[WINDOWS_NAMES] = {"Option", "option", Settings.LanguageName};
        const char *section = sections[i];
        if (fault)
            Error(IniPlace(section, names[i].key),
                  "[" + std::string(section) + "] " + names[i].key + " " +
                      Quoted(names[i].value) + " " + WindowsNameFaultText(fault) +
                      " Setup refuses the CD at start-up.");
    }
}

void CheckNames(const std::string &, int first)
{
    CheckWindowsNames(first);
    char command[128];
    std::string group = ShapedTitle(Settings.GroupTitle);
    if (!IsNone(Settings.GroupTitle) &&
        !FormatGroupCommand(command, sizeof command, "CreateGroup", group.c_str()))
        Error(IniPlace(Settings.LanguageName, "GroupTitle"),
              "[" + std::string(Settings.LanguageName) + "] GroupTitle " + Quoted(Settings.GroupTitle) +
                  " " + RefusalReason(group.c_str(), 1) +
                  "; the Program Manager group would not be created");
    CheckItem("GameTitle", Settings.GameTitle, Settings.ExecFileName);
    int documents = InstalledDocuments();
    if (documents & DOC_HELP) {
        CheckItem("HelpTitle", Settings.HelpTitle, Settings.HelpFileNameDst);
        CheckHelpName("HelpFileNameSrc", Settings.HelpFileNameSrc);
        CheckHelpName("HelpFileNameDst", Settings.HelpFileNameDst);
        CheckFileName(Settings.LanguageName, "HelpFileNameDst", Settings.HelpFileNameDst);
    }
    if (documents & DOC_TEXT_ITEM) {
        CheckItem("TextTitle", Settings.TextTitle, Settings.TextFileNameDst);
        CheckFileName(Settings.LanguageName, "TextFileNameDst", Settings.TextFileNameDst);
    }
    if (!first)
        return;
    CheckFileName("option", "ExecFileName", Settings.ExecFileName);
    std::string product = std::string(Settings.ProductName) + "\\" + Settings.ProductVersion + "\\";
    CheckKey("ExecFileName", Settings.ExecFileName, "the App Paths key",
             AppPathsRoot + std::string(Settings.ExecFileName));
    CheckKey("ProductName", Settings.ProductName, "the product key", ProductRoot + product);
    CheckKey("ProductVersion", Settings.ProductVersion, "the version key", ProductRoot + product);
    CheckKey("ApplicationName", Settings.ApplicationName, "the uninstall entry",
             UninstallRoot + std::string(Settings.ApplicationName));
    if (!KeyRefusal(Settings.ProductName) && !KeyRefusal(Settings.ProductVersion) &&
        KeyRefusal(product.c_str()))
        CheckKey("ProductVersion", product.c_str(), "the version key", product);
}
