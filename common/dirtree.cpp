// Directory tree removal: the installed product's directory, deleted depth
// first whatever the attributes of its files, stopping at the first failure.
#include "common/removal.h"
#include "common/guard.h"
#include "common/filenames.h"
#include "common/record.h"
#include "common/text.h"
#include "common/ui.h"

// "Remove Directory に失敗しました。" in code page 932.
static const char RemoveDirectoryFailed[] =
    "Remove Directory \x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

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
    if (walk.keep && SameName(found.cFileName, walk.keep))
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

// Tells the user why dir was left as it is (slot 61: nothing shows it is
// the product's installation folder; slot 34: it cannot be reached): the
// library's text, then the folder.
static void ShowFolderMessage(int slot, const char *dir, const char *caption)
{
    char text[MAX_PATH + 512];
    TextCopy(text, MessageText(slot), sizeof text);
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

// 1 when the absence of the folder full is proven: the nearest folder
// above it that exists is there to be listed, so its drive or share
// answers (a folder the user deleted together with the folders above it
// is gone too). A drive unplugged, a SUBST letter or a share gone, or an
// error other than "not found" proves nothing.
static int AbsenceProven(const char *full)
{
    char above[MAX_PATH];
    TextCopy(above, full);
    for (;;) {
        char *separator = 0;
        for (char *p = above; *p; p = (char *)NameCharNext(p))
            if (*p == '\\' && p[1])
                separator = p;
        if (!separator)
            return 0;
        separator[1] = '\0';  // with its backslash: "E:\" is the drive's root
        DWORD attributes = NamedAttributes(above);
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return 0;
        separator[0] = '\0';
    }
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
        ShowFolderMessage(SLOT_NOT_OWNED, dir, caption);
        return TREE_LEFT;
    }
    DWORD attributes = NamedAttributes(resolved);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) &&
            AbsenceProven(resolved))
            return TREE_REMOVED;  // gone already: nothing left to remove
        // Not to be seen, which is no proof that it is gone: the record
        // stays, and the run once the folder can be reached finishes.
        ShowFolderMessage(SLOT_NOT_REACHED, dir, caption);
        return TREE_FAILED;
    }
    // A link at the top, a file, or a folder without the proof: not the
    // folder setup made, whatever its name says.
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        !HoldsProductSettings(resolved, settingsName)) {
        ShowFolderMessage(SLOT_NOT_OWNED, dir, caption);
        return TREE_LEFT;
    }
    if (IsProtectedName(resolved)) {
        ShowProtectedMessage(dir);
        return TREE_LEFT;
    }
    return RemoveProvenFolder(resolved, settingsName);
}
