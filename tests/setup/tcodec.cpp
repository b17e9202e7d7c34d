// A stand-in codec driver for the tests: a DLL whose only use is its
// version resource, built once per version the tests compare.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT WINAPI DriverProc(DWORD_PTR, HANDLE,
                                                           UINT, LPARAM, LPARAM)
{
    return 0;
}
