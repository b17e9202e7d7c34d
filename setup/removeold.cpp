// Removal of an earlier installation from inside the setup program: the
// uninstaller's work, done with the setup program's own configuration,
// when the user chose it in the welcome dialog.
#include "setup.h"
#include "common/removal.h"

// Style of the removal's messages: exclamation, system modal, foreground.
#define REMOVE_MB_STYLE (MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_SETFOREGROUND)

// Shows a message-table text with the setup program's message caption.
static void ShowRemovalMessage(int slot)
{
    MessageBoxA(NULL, MessageText(slot), MsgDlgBoxTitle, REMOVE_MB_STYLE);
}

// Removes the installation in the destination directory (at this point the
// recorded InstallPath): group, tree, settings file, scheduled deletion of
// the uninstaller, registry keys; no step stops the later ones, and one
// final message tells the outcome. The message library stays in place.
void RemoveInstallation()
{
    int failed = 0;
    DeleteProgramGroup(GroupTitle);

    char directory[PATH_CAP];
    TextCopy(directory, DestinationDir);
    if (!RemoveDirectoryTree(directory))
        failed = 1;

    // The settings file goes before the registry keys.
    char path[PATH_CAP] = "";
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    int dirOk = length > 0 && length < sizeof path && AppendBackslash(path);
    if (!dirOk || !TextAppend(path, IniFileName) || !DeleteFileA(path)) {
        ShowRemovalMessage(SLOT_INI_NOT_DELETED);
        failed = 1;
    }
    ScheduleWindowsFileDelete(UnInstExe);

    if (!DeleteProductRegistry())
        failed = 1;
    ShowRemovalMessage(failed ? SLOT_REMOVE_FAILED : SLOT_REMOVED);
}
