// Directory tree removal: the installed product's directory, deleted depth
// first whatever the attributes of its files, stopping at the first failure.
#include "common/removal.h"
#include "common/folderpath.h"
#include "common/protection.h"
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

// The same naming what it is about, for a path too long for the system's
// functions or for a buffer, which every later run would meet again: path,
// or name below it (0: none), given as names, as far as the text holds it.
static void ShowNamedDeleteMessage(int slot, const char *path, const char *name)
{
    char text[NAME_CAP + 512], shown[NAME_CAP];
    TextCopy(text, MessageText(slot), sizeof text);
    TextAppend(text, "\n", sizeof text);
    NameForDisplay(shown, sizeof shown, path);
    TextAppend(text, shown, sizeof text);
    if (name) {
        TextAppend(text, "\\", sizeof text);
        NameForDisplay(shown, sizeof shown, name);
        TextAppend(text, shown, sizeof text);
    }
    ShowBox(text, "Delete", BOX_WARNING);
}

// A failure for path: named when the path was too long.
static void ShowFailureFor(int slot, const char *path)
{
    if (GetLastError() == ERROR_FILENAME_EXCED_RANGE)
        ShowNamedDeleteMessage(slot, path, 0);
    else
        ShowDeleteMessage(slot);
}

// The walk that empties a directory: all but the file named keep (0:
// none); with a product's names (0: none), every folder below that holds
// another product's installation is left as it is, with a message, and
// so are the folders above it (left is set). So is a link the system
// cannot remove by itself.
struct EmptyingWalk {
    const char *dir, *keep;
    const ProductNames *names;
    int left;
};

static int EmptyDirectoryBut(EmptyingWalk &walk);
static int EmptyFolderBelow(EmptyingWalk &walk);

static void ShowOtherProductMessage(const char *dir);

// Tells the user that the link path stays, naming it.
static void ShowLinkLeftMessage(const char *path)
{
    char text[MAX_PATH + 512], shown[MAX_PATH];
    NameForDisplay(shown, sizeof shown, path);
    TextCopy(text, MessageText(SLOT_LINK_LEFT), sizeof text);
    TextAppend(text, "\n", sizeof text);
    TextAppend(text, shown, sizeof text);
    ShowBox(text, "Delete", BOX_WARNING);
}

// A link inside the tree goes as a link, never followed: where the system
// would act on its target, a link to a file is replaced by a file of ours
// and that is deleted; a link to a folder, which such a system cannot
// replace, stays with a message naming it (parent.left is set).
static int DeleteLink(const char *path, const FoundName &found, EmptyingWalk &parent)
{
    int folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (NamesItself(path)) {
        if (folder ? RemoveNamedDirectory(path) : DeleteNamed(path))
            return 1;
        ShowDeleteMessage(SLOT_DELETE_FILE);
        return 0;
    }
    if (!folder && ReplaceAndDeleteLink(path))
        return 1;
    ShowLinkLeftMessage(path);
    parent.left = 1;
    return 1;
}

// Deletes a file of a listing (its read-only attribute cleared first),
// or the link in its place: under Wine a link to a file shows as the file
// it points to, and only the system can tell it is not. Shows the message
// of a failure and returns 0.
static int DeleteFileEntry(const char *path, const FoundName &found, EmptyingWalk &parent)
{
    // An attribute set by name reaches a link's target: only on the file.
    if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        if (!NamesItself(path))
            return DeleteLink(path, found, parent);
        SetNamedAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
    switch (DeleteFileItself(path)) {
    case 1:
        return 1;
    case 0:
        ShowFailureFor(SLOT_DELETE_FILE, path);
        return 0;
    default:
        return DeleteLink(path, found, parent);
    }
}

// Deletes one entry of a listing: a subdirectory with everything below it,
// or a file. Shows the message of a failure and returns 0. Every path of
// the removal is a name (common/filenames.h), so that the names the copy
// made from the CD go.
static int DeleteEntry(const char *path, const FoundName &found, EmptyingWalk &parent)
{
    DWORD attributes = found.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)  // a folder link shows as such
        return DeleteLink(path, found, parent);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        EmptyingWalk below = {path, 0, parent.names, 0};
        if (!(parent.names ? EmptyFolderBelow(below) : EmptyDirectoryBut(below))) {
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
    return DeleteFileEntry(path, found, parent);
}

// One entry of EmptyDirectoryBut's walk. A path that does not fit the
// buffers or the system's functions is refused with the message of the
// step it belongs to (listing: slot 60, entry: slot 58), naming it.
static int EmptyEntry(void *context, const FoundName &found, int)
{
    EmptyingWalk &walk = *static_cast<EmptyingWalk *>(context);
    if (walk.keep && SameName(found.cFileName, walk.keep))
        return 1;
    char path[NAME_CAP];
    if (!JoinNameIn(path, NAME_CAP, walk.dir, found.cFileName)) {
        ShowNamedDeleteMessage(SLOT_DELETE_FILE, walk.dir, found.cFileName);
        return 0;
    }
    return DeleteEntry(path, found, walk);
}

// What a walk of dir's listing gave (WalkDirectory): 1 when it went
// through; otherwise 0, after the message of a listing that failed.
static int Listed(int walked, const char *dir)
{
    if (walked == WALK_TOO_LONG)
        ShowNamedDeleteMessage(SLOT_DELETE_LIST, dir, 0);
    else if (walked < 0)
        ShowFailureFor(SLOT_DELETE_LIST, dir);
    return walked == 1;
}

// Deletes the entries below walk.dir in the order the file system lists
// them; 1 when the walk went through (walk.left tells whether a folder of
// another product or a link stays), 0 after the message of a failure.
static int EmptyDirectoryBut(EmptyingWalk &walk)
{
    return Listed(WalkDirectory(walk.dir, EmptyEntry, &walk), walk.dir);
}

// ---- a folder below a product's installation, listed once
// Such a folder is left whole when it holds another product's settings
// file, so it is looked at before anything in it goes. Under Wine a
// listing costs five requests to the server, and the search for such a
// file ("*.INI") as many again: the folder is listed once, its entries
// kept, and searched only when one of them could be such a file.
struct Listing {
    BYTE *data;       // each entry: its attributes, then its name and a 0
    SIZE_T used, capacity;
    int mayHoldProof; // an entry that a search for "*.INI" could find
    int whole;        // 0 once memory ran out
};

// 1 for a file that a search for "*.INI" could find by its name or by the
// short name the system makes of it (the extension's first three letters
// and digits): one whose extension holds "INI" once blanks and signs are
// left out, or any letter beyond ASCII (which may compare as one of
// these). A file taken for such in vain costs one search, never a file.
static int MayBeSettingsFile(const FoundName &found)
{
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    const char *extension = 0;
    for (const char *p = found.cFileName; *p; p++)
        if (*p == '.')
            extension = p + 1;
    char letters[4] = {0, 0, 0, 0};
    for (const char *p = extension; p && *p; p++) {
        if (*p & 0x80)
            return 1;
        char c = *p >= 'a' && *p <= 'z' ? (char)(*p - 'a' + 'A') : *p;
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            continue;
        letters[0] = letters[1];
        letters[1] = letters[2];
        letters[2] = c;
        if (letters[0] == 'I' && letters[1] == 'N' && letters[2] == 'I')
            return 1;
    }
    return 0;
}

// One entry of the listing kept (the walk's visit); 0 when memory ran out.
static int KeepEntry(void *context, const FoundName &found, int)
{
    Listing &list = *static_cast<Listing *>(context);
    SIZE_T length = (SIZE_T)lstrlenA(found.cFileName) + 1, size = sizeof(DWORD) + length;
    if (list.used + size > list.capacity) {
        SIZE_T capacity = list.capacity ? list.capacity : 4096;
        while (capacity < list.used + size)
            capacity *= 2;
        // HeapReAlloc is not among the functions the programs import.
        BYTE *grown = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, capacity));
        if (!grown) {
            list.whole = 0;
            return 0;
        }
        if (list.data) {
            CopyMemory(grown, list.data, list.used);
            HeapFree(GetProcessHeap(), 0, list.data);
        }
        list.data = grown;
        list.capacity = capacity;
    }
    CopyMemory(list.data + list.used, &found.dwFileAttributes, sizeof(DWORD));
    CopyMemory(list.data + list.used + sizeof(DWORD), found.cFileName, length);
    list.used += size;
    list.mayHoldProof |= MayBeSettingsFile(found);
    return 1;
}

// Deletes the kept entries in their order, as EmptyDirectoryBut's walk
// deletes them; 1 when every one went.
static int EmptyKeptEntries(EmptyingWalk &walk, const Listing &list)
{
    FoundName found;
    for (SIZE_T at = 0; at < list.used;) {
        CopyMemory(&found.dwFileAttributes, list.data + at, sizeof(DWORD));
        const char *name = reinterpret_cast<const char *>(list.data + at + sizeof(DWORD));
        TextCopy(found.cFileName, name);
        at += sizeof(DWORD) + lstrlenA(name) + 1;
        if (!EmptyEntry(&walk, found, 0))
            return 0;
    }
    return 1;
}

// Empties walk.dir, a folder below a product's installation (walk.names
// set), unless it holds another product's installation: that folder stays
// as it is, with a message (walk.left). 1 when the emptying went through,
// 0 after the message of a failure, as EmptyDirectoryBut.
static int EmptyFolderBelow(EmptyingWalk &walk)
{
    Listing list = {0, 0, 0, 0, 1};
    int walked = WalkDirectory(walk.dir, KeepEntry, &list);
    // Out of memory, the folder is searched, then emptied by a listing of
    // its own, as every folder was before.
    int search = !list.whole || (walked == 1 && list.mayHoldProof);
    int emptied;
    if (search && HoldsOtherProduct(walk.dir, *walk.names)) {
        ShowOtherProductMessage(walk.dir);
        walk.left = 1;
        emptied = 1;
    } else if (!list.whole) {
        emptied = EmptyDirectoryBut(walk);
    } else {
        emptied = Listed(walked, walk.dir) && EmptyKeptEntries(walk, list);
    }
    if (list.data)
        HeapFree(GetProcessHeap(), 0, list.data);
    return emptied;
}

int EmptyDirectoryTree(const char *dir)
{
    char name[MAX_PATH];
    if (!NameFromSystem(name, dir)) {
        ShowDeleteMessage(SLOT_DELETE_LIST);
        return 0;
    }
    EmptyingWalk walk = {name, 0, 0, 0};
    return EmptyDirectoryBut(walk) && !walk.left;
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
    if (!link && (!EmptyDirectoryBut(walk) || walk.left))
        return 0;
    // Where the system would remove the link's target instead, it stays.
    if ((!link || NamesItself(name)) && RemoveNamedDirectory(name))
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

// Deletes the proof file last of all, then the emptied folder itself; a
// folder that keeps another product's installation, or a link it cannot
// remove by itself, stays (TREE_LEFT): no later run could remove more.
static int RemoveProvenFolder(const char *dir, const char *settingsName,
                              const ProductNames &names)
{
    char proof[MAX_PATH];
    EmptyingWalk walk = {dir, settingsName, &names, 0};
    if (!EmptyDirectoryBut(walk))
        return TREE_FAILED;
    // As any entry (a link in its place goes as a link), whatever its
    // attributes.
    FoundName entry;
    entry.dwFileAttributes = FILE_ATTRIBUTE_READONLY;
    JoinName(proof, dir, settingsName);
    if (!DeleteEntry(proof, entry, walk))
        return TREE_FAILED;
    if (walk.left)
        return TREE_LEFT;
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

int RemoveProductTree(const char *dir, const char *settingsName, const ProductNames &names,
                      const char *caption)
{
    return RemoveRecordedTree(dir, 0, settingsName, names, caption);
}

int RemoveRecordedTree(const char *dir, UINT codePage, const char *systemSettingsName,
                       const ProductNames &names, const char *caption)
{
    char name[MAX_PATH], settingsName[MAX_PATH], resolved[MAX_PATH];
    if (lstrlenA(dir) < MAX_PATH && IsProtectedDirectory(dir)) {
        ShowProtectedMessage(dir);
        return TREE_LEFT;
    }
    if (!NameFromCodePage(name, MAX_PATH, dir, codePage)) {
        ShowFolderMessage(SLOT_NOT_REACHED, dir, caption);
        return TREE_FAILED;
    }
    if (!NameFromSystem(settingsName, systemSettingsName) ||
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
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        !HoldsProductSettings(resolved, settingsName, names)) {
        ShowFolderMessage(SLOT_NOT_OWNED, dir, caption);
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
