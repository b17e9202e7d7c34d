// The copy of one file: complete or failed, an existing file replaced only
// by a complete copy, and a versioned file copied only when the installed
// one is older.
#include "setup/copy.h"
#include "setup/config.h"
#include "setup/ends.h"
#include "setup/paths.h"
#include "setup/readahead.h"
#include "setup/state.h"
#include "setup/version.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/record.h"
#include "setup/toolkit.h"
#include "common/removal.h"
#include "common/system.h"
#include "common/log.h"
#include "common/filenames.h"

static const char CopyCaption[] = "Setup File Copy";

void ShowCopyWarning(const char *text)
{
    ShowBox(text, CopyCaption, BOX_WARNING);
}

void ReportCopyError(DWORD error, const char *otherCaption, const char *dest)
{
    // The box names no number; the log of an unattended run (the only
    // run with a log) does, for the errors the box only calls "File Copy
    // Error" (ERROR_CRC from a scratched disc, ERROR_NOT_READY when the
    // disc is taken out).
    // A character the system's code page lacks is named "<U+XXXX>".
    char line[PATH_CAP * 8 + 64], shown[PATH_CAP * 8];
    NameForDisplay(shown, sizeof shown, dest);
    TextFormat(line, sizeof line, "the copy to %s failed with Windows error %u",
               shown, (unsigned)error);
    LogLine(line);
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

// ---- a file copied completely or not at all
// A copy reads its source itself (or takes what the tree copy's reader
// read ahead, step by step as it happened), checks every read and the size, and
// never writes into the file it replaces: a scratched CD that fails part
// way through a file (ERROR_CRC, or ERROR_NOT_READY when the disc is taken
// out) must neither be reported as copied nor leave less than was there.
// The platform's copy routine is not used: Wine's takes a failing read for
// the end of the file and reports success with the file cut short.

// Copies exactly size bytes of from into to; 1 when every read and write
// succeeded. A source that gives fewer bytes than its size fails with
// ERROR_HANDLE_EOF. Between the reads of a file longer than a piece
// betweenReads (when given) is called, so that the tree copy's window is
// looked after during a long file even from a slow CD.
static int CopyContents(CopySource *from, HANDLE to, void (*betweenReads)())
{
    for (ULONGLONG done = 0; done < from->size;) {
        DWORD want = CopyPieceSize(from->size, done), got = 0, put = 0;
        const BYTE *data;
        if (!ReadCopySource(from, want, &data, &got))
            return 0;
        if (got == 0) {
            SetLastError(ERROR_HANDLE_EOF);
            return 0;
        }
        if (!WriteFile(to, data, got, &put, 0))
            return 0;
        if (put != got) {
            SetLastError(ERROR_WRITE_FAULT);
            return 0;
        }
        done += got;
        if (done < from->size && betweenReads)
            betweenReads();
    }
    return 1;
}

// Gives the open copy the source's last-write time; *byName tells
// whether its attributes must still be made normal by name once it is
// closed. A file that CreateFile makes gets the archive bit on Windows,
// and SetFileAttributesA after CopyFileA clears it; whether a file system
// keeps attributes set on a handle that has written past that handle's
// close is not certain there, so on Windows they are set by name. Under
// Wine (ntdll has wine_get_version) attributes come from the file's mode,
// and every copy is a file this copy has just made with normal attributes
// (CreateCopyFile): they are what they must be already, and setting them
// again would cost the file a mode change and two attribute calls.
// Looked up at each copy (one in-process look-up), so that a test can
// take either branch.
static int FinishCopy(HANDLE to, const FILETIME &written, int *byName)
{
    *byName = !SystemFunction(SF_wine_get_version);
    return SetFileTime(to, 0, 0, &written);
}

// Deletes path and keeps the error that made the copy give it up.
static void DeleteKeepingError(const char *path)
{
    DWORD error = GetLastError();
    DeleteNamed(path);
    SetLastError(error);
}

// Fills the file just made at path (open as to) with the source, gives it
// the source's time and normal attributes and closes it. 1 when all of it
// succeeded; otherwise the file is deleted and GetLastError tells why.
static int FillCopy(CopySource *from, HANDLE to, const char *path,
                    void (*betweenReads)())
{
    int byName = 0;
    int ok = CopyContents(from, to, betweenReads) &&
             FinishCopy(to, from->written, &byName);
    DWORD error = GetLastError();
    if (!CloseHandle(to) && ok) {
        ok = 0;
        error = GetLastError();
    }
    if (ok && byName && !SetNamedAttributes(path, FILE_ATTRIBUTE_NORMAL)) {
        ok = 0;
        error = GetLastError();
    }
    SetLastError(error);
    if (!ok)
        DeleteKeepingError(path);
    return ok;
}

// Creates the file of a copy for writing, without sharing.
static HANDLE CreateCopyFile(const char *path, DWORD disposition)
{
    return OpenNamed(path, GENERIC_WRITE, 0, disposition, FILE_ATTRIBUTE_NORMAL);
}

// 1 when the existing file at path could be overwritten: opened for
// writing without sharing, as an overwrite opens it, and closed untouched.
// Otherwise the error an overwrite gets (ERROR_SHARING_VIOLATION while
// another program holds the file, ERROR_ACCESS_DENIED when it is
// read-only or a directory), before anything is written.
static int MayReplace(const char *path)
{
    HANDLE old = OpenNamed(path, GENERIC_WRITE, 0, OPEN_EXISTING, 0);
    if (old == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(old);
    return 1;
}

// Makes a new, empty file of a unique name ("TQLnnnn.TMP") in the folder
// of path, so that a rename to path stays on its drive.
static int TempNameBeside(const char *path, char (&temp)[PATH_CAP])
{
    char folder[PATH_CAP];
    if (!TextCopy(folder, path))
        return 0;
    char *cut = folder;
    for (char *p = folder; *p; p = (char *)NameCharNext(p))
        if (*p == '\\')
            cut = p + 1;  // a trail byte of a DBCS character never matches
    *cut = '\0';
    return TempNameIn(cut == folder ? "." : folder, "TQL", temp) != 0;
}

// Puts the complete copy temp in the place of the file path. The NT
// family replaces a file in one call; Windows 95 lacks that call, so
// there the old file keeps a backup name until the copy has taken its
// name, and gets its name back when the copy could not take it. 1, or 0
// with the old file in place and the error of the failing step.
static int ReplaceWithCopy(const char *temp, const char *path)
{
    if (IsNtFamily())
        return MoveNamed(temp, path, MOVEFILE_REPLACE_EXISTING);
    char backup[PATH_CAP];
    if (!TempNameBeside(path, backup))
        return 0;
    if (!DeleteNamed(backup) || !MoveNamed(path, backup, 0)) {
        DeleteKeepingError(backup);
        return 0;
    }
    if (!MoveNamed(temp, path, 0)) {
        DWORD error = GetLastError();
        MoveNamed(backup, path, 0);
        SetLastError(error);
        return 0;
    }
    DeleteNamed(backup);
    return 1;
}

// The copy over an existing file: written under a temporary name in the
// same folder, which replaces the old file only once it is complete. On
// failure the old file is as it was and the temporary file is gone.
static int CopyOverExisting(CopySource *from, const char *dest,
                            void (*betweenReads)())
{
    char temp[PATH_CAP];
    if (!MayReplace(dest) || !TempNameBeside(dest, temp))
        return 0;
    HANDLE to = CreateCopyFile(temp, CREATE_ALWAYS);
    if (to == INVALID_HANDLE_VALUE) {
        DeleteKeepingError(temp);
        return 0;
    }
    if (!FillCopy(from, to, temp, betweenReads))
        return 0;
    if (ReplaceWithCopy(temp, dest))
        return 1;
    DeleteKeepingError(temp);
    return 0;
}

// Copies source to dest, overwriting an existing dest, with the outcome
// of CopyFileA followed by SetFileAttributesA(FILE_ATTRIBUTE_NORMAL): the
// same bytes, normal attributes, the source's last-write time. A new
// name (every file of a folder the copy made) is written in place, one
// pass with no extra call, and deleted again when the copy fails; an
// existing file is replaced only by a complete copy. FALSE leaves the
// error of the failing step for the caller's message.
BOOL CopyAsNormalFile(const char *source, const char *dest,
                      void (*betweenReads)())
{
    CopySource from;
    if (!OpenCopySource(source, &from))
        return FALSE;
    int ok = 0;
    HANDLE to = CreateCopyFile(dest, CREATE_NEW);
    if (to != INVALID_HANDLE_VALUE)
        ok = FillCopy(&from, to, dest, betweenReads);
    else if (GetLastError() == ERROR_FILE_EXISTS ||
             GetLastError() == ERROR_ALREADY_EXISTS)
        ok = CopyOverExisting(&from, dest, betweenReads);
    DWORD error = GetLastError();
    CloseCopySource(&from);
    SetLastError(error);
    return ok;
}

// Copies source over dest and clears the attributes of the copy, so that
// files from the read-only CD become writable. Reports a failure by the
// error of the copy's failing step; returns 1 or 0.
int CopyOneFile(const char *systemSource, const char *systemDest)
{
    char source[PATH_CAP], dest[PATH_CAP];
    if (!NameFromSystem(source, systemSource) || !NameFromSystem(dest, systemDest)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        ReportCopyError(GetLastError(), CopyCaption, systemDest);
        return 0;
    }
    FoundName found;
    HANDLE search = FindFirstName(source, &found);
    if (search == INVALID_HANDLE_VALUE) {
        ShowCopyWarning(MessageText(SLOT_COPY_NO_SOURCE));
        return 0;
    }
    FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;

    if (CopyAsNormalFile(source, dest, 0))
        return 1;
    ReportCopyError(GetLastError(), CopyCaption, dest);
    return 0;
}

// Shows that a version could not be read and ends setup.
[[noreturn]] static void VersionUnreadable(int slot)
{
    ShowSlot(slot, "Setup", BOX_WARNING);
    AbortSetup();
}

int IsInstalledFileCurrent(const char *source, const char *installed)
{
    switch (CompareInstalledVersion(source, installed)) {
    case VERSION_SOURCE_UNREADABLE:
        VersionUnreadable(SLOT_VERSION_SOURCE);
    case VERSION_INSTALLED_UNREADABLE:
        VersionUnreadable(SLOT_VERSION_TARGET);
    case VERSION_CURRENT:
        return 1;
    default:
        return 0;
    }
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
