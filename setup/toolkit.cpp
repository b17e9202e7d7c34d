// The setup program's wrappers of the Setup Toolkit (see toolkit.h): a
// failure ends in the program's fatal exit.
#include "setup/toolkit.h"
#include "setup/ends.h"

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

int TkValidDir(LPCSTR path)
{
    return FValidDir(path) ? 1 : 0;
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

// The toolkit's own message box, for GetSymbol's fault.
static int TkDoMsgBox(LPCSTR text, LPCSTR caption, UINT style)
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

void TkDoDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
                LPCSTR helpProc)
{
    if (!FDoDialogExt(TkHwndFrame(), library, templ, proc, library, helpTempl,
                      helpProc))
        AbortSetup();
}

void KillDialogs(int count)
{
    if (!FKillNDialogs(count))
        AbortSetup();
    PumpMessages();
}

char *GetSymbol(LPCSTR name, char *buffer, int size)
{
    if (name == nullptr || *name == '\0')
        AbortSetup();
    ZeroMemory(buffer, size);
    UINT length = CbGetSymbolValue(name, buffer, size);
    if (length >= static_cast<UINT>(size)) {
        TkDoMsgBox("Buffer Overflow", "ORVA Setup Error", MB_ICONHAND);
        AbortSetup();
    }
    return buffer;
}

void SetSymbol(LPCSTR name, LPCSTR value)
{
    if (!FSetSymbolValue(name, value))
        AbortSetup();
}
