// Directory tree removal: the installed product's directory, deleted depth
// first whatever the attributes of its files, stopping at the first failure.
#include "common/removal.h"
#include "common/guard.h"
#include "common/filenames.h"
#include "common/record.h"
#include "common/system.h"
#include "common/text.h"
#include "common/ui.h"
#include <shlobj.h>

// "Remove Directory に失敗しました。" in code page 932.
static const char RemoveDirectoryFailed[] =
    "Remove Directory \x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

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

// The "Delete" message of a message-table slot (58, 59 or 60).
static void ShowDeleteMessage(int slot)
{
    ShowSlot(slot, "Delete", BOX_WARNING);
}

static int EmptyDirectoryBut(const char *dir, const char *keep);

// Deletes one entry of a listing: a subdirectory with everything below it,
// or a file after its attributes are cleared. Shows the message of a
// failure and returns 0. Every path of the removal is a name
// (common/filenames.h), so that the names the copy made from the CD go.
static int DeleteEntry(const char *path, const FoundName &found)
{
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A link to a directory elsewhere is removed, never followed.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
            !EmptyDirectoryBut(path, 0)) {
            ShowDeleteMessage(SLOT_DELETE_FILE);
            return 0;
        }
        if (!RemoveNamedDirectory(path)) {
            ShowDeleteMessage(SLOT_DELETE_DIR);
            return 0;
        }
        return 1;
    }
    SetNamedAttributes(path, FILE_ATTRIBUTE_NORMAL);
    if (!DeleteNamed(path)) {
        ShowDeleteMessage(SLOT_DELETE_FILE);
        return 0;
    }
    return 1;
}

// Deletes the entries below dir in the order the file system lists them,
// all but the file named keep (0: none). A path that does not fit
// MAX_PATH bytes is refused with the message of the step it belongs to
// (listing: slot 60, entry: slot 58).
struct EmptyingWalk {
    const char *dir, *keep;
};

// One entry of EmptyDirectoryBut's walk.
static int EmptyEntry(void *context, const FoundName &found, int)
{
    const EmptyingWalk &walk = *static_cast<EmptyingWalk *>(context);
    if (walk.keep && !lstrcmpiA(found.cFileName, walk.keep))
        return 1;
    char path[MAX_PATH];
    if (!JoinName(path, walk.dir, found.cFileName)) {
        ShowDeleteMessage(SLOT_DELETE_FILE);
        return 0;
    }
    return DeleteEntry(path, found);
}

static int EmptyDirectoryBut(const char *dir, const char *keep)
{
    EmptyingWalk walk = {dir, keep};
    int walked = WalkDirectory(dir, EmptyEntry, &walk);
    if (walked < 0)
        ShowDeleteMessage(SLOT_DELETE_LIST);
    return walked == 1;
}

int EmptyDirectoryTree(const char *dir)
{
    char name[MAX_PATH];
    if (!NameFromSystem(name, dir)) {
        ShowDeleteMessage(SLOT_DELETE_LIST);
        return 0;
    }
    return EmptyDirectoryBut(name, 0);
}

// The full, long form of path without a trailing backslash (a drive root
// keeps its "X:\") and without the trailing dots and blanks of its
// components, which the file system ignores, in full (MAX_PATH bytes); 0
// when it cannot be resolved.
static int ResolveDirectory(const char *path, char *full)
{
    char absolute[MAX_PATH];
    if (!FullNameOf(path, absolute) || !LongPathOf(absolute, full))
        return 0;
    StripTrailingDotsAndBlanks(full);
    if (lstrlenA(full) > 3)
        RemoveNameBackslash(full);
    return 1;
}

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
    return !lstrcmpiA(dir, resolved);
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

// IsProtectedDirectory of a name.
static int IsProtectedName(const char *dir)
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

// Tells the user that dir is not removed because it is or holds a folder
// of the system or of the user.
static void ShowProtectedMessage(const char *dir)
{
    char text[MAX_PATH + 160];
    TextFormat(text, sizeof text,
               "Remove Directory refused: \"%s\"\n"
               "A drive, a Windows folder, a user folder or a folder "
               "holding one is never removed.", dir);
    ShowBox(text, "Setup", BOX_WARNING);
}

// Empties dir, then removes it. A path too long for the buffers is left to
// EmptyDirectoryTree's refusal (slot 60). A dir that is itself a link is
// removed as a link: what it points at stays untouched.
int RemoveDirectoryTree(const char *dir)
{
    if (lstrlenA(dir) < MAX_PATH && IsProtectedDirectory(dir)) {
        ShowProtectedMessage(dir);
        return 0;
    }
    char name[MAX_PATH];
    if (!NameFromSystem(name, dir)) {
        ShowDeleteMessage(SLOT_DELETE_LIST);
        return 0;
    }
    DWORD attributes = NamedAttributes(name);
    int link = attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (!link && !EmptyDirectoryBut(name, 0))
        return 0;
    if (RemoveNamedDirectory(name))
        return 1;
    ShowBox(RemoveDirectoryFailed, "Setup", BOX_WARNING);
    return 0;
}

// Tells the user that dir was left as it is because nothing shows it is
// the product's installation folder: the library's text, then the folder.
static void ShowNotOwnedMessage(const char *dir, const char *caption)
{
    char text[MAX_PATH + 512];
    TextCopy(text, MessageText(SLOT_NOT_OWNED), sizeof text);
    TextAppend(text, "\n", sizeof text);
    TextAppend(text, dir, sizeof text);
    ShowBox(text, caption, BOX_ALERT);
}

// Deletes the proof file last of all, then the emptied folder itself.
static int RemoveProvenFolder(const char *dir, const char *settingsName)
{
    char proof[MAX_PATH];
    if (!EmptyDirectoryBut(dir, settingsName))
        return TREE_FAILED;
    JoinName(proof, dir, settingsName);
    SetNamedAttributes(proof, FILE_ATTRIBUTE_NORMAL);
    if (!DeleteNamed(proof)) {
        ShowDeleteMessage(SLOT_DELETE_FILE);
        return TREE_FAILED;
    }
    if (RemoveNamedDirectory(dir))
        return TREE_REMOVED;
    ShowBox(RemoveDirectoryFailed, "Setup", BOX_WARNING);
    return TREE_FAILED;
}

int RemoveProductTree(const char *dir, const char *systemSettingsName,
                      const char *caption)
{
    char name[MAX_PATH], settingsName[MAX_PATH], resolved[MAX_PATH];
    if (lstrlenA(dir) < MAX_PATH && IsProtectedDirectory(dir)) {
        ShowProtectedMessage(dir);
        return TREE_LEFT;
    }
    if (!NameFromSystem(name, dir) || !NameFromSystem(settingsName, systemSettingsName) ||
        !ResolveRemovalPath(name, resolved)) {
        ShowNotOwnedMessage(dir, caption);
        return TREE_LEFT;
    }
    DWORD attributes = NamedAttributes(resolved);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return TREE_REMOVED;  // gone already: nothing left to remove
    }
    // A link at the top, a file, or a folder without the proof: not the
    // folder setup made, whatever its name says.
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        !HoldsProductSettings(resolved, settingsName)) {
        ShowNotOwnedMessage(dir, caption);
        return TREE_LEFT;
    }
    if (IsProtectedName(resolved)) {
        ShowProtectedMessage(dir);
        return TREE_LEFT;
    }
    return RemoveProvenFolder(resolved, settingsName);
}
