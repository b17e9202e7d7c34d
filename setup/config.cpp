// The setup program's configuration: the settings store read from TQL.INI in
// the start-up directory, the choice of the language, the binding of the
// message library and the path operations used throughout the program.
#include "setup/setup.h"

// ---- settings store
char ForceLanguage[17];
char ProductName[33];
char ProductVersion[33];
char ApplicationName[33];
char DisplayName[33];
char UnInstExe[260];
char UninstWinTitle[33];
char UninstallMsg0[17];
char UninstallMsg1[129];
char UninstallMsg2[17];
char SourcePath1[260];
char SourcePath2[260];
char LoadModule[13];
char LoadMsgModule[13];
char DocPath[260];
char DefaultPath[260];
char RequiresDskSpc[11];
char RequiresDskSpc2[11];
char ExecFileName[13];
char IniFileName[13];
char InfFileName[13];
char DirectX[8];
char Indeo41[8];
char Quen[8];
char CTL3DV2[8];
char ZOLAM[8];
char Select[4];
char SelectMachine[2];
char DirectXAT[260];
char DirectXNEC[260];
char Indeo41LibPath[260];
char QuenLibPath[260];
char CTL3DV2LibPath[260];
char ZOLAMLoaderPath[260];
char GroupTitle[33];
char GameTitle[33];
char HelpTitle[33];
char HelpFileNameSrc[13];
char HelpFileNameDst[13];
char TextTitle[33];
char TextFileNameSrc[13];
char TextFileNameDst[13];
char MainDlgBoxTitle[33];
char MsgDlgBoxTitle[33];
char ExecErrMsg[65];
char CheckGameTitle[33];

char LanguageName[17];
char DrivePrefix[3];

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
#define LANGSEC LanguageName

// The settings of [Option] and the language section, in the order of
// reading; each check follows its own read at once.
static const Setting MainSettings[] = {
    {"Option", "ProductName", "ORVA PC", BUF(ProductName), DEFAULT_IF_NONE, 0, 0},
    {"Option", "ProductVersion", "1.0", BUF(ProductVersion), DEFAULT_IF_NONE, 0, 0},
    {"Option", "ApplicationName", "ORVA PC App", BUF(ApplicationName), DEFAULT_IF_NONE, 0, 0},
    {"Option", "DisplayName", "ORVA PC GAME PRODUCT", BUF(DisplayName), DEFAULT_IF_NONE, 0, 0},
    {"Option", "UnInstExe", "UNINST.EXE", BUF(UnInstExe), DEFAULT_IF_NONE, 0, 0},
    // The message-box caption is not read yet: these go out without one.
    {LANGSEC, "UninstWinTitle", NoneText, BUF(UninstWinTitle), AS_WRITTEN, "UninstWinTitle Load faild.", ""},
    {LANGSEC, "UninstallMsg0", NoneText, BUF(UninstallMsg0), AS_WRITTEN, "UninstallMsg0 Load faild.", ""},
    {LANGSEC, "UninstallMsg1", NoneText, BUF(UninstallMsg1), AS_WRITTEN, "UninstallMsg1 Load faild.", ""},
    {LANGSEC, "UninstallMsg2", NoneText, BUF(UninstallMsg2), AS_WRITTEN, "UninstallMsg2 Load faild.", ""},
    {"option", "SourcePath1", NoneText, BUF(SourcePath1), NORMALISED, "szSrcDir Load faild.", StartupCaption},
    {"option", "SourcePath2", NoneText, BUF(SourcePath2), EMPTY_IF_NONE, 0, 0},
    {LANGSEC, "LoadModule", "mscuistf.dll", BUF(LoadModule), DEFAULT_IF_NONE, 0, 0},
    {LANGSEC, "LoadMsgModule", "msg.dll", BUF(LoadMsgModule), DEFAULT_IF_NONE, 0, 0},
    {"option", "DocPath", NoneText, BUF(DocPath), NORMALISED_IF_SET, 0, 0},
    {"option", "DefaultPath", NoneText, BUF(DefaultPath), ON_SYSTEM_DRIVE, "DefaultPath Load faild.", StartupCaption},
    {"option", "RequiresDskSpc", NoneText, BUF(RequiresDskSpc), AS_WRITTEN, "Requires Disk Space Setting Load faild.", StartupCaption},
    {"option", "RequiresDskSpc2", NoneText, BUF(RequiresDskSpc2), AS_WRITTEN, "Requires Disk Space Setting 2 Load faild.", StartupCaption},
    {"option", "ExecFileName", NoneText, BUF(ExecFileName), AS_WRITTEN, "ExecFileName Load faild.", StartupCaption},
    {"option", "IniFileName", NoneText, BUF(IniFileName), AS_WRITTEN, "IniFileName Load faild.", StartupCaption},
    {"option", "InfFileName", NoneText, BUF(InfFileName), AS_WRITTEN, "InfFileName Load faild.", StartupCaption},
};

// The five switches: on unless "None".
static const Setting SwitchSettings[] = {
    {"RunTime", "DirectX", NoneText, BUF(DirectX), DEFAULT_IF_NONE, 0, 0},
    {"RunTime", "Indeo41", NoneText, BUF(Indeo41), DEFAULT_IF_NONE, 0, 0},
    {"RunTime", "Quen", NoneText, BUF(Quen), DEFAULT_IF_NONE, 0, 0},
    {"RunTime", "CTL3DV2", NoneText, BUF(CTL3DV2), DEFAULT_IF_NONE, 0, 0},
    {"Loader", "ZOLAM", NoneText, BUF(ZOLAM), DEFAULT_IF_NONE, 0, 0},
};

// Component directories, each read only while its switch is on.
static const Setting DirectXATSetting =
    {"DirectX", "AT", NoneText, BUF(DirectXAT), NORMALISED, "DirectX directory Not detected.", StartupCaption};
static const Setting DirectXNECSetting =
    {"DirectX", "NEC", NoneText, BUF(DirectXNEC), NORMALISED, "NEC DirectX directory not detected.", StartupCaption};
static const Setting LibPathSettings[] = {
    {"Indeo41", "LIBPATH", NoneText, BUF(Indeo41LibPath), NORMALISED, "Indeo 4.1 directory not detected.", StartupCaption},
    {"Quen", "LIBPATH", NoneText, BUF(QuenLibPath), NORMALISED, "Quen directory not detected.", StartupCaption},
    {"CTL3DV2", "LIBPATH", NoneText, BUF(CTL3DV2LibPath), NORMALISED, "CTL3DV2 directory not detected.", StartupCaption},
    {"ZOLAM", "LoaderPath", NoneText, BUF(ZOLAMLoaderPath), NORMALISED, "ZOLAM directory not detected.", StartupCaption},
};
static char *const LibPathSwitches[] = {Indeo41, Quen, CTL3DV2, ZOLAM};

// The language-section texts read last, without checks; letter case of
// "None" counts for some of their readers, so they stay as written.
static const Setting TitleSettings[] = {
    {LANGSEC, "GroupTitle", NoneText, BUF(GroupTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "GameTitle", NoneText, BUF(GameTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "HelpTitle", NoneText, BUF(HelpTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "HelpFileNameSrc", NoneText, BUF(HelpFileNameSrc), AS_WRITTEN, 0, 0},
    {LANGSEC, "HelpFileNameDst", NoneText, BUF(HelpFileNameDst), AS_WRITTEN, 0, 0},
    {LANGSEC, "TextTitle", NoneText, BUF(TextTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "TextFileNameSrc", NoneText, BUF(TextFileNameSrc), AS_WRITTEN, 0, 0},
    {LANGSEC, "TextFileNameDst", NoneText, BUF(TextFileNameDst), AS_WRITTEN, 0, 0},
    {LANGSEC, "MainDlgBoxTitle", NoneText, BUF(MainDlgBoxTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "MsgDlgBoxTitle", NoneText, BUF(MsgDlgBoxTitle), AS_WRITTEN, 0, 0},
    {LANGSEC, "ExecErrMsg", NoneText, BUF(ExecErrMsg), AS_WRITTEN, 0, 0},
    {LANGSEC, "CheckGameTitle", NoneText, BUF(CheckGameTitle), AS_WRITTEN, 0, 0},
};

#define COUNT(a) (int)(sizeof(a) / sizeof((a)[0]))

// A start-up error: warning, system-modal, in front, no owner.
static void StartupMessage(const char *text, const char *caption)
{
    MessageBoxA(NULL, text, caption,
                MB_ICONWARNING | MB_SYSTEMMODAL | MB_SETFOREGROUND);
}

int IsNone(const char *value)
{
    return lstrcmpiA(value, NoneText) == 0;
}

void NormalizeDirectory(char *dir)
{
    char result[PATH_CAP];
    if (dir[0] == '\\') {
        TextCopy(result, DrivePrefix);
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
    TextCopy(DirectXAT, NoneText);
    TextCopy(DirectXNEC, NoneText);
    TextCopy(Select, "Yes");
    TextCopy(SelectMachine, "1");
    TextCopy(ForceLanguage, "No");
    LanguageName[0] = '\0';
}

void ChooseLanguageName()
{
    if (lstrcmpiA(ForceLanguage, "No") != 0) {
        TextCopy(LanguageName, ForceLanguage);
        return;
    }
    const char *name;
    switch (GetSystemDefaultLangID() & 0xFF) {
    case LANG_GERMAN:   name = "German"; break;
    case LANG_SPANISH:  name = "Spanish"; break;
    case LANG_FRENCH:   name = "French"; break;
    case LANG_JAPANESE: name = "Japanese"; break;
    default:            name = "English"; break;   // LANG_ENGLISH too
    }
    TextCopy(LanguageName, name);
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
    if (!IsNone(DirectX)) {
        ReadSetting({"DirectX", "Select", "Yes", BUF(Select), DEFAULT_IF_NONE, 0, 0});
        if (lstrcmpiA(Select, "No") == 0)
            ReadSetting({"DirectX", "SelectMachine", "1", BUF(SelectMachine),
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
    ReadSetting({"Debug", "ForceLanguage", "No", BUF(ForceLanguage),
                 DEFAULT_IF_NONE, 0, 0});
    ChooseLanguageName();
    if (ConfigLanguageOverride)
        TextCopy(LanguageName, ConfigLanguageOverride);
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
        {GroupTitle, "GroupTitle", "GroupTitle Load faild."},
        {GameTitle, "GameTitle", "GameTitle  Load faild."},
        {MainDlgBoxTitle, "MainDlgBoxTitle", "MainDlgBoxTitle  Load faild."},
        {MsgDlgBoxTitle, "MsgDlgBoxTitle", "MsgDlgBoxTitle  Load faild."},
        {ExecErrMsg, "ExecErrMsg", "ExecErrMsg  Load faild."},
        {CheckGameTitle, "CheckGameTitle", "CheckGameTitle Load faild."},
    };
    int result = 1;
    for (int i = 0; i < COUNT(titles) && result; i++)
        if (IsNone(titles[i].value)) {
            // The checker hears of every absent title; setup of the first.
            if (ConfigMissingHook) {
                ConfigMissingHook(LanguageName, titles[i].key, titles[i].missing);
                continue;
            }
            StartupMessage(titles[i].missing, StartupCaption);
            result = 0;
        }
    return result;
}

// True when the path names nothing for certain: GetFileAttributesA finds
// no such file or path and the path holds none of the characters that
// FindFirstFileA takes as wildcards. It costs a fraction of a directory
// search, and the tree copy probes every destination file, which in a
// first installation is never there.
static int IsSurelyAbsent(const char *path)
{
    for (const char *p = path; *p; p++)
        if (*p == '*' || *p == '?' || *p == '<' || *p == '>' || *p == '"')
            return 0;
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return 0;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

int ProbePath(const char *path)
{
    if (IsSurelyAbsent(path))
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    if (!FindClose(search)) {
        StartupMessage("Can't Closed Find Handle", StartupCaption);
        return 0;
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

// Steps 4 to 6 of the main sequence: load the message library named by
// LoadMsgModule (the setup program's own directory is searched first),
// find MsgSetup and let it fill the message table. The library stays
// loaded: the table points into it.
int BindMessageLibrary()
{
    static const char caption[] = "Setup Initialize Error";
    MsgModule = LoadLibraryA(LoadMsgModule);
    if (!MsgModule) {
        StartupMessage("Can't load Msg Library", caption);
        return 0;
    }
    FARPROC entry = GetProcAddress(MsgModule, "MsgSetup");
    MsgSetupProc msgSetup =
        reinterpret_cast<MsgSetupProc>(reinterpret_cast<void (*)()>(entry));
    if (!msgSetup) {
        StartupMessage("Can't GetProcAddress() for Msg.DLL MsgSetup()", caption);
        return 0;
    }
    msgSetup(MessageTable);
    return 1;
}
