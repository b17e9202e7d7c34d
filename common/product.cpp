// The removal of an installed product, the same whether the uninstaller
// runs it or setup removes an earlier installation. What is deleted must
// be shown to be the product's; what is already gone counts as removed;
// the record that lists the product (settings file, Add/Remove Programs
// entry, the files in the Windows directory) goes last, and only when
// nothing failed before it, so that a removal can always run again.
#include "common/removal.h"
#include "common/system.h"
#include "common/text.h"
#include "common/ui.h"
#include <shlobj.h>

// The program group, unless the shell deleted it or it is not there (as
// a folder of the Programs menu of this user or of all users).
static int RemoveProgramGroup(const char *group)
{
    if (DeleteProgramGroup(group))
        return 1;
    static const int programFolders[] = {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS};
    char folder[MAX_PATH];
    for (int csidl : programFolders)
        if (ShellFolderPath(csidl, folder) && AppendBackslash(folder, MAX_PATH) &&
            TextAppend(folder, group, MAX_PATH) &&
            GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES)
            return 0;
    return 1;
}

// The file name part of a path.
static const char *FileNameOf(const char *path)
{
    const char *name = path;
    for (const char *p = path; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}

// Deletes the uninstaller settings file (gone already counts); 0 after its
// message.
static int DeleteSettingsFile(const InstalledProduct &product)
{
    if (DeleteFileA(product.settingsFile) || GetLastError() == ERROR_FILE_NOT_FOUND)
        return 1;
    ShowSlot(SLOT_INI_NOT_DELETED, product.caption, BOX_ALERT);
    return 0;
}

// The record goes last: the settings file, then the Add/Remove Programs
// entry (so that an entry never outlives a settings file it could run
// with), then the product's use of the Windows-directory files. The
// running uninstaller and its loaded message library cannot go now; they
// are deleted at the next start, when no other product uses them.
static int RemoveRecord(const InstalledProduct &product)
{
    if (!DeleteSettingsFile(product) || !DeleteUninstallEntry(product.names, product.caption))
        return 0;
    ReleaseWindowsFile(product.uninstPath, 0);
    ReleaseWindowsFile(product.msgLibraryPath, product.msgLibraryStays);
    return 1;
}

int RemoveProduct(const InstalledProduct &product)
{
    // Found by its window title, as setup finds it before it installs.
    if (product.gameTitle[0] && FindWindowA(0, product.gameTitle)) {
        ShowSlot(SLOT_GAME_RUNNING, product.caption, BOX_ALERT);
        return REMOVAL_GAME_RUNNING;
    }
    int failed = 0, left = 0;
    if (!RemoveProgramGroup(product.groupTitle))
        left = 1;  // the user deletes the folder; no later run could
    switch (RemoveRecordedTree(product.installPath, product.recordCodePage,
                               FileNameOf(product.settingsFile), product.names,
                               product.caption)) {
    case TREE_LEFT:
        left = 1;
        break;
    case TREE_FAILED:
        failed = 1;
        break;
    }
    if (!DeleteProductKeys(product.names, product.installPath, product.settingsFile,
                           product.caption))
        failed = 1;
    if (!failed && !RemoveRecord(product))
        failed = 1;
    ShowSlot(failed || left ? SLOT_REMOVE_FAILED : SLOT_REMOVED, product.caption, BOX_ALERT);
    return !failed && !left ? REMOVAL_DONE : REMOVAL_FAILED;
}
