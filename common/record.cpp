// The installation record: the product's key paths, the proof that a
// folder is the product's installation, the uninstaller its Add/Remove
// Programs entry names, and the counts of the shared files in the Windows
// directory.
#include "common/record.h"
#include "common/filenames.h"
#include "common/system.h"
#include "common/text.h"
#include <stddef.h>

const char AppPathsRoot[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char ProductRoot[] = "SOFTWARE\\ORVA\\";
const char UninstallRoot[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char SharedDllsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// ---- key paths

int CheckKeyName(const char *name)
{
    if (!name[0] || name[0] == '\\')
        return 0;
    int visible = 0;
    for (const char *p = name; *p; p = CharNextA(p)) {
        int single = CharNextA(p) == p + 1;
        if (single && p[0] == '\\' && p[1] == '\\')
            return 0;
        if (!single || (*p != '\\' && *p != ' ' && *p != '\t'))
            visible = 1;
    }
    return visible;
}

// parent + name in key (KEY_CAP bytes); 0 when it does not fit.
static int BuildKey(char *key, const char *parent, const char *name)
{
    return TextCopy(key, parent, KEY_CAP) && TextAppend(key, name, KEY_CAP);
}

int BuildRegistrationKey(char *out, const char *root, const char *name,
                         const char *subName)
{
    char relative[KEY_CAP];
    if (!CheckKeyName(name) || (subName && !CheckKeyName(subName)))
        return 0;
    int fits = TextCopy(relative, name, KEY_CAP);
    if (subName)
        fits = fits && TextAppend(relative, "\\", KEY_CAP) &&
               TextAppend(relative, subName, KEY_CAP) && TextAppend(relative, "\\", KEY_CAP);
    return fits && CheckKeyName(relative) && BuildKey(out, root, relative);
}

// The version key is the product key, a backslash unless the product name
// ends in one, and the version.
int BuildProductKeys(const ProductNames &names, ProductKeys *keys)
{
    if (!CheckKeyName(names.execFileName) || !CheckKeyName(names.productName) ||
        !CheckKeyName(names.productVersion) || !CheckKeyName(names.applicationName))
        return 0;
    if (!BuildKey(keys->appPaths, AppPathsRoot, names.execFileName) ||
        !BuildKey(keys->product, ProductRoot, names.productName) ||
        !TextCopy(keys->version, keys->product, KEY_CAP) ||
        !AppendBackslash(keys->version, KEY_CAP) ||
        !TextAppend(keys->version, names.productVersion, KEY_CAP) ||
        !BuildKey(keys->uninstall, UninstallRoot, names.applicationName))
        return 0;
    RemoveBackslash(keys->product);
    RemoveBackslash(keys->version);
    return CheckKeyName(keys->version + sizeof ProductRoot - 1);
}

// ---- the uninstaller settings file

// Its sections and keys, each spelt once here (the profile functions match
// them without regard to case). Constant data: the shipped programs start
// without the runtime, which would run initialisers.
static constexpr char UninstallSection[] = "UnInstall";
static constexpr char DirectorySection[] = "Directory";
static constexpr char VersionsSection[] = "Versions";
static constexpr char ReleasedSection[] = "Released";  // files a removal released
static constexpr char CopyingSection[] = "Copying";    // files and records cut off
const char InstallPathKey[] = "InstallPath";
const char ExePathKey[] = "ExePath";
static constexpr char UnfinishedRecordKey[] = "Record";
static constexpr char Absent[] = "None";  // a [Directory] or required value not there
const char PendingInstallKey[] = "PendingInstallPath";

// The [UnInstall] keys, in the order of RecordKey.
static constexpr const char *RecordKeyNames[REC_KEYS] = {
    "UnInstExe", "LoadMsgModule", "ExecFileName", "ProductName", "ProductVersion",
    "ApplicationName", "GroupTitle", "UninstWinTitle", "UninstallMsg0", "UninstallMsg1",
    "UninstallMsg2", "CheckGameTitle", "CodePage",
};

UINT RecordCodePage(const char *settingsFile)
{
    return GetPrivateProfileIntA(UninstallSection, RecordKeyNames[REC_CODE_PAGE], 0,
                                 settingsFile);
}

void WriteRecordSection(const char *settingsFile, const char *const values[REC_KEYS])
{
    for (int i = 0; i < REC_KEYS; i++)
        WritePrivateProfileStringA(UninstallSection, RecordKeyNames[i], values[i],
                                   settingsFile);
}

void RecordedVersion(const char *settingsFile, const char *productName, char *earlier)
{
    char recordedName[33];
    GetPrivateProfileStringA(UninstallSection, RecordKeyNames[REC_PRODUCT_NAME], "",
                             recordedName, sizeof recordedName, settingsFile);
    GetPrivateProfileStringA(UninstallSection, RecordKeyNames[REC_PRODUCT_VERSION], "", earlier,
                             33, settingsFile);
    if (lstrcmpiA(recordedName, productName))
        earlier[0] = '\0';
}

void RecordVersions(const char *settingsFile, const char *earlier, const char *version)
{
    if (earlier[0])
        WritePrivateProfileStringA(VersionsSection, earlier, "1", settingsFile);
    WritePrivateProfileStringA(VersionsSection, version, "1", settingsFile);
}

void ReadRecordedVersions(const char *settingsFile, char *list, int capacity)
{
    list[0] = list[1] = '\0';
    // A list cut at capacity ends in two zeros all the same.
    GetPrivateProfileStringA(VersionsSection, 0, "", list, capacity, settingsFile);
}

int RecordDirectory(const char *settingsFile, const char *key, const char *dir)
{
    return GetPrivateProfileIntA(DirectorySection, key, 0, settingsFile) != 0 ||
           WritePrivateProfileStringA(DirectorySection, key, dir, settingsFile);
}

int ReadRecordedDirectory(const char *settingsFile, const char *key, char *path)
{
    GetPrivateProfileStringA(DirectorySection, key, Absent, path, MAX_PATH, settingsFile);
    return lstrcmpiA(path, Absent) != 0 && path[0];
}

int RecordPendingInstallation(const char *settingsFile, const char *dir,
                              const ProductNames &names)
{
    return WritePrivateProfileStringA(UninstallSection, RecordKeyNames[REC_PRODUCT_NAME],
                                      names.productName, settingsFile) &&
           WritePrivateProfileStringA(UninstallSection, RecordKeyNames[REC_APPLICATION_NAME],
                                      names.applicationName, settingsFile) &&
           WritePrivateProfileStringA(DirectorySection, PendingInstallKey, dir, settingsFile);
}

// Replaces file by temp: in one step on the NT family; Windows 95 has no
// such call, and the old record is deleted first.
static int PutInPlace(const char *temp, const char *file)
{
    auto moveFileEx = SYSTEM_FUNCTION(MoveFileExA);
    if (IsNtFamily() && moveFileEx)
        return moveFileEx(temp, file, MOVEFILE_REPLACE_EXISTING);
    DeleteFileA(file);
    return MoveFileA(temp, file);
}

// Fills the new record temp from the record before.
static int FillRegistrationRecord(const char *temp, const char *settingsFile,
                                  const char *const values[REC_KEYS], const char *installDir)
{
    char version[33], earlier[33];
    // Windows 95 keeps profile writes in a cache until it is flushed so.
    WritePrivateProfileStringA(0, 0, 0, settingsFile);
    int registered = ReadRecordValue(settingsFile, REC_PRODUCT_VERSION, version, sizeof version);
    if (registered && !CopyFileA(settingsFile, temp, FALSE))
        return 0;
    RecordedVersion(settingsFile, values[REC_PRODUCT_NAME], earlier);
    WriteRecordSection(temp, values);
    RecordVersions(temp, earlier, values[REC_PRODUCT_VERSION]);
    WritePrivateProfileStringA(DirectorySection, PendingInstallKey, 0, temp);
    WritePrivateProfileStringA(ReleasedSection, 0, 0, temp);
    WritePrivateProfileStringA(CopyingSection, 0, 0, temp);
    int written = RecordDirectory(temp, InstallPathKey, installDir) &&
                  RecordDirectory(temp, ExePathKey, installDir);
    WritePrivateProfileStringA(0, 0, 0, temp);
    return written;
}

// A new record that a registration cut off left beside the record (its
// name noted there): deleted when it is empty or this product's record.
static void TakeBackUnfinishedRecord(const char *settingsFile, const char *folder,
                                     const char *const values[REC_KEYS])
{
    char name[MAX_PATH], path[MAX_PATH], other[33];
    const ProductNames names = {values[REC_EXEC_FILE_NAME], values[REC_PRODUCT_NAME],
                                values[REC_PRODUCT_VERSION], values[REC_APPLICATION_NAME]};
    if (!GetPrivateProfileStringA(CopyingSection, UnfinishedRecordKey, "", name, sizeof name,
                                  settingsFile) ||
        !JoinPath(path, folder, name))
        return;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    DWORD size = file == INVALID_HANDLE_VALUE ? 1 : GetFileSize(file, 0);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (size == 0 || RecordOwner(path, names, other) == RECORD_OURS)
        DeleteFileA(path);
}

int WriteRegistrationRecord(const char *settingsFile, const char *const values[REC_KEYS],
                            const char *installDir)
{
    char folder[MAX_PATH], temp[MAX_PATH];
    TextCopy(folder, settingsFile);
    char *cut = folder;
    for (char *p = folder; *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p;
    *cut = '\0';
    if (cut == folder)
        return 0;
    TakeBackUnfinishedRecord(settingsFile, folder, values);
    if (!GetTempFileNameA(folder, "tql", 0, temp))
        return 0;
    if (GetFileAttributesA(settingsFile) != INVALID_FILE_ATTRIBUTES)
        WritePrivateProfileStringA(CopyingSection, UnfinishedRecordKey,
                                   temp + lstrlenA(folder) + 1, settingsFile);
    if (FillRegistrationRecord(temp, settingsFile, values, installDir) &&
        PutInPlace(temp, settingsFile))
        return 1;
    DeleteFileA(temp);
    return 0;
}

int RecordCountsFile(const char *settingsFile, RecordKey key, const char *name)
{
    char recorded[MAX_PATH], released[MAX_PATH];
    GetPrivateProfileStringA(ReleasedSection, RecordKeyNames[key], "", released,
                             sizeof released, settingsFile);
    return !released[0] && ReadRecordValue(settingsFile, key, recorded, sizeof recorded) &&
           !lstrcmpiA(recorded, name);
}

void NoteCountedFile(const char *settingsFile, RecordKey key, const char *name)
{
    WritePrivateProfileStringA(UninstallSection, RecordKeyNames[key], name, settingsFile);
    WritePrivateProfileStringA(ReleasedSection, RecordKeyNames[key], 0, settingsFile);
    WritePrivateProfileStringA(CopyingSection, RecordKeyNames[key], 0, settingsFile);
}

void NoteUnfinishedCopy(const char *settingsFile, RecordKey key, const char *name)
{
    WritePrivateProfileStringA(CopyingSection, RecordKeyNames[key], name, settingsFile);
}

int ReadUnfinishedCopy(const char *settingsFile, RecordKey key, char *name)
{
    return GetPrivateProfileStringA(CopyingSection, RecordKeyNames[key], "", name, MAX_PATH,
                                    settingsFile) != 0;
}

int MarkReleased(const char *settingsFile, RecordKey key, const char *path)
{
    char released[MAX_PATH];
    GetPrivateProfileStringA(ReleasedSection, RecordKeyNames[key], "", released,
                             sizeof released, settingsFile);
    if (!lstrcmpiA(released, path))
        return 0;
    WritePrivateProfileStringA(ReleasedSection, RecordKeyNames[key], path, settingsFile);
    return 1;
}

int ReadRecordValue(const char *settingsFile, RecordKey key, char *text, int capacity)
{
    GetPrivateProfileStringA(UninstallSection, RecordKeyNames[key], "", text, capacity,
                             settingsFile);
    return text[0] != '\0';
}

// The uninstaller settings in the order the uninstaller reads them: the
// value's section and key, its text when the key is absent, and for a
// required value (absent: "None") the message that it is missing.
struct SettingRead {
    const char *section;
    const char *key;
    const char *fallback;
    const char *missing;  // 0: not required
    size_t offset;        // the value's buffer in UninstallSettings
    int capacity;
};
#define SETTING(field) offsetof(UninstallSettings, field), (int)sizeof UninstallSettings::field
static constexpr SettingRead UninstallSettingReads[] = {
    {DirectorySection, InstallPathKey, Absent, "Can't Get Install Path faild.",
     SETTING(InstallPath)},
    // A copy of setup that did not finish: its folder goes too.
    {DirectorySection, PendingInstallKey, "", 0, SETTING(PendingInstallPath)},
    {UninstallSection, RecordKeyNames[REC_PRODUCT_NAME], "ORVA PC", 0, SETTING(ProductName)},
    {UninstallSection, RecordKeyNames[REC_PRODUCT_VERSION], "1.0", 0, SETTING(ProductVersion)},
    {UninstallSection, RecordKeyNames[REC_APPLICATION_NAME], "ORVA PC", 0,
     SETTING(ApplicationName)},
    {UninstallSection, RecordKeyNames[REC_EXEC_FILE_NAME], "ORVA.EXE", 0, SETTING(ExecFileName)},
    {UninstallSection, RecordKeyNames[REC_UNINST_WIN_TITLE], Absent, "UninstWinTitle Load faild.",
     SETTING(UninstWinTitle)},
    {UninstallSection, RecordKeyNames[REC_UNINSTALL_MSG0], Absent, "UninstallMsg0 Load faild.",
     SETTING(UninstallMsg0)},
    {UninstallSection, RecordKeyNames[REC_UNINSTALL_MSG1], Absent, "UninstallMsg1 Load faild.",
     SETTING(UninstallMsg1)},
    {UninstallSection, RecordKeyNames[REC_UNINSTALL_MSG2], Absent, "UninstallMsg2 Load faild.",
     SETTING(UninstallMsg2)},
    {UninstallSection, RecordKeyNames[REC_LOAD_MSG_MODULE], Absent,
     "Message resource template Load faild.", SETTING(LoadMsgModule)},
    {UninstallSection, RecordKeyNames[REC_UNINST_EXE], "UNINST.EXE", 0, SETTING(UnInstExe)},
    // A record written before the title was kept: the product's own game.
    {UninstallSection, RecordKeyNames[REC_GAME_TITLE], "ORVA", 0, SETTING(CheckGameTitle)},
    {UninstallSection, RecordKeyNames[REC_GROUP_TITLE], Absent, "GroupTitle Load faild.",
     SETTING(GroupTitle)},
};
#undef SETTING

int ReadUninstallSettings(UninstallSettings *settings, void (*report)(const char *message))
{
    for (const SettingRead &read : UninstallSettingReads) {
        char *value = reinterpret_cast<char *>(settings) + read.offset;
        // A longer value is cut to capacity - 1 by the profile reader itself.
        GetPrivateProfileStringA(read.section, read.key, read.fallback, value, read.capacity,
                                 settings->SettingsPath);
        if (read.missing && lstrcmpiA(value, Absent) == 0) {
            report(read.missing);
            return 0;
        }
    }
    return 1;
}

// 1 when the names read from a file are the product's.
static int NamesAreTheProduct(const char *applicationName, const char *productName,
                              const ProductNames &names)
{
    return !lstrcmpiA(applicationName, names.applicationName) &&
           !lstrcmpiA(productName, names.productName);
}

int RecordOwner(const char *settingsPath, const ProductNames &names, char *other)
{
    char application[33], product[33];
    other[0] = '\0';
    if (GetFileAttributesA(settingsPath) == INVALID_FILE_ATTRIBUTES)
        return RECORD_ABSENT;
    int named = ReadRecordValue(settingsPath, REC_APPLICATION_NAME, application, sizeof application);
    named |= ReadRecordValue(settingsPath, REC_PRODUCT_NAME, product, sizeof product);
    if (!named)
        return RECORD_UNKNOWN;
    if (NamesAreTheProduct(application, product, names))
        return RECORD_OURS;
    TextCopy(other, application[0] ? application : product, 33);
    return RECORD_OTHER;
}

// ---- the proof of an installation folder

// The section of the product settings file that proves the folder: the
// install mode, and the product's names under their keys of the record.
static constexpr char ProofSection[] = "Install";
static constexpr char ModeKey[] = "Mode";

int WriteProductProof(const char *settingsFile, const ProductNames &names)
{
    return WritePrivateProfileStringA(ProofSection, RecordKeyNames[REC_APPLICATION_NAME],
                                      names.applicationName, settingsFile) &&
           WritePrivateProfileStringA(ProofSection, RecordKeyNames[REC_PRODUCT_NAME],
                                      names.productName, settingsFile);
}

// A product name from a product settings file (a name) as text of the
// system's code page, in which the product's names are given.
static void ReadProofName(const char *path, const char *key, char (&text)[33])
{
    char name[MAX_PATH];
    NamedProfileString(ProofSection, key, name, sizeof name, path);
    NameForDisplay(text, sizeof text, name);
}

// What a product settings file (a name) proves.
#define PROOF_NONE  0   // no file, or no install mode in it
#define PROOF_OURS  1   // this product's, or written before names were
#define PROOF_OTHER 2   // another product's
static int ProofOwner(const char *path, const ProductNames &names)
{
    char mode[16], application[33], product[33];
    DWORD attributes = NamedAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return PROOF_NONE;
    NamedProfileString(ProofSection, ModeKey, mode, sizeof mode, path);
    if (!mode[0])
        return PROOF_NONE;
    ReadProofName(path, RecordKeyNames[REC_APPLICATION_NAME], application);
    ReadProofName(path, RecordKeyNames[REC_PRODUCT_NAME], product);
    if ((!application[0] && !product[0]) || NamesAreTheProduct(application, product, names))
        return PROOF_OURS;
    return PROOF_OTHER;
}

int HoldsProductSettings(const char *dir, const char *settingsName, const ProductNames &names)
{
    char path[MAX_PATH];
    return settingsName[0] && JoinName(path, dir, settingsName) &&
           ProofOwner(path, names) == PROOF_OURS;
}

int HoldsOtherProduct(const char *dir, const ProductNames &names)
{
    char pattern[MAX_PATH], path[MAX_PATH];
    FoundName found;
    if (!JoinName(pattern, dir, "*.INI"))
        return 0;
    HANDLE search = FindFirstName(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int other = 0;
    do
        other = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                JoinName(path, dir, found.cFileName) && ProofOwner(path, names) == PROOF_OTHER;
    while (!other && FindNextName(search, &found));
    FindClose(search);
    return other;
}

// ---- the registered uninstaller

// Reads a string value of a key below HKEY_LOCAL_MACHINE into text
// (capacity bytes, always terminated); 0 when there is none.
static int ReadKeyText(const char *key, const char *value, char *text, DWORD capacity)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0, size = capacity - 1;
    LONG result = RegQueryValueExA(handle, value, 0, &type,
                                   reinterpret_cast<BYTE *>(text), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return 0;
    text[size < capacity ? size : capacity - 1] = '\0';
    return 1;
}

int RegisteredUninstaller(const char *applicationName, char *path)
{
    char key[KEY_CAP], line[1024];
    if (!CheckKeyName(applicationName) || !BuildKey(key, UninstallRoot, applicationName) ||
        !ReadKeyText(key, "UninstallString", line, sizeof line))
        return 0;
    const char *p = line, *end;
    if (*p == '"') {
        for (end = ++p; *end && *end != '"'; end = CharNextA(end))
            ;
    } else {
        for (end = p; *end && *end != ' '; end = CharNextA(end))
            ;
    }
    if (end == p || end - p >= MAX_PATH)
        return 0;
    TextCopy(path, p, (int)(end - p) + 1);  // cut at the end of the name
    return 1;
}

// ---- shared files of the Windows directory

// The count of path; -1 when it has none.
static int ReadSharedCount(const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedDllsKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return -1;
    DWORD type = 0, count = 0, size = sizeof count;
    LONG result = RegQueryValueExA(key, path, 0, &type, reinterpret_cast<BYTE *>(&count),
                                   &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD ? (int)count : -1;
}

// Writes the count of path, or removes it for a count below 0.
static void WriteSharedCount(const char *path, int count)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedDllsKey, 0, 0, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, 0, &key, 0) != ERROR_SUCCESS)
        return;
    if (count < 0) {
        RegDeleteValueA(key, path);
    } else {
        DWORD value = (DWORD)count;
        RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                       sizeof value);
    }
    RegCloseKey(key);
}

void CountSharedFile(const char *path, int existedBefore, int wasScheduled,
                     int registeredBefore)
{
    // A count without its file (deleted by hand) counts no product.
    int count = existedBefore ? ReadSharedCount(path) : 0;
    if (count < 0)
        count = wasScheduled ? 0 : 1;
    if (!registeredBefore || count == 0)
        count++;
    WriteSharedCount(path, count);
}

int ReleaseSharedFile(const char *path, int keepAtZero)
{
    int count = ReadSharedCount(path);
    if (count < 0)
        count = 1;  // put there before counts were kept, by this product
    if (count > 1) {
        WriteSharedCount(path, count - 1);
        return 0;
    }
    WriteSharedCount(path, keepAtZero ? 0 : -1);
    return 1;
}
