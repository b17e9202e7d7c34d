// The setup program's wrappers of the Setup Toolkit: every toolkit call of
// the program goes through one of these (all in toolkit.cpp), so that no
// failure of the toolkit goes unnoticed and a test can put a toolkit of its
// own in their place by linking another toolkit.cpp. Tk<Name> wraps the
// toolkit's <Name> and passes its arguments unchanged; a failure of a
// function whose name begins with F takes AbortSetup and does not return.
#ifndef SETUP_TOOLKIT_H
#define SETUP_TOOLKIT_H

#include "platform/toolkit.h"

// Frame and installer start-up: their results are examined by the caller
// (InitSetupFrame), which ends setup its own way.
HWND TkInitializeFrame(LPCSTR cmdLine);
BOOL TkInitializeInstall(HINSTANCE frameInstance, HWND frame);

// Results not tested.
HWND TkHwndFrame();
HINSTANCE TkHinstFrame();
HCURSOR TkShowWaitCursor();
// 1 when the toolkit takes path for a directory name (FValidDir): its 0 is
// an answer, not a failure.
int TkValidDir(LPCSTR path);
void TkTerminateFrame();
void TkTerminateInstall();

// A failure takes AbortSetup.
void TkSetBitmap(LPCSTR library, UINT bitmap);
void TkOpenInf(LPCSTR infPath, BOOL check, BOOL reserved);
void TkRestoreCursor(HCURSOR previous);
// Runs one dialog of a custom dialog library modally over the frame (the
// same library holds its help dialog).
void TkDoDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
                LPCSTR helpProc);
// Closes the topmost `count` toolkit dialogs (-1: all of them) and handles
// what their closing left in the queue.
void KillDialogs(int count);
// Removes and dispatches every message waiting in the thread's queue
// (pump.cpp). A WM_QUIT means the program is being ended under it: the
// fatal exit.
void PumpMessages();
// Copies a toolkit symbol's value into the buffer and returns the buffer.
// The buffer is cleared first, so that a short value leaves defined bytes
// behind it (the event code reads two bytes of a one-character word). A
// value that does not fit is a fault of the dialog library: "Buffer
// Overflow", then the fatal exit.
char *GetSymbol(LPCSTR name, char *buffer, int size);
// Sets a toolkit symbol for the next dialog to read.
void SetSymbol(LPCSTR name, LPCSTR value);

// The event code of an event word (the symbol "DLGEVENT" a dialog leaves):
// its first two bytes, each a signed 8-bit character, summed as a 16-bit
// unsigned value. A one-character word adds its terminating zero.
inline UINT EventCode(const char *event)
{
    int sum = static_cast<signed char>(event[0]) +
              static_cast<signed char>(event[1]);
    return static_cast<WORD>(sum);
}

#endif
