// A message library whose MsgSetup never returns: the checker must end it.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI MsgSetup(UINT_PTR *)
{
    Sleep(INFINITE);
}
