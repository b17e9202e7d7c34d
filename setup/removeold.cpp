// Removal of an earlier installation from inside the setup program: the
// uninstaller's work, done with the setup program's own configuration,
// when the user chose it in the welcome dialog.
#include "setup.h"
#include "common/removal.h"

// Removes the installation in the destination directory (at this point the
// recorded InstallPath) as the uninstaller would, with the setup program's
// caption, the settings file before the registry keys. The message library
// stays in place: setup still uses it.
void RemoveInstallation()
{
    char directory[PATH_CAP], windowsDir[PATH_CAP], settingsFile[PATH_CAP];
    TextCopy(directory, DestinationDir);
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    // A path that cannot be built names no file: its deletion fails and is
    // reported as for a settings file that cannot be deleted.
    if (length == 0 || length >= sizeof windowsDir ||
        !JoinPath(settingsFile, windowsDir, Settings.IniFileName))
        settingsFile[0] = '\0';
    InstalledProduct product = {
        Settings.GroupTitle, directory, settingsFile, Settings.UnInstExe, nullptr,
        {Settings.ExecFileName, Settings.ProductName, Settings.ProductVersion,
         Settings.ApplicationName},
        Settings.MsgDlgBoxTitle};
    RemoveProduct(product, 1);
}
