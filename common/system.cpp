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

// The table's names, in the order of its members; the required ones first.
static const char *const WideFileNames[] = {
    "FindFirstFileW", "FindNextFileW", "CreateFileW", "GetFileAttributesW",
    "SetFileAttributesW", "DeleteFileW", "CreateDirectoryW", "RemoveDirectoryW",
    "MoveFileExW", "GetTempFileNameW", "GetFullPathNameW", "GetPrivateProfileStringW",
    "GetLongPathNameW", "GetFinalPathNameByHandleW"};
static const int WideFileRequired = 12;
static_assert(sizeof(WideFileProcs) == sizeof WideFileNames / sizeof *WideFileNames *
                                           sizeof(FARPROC), "one name per member");

const WideFileProcs *WideFileFunctions()
{
    static WideFileProcs procs;
    static int state;  // 0 not looked up, 1 complete, 2 missing
    if (!IsNtFamily())
        return 0;
    if (!state) {
        FARPROC *slot = reinterpret_cast<FARPROC *>(&procs);
        state = 1;
        for (int i = 0; i < (int)(sizeof WideFileNames / sizeof *WideFileNames); i++) {
            slot[i] = SystemProc("kernel32.dll", WideFileNames[i]);
            if (!slot[i] && i < WideFileRequired)
                state = 2;
        }
    }
    return state == 1 ? &procs : 0;
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
