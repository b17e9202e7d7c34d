// File installation: copying one file, copying a versioned file only when
// the installed copy is older, and the finishing step that records the
// installed directory, adds the program items and copies the documents.
#include "setup/setup.h"
#include "setup/toolkit.h"
#include "common/removal.h"

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

    if (CopyFileA(source, dest, FALSE)) {
        SetFileAttributesA(dest, FILE_ATTRIBUTE_NORMAL);
        return 1;
    }
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

// Writes one [Directory] key of the uninstaller settings file unless it
// already reads as a number (a directory path never does).
static void RecordDirectory(const char *key)
{
    if (GetPrivateProfileIntA("Directory", key, 0, Settings.IniFileName) == 0)
        WritePrivateProfileStringA("Directory", key, DestinationDir,
                                   Settings.IniFileName);
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

// Copies the help file and, when the document directory has one, its
// contents file; the help item is added first.
static void InstallHelpFile()
{
    char source[PATH_CAP], dest[PATH_CAP];
    DestinationPath(dest, Settings.HelpFileNameDst);
    AddProgramItem(Settings.GroupTitle, Settings.HelpTitle, dest);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, Settings.HelpFileNameSrc);
    CopyDocument(source, dest);

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

// Copies the text document; its item only when it has a title.
static void InstallTextFile()
{
    char source[PATH_CAP], dest[PATH_CAP];
    DestinationPath(dest, Settings.TextFileNameDst);
    if (!IsDocKeyNone(Settings.TextTitle))
        AddProgramItem(Settings.GroupTitle, Settings.TextTitle, dest);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, Settings.TextFileNameSrc);
    CopyDocument(source, dest);
}

// The finishing step: records the installed directory for the next run
// and the uninstaller, adds the program items and copies the documents.
// Every failure ends setup.
void InstallDocuments()
{
    HCURSOR previous = TkShowWaitCursor();

    RecordDirectory("InstallPath");
    RecordDirectory("ExePath");

    char program[PATH_CAP];
    DestinationPath(program, Settings.ExecFileName);
    AddProgramItem(Settings.GroupTitle, Settings.GameTitle, program);

    if (!IsDocKeyNone(Settings.DocPath) && !IsDocKeyNone(Settings.HelpTitle) &&
        !IsDocKeyNone(Settings.HelpFileNameSrc) && !IsDocKeyNone(Settings.HelpFileNameDst))
        InstallHelpFile();
    if (!IsDocKeyNone(Settings.DocPath) && !IsDocKeyNone(Settings.TextFileNameSrc) &&
        !IsDocKeyNone(Settings.TextFileNameDst))
        InstallTextFile();

    TkRestoreCursor(previous);
    KillDialogs(1);
}
