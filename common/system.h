// What differs between the Windows families the programs run on, and the
// system functions that not every Windows has.
#ifndef COMMON_SYSTEM_H
#define COMMON_SYSTEM_H

#include <windows.h>

// 1 on Windows NT and its successors (2000, XP ... 11), 0 on Windows
// 95/98/Me: the high bit of GetVersion, as programs of that time tell.
int IsNtFamily();

// Another system than the one the programs run on, as a test sees it: the
// branches of Windows and of Windows 95 are tested under Wine on the NT
// family this way. hideWine makes SystemFunction(SF_wine_get_version)
// answer 0 (Windows, not Wine); hideNtFamily makes IsNtFamily answer 0
// (Windows 95/98, which also takes the wide file functions away). The
// programs never set it.
struct SystemPretence {
    bool hideWine, hideNtFamily;
};
extern SystemPretence PretendSystem;

// The functions that not every Windows has, looked up at run time so that
// the programs still start on Windows 95 (which is all they import): one
// row each, with its library and the first Windows that has it. The wide
// file functions come first, in the order of WideFileProcs. A SHELL32 row
// is looked for in shell32.dll, then in shfolder.dll (which Windows 95 gets
// with later components). On 32-bit Windows SetWindowLongPtrW is
// SetWindowLongW.
#define SYSTEM_FUNCTIONS(F)                                                  \
    F(KERNEL32, FindFirstFileW, "NT 3.1")                                    \
    F(KERNEL32, FindNextFileW, "NT 3.1")                                     \
    F(KERNEL32, CreateFileW, "NT 3.1")                                       \
    F(KERNEL32, GetFileAttributesW, "NT 3.1")                                \
    F(KERNEL32, SetFileAttributesW, "NT 3.1")                                \
    F(KERNEL32, DeleteFileW, "NT 3.1")                                       \
    F(KERNEL32, CreateDirectoryW, "NT 3.1")                                  \
    F(KERNEL32, RemoveDirectoryW, "NT 3.1")                                  \
    F(KERNEL32, MoveFileExW, "NT 3.1")                                       \
    F(KERNEL32, GetTempFileNameW, "NT 3.1")                                  \
    F(KERNEL32, GetFullPathNameW, "NT 3.1")                                  \
    F(KERNEL32, GetPrivateProfileStringW, "NT 3.1")                          \
    F(KERNEL32, GetLongPathNameW, "2000")                                    \
    F(KERNEL32, GetFinalPathNameByHandleW, "Vista")                          \
    F(KERNEL32, GetDiskFreeSpaceExA, "95 OSR2, NT 4.0")                      \
    F(KERNEL32, GetLongPathNameA, "98, 2000")                                \
    F(KERNEL32, GetFinalPathNameByHandleA, "Vista")                          \
    F(KERNEL32, MoveFileExA, "NT 3.1")                                       \
    F(KERNEL32, QueryDosDeviceA, "NT 3.1; not the first Windows 95")         \
    F(KERNEL32, GetFileInformationByHandle, "NT 3.1")                        \
    F(KERNEL32, SetFileInformationByHandle, "Vista")                         \
    F(KERNEL32, wine_get_unix_file_name, "Wine only")                        \
    F(NTDLL, wine_get_version, "Wine only")                                  \
    F(ADVAPI32, OpenProcessToken, "NT 3.1")                                  \
    F(ADVAPI32, LookupPrivilegeValueA, "NT 3.1")                             \
    F(ADVAPI32, AdjustTokenPrivileges, "NT 3.1")                             \
    F(ADVAPI32, RegQueryValueExW, "NT 3.1")                                  \
    F(ADVAPI32, RegSetValueExW, "NT 3.1")                                    \
    F(ADVAPI32, RegDeleteValueW, "NT 3.1")                                   \
    F(USER32, CallWindowProcW, "NT 3.1")                                     \
    F(USER32, DefWindowProcW, "NT 3.1")                                      \
    F(USER32, SetWindowLongPtrW, "NT 3.1 (SetWindowLongW), 64-bit XP")       \
    F(SHELL32, SHGetFolderPathA, "2000, Me; shfolder.dll on 95")

// The rows by number: SF_ and the function's name.
enum SystemFunctionRow {
#define SYSTEM_FUNCTION_ROW(library, name, since) SF_##name,
    SYSTEM_FUNCTIONS(SYSTEM_FUNCTION_ROW)
#undef SYSTEM_FUNCTION_ROW
};

// Wine's own functions (declared here only for their types).
extern "C" const char *__cdecl wine_get_version();
extern "C" char *__cdecl wine_get_unix_file_name(LPCWSTR);
// SetFileInformationByHandle, which the headers for Windows 95 do not
// declare; the class is a FILE_INFO_BY_HANDLE_CLASS.
typedef BOOL(WINAPI *SetFileInformationByHandleProc)(HANDLE, int, void *, DWORD);

// The function of a row, or 0 where the system lacks it. Its library is
// loaded when it is not loaded yet.
FARPROC SystemFunction(int row);

// The function of a row by its name, as a pointer of its own type, or 0:
// SYSTEM_FUNCTION(GetDiskFreeSpaceExA).
template <typename Proc> inline Proc SystemFunctionAs(int row)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void *>(SystemFunction(row)));
}
#define SYSTEM_FUNCTION(name) SystemFunctionAs<decltype(&name)>(SF_##name)

// The wide (UTF-16) file functions (the table's first rows), looked up
// once: every one of them on the NT family (and under Wine), 0 on Windows
// 95/98, whose kernel32 has only failing stubs of them. GetLongPathNameW and
// GetFinalPathNameByHandleW may be 0 on an older NT.
struct WideFileProcs {
    decltype(&FindFirstFileW) findFirst;
    decltype(&FindNextFileW) findNext;
    decltype(&CreateFileW) createFile;
    decltype(&GetFileAttributesW) getAttributes;
    decltype(&SetFileAttributesW) setAttributes;
    decltype(&DeleteFileW) deleteFile;
    decltype(&CreateDirectoryW) createDirectory;
    decltype(&RemoveDirectoryW) removeDirectory;
    decltype(&MoveFileExW) moveFileEx;
    decltype(&GetTempFileNameW) getTempFileName;
    decltype(&GetFullPathNameW) getFullPathName;
    decltype(&GetPrivateProfileStringW) getProfileString;
    decltype(&GetLongPathNameW) getLongPathName;
    DWORD(WINAPI *getFinalPathName)(HANDLE, LPWSTR, DWORD, DWORD);
};
const WideFileProcs *WideFileFunctions();

// The path of a shell folder (a CSIDL_ number) in path (MAX_PATH bytes);
// 0 when the system cannot tell (no SHGetFolderPathA).
int ShellFolderPath(int csidl, char *path);

// ---- pending.cpp: deletion at the next start on the NT family, which
// ignores WININIT.INI and carries out only the operations registered with
// MoveFileEx (the registry value PendingFileRenameOperations).
// 1 when the deletion of path was registered, 0 when it was already, when
// this is not the NT family, or when the system refused (no
// administrator rights).
int SchedulePendingDelete(const char *path);
// 1 when the pending deletion of path (and only that pair of the value)
// was taken out, 0 when there was none.
int CancelPendingDelete(const char *path);

#endif
