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

// The walk that empties a directory: all but the file named keep (0:
// none); with a product's names (0: none), every folder below that holds
// another product's installation is left as it is, with a message, and
// so are the folders above it (left is set).
struct EmptyingWalk {
    const char *dir, *keep;
    const ProductNames *names;
    int left;
};

static int EmptyDirectoryBut(EmptyingWalk &walk);

static void ShowOtherProductMessage(const char *dir);

// Deletes one entry of a listing: a subdirectory with everything below it,
// or a file after its attributes are cleared. Shows the message of a
// failure and returns 0. Every path of the removal is a name
// (common/filenames.h), so that the names the copy made from the CD go.
static int DeleteEntry(const char *path, const FoundName &found, EmptyingWalk &parent)
{
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A link to a directory elsewhere is removed, never followed.
        int link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (!link && parent.names && HoldsOtherProduct(path, *parent.names)) {
            ShowOtherProductMessage(path);
            parent.left = 1;
            return 1;
        }
        EmptyingWalk below = {path, 0, parent.names, 0};
        if (!link && !EmptyDirectoryBut(below)) {
            ShowDeleteMessage(SLOT_DELETE_FILE);
            return 0;
        }
        if (below.left) {
            parent.left = 1;
            return 1;
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

// One entry of EmptyDirectoryBut's walk. A path that does not fit
// MAX_PATH bytes is refused with the message of the step it belongs to
// (listing: slot 60, entry: slot 58).
static int EmptyEntry(void *context, const FoundName &found, int)
{
    EmptyingWalk &walk = *static_cast<EmptyingWalk *>(context);
    if (walk.keep && !lstrcmpiA(found.cFileName, walk.keep))
        return 1;
    char path[MAX_PATH];
    if (!JoinName(path, walk.dir, found.cFileName)) {
        ShowDeleteMessage(SLOT_DELETE_FILE);
        return 0;
    }
    return DeleteEntry(path, found, walk);
}

// Deletes the entries below walk.dir in the order the file system lists
// them; 1 when the walk went through (walk.left tells whether a folder of
// another product stays), 0 after the message of a failure.
static int EmptyDirectoryBut(EmptyingWalk &walk)
{
    int walked = WalkDirectory(walk.dir, EmptyEntry, &walk);
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
    EmptyingWalk walk = {name, 0, 0, 0};
    return EmptyDirectoryBut(walk);
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

// Tells the user that dir, inside the folder being removed, holds the
// installation of another product, which stays as it is.
static void ShowOtherProductMessage(const char *dir)
{
    char shown[MAX_PATH], text[MAX_PATH + 160];
    NameForDisplay(shown, sizeof shown, dir);
    TextFormat(text, sizeof text,
               "Remove Directory refused: \"%s\"\n"
               "It holds the installation of another product, which stays.", shown);
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
    EmptyingWalk walk = {name, 0, 0, 0};
    if (!link && !EmptyDirectoryBut(walk))
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

// Deletes the proof file last of all, then the emptied folder itself; a
// folder that keeps another product's installation stays (TREE_LEFT).
static int RemoveProvenFolder(const char *dir, const char *settingsName,
                              const ProductNames &names)
{
    char proof[MAX_PATH];
    EmptyingWalk walk = {dir, settingsName, &names, 0};
    if (!EmptyDirectoryBut(walk))
        return TREE_FAILED;
    JoinName(proof, dir, settingsName);
    SetNamedAttributes(proof, FILE_ATTRIBUTE_NORMAL);
    if (!DeleteNamed(proof)) {
        ShowDeleteMessage(SLOT_DELETE_FILE);
        return TREE_FAILED;
    }
    if (walk.left)
        return TREE_LEFT;
    if (RemoveNamedDirectory(dir))
        return TREE_REMOVED;
    ShowBox(RemoveDirectoryFailed, "Setup", BOX_WARNING);
    return TREE_FAILED;
}

int RemoveProductTree(const char *dir, const char *systemSettingsName,
                      const ProductNames &names, const char *caption)
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
        !HoldsProductSettings(resolved, settingsName, names)) {
        ShowNotOwnedMessage(dir, caption);
        return TREE_LEFT;
    }
    if (IsProtectedName(resolved)) {
        ShowProtectedMessage(dir);
        return TREE_LEFT;
    }
    // This product's files beside another product's proof: the folder is
    // that product's as much as this one's, and stays whole.
    if (HoldsOtherProduct(resolved, names)) {
        ShowOtherProductMessage(resolved);
        return TREE_LEFT;
    }
    return RemoveProvenFolder(resolved, settingsName, names);
}
