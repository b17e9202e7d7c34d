// The removal and clean-up code shared by the setup program and the
// uninstaller: directory trees, deletion at the next Windows start, Program
// Manager groups over DDE and the product's registry keys. Every function
// returns 1 for success and 0 for failure unless said otherwise.
#ifndef COMMON_REMOVAL_H
#define COMMON_REMOVAL_H

#include <windows.h>
#include "common/record.h"

// What a removal takes away, and the caption of its messages.
struct InstalledProduct {
    const char *groupTitle;       // Program Manager group
    const char *installPath;      // the product's directory
    const char *settingsFile;     // the uninstaller settings file, full path
    // The uninstaller and the message library in the Windows directory, as
    // full paths proven to be the product's ("": none); counted as shared
    // files and deleted at the next start when no other product uses them.
    const char *uninstPath;
    const char *msgLibraryPath;
    int msgLibraryStays;          // setup's removal: the library stays
    ProductNames names;
    const char *caption;
    const char *gameTitle;        // the running game's window title
    UINT recordCodePage;          // the settings file's (0: the system's)
    // The folder of an installation in progress that the record holds
    // beside installPath (a copy that did not finish); null or "": none.
    const char *pendingPath;
};

// ---- product.cpp: the removal of an installed product
// Removes the group, the directory trees (each when it is proven the
// product's) and the product's keys; then, only when none of that failed
// and the settings file can go, the Add/Remove Programs entry, the
// product's use of the Windows-directory files and the settings file last,
// so that a removal that failed or was cut off part way can run again
// from what is left. A part proven gone counts as removed.
// One final message (slot 28 or 33) tells the outcome. While the game
// runs nothing is removed: its files are in use, and a removal would
// break it half way; the user is told to close it.
#define REMOVAL_DONE         1  // everything is gone
#define REMOVAL_FAILED       0  // a step failed or something was left
#define REMOVAL_GAME_RUNNING 2  // nothing removed: the game runs
int RemoveProduct(const InstalledProduct &product);

// ---- dirtree.cpp: directory tree removal
// Deletes everything below dir (with or without a trailing backslash); the
// directory itself stays. Stops at the first failure after its message.
int EmptyDirectoryTree(const char *dir);
// Deletes dir and everything below it. Refuses, with a message, a drive
// root, a Windows or shell folder, or a directory holding one of them.
int RemoveDirectoryTree(const char *dir);
// 1 when dir is a drive root, a Windows or shell folder, or holds one of
// them (or cannot be resolved to a full path at all); protection.cpp.
int IsProtectedDirectory(const char *dir);
// The removal of a product's installation folder: acts only on the
// folder's resolved path, and only when the folder is proven the
// product's (it holds the product settings file settingsName, naming the
// product, which goes last). A folder counts as removed only when it is
// proven absent (the folder above it can be listed); one that cannot be
// reached fails, with a message naming it. A protected or unproven one,
// or a link, is left with a message naming it, and so is a folder inside
// that holds another product's installation.
#define TREE_REMOVED 1
#define TREE_LEFT    2  // refused, told to the user; retrying cannot help
#define TREE_FAILED  0  // a deletion failed, after its message
int RemoveProductTree(const char *dir, const char *settingsName, const ProductNames &names,
                      const char *caption);
// The same for dir as a record written under codePage holds it (0: the
// system's); where it cannot be read as that, it cannot be reached.
int RemoveRecordedTree(const char *dir, UINT codePage, const char *settingsName,
                       const ProductNames &names, const char *caption);

// ---- wininit.cpp: deletion at the next Windows start (WININIT.INI [rename])
// 1 when an entry "nul=path" was written, 0 when it was already there. On
// the NT family the deletion is also registered with the system.
int ScheduleDeleteAtRestart(const char *path);
// 1 when the entry "nul=path" (or the system's pending deletion of path on
// the NT family) was taken out, 0 when there was none.
int CancelScheduledDelete(const char *path);
// 1 when path names a file directly in the Windows directory, where setup
// puts the uninstaller and the message library.
int IsWindowsDirectoryFile(const char *path);
// Takes the product's use of that file away (a shared-file count) and
// schedules its deletion at the next start when no other product uses it
// (never when stays is set). 0, nothing done, for any other path.
int ReleaseWindowsFile(const char *path, int stays);
// Offset of the first entry of a section block equal to entry (without
// regard to case), or -1.
int FindSectionEntry(const char *block, const char *entry);
// Offset of the block's final zero byte (0 for a block without entries).
int SectionBlockLength(const char *block);

// ---- progman.cpp: Program Manager groups over DDE
// Creates the group (or finds it) and adds an item that starts commandLine.
int AddProgramItem(const char *group, const char *item,
                   const char *commandLine);
// The AddProgramItem calls between these two share one conversation
// instead of opening one each: the shell gets the same commands in the
// same order, and setup saves the shell's start and end of a conversation
// per item (under Wine a third of the items' time). Where it cannot be
// opened, each item opens its own.
void OpenProgramItems();
void CloseProgramItems();
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
// Deletes the App Paths entry (only when it names the product's executable
// in installPath), the version key with every other version the settings
// file records, and the product key (only when no other version is left
// below it), each with whatever lies below it. A key already gone counts
// as deleted; a key that stays is told with the caption. 0 for names that
// cannot name the product's keys.
int DeleteProductKeys(const ProductNames &names, const char *installPath,
                      const char *settingsFile, const char *caption);
// Deletes the product's Add/Remove Programs entry, the same way.
int DeleteUninstallEntry(const ProductNames &names, const char *caption);

#endif
