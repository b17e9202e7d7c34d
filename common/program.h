// What each program provides to the shared removal code: its message table,
// its message-box caption and the names of the installed product. The setup
// program takes the names from TQL.INI, the uninstaller from its settings
// file; buffer sizes differ between the two programs, hence the unsized
// declarations.
#ifndef COMMON_PROGRAM_H
#define COMMON_PROGRAM_H

#include <windows.h>
#include "../platform/msglib.h"

extern UINT_PTR MessageTable[MSG_TABLE_SLOTS];

// "Uninstall" in the uninstaller, the MsgDlgBoxTitle setting in setup.
extern const char *ProgramCaption;

// Names of the installed product's registry keys.
extern char ExecFileName[];
extern char ProductName[];
extern char ProductVersion[];
extern char ApplicationName[];

// The text of a message-table slot that holds a text.
inline const char *MessageText(int slot)
{
    return reinterpret_cast<const char *>(MessageTable[slot]);
}

#endif
