// The removal of an installed product, the same whether the uninstaller
// runs it or setup removes an earlier installation.
#include "common/removal.h"
#include "common/ui.h"

// Deletes the uninstaller settings file; 0 after its message.
static int DeleteSettingsFile(const InstalledProduct &product)
{
    if (DeleteFileA(product.settingsFile))
        return 1;
    ShowSlot(SLOT_INI_NOT_DELETED, product.caption, BOX_ALERT);
    return 0;
}

int RemoveProduct(const InstalledProduct &product, int settingsFirst)
{
    int failed = 0;
    DeleteProgramGroup(product.groupTitle);
    if (!RemoveDirectoryTree(product.installPath))
        failed = 1;
    if (settingsFirst && !DeleteSettingsFile(product))
        failed = 1;
    // A running uninstaller and its loaded message library cannot go now.
    ScheduleWindowsFileDelete(product.uninstExe);
    if (product.msgLibrary)
        ScheduleWindowsFileDelete(product.msgLibrary);
    if (!DeleteProductRegistry(product.names, product.caption))
        failed = 1;
    if (!settingsFirst && !DeleteSettingsFile(product))
        failed = 1;
    ShowSlot(failed ? SLOT_REMOVE_FAILED : SLOT_REMOVED, product.caption,
             BOX_ALERT);
    return !failed;
}
