// The files setup puts into the Windows folder (windowsfiles.cpp): the
// rules their names from TQL.INI must follow before anything is written by
// them, the proof that a file already there is this system's own, and the
// free name beside a file that is not.
#ifndef SETUP_WINDOWSFILES_H
#define SETUP_WINDOWSFILES_H

#include <windows.h>

// What is wrong with a name (0: nothing).
enum {
    NAME_GOOD = 0,
    NAME_NOT_PLAIN,     // empty, a drive or folder, "." or "..", a device,
                        // a character no file name holds, a trailing dot or blank
    NAME_BLANK,         // a blank where a command line would split at it
    NAME_OF_SYSTEM,     // one of the system's own INI files
    NAME_TAKEN,         // another file of setup's in the Windows folder has it
    NAME_NOT_A_RECORD,  // a file of the Windows folder that is no product's record
};
// Lead bytes of the code page a name is in (the checker's names are code
// page 932 bytes whatever its own code page is).
typedef int (*LeadByteTest)(unsigned char byte);
// The first fault of a single file name by the rules every Windows takes:
// NAME_NOT_PLAIN or NAME_GOOD.
int FileNameFault(const char *name, LeadByteTest isLead);
// The fault of a name of the Windows folder: a plain file name, not a
// system INI file's, without a blank where blankFree.
int WindowsNameFault(const char *name, int blankFree);
// The end of a start-up message for a fault ("is not a plain file name...").
const char *WindowsNameFaultText(int fault);

// The names setup gives to its files in the Windows folder, as TQL.INI
// sets them: the uninstaller, the language's message library, the
// settings file.
struct WindowsName {
    const char *key;
    const char *value;
    int blankFree;
};
// The fault of names[index] among count names: its own, or NAME_TAKEN
// when an earlier one is the same name.
int WindowsNameFaultAmong(const WindowsName *names, int index);
// The three names as the settings give them: UnInstExe, IniFileName and
// the language's LoadMsgModule, in the order they are checked.
#define WINDOWS_NAMES 3
void SettingsWindowsNames(WindowsName (&names)[WINDOWS_NAMES]);
// Setup's start-up check of the three names: 1, or 0 after a start-up
// message that names the key and the value of the first with a fault.
int CheckWindowsFileNames();
// The start-up message of a fault of key=value.
void ShowWindowsNameFault(const char *key, const char *value, int fault);

// 1 when the file at path is this system's own component (COMPONENT_...
// of platform/component.h): its version record says so, or it holds the
// same bytes as source.
int IsOwnWindowsFile(const char *path, const char *component, const char *source);
// Deletes the file name of dir that a copy of source cut off left (the
// record noted it, common/record.h), when it holds the bytes source
// begins with: the name is then free again. 1 when it was deleted.
int TakeBackUnfinishedCopy(const char *dir, const char *name, const char *source);
// The name under which a component goes into the Windows folder (dir,
// ending in "\" or not): wanted, unless a file of that name is there that
// is not this system's own; then the first such name beside it with a
// digit 1 to 9 after the stem ("UNINST1.EXE"), free or holding this
// system's own component. In chosen (capacity bytes); 0 when none is.
int ChooseWindowsFileName(const char *dir, const char *wanted, const char *component,
                          const char *source, char *chosen, int capacity);

#endif
