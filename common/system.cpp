// The Windows family and the functions looked up at run time.
#include "common/system.h"

int IsNtFamily()
{
    return (GetVersion() & 0x80000000) == 0;
}

FARPROC SystemProc(const char *library, const char *name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);
    return module ? GetProcAddress(module, name) : 0;
}
