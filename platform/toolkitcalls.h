// The setup program's wrappers of the Setup Toolkit: every toolkit call of
// the program goes through one of these, so that no failure of the toolkit
// goes unnoticed. Tk<Name> wraps the toolkit's <Name> and passes its
// arguments unchanged; a failure of a function whose name begins with F
// takes AbortSetup and does not return.
//
// The dialog and symbol functions are wrapped by RunDialog, KillDialogs,
// GetSymbol and SetSymbol (setup/dialogs.cpp). FValidDir is called directly:
// its 0 is an answer, not a failure.
#ifndef PLATFORM_TOOLKITCALLS_H
#define PLATFORM_TOOLKITCALLS_H

#include "platform/toolkit.h"

// Frame and installer start-up: their results are examined by the caller
// (InitSetupFrame), which ends setup its own way.
HWND TkInitializeFrame(LPCSTR cmdLine);
BOOL TkInitializeInstall(HINSTANCE frameInstance, HWND frame);

// Results not tested.
HWND TkHwndFrame();
HINSTANCE TkHinstFrame();
HCURSOR TkShowWaitCursor();
void TkTerminateFrame();
void TkTerminateInstall();
int TkDoMsgBox(LPCSTR text, LPCSTR caption, UINT style);

// A failure takes AbortSetup.
void TkSetBitmap(LPCSTR library, UINT bitmap);
void TkOpenInf(LPCSTR infPath, BOOL check, BOOL reserved);
void TkRestoreCursor(HCURSOR previous);

#endif
