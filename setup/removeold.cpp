// Removal of an earlier installation from inside the setup program: the
// uninstaller's work, done with the setup program's own configuration,
// when the user chose it in the welcome dialog.
#include "setup/removeold.h"
#include "setup/config.h"
#include "setup/state.h"
#include "common/removal.h"

// Removes the installation in the destination directory (at this point the
// recorded InstallPath), and the folder of one in progress, as the
// uninstaller would, with the setup program's
// caption. The uninstaller in the Windows directory goes only when it is
// the one this product's Add/Remove Programs entry starts; the message
// library stays in place (its count is taken down all the same). Both are
// taken by the names the record gives them, which may be the free names
// setup chose beside another program's files.
void RemoveInstallation()
{
    char directory[PATH_CAP], windowsDir[PATH_CAP], settingsFile[PATH_CAP];
    char uninstPath[PATH_CAP] = "", msgLibraryPath[PATH_CAP] = "";
    char registered[MAX_PATH], candidate[PATH_CAP], uninstName[PATH_CAP], msgName[13];
    char pending[PATH_CAP];
    TextCopy(directory, DestinationDir);
    if (!ReadRecordedPendingPath(pending))
        pending[0] = '\0';
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    int haveWindows = length > 0 && length < sizeof windowsDir;
    // A path that cannot be built names no file: its deletion fails and is
    // reported as for a settings file that cannot be deleted.
    if (!haveWindows || !JoinPath(settingsFile, windowsDir, Settings.IniFileName))
        settingsFile[0] = '\0';
    if (!settingsFile[0] ||
        !ReadRecordValue(settingsFile, REC_UNINST_EXE, uninstName, sizeof uninstName))
        TextCopy(uninstName, Settings.UnInstExe);
    if (!settingsFile[0] ||
        !ReadRecordValue(settingsFile, REC_LOAD_MSG_MODULE, msgName, sizeof msgName))
        TextCopy(msgName, Settings.LoadMsgModule);
    if (haveWindows && RegisteredUninstaller(Settings.ApplicationName, registered) &&
        JoinPath(candidate, windowsDir, uninstName) && !lstrcmpiA(registered, candidate)) {
        TextCopy(uninstPath, candidate);
        JoinPath(msgLibraryPath, windowsDir, msgName);
    }
    InstalledProduct product = {
        Settings.GroupTitle, directory,       settingsFile,     uninstPath,
        msgLibraryPath,      1,               TheProductNames(), Settings.MsgDlgBoxTitle,
        Settings.CheckGameTitle, RecordCodePage(settingsFile), pending};
    RemoveProduct(product);
}
