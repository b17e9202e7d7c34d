// The product's directory trees are counted, then copied file by file
// into the destination under the progress window (progress.cpp), which
// shows the current file's source and destination and a bar with the
// percentage done. The count, the reader ahead of the copy and the copy
// walk the trees through one walk (treewalk.cpp).
#include "setup/treecopy.h"
#include "setup/copy.h"
#include "setup/paths.h"
#include "setup/progress.h"
#include "setup/readahead.h"
#include "setup/state.h"
#include "setup/treewalk.h"
#include "setup/run.h"
#include "setup/rules.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/filenames.h"

// The state of the copy, kept here and read by the tests through CopyState().
// The progress is counted in millionths of the whole (a hundredth of the
// old hundredths of a per cent), so that a tree of up to a million files
// still moves the bar; a larger tree takes its percentage from the file
// count.
static CopyProgress Progress;

const CopyProgress &CopyState()
{
    return Progress;
}

CopyWatchProc CopyWatch;

// ProbeName of a path of the copy, shown to the tests' watch first.
static int ProbeCopyName(const char *path)
{
    if (CopyWatch)
        CopyWatch(WATCH_PROBE, path);
    return ProbeName(path);
}

// The caption of a copy error other than access, sharing or a full disk.
static const char TreeCopyCaption[] = "Setup PM File Copy";

// The refusal of a path that does not fit its 260-byte buffer: a cut path
// would name another file or directory (a listing pattern cut to "*."
// leaves out every name with an extension), so the copy stops instead.
static int PathRefused;  // 1 once a path was refused: nothing goes on
static void RefuseLongPath()
{
    PathRefused = 1;
    ShowCopyBox("File Copy Error", TreeCopyCaption, BOX_WARNING);
}

// The walk of the count, then of the copy.
static TreeWalk Walk;

// One step of the count's walk: a file counts. A folder that cannot be
// listed is reported (slot 54) and adds nothing; the count goes on with
// the other entries. A path that does not fit is refused: the count stops.
static int CountStep(void *, TreeStep step, const TreeEntry &)
{
    switch (step) {
    case STEP_FILE:
        Progress.FileTotal++;
        return 1;
    case STEP_UNLISTED:
        ShowTreeMessage(MessageText(SLOT_TREE_LIST), BOX_WARNING);
        return 1;
    case STEP_TOO_LONG:
        RefuseLongPath();
        return 0;
    default:
        return 1;
    }
}

// Adds the files of a directory tree to the running file total and
// returns it; 0 for a tree that cannot be listed, and once a path was
// refused, since the trees cannot be copied whole.
static UINT CountTreeFiles(const char *directory)
{
    if (WalkTree(Walk, directory) < 0)
        return 0;
    return PathRefused ? 0 : Progress.FileTotal;
}

// The percentage after the files copied so far, never above 100.
static int CurrentPercent()
{
    ULONGLONG percent;
    if (Progress.Step)
        percent = (ULONGLONG)Progress.Accumulated / 10000;
    else if (Progress.FileTotal)
        percent = (ULONGLONG)Progress.FilesDone * 100 / Progress.FileTotal;
    else
        percent = 0;
    return percent > 100 ? 100 : (int)percent;
}

// Reports a destination file name taken by a directory; 0 (the copy stops).
static int ReportNameTaken(int first)
{
    ShowTreeMessage(MessageText(first ? SLOT_TREE_FILE_IS_DIR_FIRST
                                      : SLOT_TREE_FILE_IS_DIR_LATER),
                    BOX_PLAIN);
    return 0;
}

// Copies one file of a tree, showing its paths, and advances the bar. In
// a minimal install the movie and texture files are left out (and do not
// move the bar). Copies lose the read-only attribute of the CD. first
// tells whether the file is its listing's first entry.
static int CopyFileWithProgress(const char *source, const char *dest, int first)
{
    if (LeftOutOfInstall(source))
        return 1;
    SetPathTexts(source, dest);
    if (CopyWatch)
        CopyWatch(WATCH_FILE, dest);
    if (CopyAsNormalFile(source, dest, DrawPathTextsOnTime)) {
        Progress.FilesDone++;
        Progress.Accumulated += (int)Progress.Step;
        int percent = CurrentPercent();
        // The bar is painted (after its short pause) only when its
        // percentage changes: a repaint of the same bar shows nothing new.
        if (percent != Progress.Percent)
            ShowPercent(percent);
        return 1;
    }
    DWORD error = GetLastError();
    if (ProbeCopyName(dest) == 2)  // in a directory this copy made
        return ReportNameTaken(first);
    DrawPathTexts();  // the window under the box names the file
    ReportCopyError(error, TreeCopyCaption, dest);
    return 0;
}

// Makes sure a destination directory exists: 2 when it was made here, 1
// when it was there already, 0 after a message for a file in its place or
// a failure to create it.
static int PrepareDirectory(const char *path)
{
    switch (ProbeCopyName(path)) {
    case 0:
        if (MakeDirectoryName(path))
            return 2;
        ShowTreeMessage(MessageText(SLOT_TREE_MKDIR), BOX_PLAIN);
        return 0;
    case 1:
        ShowTreeMessage(MessageText(SLOT_TREE_DIR_IS_FILE), BOX_PLAIN);
        return 0;
    default:
        return 1;
    }
}

// The destination of the tree being copied, and for each folder of the
// walk's path whether the copy made it (it then holds nothing the copy
// did not put there).
struct TreeDestination {
    const char *root;
    BYTE fresh[TREE_DEPTH_CAP];
};

// The destination of a walk's entry (the root's for the root). A path that
// does not fit is refused (reported as a copy error) rather than cut, since
// a cut path would name a different file.
static int DestinationOf(const TreeDestination &to, const TreeEntry &entry,
                         char (&dest)[PATH_CAP])
{
    if (entry.path && (entry.depth ? JoinName(dest, to.root, entry.below)
                                   : TextCopy(dest, to.root)))
        return 1;
    RefuseLongPath();
    return 0;
}

// Copies one file of the walk; 1 to go on, 0 to stop.
static int CopyTreeFile(const TreeDestination &to, const TreeEntry &entry)
{
    TakeOneMessage();
    char dest[PATH_CAP];
    if (!DestinationOf(to, entry, dest))
        return 0;
    // A directory the copy made holds no directory of a file's name: the
    // probe (a directory search under Wine for a name that is not there)
    // is left to a copy that fails.
    if (!to.fresh[entry.depth - 1] && ProbeCopyName(dest) == 2)
        return ReportNameTaken(entry.first);
    if (Progress.Cancelled)
        return 0;
    return CopyFileWithProgress(entry.path, dest, entry.first);
}

// One step of the copy's walk (its destination the context): a folder is
// made where it is missing, a file copied. 1 to go on, 0 to stop.
static int CopyStep(void *context, TreeStep step, const TreeEntry &entry)
{
    TreeDestination &to = *static_cast<TreeDestination *>(context);
    char dest[PATH_CAP];
    int made;
    switch (step) {
    case STEP_FOLDER:
        if (!DestinationOf(to, entry, dest) || !(made = PrepareDirectory(dest)))
            return 0;
        to.fresh[entry.depth] = made == 2;
        return 1;
    case STEP_FILE:
        return CopyTreeFile(to, entry);
    case STEP_UNLISTED:
        ShowTreeMessage(MessageText(SLOT_TREE_LIST), BOX_WARNING);
        return 0;
    default:
        RefuseLongPath();
        return 0;
    }
}

static TreeDestination Destination;  // of the tree being copied

// Copies a directory tree into destination, creating what is missing and
// overwriting files that are there. Stops at the first failure (reported
// where it happens) or a cancel; what was copied stays. 1 or 0.
static int CopyTree(const char *sourceDir, const char *destDir)
{
    Destination.root = destDir;
    return WalkTree(Walk, sourceDir) == 1;
}

// The four directories of the copy (text of the system's code page) as
// names; 0 when one does not fit.
struct TreeRoots {
    char source1[PATH_CAP], dest1[PATH_CAP], source2[PATH_CAP], dest2[PATH_CAP];
};
static int NameRoots(TreeRoots &roots, const char *source1, const char *dest1,
                     const char *source2, const char *dest2)
{
    return NameFromSystem(roots.source1, source1) && NameFromSystem(roots.dest1, dest1) &&
           NameFromSystem(roots.source2, source2) && NameFromSystem(roots.dest2, dest2);
}

// Copies the first tree and, when it exists, the second into their
// destinations under the progress window. 1 when both are copied and the
// window is closed; 0 after a message (the window may stay open).
int CopyProductTrees(char *systemSource1, char *systemDest1, char *systemSource2,
                     char *systemDest2)
{
    StartProgress(&Progress);
    PathRefused = 0;
    TreeRoots roots;
    if (!NameRoots(roots, systemSource1, systemDest1, systemSource2, systemDest2)) {
        RefuseLongPath();
        return 0;
    }
    char *source1 = roots.source1, *dest1 = roots.dest1;
    char *source2 = roots.source2, *dest2 = roots.dest2;
    StartTreeWalk(Walk, LIST_AND_KEEP, CountStep, 0);
    if (CountTreeFiles(source1) == 0)
        return 0;
    int second = source2[0] && ProbeCopyName(source2) == 2;
    if (second)
        CountTreeFiles(source2);
    if (PathRefused)
        return 0;
    // The total holds the first tree's files at least: never 0 here. A
    // second tree that cannot be listed adds nothing and its copy fails.
    if (Progress.FileTotal == 0)
        return 0;
    Progress.Step = 1000000 / Progress.FileTotal;

    if (!OpenProgressWindow())
        return 0;
    Progress.Percent = 0;

    // The reader goes ahead of the copy on the source side; it stops
    // with the copy, before the message of a copy that failed.
    StartTreeWalk(Walk, KEPT_OR_AFRESH, CopyStep, &Destination);
    StartReadAhead(source1, second ? source2 : 0);
    int copied = CopyTree(source1, dest1) && (!second || CopyTree(source2, dest2));
    StopReadAhead();
    ForgetTreeListing();
    if (!copied) {
        ShowTreeMessage(MessageText(SLOT_TREE_FAILED), BOX_PLAIN);
        return 0;
    }
    ShowPercent(100);
    return CloseProgressWindow();
}
