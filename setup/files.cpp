// File installation: copying one file, copying a versioned file only when
// the installed copy is older, and the finishing step that records the
// installed directory, adds the program items and copies the documents.
#include "setup/setup.h"
#include "common/record.h"
#include "setup/toolkit.h"
#include "common/removal.h"
#include "common/system.h"

static const char CopyCaption[] = "Setup File Copy";

// Shows a file copy failure: no owner, warning icon.
static void ShowCopyWarning(const char *text)
{
    ShowBox(text, CopyCaption, BOX_WARNING);
}

void ReportCopyError(DWORD error, const char *otherCaption)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
        ShowCopyWarning(MessageText(SLOT_COPY_ACCESS));
        break;
    case ERROR_SHARING_VIOLATION:
        ShowCopyWarning(MessageText(SLOT_COPY_SHARING));
        break;
    case ERROR_DISK_FULL:
        ShowCopyWarning(MessageText(SLOT_COPY_DISK_FULL));
        break;
    default:
        ShowBox("File Copy Error", otherCaption, BOX_WARNING);
        break;
    }
}

// The buffer of the one-pass copy: static, so that memory stays flat,
// and one 64 KB read at a time, so that the tree copy's window is looked
// after between the reads of a long file even from a slow CD.
static BYTE CopyBuffer[64 * 1024];

// What SetFileInformationByHandle takes for its basic-information class
// (0): the times (0 leaves one as it is) and the attributes.
struct BasicFileInfo {
    LARGE_INTEGER creation, access, write, change;
    DWORD attributes;
};
typedef BOOL(WINAPI *SetFileInformationByHandleProc)(HANDLE, int, void *, DWORD);

// Copies every byte of from into to; 1 when all were written. Between
// the reads of a file longer than the buffer betweenReads (when given) is
// called.
static int CopyContents(HANDLE from, HANDLE to, void (*betweenReads)())
{
    for (;;) {
        DWORD got = 0, put = 0;
        if (!ReadFile(from, CopyBuffer, sizeof CopyBuffer, &got, 0))
            return 0;
        if (got == 0)
            return 1;
        if (!WriteFile(to, CopyBuffer, got, &put, 0) || put != got)
            return 0;
        // A short read is the end of a disk file: no further read needed.
        if (got < sizeof CopyBuffer)
            return 1;
        if (betweenReads)
            betweenReads();
    }
}

// Gives the open copy the source's last-write time and normal attributes.
// A file that CreateFile makes gets the archive bit on Windows, and
// SetFileAttributesA after CopyFileA clears it; whether a file system
// keeps attributes set on a handle that has written past that handle's
// close is not certain there, so on Windows the attributes are set by
// name once the copy is closed (*byName), as before. Under Wine (ntdll
// has wine_get_version) attributes come from the file's mode and nothing
// changes them at the close: there the time and the attributes take one
// call on the handle.
static int FinishCopy(HANDLE to, const FILETIME &written, int *byName)
{
    static SetFileInformationByHandleProc setInfo =
        SystemProc("ntdll.dll", "wine_get_version")
            ? SystemProcAs<SetFileInformationByHandleProc>(
                  "kernel32.dll", "SetFileInformationByHandle")
            : 0;
    *byName = !setInfo;
    if (!setInfo)
        return SetFileTime(to, 0, 0, &written);
    BasicFileInfo info;
    ZeroMemory(&info, sizeof info);
    info.write.LowPart = written.dwLowDateTime;
    info.write.HighPart = (LONG)written.dwHighDateTime;
    info.attributes = FILE_ATTRIBUTE_NORMAL;
    return setInfo(to, 0, &info, sizeof info);
}

// The one-pass copy: the source read once into a copy created with normal
// attributes, which then takes the source's last-write time. 1 when all
// of it succeeded; 0 leaves nothing that the full copy after it does not
// overwrite.
static int CopyInOnePass(const char *source, const char *dest,
                         void (*betweenReads)())
{
    HANDLE from = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, 0,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, 0);
    if (from == INVALID_HANDLE_VALUE)
        return 0;
    FILETIME written;
    int ok = GetFileTime(from, 0, 0, &written), byName = 0;
    HANDLE to = INVALID_HANDLE_VALUE;
    if (ok)
        to = CreateFileA(dest, GENERIC_WRITE, 0, 0, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, 0);
    ok = to != INVALID_HANDLE_VALUE && CopyContents(from, to, betweenReads) &&
         FinishCopy(to, written, &byName);
    if (to != INVALID_HANDLE_VALUE && !CloseHandle(to))
        ok = 0;
    CloseHandle(from);
    if (ok && byName)
        ok = SetFileAttributesA(dest, FILE_ATTRIBUTE_NORMAL);
    return ok;
}

// CopyFileA(source, dest, overwrite allowed) followed by
// SetFileAttributesA(dest, FILE_ATTRIBUTE_NORMAL), with the same outcome
// on disk: the same bytes, normal attributes, the source's last-write
// time. The one-pass copy does the ordinary case with about half the
// system calls; any step of it that fails hands the file to CopyFileA
// itself, so that a failure leaves exactly what CopyFileA leaves and its
// error (GetLastError) for the caller's message.
BOOL CopyAsNormalFile(const char *source, const char *dest,
                      void (*betweenReads)())
{
    if (CopyInOnePass(source, dest, betweenReads))
        return TRUE;
    if (!CopyFileA(source, dest, FALSE))
        return FALSE;
    SetFileAttributesA(dest, FILE_ATTRIBUTE_NORMAL);
    return TRUE;
}

// Copies source over dest and clears the attributes of the copy, so that
// files from the read-only CD become writable. Reports a failure by the
// error CopyFileA left; returns 1 or 0.
int CopyOneFile(const char *source, const char *dest)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(source, &found);
    if (search == INVALID_HANDLE_VALUE) {
        ShowCopyWarning(MessageText(SLOT_COPY_NO_SOURCE));
        return 0;
    }
    FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;

    if (CopyAsNormalFile(source, dest, 0))
        return 1;
    ReportCopyError(GetLastError(), CopyCaption);
    return 0;
}

// Copies a versioned file unless the installed copy is current.
// 0 failure, 1 copied, 2 left in place because it is current.
int CopyIfNewer(const char *source, const char *dest)
{
    switch (ProbePath(source)) {
    case 0:
        ShowCopyWarning(MessageText(SLOT_NEWER_NO_SOURCE));
        return 0;
    case 2:
        ShowCopyWarning(MessageText(SLOT_NEWER_SOURCE_DIR));
        return 0;
    }
    switch (ProbePath(dest)) {
    case 0:
        return CopyOneFile(source, dest);
    case 1:
        if (IsInstalledFileCurrent(source, dest))
            return 2;
        return CopyOneFile(source, dest);
    default:
        ShowCopyWarning(MessageText(SLOT_NEWER_DEST_DIR));
        return 0;
    }
}

// "None" marks an absent document key; here letter case counts.
static int IsDocKeyNone(const char *value)
{
    return lstrcmpA(value, "None") == 0;
}

// Records the destination as one [Directory] key of the uninstaller
// settings file. A write that fails is logged and ends an unattended run
// (see StepFailed).
static void RecordDestination(const char *key)
{
    if (RecordDirectory(Settings.IniFileName, key, DestinationDir))
        return;
    char line[96];
    TextFormat(line, sizeof line, "[Directory] %s was not written to %s", key,
               Settings.IniFileName);
    StepFailed(line);
}

// dest = DestinationDir + name; the destination ends in a backslash.
static void DestinationPath(char (&path)[PATH_CAP], const char *name)
{
    TextCopy(path, DestinationDir);
    TextAppend(path, name);
}

// Copies one document into the destination; a failure ends setup.
static void CopyDocument(const char *source, const char *dest)
{
    if (!CopyOneFile(source, dest))
        AbortSetup();
    SetFileAttributesA(dest, FILE_ATTRIBUTE_NORMAL);
}

// The help contents file's name: the help file name cut at its first "."
// followed by ".CNT" (X.HLP gives X.CNT; a name without "." gets ".CNT").
static void ContentsName(const char *helpName, char (&name)[32])
{
    TextCopy(name, helpName);
    for (char *p = name; *p; p = CharNextA(p)) {
        if (*p == '.') {
            *p = '\0';
            break;
        }
    }
    TextAppend(name, ".CNT");
}

// Adds an item of the product's group. One that is not made is logged and
// ends an unattended run (see StepFailed); a person's run goes on.
static void AddItem(const char *title, const char *file)
{
    if (AddProgramItem(Settings.GroupTitle, title, file))
        return;
    char line[160];
    TextFormat(line, sizeof line, "the program item \"%s\" was not made in "
               "the group \"%s\"", title, Settings.GroupTitle);
    StepFailed(line);
}

// Copies the help file and, when the document directory has one, its
// contents file; the help item is added once its file is there (a shell
// makes no item for a file that does not exist).
static void InstallHelpFile()
{
    char source[PATH_CAP], dest[PATH_CAP];
    DestinationPath(dest, Settings.HelpFileNameDst);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, Settings.HelpFileNameSrc);
    CopyDocument(source, dest);
    AddItem(Settings.HelpTitle, dest);

    char contents[32];
    ContentsName(Settings.HelpFileNameSrc, contents);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, contents);
    switch (ProbePath(source)) {
    case 0:
        return;
    case 1:
        ContentsName(Settings.HelpFileNameDst, contents);
        DestinationPath(dest, contents);
        CopyDocument(source, dest);
        return;
    default:
        ShowCopyWarning(MessageText(SLOT_NEWER_SOURCE_DIR));
        AbortSetup();
    }
}

// Copies the text document; its item, once the file is there, only when
// it has a title.
static void InstallTextFile()
{
    char source[PATH_CAP], dest[PATH_CAP];
    DestinationPath(dest, Settings.TextFileNameDst);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, Settings.TextFileNameSrc);
    CopyDocument(source, dest);
    if (!IsDocKeyNone(Settings.TextTitle))
        AddItem(Settings.TextTitle, dest);
}

// The finishing step: records the installed directory for the next run
// and the uninstaller, adds the program items and copies the documents.
// Every failure ends setup.
void InstallDocuments()
{
    HCURSOR previous = TkShowWaitCursor();

    RecordDestination("InstallPath");
    RecordDestination("ExePath");

    char program[PATH_CAP];
    DestinationPath(program, Settings.ExecFileName);
    AddItem(Settings.GameTitle, program);

    if (!IsDocKeyNone(Settings.DocPath) && !IsDocKeyNone(Settings.HelpTitle) &&
        !IsDocKeyNone(Settings.HelpFileNameSrc) && !IsDocKeyNone(Settings.HelpFileNameDst))
        InstallHelpFile();
    if (!IsDocKeyNone(Settings.DocPath) && !IsDocKeyNone(Settings.TextFileNameSrc) &&
        !IsDocKeyNone(Settings.TextFileNameDst))
        InstallTextFile();

    TkRestoreCursor(previous);
    KillDialogs(1);
}
