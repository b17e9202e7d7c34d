// The toolkit's message box (mscomstf.dll).
#include "outside/toolkit/stf.h"

// Shows a system message box without owner, brought to the foreground
// (the frame covers the screen), and returns the button pressed.
int WINAPI DoMsgBox(LPCSTR text, LPCSTR caption, UINT style)
{
    return MessageBoxA(0, text ? text : "", caption ? caption : "",
                       style | MB_SETFOREGROUND);
}
