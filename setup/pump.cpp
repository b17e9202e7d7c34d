// The message pump of the toolkit wrappers (see toolkit.h).
#include "setup/toolkit.h"
#include "setup/ends.h"

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            AbortSetup();
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
