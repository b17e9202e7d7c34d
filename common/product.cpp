// The removal of an installed product, the same whether the uninstaller
// runs it or setup removes an earlier installation. What is deleted must
// be shown to be the product's; what is already gone counts as removed;
// the record that lists the product (Add/Remove Programs entry, the files
// in the Windows directory, settings file) goes last, and only when
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

// Tells that the uninstaller settings file cannot be deleted; 0.
static int SettingsFileStays(const InstalledProduct &product)
{
    ShowSlot(SLOT_INI_NOT_DELETED, product.caption, BOX_ALERT);
    return 0;
}

// 1 when the uninstaller settings file can be deleted now, or is gone: it
// is not read-only and opens for writing without sharing, as no other
// program then holds it. Otherwise the record is not touched, after its
// message.
static int SettingsFileMayGo(const InstalledProduct &product)
{
    DWORD attributes = GetFileAttributesA(product.settingsFile);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return SettingsFileStays(product);
    HANDLE file = CreateFileA(product.settingsFile, GENERIC_WRITE, 0, 0, OPEN_EXISTING, 0, 0);
    if (file != INVALID_HANDLE_VALUE || GetLastError() == ERROR_FILE_NOT_FOUND) {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        return 1;
    }
    return SettingsFileStays(product);
}

// Takes the product's use of a Windows-directory file away once (see
// MarkReleased): a removal cut off and run again never takes another
// product's use with it; cut off between the mark and the count, the file
// stays counted.
static void ReleaseOnce(const InstalledProduct &product, RecordKey key, const char *path,
                        int stays)
{
    if (path[0] && MarkReleased(product.settingsFile, key, path))
        ReleaseWindowsFile(path, stays);
}

// The record goes last, in an order that a removal cut off at any moment
// can finish by running again with the same settings file: the Add/Remove
// Programs entry, then the product's use of the Windows-directory files
// (the running uninstaller and its message library are deleted at the
// next start, when no other product uses them), then the settings file.
static int RemoveRecord(const InstalledProduct &product)
{
    if (!SettingsFileMayGo(product) || !DeleteUninstallEntry(product.names, product.caption))
        return 0;
    ReleaseOnce(product, REC_UNINST_EXE, product.uninstPath, 0);
    ReleaseOnce(product, REC_LOAD_MSG_MODULE, product.msgLibraryPath, product.msgLibraryStays);
    return DeleteFileA(product.settingsFile) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           SettingsFileStays(product);
}

// Removes one recorded installation folder: 0 when a deletion failed,
// 1 when it is gone, 2 when it is left (told to the user).
static int RemoveInstalledTree(const InstalledProduct &product, const char *dir)
{
    switch (RemoveRecordedTree(dir, product.recordCodePage, FileNameOf(product.settingsFile),
                               product.names, product.caption)) {
    case TREE_LEFT:
        return 2;
    case TREE_FAILED:
        return 0;
    default:
        return 1;
    }
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
    // The folder of a copy that did not finish goes with the installation.
    int trees = product.pendingPath && product.pendingPath[0] ? 2 : 1;
    const char *dirs[] = {product.installPath, product.pendingPath};
    for (int i = 0; i < trees; i++) {
        int outcome = RemoveInstalledTree(product, dirs[i]);
        failed |= outcome == 0;
        left |= outcome == 2;
    }
    if (!DeleteProductKeys(product.names, product.installPath, product.settingsFile,
                           product.caption))
        failed = 1;
    if (!failed && !RemoveRecord(product))
        failed = 1;
    ShowSlot(failed || left ? SLOT_REMOVE_FAILED : SLOT_REMOVED, product.caption, BOX_ALERT);
    return !failed && !left ? REMOVAL_DONE : REMOVAL_FAILED;
}
