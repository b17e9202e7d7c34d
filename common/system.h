// What differs between the Windows families the programs run on, and the
// system functions that not every Windows has.
#ifndef COMMON_SYSTEM_H
#define COMMON_SYSTEM_H

#include <windows.h>

// 1 on Windows NT and its successors (2000, XP ... 11), 0 on Windows
// 95/98/Me: the high bit of GetVersion, as programs of that time tell.
int IsNtFamily();

// A function of a system library that may not exist on every Windows
// (looked up at run time, so that the programs still start on Windows 95),
// or 0. The library is loaded when it is not loaded yet.
FARPROC SystemProc(const char *library, const char *name);

// The function cast to the type of its pointer, or 0.
template <typename Proc> inline Proc SystemProcAs(const char *library, const char *name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void *>(SystemProc(library, name)));
}

// The wide (UTF-16) file functions, looked up once: every one of them on
// the NT family (and under Wine), 0 on Windows 95/98, whose kernel32 has
// only failing stubs of them. GetLongPathNameW and
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
// 0 when the system cannot tell. SHGetFolderPathA is looked up in shell32,
// else in shfolder.dll, which Windows 95 gets with later components.
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
