// The toolkit's installer state (msinsstf.dll): the frame that the
// installation runs over.
#include "outside/toolkit/stf.h"

static HINSTANCE InstallInstance;
static HWND InstallFrame;

// Readies the installer for the frame; FALSE without an instance or
// without a live frame window.
BOOL WINAPI FInitializeInstall(HINSTANCE frameInstance, HWND frame)
{
    if (frameInstance == 0 || frame == 0 || !IsWindow(frame))
        return FALSE;
    InstallInstance = frameInstance;
    InstallFrame = frame;
    return TRUE;
}

// Forgets the frame.
void WINAPI TerminateInstall(void)
{
    InstallInstance = 0;
    InstallFrame = 0;
}
