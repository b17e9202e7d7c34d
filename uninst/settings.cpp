// The uninstaller settings: read once from the settings file that setup
// left in the Windows directory, before the message library is loaded, so
// every message here is a fixed English text.
#include "uninst.h"
#include "common/record.h"

char SettingsPath[PATH_CAP];
char InstallPath[PATH_CAP];
char PendingInstallPath[PATH_CAP];
char ProductName[33];
char ProductVersion[33];
char ApplicationName[33];
char ExecFileName[PATH_CAP];
char UninstWinTitle[33];
char UninstallMsg0[17];
char UninstallMsg1[129];
char UninstallMsg2[17];
char LoadMsgModule[13];
char UnInstExe[PATH_CAP];
char GroupTitle[PATH_CAP];
char CheckGameTitle[33];

// Reads one key of the settings file into its buffer; a longer value is
// cut to capacity - 1 by the profile reader itself.
static void ReadSetting(const char *section, const char *key,
                        const char *fallback, char *buffer, int capacity)
{
    GetPrivateProfileStringA(section, key, fallback, buffer, capacity,
                             SettingsPath);
}

// Reads a required key; "None" in any letter case counts as missing, and
// then the given message is shown and 0 returned.
static int ReadRequired(const char *section, const char *key, char *buffer,
                        int capacity, const char *message)
{
    ReadSetting(section, key, "None", buffer, capacity);
    if (lstrcmpiA(buffer, "None") == 0) {
        ShowMessage(message);
        return 0;
    }
    return 1;
}

// Checks that the settings file exists; 1 when it was found. A failure to
// close the search is reported but does not stop the load.
static int FindSettingsFile()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(SettingsPath, &found);
    if (search == INVALID_HANDLE_VALUE) {
        ShowMessage("No uninstaller initialize file was found.");
        return 0;
    }
    if (!FindClose(search))
        ShowMessage("Can't Closed Find Handle.");
    return 1;
}

// Makes the settings path the one file that is read and later deleted: a
// bare file name is in the Windows directory, as the profile functions
// take it; any other path is made absolute (from the current directory,
// as the file functions would take it). Left as it is when that does not
// fit.
static void ResolveSettingsPath()
{
    char full[PATH_CAP], windows[PATH_CAP];
    int bare = 1;
    for (const char *p = SettingsPath; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            bare = 0;
    UINT n = bare ? GetWindowsDirectoryA(windows, PATH_CAP)
                  : GetFullPathNameA(SettingsPath, PATH_CAP, full, 0);
    if (n == 0 || n >= PATH_CAP || (bare && !JoinPath(full, windows, SettingsPath)))
        return;
    TextCopy(SettingsPath, full);
}

// Fills the uninstaller settings from the settings file; stops at the first
// required value that is missing, after its message.
int LoadUninstallSettings()
{
    ResolveSettingsPath();
    if (!FindSettingsFile())
        return 0;
    if (!ReadRequired("Directory", "InstallPath", InstallPath,
                      sizeof InstallPath, "Can't Get Install Path faild."))
        return 0;
    // A copy of setup that did not finish: its folder goes too.
    ReadSetting("Directory", PendingInstallKey, "", PendingInstallPath,
                sizeof PendingInstallPath);
    ReadSetting("UnInstall", "ProductName", "ORVA PC", ProductName,
                sizeof ProductName);
    ReadSetting("UnInstall", "ProductVersion", "1.0", ProductVersion,
                sizeof ProductVersion);
    ReadSetting("UnInstall", "ApplicationName", "ORVA PC", ApplicationName,
                sizeof ApplicationName);
    ReadSetting("UnInstall", "ExecFileName", "ORVA.EXE", ExecFileName,
                sizeof ExecFileName);
    if (!ReadRequired("Uninstall", "UninstWinTitle", UninstWinTitle,
                      sizeof UninstWinTitle, "UninstWinTitle Load faild.") ||
        !ReadRequired("Uninstall", "UninstallMsg0", UninstallMsg0,
                      sizeof UninstallMsg0, "UninstallMsg0 Load faild.") ||
        !ReadRequired("Uninstall", "UninstallMsg1", UninstallMsg1,
                      sizeof UninstallMsg1, "UninstallMsg1 Load faild.") ||
        !ReadRequired("Uninstall", "UninstallMsg2", UninstallMsg2,
                      sizeof UninstallMsg2, "UninstallMsg2 Load faild.") ||
        !ReadRequired("UnInstall", "LoadMsgModule", LoadMsgModule,
                      sizeof LoadMsgModule,
                      "Message resource template Load faild."))
        return 0;
    ReadSetting("UnInstall", "UnInstExe", "UNINST.EXE", UnInstExe,
                sizeof UnInstExe);
    // A record written before the title was kept: the product's own game.
    ReadSetting("UnInstall", "CheckGameTitle", "ORVA", CheckGameTitle,
                sizeof CheckGameTitle);
    return ReadRequired("UnInstall", "GroupTitle", GroupTitle,
                        sizeof GroupTitle, "GroupTitle Load faild.");
}
