// The one walk of the product trees, for their count, the reader ahead of
// the copy and the copy (treewalk.h), with the listing that the count
// makes and keeps for the other two.
#include "setup/treewalk.h"
#include "setup/state.h"
#include "setup/rules.h"
#include "common/text.h"
#include "common/filenames.h"

// ---- the trees' listing, kept from the count
// Each file and folder by its name in its listing's order, with whether it
// is its listing's first entry; a folder's entries after it and then its
// end; the end of each tree (after its entries); a folder that could not
// be listed. Each entry: its kind (with ListedFirst for its listing's
// first entry), its name (none for an end or a folder not listed) and a
// 0. At most ListedCap bytes: of a longer listing the entries up to the
// first that did not fit are kept.
enum ListedKind { LISTED_FILE = 'F', LISTED_FOLDER = 'D', LISTED_END = 'E', LISTED_UNLISTED = 'X' };
static const BYTE ListedFirst = 0x80;
static const SIZE_T ListedCap = 4 * 1024 * 1024;
static BYTE *Listed;
static SIZE_T ListedUsed, ListedCapacity;
static int ListedCut;  // an entry did not fit: none after it is kept

static void KeepListed(ListedKind kind, const char *name = 0, int first = 0)
{
    if (!name)
        name = "";
    SIZE_T size = 2 + (SIZE_T)lstrlenA(name);
    if (ListedCut)
        return;
    if (ListedUsed + size > ListedCapacity) {
        SIZE_T capacity = ListedCapacity ? ListedCapacity * 2 : 64 * 1024;
        while (capacity < ListedUsed + size)
            capacity *= 2;
        // HeapReAlloc is not among the functions the programs import.
        BYTE *grown = capacity > ListedCap
                          ? 0 : static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, capacity));
        if (!grown) {
            ListedCut = 1;
            return;
        }
        if (Listed) {
            CopyMemory(grown, Listed, ListedUsed);
            HeapFree(GetProcessHeap(), 0, Listed);
        }
        Listed = grown;
        ListedCapacity = capacity;
    }
    Listed[ListedUsed] = (BYTE)(kind | (first ? ListedFirst : 0));
    CopyMemory(Listed + ListedUsed + 1, name, size - 1);
    ListedUsed += size;
}

void ForgetTreeListing()
{
    if (Listed)
        HeapFree(GetProcessHeap(), 0, Listed);
    Listed = 0;
    ListedUsed = ListedCapacity = 0;
    ListedCut = 0;
}

// The kept entry at *at, and *at moved past it; 0 at the end of what was
// kept. name is "" for an end or a folder not listed.
static int NextListed(SIZE_T *at, ListedKind *kind, const char **name, int *first)
{
    if (*at >= ListedUsed)
        return 0;
    *kind = (ListedKind)(Listed[*at] & ~ListedFirst);
    *first = (Listed[*at] & ListedFirst) != 0;
    *name = reinterpret_cast<const char *>(Listed + *at + 1);
    *at += 2 + lstrlenA(*name);
    return 1;
}

// ---- the walk
void StartTreeWalk(TreeWalk &walk, TreeListing how, TreeVisit visit, void *context)
{
    walk.visit = visit;
    walk.context = context;
    walk.keep = how == LIST_AND_KEEP;
    if (walk.keep)
        ForgetTreeListing();
    walk.kept = how == KEPT_LISTING || (how == KEPT_OR_AFRESH && !ListedCut);
    walk.at = 0;
    walk.path[0] = '\0';
    walk.rootLength = 0;
}

// Hands a step to the walk's visit; path is walk.path or 0.
static int Visit(TreeWalk &walk, TreeStep step, const char *path, int depth, int first)
{
    TreeEntry entry = {path, !path ? 0 : depth ? walk.path + walk.rootLength : "", depth, first};
    return walk.visit(walk.context, step, entry);
}

// A folder that cannot be listed: kept so, and told to the visit. 0 when
// the visit stops the walk, else WALK_UNLISTED.
static int VisitUnlisted(TreeWalk &walk, int depth)
{
    if (walk.keep)
        KeepListed(LISTED_UNLISTED);
    return Visit(walk, STEP_UNLISTED, walk.path, depth, 0) ? WALK_UNLISTED : 0;
}

static int WalkFolder(TreeWalk &walk, int depth);

// One entry of the listing of the folder at walk.path, at depth: a file
// to the visit, a folder to the visit and then walked. A path that does
// not fit is not cut (it would name another file): a file's is given as
// 0, a folder's stops the walk. 1 to go on.
static int WalkEntry(TreeWalk &walk, int folder, const char *name, int first, int depth)
{
    if (walk.keep)
        KeepListed(folder ? LISTED_FOLDER : LISTED_FILE, name, first);
    int length = lstrlenA(walk.path);
    int fits = AppendNameBackslash(walk.path) && TextAppend(walk.path, name);
    int go;
    if (!folder) {
        go = Visit(walk, STEP_FILE, fits ? walk.path : 0, depth, first);
    } else if (!fits) {
        walk.path[length] = '\0';
        Visit(walk, STEP_TOO_LONG, 0, depth, first);
        go = 0;
    } else {
        go = Visit(walk, STEP_FOLDER, walk.path, depth, first) && WalkFolder(walk, depth) != 0;
        if (walk.keep)
            KeepListed(LISTED_END);
    }
    walk.path[length] = '\0';
    return go;
}

// The entries of a folder by the kept listing, up to the folder's end.
static int WalkKeptFolder(TreeWalk &walk, int depth)
{
    ListedKind kind;
    const char *name;
    int first, walked = 1;
    while (NextListed(&walk.at, &kind, &name, &first)) {
        if (kind == LISTED_END)
            return walked;
        if (kind == LISTED_UNLISTED)
            walked = VisitUnlisted(walk, depth);
        else if (!WalkEntry(walk, kind == LISTED_FOLDER, name, first, depth + 1))
            walked = 0;
        if (!walked)
            return 0;
    }
    return 0;  // the listing was cut here
}

// One folder being listed: the walk and the folder's depth.
struct ListedLevel {
    TreeWalk *walk;
    int depth;
};

static int ListedEntry(void *context, const FoundName &entry, int first)
{
    ListedLevel &level = *static_cast<ListedLevel *>(context);
    return WalkEntry(*level.walk, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                     entry.cFileName, first, level.depth + 1);
}

// The entries of a folder as the file system lists them (common/filenames.h:
// every path of the walk is a name, the CD's names arrive as they are).
static int WalkListedFolder(TreeWalk &walk, int depth)
{
    ListedLevel level = {&walk, depth};
    int walked = WalkDirectory(walk.path, ListedEntry, &level);
    if (walked == WALK_UNLISTED)
        return VisitUnlisted(walk, depth);
    if (walked == WALK_TOO_LONG) {
        Visit(walk, STEP_TOO_LONG, walk.path, depth, 0);
        return 0;
    }
    return walked;
}

// The entries of the folder at walk.path: 1 when every step went on, 0
// when one stopped the walk, WALK_UNLISTED for a folder that could not be
// listed when the visit went on.
static int WalkFolder(TreeWalk &walk, int depth)
{
    return walk.kept ? WalkKeptFolder(walk, depth) : WalkListedFolder(walk, depth);
}

int WalkTree(TreeWalk &walk, const char *root)
{
    char rooted[PATH_CAP];
    if (!TextCopy(walk.path, root) || !TextCopy(rooted, root)) {
        Visit(walk, STEP_TOO_LONG, 0, 0, 0);  // never: the roots are PATH_CAP names
        return 0;
    }
    // Where the root takes no backslash, no entry below it fits either.
    walk.rootLength = AppendNameBackslash(rooted) ? lstrlenA(rooted) : 0;
    int walked = Visit(walk, STEP_FOLDER, walk.path, 0, 0) ? WalkFolder(walk, 0) : 0;
    if (walk.keep)
        KeepListed(LISTED_END);
    return walked;
}

int LeftOutOfInstall(const char *source)
{
    return MinimalInstall == 1 && IsLeftOutOfMinimal(source);
}
