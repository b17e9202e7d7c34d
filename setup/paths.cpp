// The path operations of the setup program: the drive prefix of the
// start-up directory, the probe of a path, the creation of a directory
// path. The text helpers for backslashes are in common/text.h, the file
// functions by a name that may be wide in common/filenames.h.
#include "setup/paths.h"
#include "setup/config.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/filenames.h"

void FixDrivePrefix()
{
    char current[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current)
        current[0] = '\0';
    DrivePrefixOf(current, Settings.DrivePrefix);
}

void DrivePrefixOf(const char *path, char (&prefix)[3])
{
    prefix[0] = '\0';
    if (!path[0] || path[1] != ':')
        return;
    char letter = path[0];
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') {
        prefix[0] = letter;
        prefix[1] = ':';
        prefix[2] = '\0';
    }
}

// True when the name names nothing for certain: its attributes show no
// such file or path and it holds none of the characters that the
// directory search takes as wildcards. It costs a fraction of a directory
// search, and the tree copy probes every destination file, which in a
// first installation is never there.
static int IsSurelyAbsent(const char *name)
{
    for (const char *p = name; *p; p++)
        if (*p == '*' || *p == '?' || *p == '<' || *p == '>' || *p == '"')
            return 0;
    if (NamedAttributes(name) != INVALID_FILE_ATTRIBUTES)
        return 0;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

int ProbeName(const char *name)
{
    if (IsSurelyAbsent(name))
        return 0;
    FoundName found;
    HANDLE search = FindFirstName(name, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    if (!FindClose(search)) {
        ShowBox("Can't Closed Find Handle", "Setup Initialize error", BOX_ALERT);
        return 0;
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

int ProbePath(const char *path)
{
    char name[PATH_CAP];
    return NameFromSystem(name, path) ? ProbeName(name) : 0;
}

// One level of the destination: created, or already a directory. Anything
// else (a file of that name, a name the drive refuses) is reported.
static int CreateLevel(const char *dir)
{
    if (CreateNamedDirectory(dir))
        return 1;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        DWORD attributes = NamedAttributes(dir);
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return 1;
    }
    ShowBox("Can't create directory", Settings.MsgDlgBoxTitle, BOX_WARNING);
    return 0;
}

// Creates every missing level of a full path "X:\a\b\c" given as a name.
// Steps through it by its characters, so the second byte of a double-byte
// character is never taken for a separator. Returns 1 when every level is
// a directory. A path longer than its level buffer is refused before
// anything is made: a cut level would create a directory of another name.
int MakeDirectoryName(const char *path)
{
    char level[PATH_CAP];
    if (lstrlenA(path) >= PATH_CAP)
        return 0;
    const char *p = path;
    for (int i = 0; i < 3 && *p; i++)  // past "X:\"
        p = NameCharNext(p);
    for (; *p; p = NameCharNext(p)) {
        if (*p != '\\')
            continue;
        TextCopy(level, path, (int)(p - path) + 1);
        if (!CreateLevel(level))
            return 0;
    }
    return CreateLevel(path);
}

int MakeDirectoryPath(const char *path)
{
    char name[PATH_CAP];
    return NameFromSystem(name, path) && MakeDirectoryName(name);
}
