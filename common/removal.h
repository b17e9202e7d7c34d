// The removal and clean-up code shared by the setup program and the
// uninstaller: directory trees, deletion at the next Windows start, Program
// Manager groups over DDE and the product's registry keys. Every function
// returns 1 for success and 0 for failure unless said otherwise.
#ifndef COMMON_REMOVAL_H
#define COMMON_REMOVAL_H

#include <windows.h>

// The installed product's names that its registry keys are built from.
struct ProductNames {
    const char *execFileName;     // App Paths entry
    const char *productName;      // product key below the maker's key
    const char *productVersion;   // version key below the product key
    const char *applicationName;  // Add/Remove Programs entry
};

// What a removal takes away, and the caption of its messages.
struct InstalledProduct {
    const char *groupTitle;       // Program Manager group
    const char *installPath;      // the product's directory
    const char *settingsFile;     // the uninstaller settings file
    const char *uninstExe;        // bare names in the Windows directory,
    const char *msgLibrary;       // deleted at the next start (0: kept)
    ProductNames names;
    const char *caption;
};

// ---- product.cpp: the removal of an installed product
// Removes the group, the directory tree, the registry keys and the settings
// file, and schedules the uninstaller (and the message library) in the
// Windows directory for deletion at the next start. No step stops the later
// ones; one final message (slot 28 or 33) tells the outcome. The settings
// file goes before the registry keys when settingsFirst is set, after them
// otherwise. 1 when every step succeeded.
int RemoveProduct(const InstalledProduct &product, int settingsFirst);

// ---- dirtree.cpp: directory tree removal
// Deletes everything below dir (with or without a trailing backslash); the
// directory itself stays. Stops at the first failure after its message.
int EmptyDirectoryTree(const char *dir);
// Deletes dir and everything below it. Refuses, with a message, a drive
// root, a Windows or shell folder, or a directory holding one of them.
int RemoveDirectoryTree(const char *dir);
// 1 when dir is a drive root, a Windows or shell folder, or holds one of
// them (or cannot be resolved to a full path at all).
int IsProtectedDirectory(const char *dir);

// ---- wininit.cpp: deletion at the next Windows start (WININIT.INI [rename])
// 1 when an entry "nul=path" was written, 0 when it was already there. On
// the NT family the deletion is also registered with the system.
int ScheduleDeleteAtRestart(const char *path);
// 1 when the entry "nul=path" (or the system's pending deletion of path on
// the NT family) was taken out, 0 when there was none.
int CancelScheduledDelete(const char *path);
// Schedules the file name of the Windows directory (where setup put the
// uninstaller and the message library) for deletion; whatever a settings
// file holds, nothing outside that directory: 0, nothing scheduled, unless
// name is a bare file name.
int ScheduleWindowsFileDelete(const char *name);
// 1 when name is a plain file name: no drive, directory part or wildcard,
// and more than dots and blanks.
int IsBareFileName(const char *name);
// Offset of the first entry of a section block equal to entry (without
// regard to case), or -1.
int FindSectionEntry(const char *block, const char *entry);
// Offset of the block's final zero byte (0 for a block without entries).
int SectionBlockLength(const char *block);

// ---- progman.cpp: Program Manager groups over DDE
// Creates the group (or finds it) and adds an item that starts commandLine.
int AddProgramItem(const char *group, const char *item,
                   const char *commandLine);
// Deletes the group.
int DeleteProgramGroup(const char *group);
// 1 when group can name a folder below the Programs folder: no part of it
// (between backslashes or slashes) is empty or made of dots and blanks.
int CheckGroupName(const char *group);
// The command texts as they are sent; 0 when the Program Manager would
// refuse a name (empty, a double quote, a group part of dots) or the
// command does not fit its buffer. Used by the CD checker too.
int FormatGroupCommand(char *command, int capacity, const char *verb,
                       const char *group);
int FormatItemCommand(char *command, int capacity, const char *item,
                      const char *commandLine);

// ---- productreg.cpp: the product's registry keys
// The roots of the product's keys under HKEY_LOCAL_MACHINE, and the
// capacity of a key path built from them.
#define KEY_CAP 256
extern const char AppPathsRoot[];   // ...\App Paths\<ExecFileName>
extern const char ProductRoot[];    // SOFTWARE\ORVA\<ProductName>\<version>
extern const char UninstallRoot[];  // ...\Uninstall\<ApplicationName>
// Deletes the App Paths, version, product and uninstall keys named by the
// product's names; a failure is told with the caption.
int DeleteProductRegistry(const ProductNames &names, const char *caption);
// 1 when name can stand for one key below a parent key: not empty, not made
// of backslashes and blanks only, no leading backslash and no two
// backslashes in a row, so that a key path built from it never names the
// parent key itself.
int CheckKeyName(const char *name);

#endif
