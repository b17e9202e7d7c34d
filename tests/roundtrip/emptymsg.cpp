// A message library of another make: the dialogs of ours (built from the
// same resources) but a MsgSetup that fills no slot of the table at all.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI MsgSetup(UINT_PTR *)
{
}
