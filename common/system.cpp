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

typedef HRESULT(WINAPI *SHGetFolderPathAProc)(HWND, int, HANDLE, DWORD, LPSTR);

int ShellFolderPath(int csidl, char *path)
{
    SHGetFolderPathAProc getFolder =
        SystemProcAs<SHGetFolderPathAProc>("shell32.dll", "SHGetFolderPathA");
    if (!getFolder)
        getFolder = SystemProcAs<SHGetFolderPathAProc>("shfolder.dll", "SHGetFolderPathA");
    return getFolder && getFolder(0, csidl, 0, 0 /* SHGFP_TYPE_CURRENT */, path) == S_OK;
}
