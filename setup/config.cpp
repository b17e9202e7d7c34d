// The setup program's configuration: the settings store read from TQL.INI in
// the start-up directory, and the product's names and recorded folders as
// the settings give them.
#include "setup/config.h"
#include "setup/state.h"
#include "common/text.h"
#include "common/ui.h"
#include "common/record.h"
#include "common/filenames.h"
#include "platform/msgtexts.h"

// ---- settings store
SetupSettings Settings;

// Full path of TQL.INI, fixed by LoadSetupConfig.
static char ConfigFile[PATH_CAP];

static const char StartupCaption[] = "Setup Initialize error";

// Seams for the CD checker (tqlcheck); both stay null in the setup program.
ConfigReadHookProc ConfigReadHook;
ConfigMissingHookProc ConfigMissingHook;
const char *ConfigLanguageOverride;
static const char NoneText[] = "None";

// What happens to a value once it is read.
enum Treatment {
    AS_WRITTEN,         // kept as the profile reader gave it
    DEFAULT_IF_NONE,    // "None" in any case is replaced by the default
    NORMALISED,         // required directory: NormalizeDirectory
    EMPTY_IF_NONE,      // SourcePath2: absent is "", present is as written
    NORMALISED_IF_SET,  // DocPath: normalised when present, else "None"
    ON_SYSTEM_DRIVE     // DefaultPath: normalised and moved to the system drive
};

// One setting of TQL.INI: where it is, its default, its buffer, and the
// message shown when a required setting is missing (0 when not required).
struct Setting {
    const char *section;
    const char *key;
    const char *fallback;
    char *buffer;
    int capacity;
    Treatment treatment;
    const char *missing;
    const char *caption;
};

#define BUF(b) b, (int)sizeof(b)
#define LANGSEC Settings.LanguageName

// The settings of [Option] and the language section, in the order of
// reading; each check follows its own read at once.
static const Setting MainSettings[] = {
    {"Option", "ProductName", "ORVA PC", BUF(Settings.ProductName), DEFAULT_IF_NONE, 0, 0},
    {"Option", "ProductVersion", "1.0", BUF(Settings.ProductVersion), DEFAULT_IF_NONE, 0, 0},
    {"Option", "ApplicationName", "ORVA PC App", BUF(Settings.ApplicationName), DEFAULT_IF_NONE, 0, 0},
    {"Option", "DisplayName", "ORVA PC GAME PRODUCT", BUF(Settings.DisplayName), DEFAULT_IF_NONE, 0, 0},
    {"Option", "UnInstExe", "UNINST.EXE", BUF(Settings.UnInstExe), DEFAULT_IF_NONE, 0, 0},
    // The message-box caption is not read yet: these go out without one.
    {LANGSEC, "UninstWinTitle", NoneText, BUF(Settings.UninstWinTitle), AS_WRITTEN, "UninstWinTitle Load faild.", ""},
    {LANGSEC, "UninstallMsg0", NoneText, BUF(Settings.UninstallMsg0), AS_WRITTEN, "UninstallMsg0 Load faild.", ""},
    {LANGSEC, "UninstallMsg1", NoneText, BUF(Settings.UninstallMsg1), AS_WRITTEN, "UninstallMsg1 Load faild.", ""},
    {LANGSEC, "UninstallMsg2", NoneText, BUF(Settings.UninstallMsg2), AS_WRITTEN, "UninstallMsg2 Load faild.", ""},
    {"option", "SourcePath1", NoneText, BUF(Settings.SourcePath1), NORMALISED, "szSrcDir Load faild.", StartupCaption},
    {"option", "SourcePath2", NoneText, BUF(Settings.SourcePath2), EMPTY_IF_NONE, 0, 0},
    {LANGSEC, "LoadModule", "mscuistf.dll", BUF(Settings.LoadModule), DEFAULT_IF_NONE, 0, 0},
    {LANGSEC, "LoadMsgModule", "msg.dll", BUF(Settings.LoadMsgModule), DEFAULT_IF_NONE, 0, 0},
    {"option", "DocPath", NoneText, BUF(Settings.DocPath), NORMALISED_IF_SET, 0, 0},
    {"option", "DefaultPath", NoneText, BUF(Settings.DefaultPath), ON_SYSTEM_DRIVE, "DefaultPath Load faild.", StartupCaption},
    {"option", "RequiresDskSpc", NoneText, BUF(Settings.RequiresDskSpc), AS_WRITTEN, "Requires Disk Space Setting Load faild.", StartupCaption},
    {"option", "RequiresDskSpc2", NoneText, BUF(Settings.RequiresDskSpc2), AS_WRITTEN, "Requires Disk Space Setting 2 Load faild.", StartupCaption},
    {"option", "ExecFileName", NoneText, BUF(Settings.ExecFileName), AS_WRITTEN, "ExecFileName Load faild.", StartupCaption},
    {"option", "IniFileName", NoneText, BUF(Settings.IniFileName), AS_WRITTEN, "IniFileName Load faild.", StartupCaption},
    {"option", "InfFileName", NoneText, BUF(Settings.InfFileName), AS_WRITTEN, "InfFileName Load faild.", StartupCaption},
};

// The five switches: on unless "None".
static const Setting SwitchSettings[] = {
    {"RunTime", "DirectX", NoneText, BUF(Settings.DirectX), DEFAULT_IF_NONE, 0, 0},
    {"RunTime", "Indeo41", NoneText, BUF(Settings.Indeo41), DEFAULT_IF_NONE, 0, 0},
    {"RunTime", "Quen", NoneText, BUF(Settings.Quen), DEFAULT_IF_NONE, 0, 0},
    {"RunTime", "CTL3DV2", NoneText, BUF(Settings.CTL3DV2), DEFAULT_IF_NONE, 0, 0},
    {"Loader", "ZOLAM", NoneText, BUF(Settings.ZOLAM), DEFAULT_IF_NONE, 0, 0},
};

// Component directories, each read only while its switch is on.
static const Setting DirectXATSetting =
    {"DirectX", "AT", NoneText, BUF(Settings.DirectXAT), NORMALISED, "DirectX directory Not detected.", StartupCaption};
static const Setting DirectXNECSetting =
    {"DirectX", "NEC", NoneText, BUF(Settings.DirectXNEC), NORMALISED, "NEC DirectX directory not detected.", StartupCaption};
static const Setting LibPathSettings[] = {
    {"Indeo41", "LIBPATH", NoneText, BUF(Settings.Indeo41LibPath), NORMALISED, "Indeo 4.1 directory not detected.", StartupCaption},
    {"Quen", "LIBPATH", NoneText, BUF(Settings.QuenLibPath), NORMALISED, "Quen directory not detected.", StartupCaption},
    {"CTL3DV2", "LIBPATH", NoneText, BUF(Settings.CTL3DV2LibPath), NORMALISED, "CTL3DV2 directory not detected.", StartupCaption},
    {"ZOLAM", "LoaderPath", NoneText, BUF(Settings.ZOLAMLoaderPath), NORMALISED, "ZOLAM directory not detected.", StartupCaption},
};
static char *const LibPathSwitches[] = {Settings.Indeo41, Settings.Quen, Settings.CTL3DV2, Settings.ZOLAM};

// The language-section texts read last, without checks; letter case of
// "None" counts for some of their readers, so they stay as written.
static const Setting TitleSettings[] = {
    {LANGSEC, "GroupTitle", NoneText, BUF(Settings.GroupTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "GameTitle", NoneText, BUF(Settings.GameTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "HelpTitle", NoneText, BUF(Settings.HelpTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "HelpFileNameSrc", NoneText, BUF(Settings.HelpFileNameSrc), AS_WRITTEN, 0, 0},
    {LANGSEC, "HelpFileNameDst", NoneText, BUF(Settings.HelpFileNameDst), AS_WRITTEN, 0, 0},
    {LANGSEC, "TextTitle", NoneText, BUF(Settings.TextTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "TextFileNameSrc", NoneText, BUF(Settings.TextFileNameSrc), AS_WRITTEN, 0, 0},
    {LANGSEC, "TextFileNameDst", NoneText, BUF(Settings.TextFileNameDst), AS_WRITTEN, 0, 0},
    {LANGSEC, "MainDlgBoxTitle", NoneText, BUF(Settings.MainDlgBoxTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "MsgDlgBoxTitle", NoneText, BUF(Settings.MsgDlgBoxTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "ExecErrMsg", NoneText, BUF(Settings.ExecErrMsg), AS_WRITTEN, 0, 0},
    {LANGSEC, "CheckGameTitle", NoneText, BUF(Settings.CheckGameTitle), AS_WRITTEN, 0, 0},
};

#define COUNT(a) (int)(sizeof(a) / sizeof((a)[0]))

// A start-up error: warning, system-modal, in front, no owner.
static void StartupMessage(const char *text, const char *caption)
{
    ShowBox(text, caption, BOX_ALERT);
}

int IsNone(const char *value)
{
    return lstrcmpiA(value, NoneText) == 0;
}

void NormalizeDirectory(char *dir)
{
    char result[PATH_CAP];
    if (dir[0] == '\\') {
        TextCopy(result, Settings.DrivePrefix);
        TextAppend(result, dir);
    } else if (dir[0] && dir[1] && dir[2] == '\\') {
        TextCopy(result, dir);
    } else {
        // Relative: below the current directory as it is now.
        DWORD n = GetCurrentDirectoryA(PATH_CAP, result);
        if (n == 0 || n >= PATH_CAP)
            result[0] = '\0';
        AppendBackslash(result);
        TextAppend(result, dir);
    }
    AppendBackslash(result);
    TextCopy(dir, result, PATH_CAP);
}

// Moves a normalised directory onto the drive that holds Windows. A path
// with a drive letter gets the system drive's letter; a path without one
// (the start-up directory was a network path) gets the system drive in
// front of its directory part, so that it never becomes "CORVA\".
static void MoveToSystemDrive(char *dir)
{
    char system[PATH_CAP];
    UINT n = GetSystemDirectoryA(system, PATH_CAP);
    if (n == 0 || n >= PATH_CAP || system[1] != ':')
        return;
    if (dir[0] && dir[1] == ':') {
        dir[0] = system[0];
        return;
    }
    const char *rest = dir;
    if (dir[0] == '\\' && dir[1] == '\\') {
        // \\server\share\path\ : keep \path\ after the share.
        int slashes = 0;
        for (rest = dir; *rest; rest = CharNextA(rest))
            if (*rest == '\\' && ++slashes == 4)
                break;
        if (!*rest)
            rest = "\\";
    }
    char moved[PATH_CAP];
    system[2] = '\0';
    TextCopy(moved, system);
    TextAppend(moved, rest);
    TextCopy(dir, moved, PATH_CAP);
}

// Reads one setting into its buffer and treats it. Returns 0 after the
// setting's message when a required setting is missing.
static int ReadSetting(const Setting &s)
{
    GetPrivateProfileStringA(s.section, s.key, s.fallback, s.buffer,
                             s.capacity, ConfigFile);
    if (ConfigReadHook)
        ConfigReadHook(s.section, s.key, s.fallback, s.buffer, s.capacity,
                       s.missing != 0);
    if (s.missing && IsNone(s.buffer)) {
        if (ConfigMissingHook)
            return ConfigMissingHook(s.section, s.key, s.missing);
        StartupMessage(s.missing, s.caption);
        return 0;
    }
    switch (s.treatment) {
    case AS_WRITTEN:
        break;
    case DEFAULT_IF_NONE:
        if (IsNone(s.buffer))
            TextCopy(s.buffer, s.fallback, s.capacity);
        break;
    case NORMALISED:
        NormalizeDirectory(s.buffer);
        break;
    case EMPTY_IF_NONE:
        if (IsNone(s.buffer))
            s.buffer[0] = '\0';
        break;
    case NORMALISED_IF_SET:
        if (IsNone(s.buffer))
            TextCopy(s.buffer, NoneText, s.capacity);
        else
            NormalizeDirectory(s.buffer);
        break;
    case ON_SYSTEM_DRIVE:
        NormalizeDirectory(s.buffer);
        MoveToSystemDrive(s.buffer);
        break;
    }
    return 1;
}

// Every buffer back to its default, so that the store holds nothing of an
// earlier reading.
static void ResetSettings()
{
    const Setting *tables[] = {MainSettings, SwitchSettings, LibPathSettings,
                               TitleSettings};
    const int counts[] = {COUNT(MainSettings), COUNT(SwitchSettings),
                          COUNT(LibPathSettings), COUNT(TitleSettings)};
    for (int t = 0; t < 4; t++)
        for (int i = 0; i < counts[t]; i++)
            TextCopy(tables[t][i].buffer, tables[t][i].fallback,
                     tables[t][i].capacity);
    TextCopy(Settings.DirectXAT, NoneText);
    TextCopy(Settings.DirectXNEC, NoneText);
    TextCopy(Settings.Select, "Yes");
    TextCopy(Settings.SelectMachine, "1");
    TextCopy(Settings.ForceLanguage, "No");
    Settings.LanguageName[0] = '\0';
}

// Finds TQL.INI in the current directory. 0 after "No TQL.INI Found.".
static int FindConfigFile()
{
    DWORD n = GetCurrentDirectoryA(PATH_CAP, ConfigFile);
    if (n == 0 || n >= PATH_CAP)
        ConfigFile[0] = '\0';
    AppendBackslash(ConfigFile);
    TextAppend(ConfigFile, "TQL.INI");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(ConfigFile, &found);
    if (search == INVALID_HANDLE_VALUE) {
        StartupMessage("No TQL.INI Found.", StartupCaption);
        return 0;
    }
    if (!FindClose(search))
        StartupMessage("Can't Closed Find Handle", StartupCaption);
    return 1;
}

// The component sections of the switches that are on.
static int ReadComponents()
{
    if (!IsNone(Settings.DirectX)) {
        ReadSetting({"DirectX", "Select", "Yes", BUF(Settings.Select), DEFAULT_IF_NONE, 0, 0});
        if (lstrcmpiA(Settings.Select, "No") == 0)
            ReadSetting({"DirectX", "SelectMachine", "1", BUF(Settings.SelectMachine),
                         DEFAULT_IF_NONE, 0, 0});
        if (!ReadSetting(DirectXATSetting) || !ReadSetting(DirectXNECSetting))
            return 0;
    }
    for (int i = 0; i < COUNT(LibPathSettings); i++)
        if (!IsNone(LibPathSwitches[i]) && !ReadSetting(LibPathSettings[i]))
            return 0;
    return 1;
}

int LoadSetupConfig()
{
    ResetSettings();
    if (!FindConfigFile())
        return 0;
    ReadSetting({"Debug", "ForceLanguage", "No", BUF(Settings.ForceLanguage),
                 DEFAULT_IF_NONE, 0, 0});
    ChooseLanguageName();
    if (ConfigLanguageOverride)
        TextCopy(Settings.LanguageName, ConfigLanguageOverride);
    for (int i = 0; i < COUNT(MainSettings); i++)
        if (!ReadSetting(MainSettings[i]))
            return 0;
    for (int i = 0; i < COUNT(SwitchSettings); i++)
        ReadSetting(SwitchSettings[i]);
    if (!ReadComponents())
        return 0;
    for (int i = 0; i < COUNT(TitleSettings); i++)
        ReadSetting(TitleSettings[i]);
    return 1;
}

int CheckSetupTitles()
{
    struct Title { const char *value; const char *key; const char *missing; };
    const Title titles[] = {
        {Settings.GroupTitle, "GroupTitle", "GroupTitle Load faild."},
        {Settings.GameTitle, "GameTitle", "GameTitle  Load faild."},
        {Settings.MainDlgBoxTitle, "MainDlgBoxTitle", "MainDlgBoxTitle  Load faild."},
        {Settings.MsgDlgBoxTitle, "MsgDlgBoxTitle", "MsgDlgBoxTitle  Load faild."},
        {Settings.ExecErrMsg, "ExecErrMsg", "ExecErrMsg  Load faild."},
        {Settings.CheckGameTitle, "CheckGameTitle", "CheckGameTitle Load faild."},
    };
    int result = 1;
    for (int i = 0; i < COUNT(titles) && result; i++)
        if (IsNone(titles[i].value)) {
            // The checker hears of every absent title; setup of the first.
            if (ConfigMissingHook) {
                ConfigMissingHook(Settings.LanguageName, titles[i].key, titles[i].missing);
                continue;
            }
            StartupMessage(titles[i].missing, StartupCaption);
            result = 0;
        }
    return result;
}

ProductNames TheProductNames()
{
    return {Settings.ExecFileName, Settings.ProductName, Settings.ProductVersion,
            Settings.ApplicationName};
}

int ReadRecordedInstallPath(char *path)
{
    return ReadRecordedDirectory(Settings.IniFileName, InstallPathKey, path);
}

int ReadRecordedPendingPath(char *path)
{
    return ReadRecordedDirectory(Settings.IniFileName, PendingInstallKey, path);
}
