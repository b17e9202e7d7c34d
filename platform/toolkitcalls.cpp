// The setup program's wrappers of the Setup Toolkit (see toolkitcalls.h).
// Compiled into Tql.exe only: a failure ends in the program's fatal exit.
#include "platform/toolkitcalls.h"
#include "setup/setup.h"

// Starts the toolkit frame; 0 or (HWND)-1 on failure, for the caller to judge.
HWND TkInitializeFrame(LPCSTR cmdLine)
{
    return InitializeFrame(cmdLine);
}

// Readies the toolkit's installer; FALSE is judged by the caller.
BOOL TkInitializeInstall(HINSTANCE frameInstance, HWND frame)
{
    return FInitializeInstall(frameInstance, frame);
}

// The toolkit frame window, as the toolkit knows it.
HWND TkHwndFrame()
{
    return HwndFrame();
}

// The toolkit frame's instance handle.
HINSTANCE TkHinstFrame()
{
    return HinstFrame();
}

// Shows the hourglass; gives the cursor to restore afterwards.
HCURSOR TkShowWaitCursor()
{
    return HShowWaitCursor();
}

// Closes the toolkit frame.
void TkTerminateFrame()
{
    TerminateFrame();
}

// Closes the toolkit's installer.
void TkTerminateInstall()
{
    TerminateInstall();
}

// The toolkit's own message box.
int TkDoMsgBox(LPCSTR text, LPCSTR caption, UINT style)
{
    return DoMsgBox(text, caption, style);
}

// Sets the frame's background bitmap from a library.
void TkSetBitmap(LPCSTR library, UINT bitmap)
{
    if (!FSetBitmap(library, bitmap))
        AbortSetup();
}

// Opens the toolkit INF file.
void TkOpenInf(LPCSTR infPath, BOOL check, BOOL reserved)
{
    if (!FOpenInf(infPath, check, reserved))
        AbortSetup();
}

// Brings back the cursor that TkShowWaitCursor replaced.
void TkRestoreCursor(HCURSOR previous)
{
    if (!FRestoreCursor(previous))
        AbortSetup();
}
