// The file functions by a name that may hold characters of any language
// (see filenames.h): one wrapper per function, the wide function where
// the system has it, the byte-string one otherwise; and the walk of a
// directory's listing by names, which the copy, its read-ahead, the
// destination check and the removal share.
#include "common/filenames.h"
#include "common/system.h"

int WideNames()
{
    return WideFileFunctions() != 0;
}

const char *NameCharNext(const char *p)
{
    if (WideNames())
        return *p ? p + 1 : p;
    return CharNextA(p);
}

int SameName(const char *a, const char *b)
{
    return WideNames() ? BytesEqualNoCase(a, b) : !lstrcmpiA(a, b);
}

// ---- conversions

int NameToWide(WCHAR *out, int capacity, const char *name)
{
    // The bytes of ASCII are its UTF-16 units; only other text is converted.
    int i = 0;
    for (; name[i] && !(name[i] & 0x80); i++) {
        if (i >= capacity - 1)
            return 0;
        out[i] = (WCHAR)name[i];
    }
    if (!name[i]) {
        out[i] = 0;
        return 1;
    }
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, out, capacity) > 0;
}

// UTF-16 as a name (UTF-8), in out (capacity bytes); 0 when it does not fit.
static int NameFromWide(char *out, int capacity, const WCHAR *wide)
{
    int i = 0;
    for (; wide[i] && wide[i] < 0x80; i++) {
        if (i >= capacity - 1)
            return 0;
        out[i] = (char)wide[i];
    }
    if (!wide[i]) {
        out[i] = '\0';
        return 1;
    }
    return WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, capacity, 0, 0) > 0;
}

int NameFromSystem(char *out, int capacity, const char *text)
{
    const char *p = text;
    while (*p && !(*p & 0x80))
        p++;
    if (!*p || !WideNames())
        return TextCopy(out, text, capacity);
    WCHAR wide[PATH_CAP];
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, PATH_CAP) > 0 &&
           NameFromWide(out, capacity, wide);
}

int NameFromCodePage(char *out, int capacity, const char *text, UINT codePage)
{
    const char *p = text;
    while (*p && !(*p & 0x80))
        p++;
    if (!*p || codePage == 0 || codePage == GetACP())
        return NameFromSystem(out, capacity, text);
    WCHAR wide[PATH_CAP];
    return WideNames() &&
           MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, wide, PATH_CAP) > 0 &&
           NameFromWide(out, capacity, wide);
}

void NameForDisplay(char *out, int capacity, const char *name)
{
    WCHAR wide[PATH_CAP];
    if (!WideNames() || !NameToWide(wide, PATH_CAP, name)) {
        TextCopy(out, name, capacity);
        return;
    }
    out[0] = '\0';
    for (const WCHAR *w = wide; *w; w++) {
        char one[16];
        BOOL lacking = FALSE;
        int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, 1, one, sizeof one - 1,
                                    0, &lacking);
        if (n <= 0 || lacking)
            TextFormat(one, sizeof one, "<U+%04X>", (unsigned)*w);
        else
            one[n] = '\0';
        if (!TextAppend(out, one, capacity))
            return;
    }
}

// ---- paths

int AppendNameBackslash(char *name, int capacity)
{
    if (!WideNames())
        return AppendBackslash(name, capacity);
    int n = lstrlenA(name);
    return (n && name[n - 1] == '\\') || TextAppend(name, "\\", capacity);
}

void RemoveNameBackslash(char *name)
{
    if (!WideNames()) {
        RemoveBackslash(name);
        return;
    }
    int n = lstrlenA(name);
    if (n && name[n - 1] == '\\')
        name[n - 1] = '\0';
}

int JoinNameIn(char *out, int capacity, const char *dir, const char *name)
{
    return TextCopy(out, dir, capacity) && AppendNameBackslash(out, capacity) &&
           TextAppend(out, name, capacity);
}

int JoinName(char *out, const char *dir, const char *name)
{
    return JoinNameIn(out, PATH_CAP, dir, name);
}

// ---- the file functions

// The wide form of a name for one call; 0 (with the error of a name too
// long) when it has none.
#define WIDE_NAME(var, name)                                \
    WCHAR var[MAX_PATH];                                    \
    if (!NameToWide(var, MAX_PATH, name)) {                 \
        SetLastError(ERROR_FILENAME_EXCED_RANGE);           \
        return 0;                                           \
    }

static void TakeFound(FoundName *found, DWORD attributes, const WCHAR *wide)
{
    found->dwFileAttributes = attributes;
    if (!NameFromWide(found->cFileName, NAME_CAP, wide))
        TextCopy(found->cFileName, "?");
}

static void TakeFound(FoundName *found, const WIN32_FIND_DATAA &data)
{
    found->dwFileAttributes = data.dwFileAttributes;
    TextCopy(found->cFileName, data.cFileName);
}

HANDLE FindFirstName(const char *pattern, FoundName *found)
{
    const WideFileProcs *w = WideFileFunctions();
    HANDLE search;
    if (!w) {
        WIN32_FIND_DATAA data;
        search = FindFirstFileA(pattern, &data);
        if (search != INVALID_HANDLE_VALUE)
            TakeFound(found, data);
        return search;
    }
    WCHAR wide[MAX_PATH];
    if (!NameToWide(wide, MAX_PATH, pattern)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    WIN32_FIND_DATAW data;
    search = w->findFirst(wide, &data);
    if (search != INVALID_HANDLE_VALUE)
        TakeFound(found, data.dwFileAttributes, data.cFileName);
    return search;
}

BOOL FindNextName(HANDLE search, FoundName *found)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w) {
        WIN32_FIND_DATAA data;
        if (!FindNextFileA(search, &data))
            return FALSE;
        TakeFound(found, data);
        return TRUE;
    }
    WIN32_FIND_DATAW data;
    if (!w->findNext(search, &data))
        return FALSE;
    TakeFound(found, data.dwFileAttributes, data.cFileName);
    return TRUE;
}

int WalkDirectory(const char *directory, EntryVisit visit, void *context)
{
    // Longer than PATH_CAP bytes only as UTF-8 under MAX_PATH UTF-16 units.
    char pattern[NAME_CAP];
    WCHAR wide[MAX_PATH];
    if (!JoinNameIn(pattern, NAME_CAP, directory, "*.*") ||
        (lstrlenA(pattern) >= PATH_CAP && (!WideNames() || !NameToWide(wide, MAX_PATH, pattern))))
        return WALK_TOO_LONG;
    FoundName entry;
    HANDLE search = FindFirstName(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return WALK_UNLISTED;
    int go = 1, first = 1;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (!BytesEqual(entry.cFileName, ".") && !BytesEqual(entry.cFileName, "..")))
            go = visit(context, entry, first);
        first = 0;
    } while (go && FindNextName(search, &entry));
    FindClose(search);
    return go != 0;
}

HANDLE OpenNamed(const char *name, DWORD access, DWORD share, DWORD disposition,
                 DWORD flags)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return CreateFileA(name, access, share, 0, disposition, flags, 0);
    WCHAR wide[MAX_PATH];
    if (!NameToWide(wide, MAX_PATH, name)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    return w->createFile(wide, access, share, 0, disposition, flags, 0);
}

DWORD NamedAttributes(const char *name)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return GetFileAttributesA(name);
    WCHAR wide[MAX_PATH];
    if (!NameToWide(wide, MAX_PATH, name)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_FILE_ATTRIBUTES;
    }
    return w->getAttributes(wide);
}

BOOL SetNamedAttributes(const char *name, DWORD attributes)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return SetFileAttributesA(name, attributes);
    WIDE_NAME(wide, name);
    return w->setAttributes(wide, attributes);
}

BOOL DeleteNamed(const char *name)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return DeleteFileA(name);
    WIDE_NAME(wide, name);
    return w->deleteFile(wide);
}

BOOL CreateNamedDirectory(const char *name)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return CreateDirectoryA(name, 0);
    WIDE_NAME(wide, name);
    return w->createDirectory(wide, 0);
}

BOOL RemoveNamedDirectory(const char *name)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return RemoveDirectoryA(name);
    WIDE_NAME(wide, name);
    return w->removeDirectory(wide);
}

BOOL MoveNamed(const char *from, const char *to, DWORD flags)
{
    const WideFileProcs *w = WideFileFunctions();
    auto moveFileEx = !w && flags ? SYSTEM_FUNCTION(MoveFileExA) : 0;
    if (moveFileEx)
        return moveFileEx(from, to, flags);
    if (!w)
        return MoveFileA(from, to);
    WIDE_NAME(wideFrom, from);
    WIDE_NAME(wideTo, to);
    return w->moveFileEx(wideFrom, wideTo, flags);
}

UINT TempNameIn(const char *folder, const char *prefix, char *temp)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return GetTempFileNameA(folder, prefix, 0, temp);
    WIDE_NAME(wideFolder, folder);
    WIDE_NAME(widePrefix, prefix);
    WCHAR wide[MAX_PATH];
    UINT unique = w->getTempFileName(wideFolder, widePrefix, 0, wide);
    return unique && NameFromWide(temp, PATH_CAP, wide) ? unique : 0;
}

int FullNameOf(const char *name, char *full)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w) {
        DWORD n = GetFullPathNameA(name, PATH_CAP, full, 0);
        return n > 0 && n < PATH_CAP;
    }
    WIDE_NAME(wide, name);
    WCHAR result[MAX_PATH];
    DWORD n = w->getFullPathName(wide, MAX_PATH, result, 0);
    return n > 0 && n < MAX_PATH && NameFromWide(full, PATH_CAP, result);
}

int LongNameOf(const char *name, char *full)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w) {
        auto longPath = SYSTEM_FUNCTION(GetLongPathNameA);
        if (!longPath)
            return -1;
        DWORD n = longPath(name, full, PATH_CAP);
        return n > 0 && n < PATH_CAP;
    }
    if (!w->getLongPathName)
        return -1;
    WIDE_NAME(wide, name);
    WCHAR result[MAX_PATH];
    DWORD n = w->getLongPathName(wide, result, MAX_PATH);
    return n > 0 && n < MAX_PATH && NameFromWide(full, PATH_CAP, result);
}

int FinalNameOf(HANDLE handle, char *final, int capacity)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w) {
        typedef DWORD(WINAPI * GetFinalPathNameByHandleAProc)(HANDLE, LPSTR, DWORD, DWORD);
        GetFinalPathNameByHandleAProc finalPath =
            SystemFunctionAs<GetFinalPathNameByHandleAProc>(SF_GetFinalPathNameByHandleA);
        if (!finalPath)
            return 0;
        DWORD n = finalPath(handle, final, capacity, 0);
        return n > 0 && n < (DWORD)capacity;
    }
    if (!w->getFinalPathName)
        return 0;
    WCHAR result[MAX_PATH + 8];
    DWORD n = w->getFinalPathName(handle, result, MAX_PATH + 8, 0);
    return n > 0 && n < MAX_PATH + 8 && NameFromWide(final, capacity, result);
}

DWORD NamedProfileString(const char *section, const char *key, char *value,
                         DWORD size, const char *name)
{
    const WideFileProcs *w = WideFileFunctions();
    if (!w)
        return GetPrivateProfileStringA(section, key, "", value, size, name);
    WCHAR wideName[MAX_PATH], wideSection[64], wideKey[64], result[64];
    value[0] = '\0';
    if (!NameToWide(wideName, MAX_PATH, name) || !NameToWide(wideSection, 64, section) ||
        !NameToWide(wideKey, 64, key))
        return 0;
    DWORD n = w->getProfileString(wideSection, wideKey, L"", result, 64, wideName);
    return NameFromWide(value, size, result) ? n : 0;
}

// ---- links

static const DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// 1 when the handle, opened on name, is open on that entry itself and not
// on what a link there points to.
static int HandleNamesItself(HANDLE h, const char *name)
{
    char final[NAME_CAP + 8];
    // Where the system could tell and did not (a target too long for the
    // buffer), the entry is taken for a link: replacing and deleting it
    // removes a plain file all the same.
    if (!FinalNameOf(h, final, sizeof final))
        return !WideFileFunctions()->getFinalPathName;
    const char *p = final;  // "\\?\" + the path
    if (p[0] == '\\' && p[1] == '\\' && p[2] == '?' && p[3] == '\\')
        p += 4;
    return SameName(p, name);
}

// 1 when an open failed for want of anything there: what a listing gave
// and cannot be opened is a link to nothing.
static int NotFound(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

int NamesItself(const char *name)
{
    if (!WideNames())
        return 1;
    HANDLE h = OpenNamed(name, 0, ShareAll, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE)
        return !NotFound(GetLastError());
    int itself = HandleNamesItself(h, name);
    CloseHandle(h);
    return itself;
}

int DeleteFileItself(const char *name)
{
    const WideFileProcs *w = WideFileFunctions();
    SetFileInformationByHandleProc setInfo =
        w && w->getFinalPathName
            ? SystemFunctionAs<SetFileInformationByHandleProc>(SF_SetFileInformationByHandle)
            : 0;
    if (!setInfo)
        return !NamesItself(name) ? DELETE_NAMES_OTHER : DeleteNamed(name) ? 1 : 0;
    // One handle both tells what it is open on and deletes it at its
    // close (FileDispositionInfo), in the sharing DeleteFile opens with:
    // under Wine the check and the deletion take one open, not two.
    HANDLE h = OpenNamed(name, DELETE, ShareAll, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
    if (h == INVALID_HANDLE_VALUE)
        return NotFound(GetLastError()) ? DELETE_NAMES_OTHER : 0;
    if (!HandleNamesItself(h, name)) {
        CloseHandle(h);
        return DELETE_NAMES_OTHER;
    }
    BOOLEAN deleteIt = TRUE;  // FILE_DISPOSITION_INFO
    int deleted = setInfo(h, 4 /* FileDispositionInfo */, &deleteIt, sizeof deleteIt);
    DWORD error = GetLastError();
    CloseHandle(h);
    SetLastError(error);
    return deleted ? 1 : 0;
}

int ReplaceAndDeleteLink(const char *name)
{
    char folder[NAME_CAP], temp[PATH_CAP];
    TextCopy(folder, name);
    char *last = 0;
    for (char *p = folder; *p; p = (char *)NameCharNext(p))
        if (*p == '\\')
            last = p;
    if (!last)
        return 0;
    *last = '\0';
    if (!TempNameIn(folder, "tql", temp))
        return 0;
    if (!MoveNamed(temp, name, MOVEFILE_REPLACE_EXISTING)) {
        DeleteNamed(temp);
        return 0;
    }
    return NamesItself(name) && DeleteNamed(name);
}
