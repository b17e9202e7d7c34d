// Registry access layer and uninstall registration of the setup program:
// the start-up check that the registry services can be bound, the one
// routine that writes a string value, and the registration that makes the
// product removable through Add/Remove Programs.
#include "setup/registry.h"
#include "setup/config.h"
#include "setup/copy.h"
#include "setup/state.h"
#include "setup/version.h"
#include "setup/windowsfiles.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/log.h"
#include "common/removal.h"
#include "platform/component.h"

// ---- registry access layer

// "ADVAPI32.DLL" while bound (from LoadRegistryLibrary to
// FreeRegistryLibrary), null otherwise.
static HMODULE RegistryLibrary;

// The entry points whose presence shows that the registry services can be
// bound, in the order they are checked.
static const char *const RegistryEntryPoints[] = {
    "RegCloseKey", "RegCreateKeyA", "RegDeleteKeyA",
    "RegOpenKeyA", "RegQueryValueA", "RegSetValueA",
};

// Binds the registry library and checks its entry points; 1 when all are
// there. The program imports ADVAPI32.DLL itself, so where it has started
// this cannot fail; it stays as the start-up step (12) that decides how
// much of the main sequence runs.
int LoadRegistryLibrary()
{
    if (RegistryLibrary)
        return 1;
    RegistryLibrary = LoadLibraryA("ADVAPI32.DLL");
    if (!RegistryLibrary)
        return 0;
    for (const char *name : RegistryEntryPoints) {
        if (!GetProcAddress(RegistryLibrary, name)) {
            FreeLibrary(RegistryLibrary);
            RegistryLibrary = 0;
            return 0;
        }
    }
    return 1;
}

// Releases the registry library at shutdown; harmless when not bound.
void FreeRegistryLibrary()
{
    if (!RegistryLibrary)
        return;
    FreeLibrary(RegistryLibrary);
    RegistryLibrary = 0;
}

// Creates (or opens) root\subKey with every missing level and sets one
// string value in it; "" names the default value. 1 on success, 0 after a
// message. A failing value write is not reported: the caller's steps only
// depend on the key being there, as for every value setup writes.
static int CreateRegistry(HKEY root, const char *subKey, const char *valueName,
                          const char *text)
{
    HKEY key;
    DWORD disposition;
    LONG result = RegCreateKeyExA(root, subKey, 0, 0, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, 0, &key, &disposition);
    if (result != ERROR_SUCCESS) {
        ShowBox("Registry error", "CreateRegistry", BOX_PLAIN);
        return 0;
    }
    RegSetValueExA(key, valueName, 0, REG_SZ,
                   reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>(lstrlenA(text) + 1));
    if (RegCloseKey(key) != ERROR_SUCCESS) {
        ShowBox("Registry Close error", "GetUnInstProgPath", BOX_PLAIN);
        return 0;
    }
    return 1;
}

// ---- uninstall registration

// Tells the user that a path or key setup built does not fit its buffer;
// the registration is refused rather than done with a cut name.
static void ReportTooLong(const char *what)
{
    char text[128];
    TextFormat(text, sizeof text, "%s is too long.", what);
    ShowBox(text, Settings.MsgDlgBoxTitle, BOX_ALERT);
}

// The files, command line and keys of the uninstall registration, and the
// names the uninstaller and the message library get in the Windows folder.
struct UninstallPaths {
    char uninstName[PATH_CAP], msgName[13];
    char uninstSource[PATH_CAP], uninstTarget[PATH_CAP];
    char msgSource[PATH_CAP], msgTarget[PATH_CAP];
    char settingsFile[PATH_CAP], execPath[PATH_CAP], commandLine[PATH_CAP];
    char appPathsKey[256], productKey[256], uninstallKey[256];
    int appPathsOk, productOk, uninstallOk;  // 0: the key name is refused
};

// Tells the user that no name in the Windows folder is left for a file,
// as the ones there are another program's.
static void ReportNoFreeName(const char *name)
{
    char text[PATH_CAP + 96];
    TextFormat(text, sizeof text, "No free name for %s is left in the Windows folder.", name);
    ShowBox(text, Settings.MsgDlgBoxTitle, BOX_ALERT);
}

// The name under which a component goes into the Windows folder (see
// ChooseWindowsFileName), after a part of it that a registration cut off
// left under the name the record notes has gone. 0 after the message.
static int ChooseName(const char *windowsDir, const char *settingsFile, RecordKey key,
                      const char *wanted, const char *component, const char *source,
                      char *chosen, int capacity)
{
    char unfinished[MAX_PATH];
    if (ReadUnfinishedCopy(settingsFile, key, unfinished))
        TakeBackUnfinishedCopy(windowsDir, unfinished, source);
    if (ChooseWindowsFileName(windowsDir, wanted, component, source, chosen, capacity))
        return 1;
    ReportNoFreeName(wanted);
    return 0;
}

// Builds every path and key of the registration from the Windows
// directory and the source directory (either with or without a trailing
// "\"). The uninstaller and the message library keep their names unless
// another program's file has it (see ChooseName). 1 when all
// fit; 0 after telling the user which one does not. Refused key names are
// left for RegisterUninstaller to report at the step that would have
// written the key.
static int BuildUninstallPaths(const char *windowsDir, const char *sourceDir,
                               UninstallPaths *p)
{
    if (!JoinPath(p->uninstSource, sourceDir, Settings.UnInstExe) ||
        !JoinPath(p->msgSource, sourceDir, Settings.LoadMsgModule)) {
        ReportTooLong("A path on the CD");
        return 0;
    }
    if (!JoinPath(p->settingsFile, windowsDir, Settings.IniFileName)) {
        ReportTooLong("A path in the Windows directory");
        return 0;
    }
    if (!ChooseName(windowsDir, p->settingsFile, REC_UNINST_EXE, Settings.UnInstExe,
                    COMPONENT_UNINSTALLER, p->uninstSource, p->uninstName,
                    sizeof p->uninstName) ||
        !ChooseName(windowsDir, p->settingsFile, REC_LOAD_MSG_MODULE, Settings.LoadMsgModule,
                    COMPONENT_MSG_LIBRARY, p->msgSource, p->msgName, sizeof p->msgName))
        return 0;
    if (!JoinPath(p->uninstTarget, windowsDir, p->uninstName)) {
        ReportTooLong("The uninstaller's path");
        return 0;
    }
    if (!JoinPath(p->msgTarget, windowsDir, p->msgName)) {
        ReportTooLong("A path in the Windows directory");
        return 0;
    }
    if (!TextCopy(p->execPath, DestinationDir) ||
        !TextAppend(p->execPath, Settings.ExecFileName)) {
        ReportTooLong("The product's program path");
        return 0;
    }
    if (!TextFormat(p->commandLine, PATH_CAP, "%s %s", p->uninstTarget,
                    p->settingsFile)) {
        ReportTooLong("The uninstall command line");
        return 0;
    }
    p->appPathsOk = BuildRegistrationKey(p->appPathsKey, AppPathsRoot, Settings.ExecFileName, 0);
    p->productOk = BuildRegistrationKey(p->productKey, ProductRoot, Settings.ProductName,
                                Settings.ProductVersion);
    p->uninstallOk = BuildRegistrationKey(p->uninstallKey, UninstallRoot,
                                  Settings.ApplicationName, 0);
    return 1;
}

// Copies a file into the Windows directory and clears its attributes, so
// that the copy of a read-only CD file can be replaced and deleted later.
// A newer version of this system's file, which another product put there,
// stays: the shared files' convention never replaces a newer file.
static int CopyToWindows(const char *source, const char *target)
{
    if (IsInstalledFileNewer(source, target))
        return 1;
    if (!CopyOneFile(source, target))
        return 0;
    SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    return 1;
}

// Sets one value of a key that BuildUninstallPaths may have refused; a
// refused key is reported as the registry error of its step.
static int SetKeyValue(int keyOk, const char *key, const char *name,
                       const char *text)
{
    if (!keyOk) {
        ShowBox("Registry error", "CreateRegistry", BOX_PLAIN);
        return 0;
    }
    return CreateRegistry(HKEY_LOCAL_MACHINE, key, name, text);
}

// Writes the record whole (see WriteRegistrationRecord): the uninstaller's
// own section, the names the uninstaller needs to find and remove what
// setup made (the names its two files have in the Windows folder among
// them), the versions, and the installed folder. 0 after the log line
// when it was not written.
static int WriteRecord(const UninstallPaths &p)
{
    char codePage[12];
    TextFormat(codePage, sizeof codePage, "%u", GetACP());
    const char *const values[REC_KEYS] = {
        p.uninstName,            p.msgName,               Settings.ExecFileName,
        Settings.ProductName,    Settings.ProductVersion, Settings.ApplicationName,
        Settings.GroupTitle,     Settings.UninstWinTitle, Settings.UninstallMsg0,
        Settings.UninstallMsg1,  Settings.UninstallMsg2,  Settings.CheckGameTitle,
        codePage,
    };
    if (WriteRegistrationRecord(p.settingsFile, values, DestinationDir))
        return 1;
    char line[PATH_CAP + 48];
    TextFormat(line, sizeof line, "the installation record %s was not written", p.settingsFile);
    LogLine(line);
    return 0;
}

// Copies one file into the Windows directory and counts this product's
// use of it once: a registration cut off and run again finds it noted in
// the record (key) and does not count it again. A copy under a free name
// is noted before it starts, so that a part of it left by a cut goes
// again (see ChooseName).
static int InstallWindowsFile(const char *source, const char *target, const char *name,
                              const char *settingsFile, RecordKey key)
{
    int existed = GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES;
    int counted = RecordCountsFile(settingsFile, key, name);
    // Without a record nothing was copied, and nothing is left to take back.
    if (!existed && GetFileAttributesA(settingsFile) != INVALID_FILE_ATTRIBUTES)
        NoteUnfinishedCopy(settingsFile, key, name);
    if (!CopyToWindows(source, target))
        return 0;
    // An uninstall run before the next restart left the file scheduled for
    // deletion; the fresh copy must survive that restart.
    int scheduled = CancelScheduledDelete(target);
    CountSharedFile(target, existed, scheduled, counted);
    NoteCountedFile(settingsFile, key, name);
    return 1;
}

// Registers the product and its uninstaller: copies the uninstaller and the
// message library into the Windows directory (each counted as this
// product's, once, for the removals of other products that use the same
// names), writes the record, then the App Paths, the product/version and
// the Add/Remove Programs keys: from the moment the entry is listed, its
// removal finds all it needs. 1 when all is done, 0 at the first failure
// (after its message); nothing is undone.
int RegisterUninstaller()
{
    char windowsDir[PATH_CAP], sourceDir[PATH_CAP];
    UninstallPaths p;
    UINT n = GetWindowsDirectoryA(windowsDir, PATH_CAP);
    DWORD m = GetCurrentDirectoryA(PATH_CAP, sourceDir);
    if (n == 0 || n >= PATH_CAP || m == 0 || m >= PATH_CAP) {
        ReportTooLong("The Windows or the source directory");
        return 0;
    }
    if (!BuildUninstallPaths(windowsDir, sourceDir, &p))
        return 0;
    if (!InstallWindowsFile(p.uninstSource, p.uninstTarget, p.uninstName, p.settingsFile,
                            REC_UNINST_EXE) ||
        !InstallWindowsFile(p.msgSource, p.msgTarget, p.msgName, p.settingsFile,
                            REC_LOAD_MSG_MODULE))
        return 0;
    if (!WriteRecord(p))
        return 0;
    if (!SetKeyValue(p.appPathsOk, p.appPathsKey, "", p.execPath) ||
        !SetKeyValue(p.appPathsOk, p.appPathsKey, "Path", DestinationDir))
        return 0;
    if (!SetKeyValue(p.productOk, p.productKey, "", ""))
        return 0;
    return SetKeyValue(p.uninstallOk, p.uninstallKey, "DisplayName", Settings.DisplayName) &&
           SetKeyValue(p.uninstallOk, p.uninstallKey, "UninstallString", p.commandLine);
}
