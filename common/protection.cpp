// The protection decision of the removals: whether a folder is one that no
// removal may take nor any installation write into: drive and share roots,
// administrative shares, the Windows, system, shell and program folders,
// under Wine the folders of the host system that drive Z: reaches, and
// every folder holding one of them. A path is judged in its resolved form
// (common/folderpath.cpp) and again under each other name the system gives
// it (the folder of a SUBST drive, the target of a link), and refused
// outright when it cannot be resolved.
// Paths are names (common/filenames.h) unless said otherwise.
#include "common/protection.h"
#include "common/folderpath.h"
#include "common/removal.h"
#include "common/filenames.h"
#include "common/system.h"
#include "common/text.h"
#include <shlobj.h>

// "\\server\share$..." : the hidden shares (C$, ADMIN$) that name a whole
// drive or the Windows folder of a machine, this one included.
int IsAdministrativeShare(const char *path)
{
    if (!(path[0] == '\\' || path[0] == '/') || !(path[1] == '\\' || path[1] == '/'))
        return 0;
    const char *p = path + 2;
    while (*p && *p != '\\' && *p != '/')
        p = NameCharNext(p);
    if (!*p)
        return 0;
    const char *share = ++p, *last = 0;
    for (; *p && *p != '\\' && *p != '/'; p = NameCharNext(p))
        last = p;
    return last && last >= share && *last == '$';
}

// 1 when the Unix path dir is folder or lies above it (Unix names keep
// their letter case).
static int HoldsUnixFolder(const char *dir, const char *folder)
{
    if (BytesEqual(dir, "/"))
        return 1;
    int i = 0;
    while (dir[i] && dir[i] == folder[i])
        i++;
    return dir[i] == '\0' && (folder[i] == '\0' || folder[i] == '/');
}

// Under Wine (ntdll exports wine_get_version), drive Z: reaches the whole
// Unix file system: refuse the Unix root and its top-level folders
// ("/home", "/usr"), and the user's Unix home with every folder above it.
int IsWineHostFolder(const char *path)
{
    if (!SystemFunction(SF_wine_get_version))
        return 0;
    char unix[MAX_PATH];
    if (!UnixPathOf(path, unix))
        return 0;
    int depth = 0;
    for (const char *p = unix; *p; p++)
        if (*p == '/' && p[1])
            depth++;
    if (depth <= 1)
        return 1;
    // Wine names the home as "\??\Z:\home\<name>".
    char home[MAX_PATH], homeName[MAX_PATH], homeUnix[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 0;
    const char *dosHome = AfterNtPrefix(home);
    return NameFromSystem(homeName, dosHome ? dosHome : home) &&
           UnixPathOf(homeName, homeUnix) &&
           HoldsUnixFolder(unix, homeUnix);
}

// Shell folders that no removal may take, nor any directory holding one.
static const int ShellFolders[] = {
    CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_FONTS,
    CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON,
    CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU,
    CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA,
    CSIDL_FAVORITES, CSIDL_TEMPLATES, CSIDL_MYPICTURES, CSIDL_MYMUSIC,
    CSIDL_MYVIDEO, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU,
    CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTUP, CSIDL_COMMON_APPDATA,
    CSIDL_COMMON_DOCUMENTS,
};

// The native program folders of 64-bit Windows. A 32-bit program there gets
// "Program Files (x86)" from the shell for CSIDL_PROGRAM_FILES (and its
// Common Files for CSIDL_PROGRAM_FILES_COMMON); only these environment
// variables name the folders of 64-bit programs. Windows 95 has neither.
static const char *const NativeProgramFolders[] = {
    "ProgramW6432", "CommonProgramW6432",
};

// A drive root ("C:\") or the root of a network share ("\\server\share").
static int IsRootDirectory(const char *full)
{
    if (full[0] && full[1] == ':')
        return full[2] == '\0' || (full[2] == '\\' && full[3] == '\0');
    if (full[0] != '\\' || full[1] != '\\')
        return 0;
    int separators = 0;
    for (const char *p = full + 2; *p; p = NameCharNext(p))
        if (*p == '\\' && p[1])
            separators++;
    return separators < 2;
}

// 1 when the resolved directory dir equals folder (a path of the system,
// text of its code page) or lies above it.
static int HoldsFolder(const char *dir, const char *folder)
{
    char name[MAX_PATH], resolved[MAX_PATH];
    if (!folder[0] || !NameFromSystem(name, folder) || !ResolveDirectory(name, resolved))
        return 0;
    int length = lstrlenA(dir);
    if (lstrlenA(resolved) < length)
        return 0;
    char next = resolved[length];
    if (next != '\0' && next != '\\')
        return 0;
    resolved[length] = '\0';
    return SameName(dir, resolved);
}

// 1 when dir holds one of the shell's folders of this user or all users.
static int HoldsShellFolder(const char *dir)
{
    char folder[MAX_PATH];
    for (int csidl : ShellFolders)
        if (ShellFolderPath(csidl, folder) && HoldsFolder(dir, folder))
            return 1;
    return 0;
}

// 1 when dir holds a native program folder of 64-bit Windows.
static int HoldsNativeProgramFolder(const char *dir)
{
    char folder[MAX_PATH];
    for (const char *name : NativeProgramFolders) {
        DWORD n = GetEnvironmentVariableA(name, folder, MAX_PATH);
        if (n && n < MAX_PATH && HoldsFolder(dir, folder))
            return 1;
    }
    return 0;
}

// 1 when the resolved path full is a drive or share root, an
// administrative share, the Windows or system folder, a shell or program
// folder, a folder of the host system under Wine, or holds one of them.
static int IsProtectedPath(const char *full)
{
    char folder[MAX_PATH];
    if (IsRootDirectory(full) || IsAdministrativeShare(full))
        return 1;
    if (GetWindowsDirectoryA(folder, MAX_PATH) && HoldsFolder(full, folder))
        return 1;
    if (GetSystemDirectoryA(folder, MAX_PATH) && HoldsFolder(full, folder))
        return 1;
    return HoldsShellFolder(full) || HoldsNativeProgramFolder(full) ||
           IsWineHostFolder(full);
}

// 1 when the alias (another name of the candidate, as a name) cannot be
// resolved or names a protected folder.
static int IsProtectedAlias(const char *alias)
{
    char full[MAX_PATH];
    return !ResolveDirectory(alias, full) || IsProtectedPath(full);
}

int IsProtectedName(const char *dir)
{
    char full[MAX_PATH], alias[MAX_PATH];
    if (!dir[0] || IsDevicePath(dir) || IsAdministrativeShare(dir) ||
        !ResolveDirectory(dir, full) || IsProtectedPath(full))
        return 1;
    // What the path stands for: the folder of a SUBST drive letter, and the
    // folder the system reaches through links on the way or at the top.
    if (DriveAliasOf(full, alias) && IsProtectedAlias(alias))
        return 1;
    return FinalPathOf(full, alias) && IsProtectedAlias(alias);
}

int IsProtectedDirectory(const char *dir)
{
    char name[MAX_PATH];
    return !NameFromSystem(name, dir) || IsProtectedName(name);
}
