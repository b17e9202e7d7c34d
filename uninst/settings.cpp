// The uninstaller settings: read once from the settings file that setup
// left in the Windows directory, before the message library is loaded, so
// every message here is a fixed English text. Which values there are, and
// how each is read, is the record's (common/record.cpp); this file finds
// the one file to read.
#include "uninst.h"

UninstallSettings Settings;

// Checks that the settings file exists; 1 when it was found. A failure to
// close the search is reported but does not stop the load.
static int FindSettingsFile()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Settings.SettingsPath, &found);
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
    for (const char *p = Settings.SettingsPath; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            bare = 0;
    UINT n = bare ? GetWindowsDirectoryA(windows, PATH_CAP)
                  : GetFullPathNameA(Settings.SettingsPath, PATH_CAP, full, 0);
    if (n == 0 || n >= PATH_CAP || (bare && !JoinPath(full, windows, Settings.SettingsPath)))
        return;
    TextCopy(Settings.SettingsPath, full);
}

// Fills the uninstaller settings from the settings file; stops at the first
// required value that is missing, after its message.
int LoadUninstallSettings()
{
    ResolveSettingsPath();
    return FindSettingsFile() && ReadUninstallSettings(&Settings, ShowMessage);
}
