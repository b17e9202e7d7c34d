// A message library whose MsgSetup crashes: the checker must survive it.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI MsgSetup(UINT_PTR *table)
{
    volatile UINT_PTR *nowhere = nullptr;
    table[0] = *nowhere;
}
