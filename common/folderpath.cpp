// Path resolution for the removals: the one form of a path that the
// system reaches, whatever alias names it. Device paths, drive letters
// that stand for another folder (SUBST), links whose target is elsewhere,
// short names where the system cannot expand them, trailing dots and
// blanks that the file system ignores, and under Wine the Unix path behind
// a Windows one; from these, whether two paths are one folder and whether
// one folder lies inside another. What may be removed is judged on these
// forms in common/protection.cpp.
// Paths are names (common/filenames.h) unless said otherwise, so that a
// folder whose name the system's code page lacks is resolved as it is.
#include "common/folderpath.h"
#include "common/filenames.h"
#include "common/system.h"
#include "common/text.h"

// The path after an NT prefix "\??\", or 0 when it has none.
const char *AfterNtPrefix(const char *path)
{
    return path[0] == '\\' && path[1] == '?' && path[2] == '?' && path[3] == '\\'
               ? path + 4 : 0;
}

// "\\?\" or "\\.\" (either slash): a path that the system passes on without
// the normalisation every check relies on.
int IsDevicePath(const char *path)
{
    return (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/') &&
           (path[2] == '?' || path[2] == '.') && (path[3] == '\\' || path[3] == '/');
}

// Takes the trailing dots and blanks off every component: the file system
// ignores them, so "C:\Windows. \" is the Windows folder.
void StripTrailingDotsAndBlanks(char *path)
{
    char *out = path, *componentStart = path;
    for (const char *p = path;; p = NameCharNext(p)) {
        if (*p == '\\' || *p == '\0') {
            // Keep "." and ".." components as they are (GetFullPathName
            // has resolved them already) and the "X:" of a drive.
            char *end = out;
            int onlyDots = 1;
            for (char *q = componentStart; q < end; q++)
                if (*q != '.')
                    onlyDots = 0;
            if (!onlyDots)
                while (end > componentStart && (end[-1] == '.' || end[-1] == ' '))
                    end--;
            out = end;
            *out++ = *p;
            if (!*p)
                return;
            componentStart = out;
            continue;
        }
        int size = (int)(NameCharNext(p) - p);
        for (int i = 0; i < size; i++)
            *out++ = p[i];
    }
}

// The long form of an absolute path, component by component through the
// file listing, for a system without GetLongPathNameA (Windows 95). A
// component that does not exist is kept as written. 0 when it does not
// fit.
static int ExpandComponents(const char *absolute, char *full)
{
    char partial[MAX_PATH];
    const char *p = absolute;
    // The root: "X:\" or "\\server\share\".
    int separators = (absolute[0] == '\\' && absolute[1] == '\\') ? 4 : 1;
    int length = 0;
    while (*p && separators) {
        if (*p == '\\')
            separators--;
        partial[length++] = *p++;
    }
    partial[length] = '\0';
    while (*p) {
        const char *end = p;
        while (*end && *end != '\\')
            end = NameCharNext(end);
        char component[MAX_PATH];
        TextCopy(component, p, (int)(end - p) + 1);
        char probe[MAX_PATH];
        FoundName found;
        HANDLE search = INVALID_HANDLE_VALUE;
        if (TextCopy(probe, partial) && TextAppend(probe, component))
            search = FindFirstName(probe, &found);
        if (search != INVALID_HANDLE_VALUE) {
            TextCopy(component, found.cFileName);
            FindClose(search);
        }
        if (!TextAppend(partial, component) || (*end && !TextAppend(partial, "\\")))
            return 0;
        p = *end ? end + 1 : end;
    }
    return TextCopy(full, partial, MAX_PATH);
}

int LongPathOf(const char *absolute, char *full)
{
    switch (LongNameOf(absolute, full)) {
    case 1:
        return 1;
    case 0:
        return TextCopy(full, absolute, MAX_PATH);
    default:
        return ExpandComponents(absolute, full);
    }
}

// The folder that the drive letter of full stands for, when it is a SUBST
// drive ("\??\C:\Windows"), with the rest of full after it, in alias.
// QueryDosDeviceA is looked up: the first Windows 95 lacks it.
int DriveAliasOf(const char *full, char *alias)
{
    auto queryDosDevice = SYSTEM_FUNCTION(QueryDosDeviceA);
    if (!queryDosDevice || !full[0] || full[1] != ':')
        return 0;
    char drive[3] = {full[0], ':', '\0'}, target[MAX_PATH];
    if (!queryDosDevice(drive, target, MAX_PATH))
        return 0;
    // Only a drive that stands for a path ("\??\X:\..."): a disk's device
    // name ("\Device\HarddiskVolume1") is the drive itself.
    const char *folder = AfterNtPrefix(target);
    if (!folder)
        return 0;
    return NameFromSystem(alias, MAX_PATH, folder) &&
           (!full[2] || full[3] == '\0' || TextAppend(alias, full + 2, MAX_PATH));
}

// A handle on a folder (or a file) for its properties only, whoever else
// has it open; links followed. Windows 95 cannot open a folder.
static HANDLE OpenFolder(const char *path)
{
    return OpenNamed(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
}

// The path the system reaches when it opens full (a link at the top or on
// the way followed), where it can tell (GetFinalPathNameByHandleA, Windows
// Vista and later, and Wine), in final without its "\\?\" prefix
// ("\\?\UNC\server\share" becomes "\\server\share").
int FinalPathOf(const char *full, char *final)
{
    HANDLE h = OpenFolder(full);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    char path[MAX_PATH + 8];
    int ok = FinalNameOf(h, path, sizeof path);
    CloseHandle(h);
    if (!ok)
        return 0;
    const char *p = path;
    if (IsDevicePath(p)) {
        p += 4;
        if ((p[0] == 'U' || p[0] == 'u') && (p[1] == 'N' || p[1] == 'n') &&
            (p[2] == 'C' || p[2] == 'c') && p[3] == '\\') {
            final[0] = '\\';
            return TextCopy(final + 1, p + 3, MAX_PATH - 1);
        }
    }
    return TextCopy(final, p, MAX_PATH);
}

// The Unix path of a Windows path under Wine, without a trailing "/" ("/"
// itself stays), in unix (MAX_PATH bytes); 0 outside Wine or when the path
// has none.
int UnixPathOf(const char *path, char *unix)
{
    auto unixName = SYSTEM_FUNCTION(wine_get_unix_file_name);
    WCHAR wide[MAX_PATH];
    if (!unixName || !(WideNames() ? NameToWide(wide, MAX_PATH, path)
                                   : MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH)))
        return 0;
    char *name = unixName(wide);
    if (!name)
        return 0;
    int ok = TextCopy(unix, name, MAX_PATH);
    HeapFree(GetProcessHeap(), 0, name);
    int n = lstrlenA(unix);
    if (n > 1 && unix[n - 1] == '/')
        unix[n - 1] = '\0';
    return ok;
}

// "X:\..." or "\\server\share\...": a path that names its root itself
// ("S:" and "S:ORVA" follow the drive's current folder, "\ORVA" the
// current drive).
static int IsAbsolutePath(const char *path)
{
    if (path[0] && path[1] == ':')
        return path[2] == '\\' || path[2] == '/';
    return (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

// The last separator of a full path that has at least one component
// below its root ("C:\ORVA", "\\server\share\ORVA"), or 0.
static char *LastComponentSeparator(char *full)
{
    int separators = 0, rootSeparators = full[0] == '\\' ? 4 : 1;
    char *last = 0;
    for (char *p = full; *p; p = (char *)NameCharNext(p)) {
        if (*p == '\\') {
            separators++;
            last = p;
        }
    }
    return separators >= rootSeparators && last && last[1] ? last : 0;
}

int ResolveRemovalPath(const char *path, char *resolved)
{
    char absolute[MAX_PATH], full[MAX_PATH], parent[MAX_PATH], final[MAX_PATH];
    if (!IsAbsolutePath(path) || IsDevicePath(path))
        return 0;
    if (!FullNameOf(path, absolute) || !LongPathOf(absolute, full))
        return 0;
    StripTrailingDotsAndBlanks(full);
    RemoveNameBackslash(full);
    char *separator = LastComponentSeparator(full);
    if (!separator)
        return 0;
    // The folder above (with its "\"), as the system reaches it.
    TextCopy(parent, full, (int)(separator - full) + 2);
    if (FinalPathOf(parent, final))
        TextCopy(parent, final, MAX_PATH);
    // The folder's own name as the listing has it (a short name expanded).
    FoundName found;
    const char *name = separator + 1;
    HANDLE search = FindFirstName(full, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        name = found.cFileName;
    }
    return JoinName(resolved, parent, name) && LastComponentSeparator(resolved);
}

// The volume and file index of an existing folder (a link at the top
// followed, as the copy into it would follow it); 0 where the system
// cannot open a folder (Windows 95) or it does not exist.
static int FolderIdentity(const char *path, BY_HANDLE_FILE_INFORMATION *info)
{
    auto getInformation = SYSTEM_FUNCTION(GetFileInformationByHandle);
    if (!getInformation)
        return 0;
    HANDLE h = OpenFolder(path);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    int ok = getInformation(h, info) &&
             (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    return ok;
}

int IsSameFolder(const char *systemA, const char *systemB)
{
    char a[MAX_PATH], b[MAX_PATH];
    if (!NameFromSystem(a, systemA) || !NameFromSystem(b, systemB))
        return !lstrcmpiA(systemA, systemB);
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (FolderIdentity(a, &ia) && FolderIdentity(b, &ib))
        return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
               ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    char ra[MAX_PATH], rb[MAX_PATH];
    if (ResolveRemovalPath(a, ra) && ResolveRemovalPath(b, rb))
        return SameName(ra, rb);
    return SameName(a, b);
}

// 1 when the resolved path inner lies below the resolved path outer.
static int LiesWithin(const char *inner, const char *outer)
{
    char head[MAX_PATH];
    int n = lstrlenA(outer);
    if (lstrlenA(inner) <= n || inner[n] != '\\')
        return 0;
    lstrcpynA(head, inner, n + 1);
    return SameName(head, outer);
}

int FoldersNest(const char *systemA, const char *systemB)
{
    char a[MAX_PATH], b[MAX_PATH], ra[MAX_PATH], rb[MAX_PATH];
    if (!NameFromSystem(a, systemA) || !NameFromSystem(b, systemB) ||
        !ResolveRemovalPath(a, ra) || !ResolveRemovalPath(b, rb))
        return 1;
    return LiesWithin(ra, rb) || LiesWithin(rb, ra);
}

// The full, long form of path without a trailing backslash (a drive root
// keeps its "X:\") and without the trailing dots and blanks of its
// components, which the file system ignores, in full (MAX_PATH bytes); 0
// when it cannot be resolved.
int ResolveDirectory(const char *path, char *full)
{
    char absolute[MAX_PATH];
    if (!FullNameOf(path, absolute) || !LongPathOf(absolute, full))
        return 0;
    StripTrailingDotsAndBlanks(full);
    if (lstrlenA(full) > 3)
        RemoveNameBackslash(full);
    return 1;
}
