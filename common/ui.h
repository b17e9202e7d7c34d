// What both programs show the user: every message box goes through ShowBox
// (so that its styles have names and a run without a screen has one place
// to take the messages), the message library that holds the texts and
// dialogs of a language, and the centring of the programs' own dialogs.
#ifndef COMMON_UI_H
#define COMMON_UI_H

#include <windows.h>
#include "platform/msglib.h"

// The styles of the programs' message boxes.
#define BOX_PLAIN   MB_OK
#define BOX_WARNING MB_ICONWARNING   // the copy's and removal's own warnings
// Warnings and questions that must be seen: system-modal and in front.
#define BOX_ALERT   (MB_ICONWARNING | MB_SYSTEMMODAL | MB_SETFOREGROUND)
#define BOX_NOTICE  (MB_ICONINFORMATION | MB_SYSTEMMODAL | MB_SETFOREGROUND)

// Shows a message box without owner; returns the button that closed it.
// While BoxHook is set (an unattended run), the hook takes the message
// instead and its result is returned.
int ShowBox(const char *text, const char *caption, UINT style);
typedef int (*BoxHookProc)(const char *text, const char *caption, UINT style);
extern BoxHookProc BoxHook;
// Starts a run that nobody watches: every message box goes to the hook,
// and the system shows none of its own either (a drive that is not ready,
// a CD that cannot be read, a program that crashes), so that nothing can
// wait for an answer.
void SilenceBoxes(BoxHookProc hook);

// The message table the message library's MsgSetup fills (BindMessageLibrary).
extern UINT_PTR MessageTable[MSG_TABLE_SLOTS];

// The text of a message-table slot that holds a text.
inline const char *MessageText(int slot)
{
    return reinterpret_cast<const char *>(MessageTable[slot]);
}

// The dialog template number held by a slot of the message table.
inline UINT MessageTemplate(int slot)
{
    return static_cast<UINT>(MessageTable[slot]);
}

// Shows the text of a message-table slot.
int ShowSlot(int slot, const char *caption, UINT style);

// Loads the message library of that name (the program's own directory is
// searched first), finds MsgSetup and lets it fill MessageTable. The library
// stays loaded: the table points into it. 0 after a message with the given
// caption when it cannot be loaded or has no MsgSetup.
HMODULE BindMessageLibrary(const char *name, const char *caption);

// Puts the built-in texts of a language (platform/msgtexts.h) into every
// slot of the message table that the library left empty, so that a library
// of another or an older make shows our words rather than crash a program.
void FillEmptySlots(const MessageSlotText *texts, int count);
// 1 when the built-in texts are to be the Japanese ones: the system's
// language is Japanese (the uninstaller's choice; setup follows its own).
int SystemIsJapanese();

// Moves window to the centre of the reference window's size; the
// reference's own position is not added (the desktop starts at 0,0).
void CentreWindow(HWND window, HWND reference);

#endif
