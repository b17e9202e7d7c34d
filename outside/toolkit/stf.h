// Inside the Setup Toolkit: what its DLLs call of one another, and what a
// custom dialog library calls of the toolkit. Not for the setup program,
// which uses only platform/toolkit.h.
//
// How a custom dialog library works with the toolkit:
// - FDoDialogExt loads the library by name, finds the dialog procedure by
//   its exported name and creates the template modeless over the frame
//   (CreateDialogParamA; lParam of WM_INITDIALOG is the template number).
// - The procedure reads its input symbols with CbGetSymbolValue and writes
//   its output symbols with FSetSymbolValue, then reports the event word of
//   the pressed button with StfDialogEvent. FDoDialogExt returns then; the
//   dialog stays on screen, disabled, until FKillNDialogs closes it or
//   FDoDialogExt runs it again.
// - The Help button (ID 1999) calls StfDialogHelp, which runs the help
//   template given to FDoDialogExt over the dialog until it is destroyed
//   (the help procedure destroys its window on IDOK).
#ifndef OUTSIDE_TOOLKIT_STF_H
#define OUTSIDE_TOOLKIT_STF_H

#include "platform/toolkit.h"

// The window property that marks a dialog waiting for the user (value: the
// template number cast to HANDLE). See the README, "Driving the programs as
// a user would".
#define STF_TEMPLATE_PROP "TemplateNumber"

// The symbol that receives the event word of a dialog.
#define STF_EVENT_SYMBOL "DLGEVENT"

// Capacities of the symbol store (mscomstf.dll). A name or value that does
// not fit is refused, never cut.
#define STF_SYMBOLS      64
#define STF_NAME_CAP     64
#define STF_VALUE_CAP    1024

// mscomstf.dll: stores a symbol; FSetSymbolValue of msshlstf.dll calls it,
// so that one store serves both DLLs.
COM_API BOOL WINAPI StfSetSymbol(LPCSTR name, LPCSTR value);

// msuilstf.dll: called by a dialog procedure of a custom dialog library.
// StfDialogEvent stores the word in "DLGEVENT" and ends the wait of the
// dialog; FALSE when the dialog is not waiting. StfDialogHelp runs the
// dialog's help dialog; FALSE when it has none or it cannot be created.
UIL_API BOOL WINAPI StfDialogEvent(HWND dialog, LPCSTR word);
UIL_API BOOL WINAPI StfDialogHelp(HWND dialog);

#endif
