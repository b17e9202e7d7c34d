// The product's directory trees are copied file by file into the
// destination while a small modeless progress window, made from the
// message library's template 7, shows the current file's source and
// destination and a bar with the percentage done.
#include "setup/treecopy.h"
#include "setup/copy.h"
#include "setup/paths.h"
#include "setup/readahead.h"
#include "setup/state.h"
#include "setup/run.h"
#include "common/ui.h"
#include "setup/rules.h"
#include "common/text.h"
#include "platform/templates.h"
#include "common/filenames.h"
#include "common/system.h"

// The state of the copy, kept here and read by the tests through CopyState().
// The progress is counted in millionths of the whole (a hundredth of the
// old hundredths of a per cent), so that a tree of up to a million files
// still moves the bar; a larger tree takes its percentage from the file
// count.
static CopyProgress Progress;
static HBRUSH ProgressFillBrush;  // the blue brush of the last paint

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

static const char TreeCaption[] = "Copy";
// The caption of a copy error other than access, sharing or a full disk.
static const char TreeCopyCaption[] = "Setup PM File Copy";

// The two path texts follow every file but reach the screen at its pace.
// The controls answer WM_GETTEXT with the current file's paths at once, so
// that a reader of the window sees the file being copied; their stored
// text, from which a look from outside reads, is set when they are drawn.
// Under Wine, storing a text costs a request to the server, and drawing
// it more than the copy of a small file.
static const DWORD TextFrameMs = 50;  // the texts are at most this old on screen
static HWND SourceText, DestText;     // controls 1005 and 1006
static char SourcePath[PATH_CAP], DestPath[PATH_CAP];  // the current file's
static WNDPROC SourceProc, DestProc;  // each control's own procedure
static int TextsPending;              // set since they were last drawn
static DWORD TextsDrawnAt;            // GetTickCount of that drawing

// Where names are wide (the NT family), the controls' texts are wide too,
// so that a name the system's code page lacks is shown as it is; the
// window functions for that are looked up (Windows 95 lacks them).
struct WideWindowProcs {
    decltype(&CallWindowProcW) callWindowProc;
    decltype(&DefWindowProcW) defWindowProc;
    decltype(&SetWindowLongPtrW) setWindowLong;
};
static WideWindowProcs WideWindow;  // all set, or callWindowProc 0
static void LookUpWideWindow()
{
    WideWindow = WideWindowProcs{};
    if (!WideNames())
        return;
    WideWindowProcs found = {SYSTEM_FUNCTION(CallWindowProcW), SYSTEM_FUNCTION(DefWindowProcW),
                             SYSTEM_FUNCTION(SetWindowLongPtrW)};
    if (found.callWindowProc && found.defWindowProc && found.setWindowLong)
        WideWindow = found;
}

// A path text (a name) as the wide text of a control; its length.
static int WidePathText(const char *path, WCHAR (&wide)[PATH_CAP])
{
    if (!NameToWide(wide, PATH_CAP, path))
        wide[0] = 0;
    int n = 0;
    while (wide[n])
        n++;
    return n;
}

// The wide controls' answers to a request for their text.
static LRESULT WidePathTextProc(HWND control, UINT message, WPARAM wParam,
                                LPARAM lParam, const char *path, WNDPROC own)
{
    WCHAR wide[PATH_CAP];
    if (message == WM_GETTEXTLENGTH)
        return WidePathText(path, wide);
    if (message == WM_GETTEXT) {
        int n = WidePathText(path, wide);
        if (wParam == 0)
            return 0;
        if (n > (int)wParam - 1)
            n = (int)wParam - 1;
        WCHAR *out = (WCHAR *)lParam;
        for (int i = 0; i < n; i++)
            out[i] = wide[i];
        out[n] = 0;
        return n;
    }
    return WideWindow.callWindowProc(own, control, message, wParam, lParam);
}

// The path controls' procedure: their text is the current file's path.
// A control is told by its ID, which it keeps until it is gone (the
// handles are forgotten when the window is destroyed, before its controls).
static LRESULT CALLBACK PathTextProc(HWND control, UINT message,
                                     WPARAM wParam, LPARAM lParam)
{
    int source = GetDlgCtrlID(control) == IDC_PROGRESS_SOURCE;
    const char *path = source ? SourcePath : DestPath;
    if (WideWindow.callWindowProc)
        return WidePathTextProc(control, message, wParam, lParam, path,
                                source ? SourceProc : DestProc);
    if (message == WM_GETTEXTLENGTH)
        return lstrlenA(path);
    if (message == WM_GETTEXT) {
        if (wParam == 0)
            return 0;
        lstrcpynA((char *)lParam, path, (int)wParam);
        return lstrlenA((char *)lParam);
    }
    return CallWindowProcA(source ? SourceProc : DestProc, control, message,
                           wParam, lParam);
}

// Draws the two path texts now, when they changed since the last time.
static void DrawPathTexts()
{
    if (!TextsPending || !SourceText || !DestText)
        return;
    TextsPending = 0;
    TextsDrawnAt = GetTickCount();
    if (WideWindow.defWindowProc) {
        WCHAR wide[PATH_CAP];
        WidePathText(SourcePath, wide);
        WideWindow.defWindowProc(SourceText, WM_SETTEXT, 0, (LPARAM)wide);
        WidePathText(DestPath, wide);
        WideWindow.defWindowProc(DestText, WM_SETTEXT, 0, (LPARAM)wide);
    } else {
        DefWindowProcA(SourceText, WM_SETTEXT, 0, (LPARAM)SourcePath);
        DefWindowProcA(DestText, WM_SETTEXT, 0, (LPARAM)DestPath);
    }
    const UINT how = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    RedrawWindow(SourceText, 0, 0, how);
    RedrawWindow(DestText, 0, 0, how);
}

// Draws pending path texts once a frame's time has passed since the last
// drawing; also called between the chunks of a long file.
static void DrawPathTextsOnTime()
{
    if (TextsPending && GetTickCount() - TextsDrawnAt >= TextFrameMs)
        DrawPathTexts();
}

// Makes the current file's paths the controls' texts; the drawing waits
// for the next frame. Both paths fit: they were built in PATH_CAP buffers.
static void SetPathTexts(const char *source, const char *dest)
{
    if (!SourceText || !DestText)
        return;  // an unattended copy has no window
    TextCopy(SourcePath, source);
    TextCopy(DestPath, dest);
    TextsPending = 1;
    DrawPathTextsOnTime();
}

// Gives the window's path controls the procedure above.
static void WatchPathTexts(HWND window)
{
    SourceText = GetDlgItem(window, IDC_PROGRESS_SOURCE);
    DestText = GetDlgItem(window, IDC_PROGRESS_DEST);
    TextsPending = 0;
    if (!SourceText || !DestText) {
        SourceText = DestText = 0;
        return;
    }
    LookUpWideWindow();
    // A procedure set by the wide call gets the wide messages.
    decltype(&SetWindowLongPtrA) setWindowLong =
        WideWindow.setWindowLong ? WideWindow.setWindowLong : SetWindowLongPtrA;
    SourceProc = (WNDPROC)setWindowLong(SourceText, GWLP_WNDPROC, (LONG_PTR)PathTextProc);
    DestProc = (WNDPROC)setWindowLong(DestText, GWLP_WNDPROC, (LONG_PTR)PathTextProc);
}

// Shows a message box of the copy: no owner, after the path texts are
// drawn, so that the window under the box names the file concerned.
static void ShowCopyBox(const char *text, const char *caption, UINT style)
{
    DrawPathTexts();
    ShowBox(text, caption, style);
}

// The refusal of a path that does not fit its 260-byte buffer: a cut path
// would name another file or directory (a listing pattern cut to "*."
// leaves out every name with an extension), so the copy stops instead.
static int PathRefused;  // 1 once a path was refused: nothing goes on
static void RefuseLongPath()
{
    PathRefused = 1;
    ShowCopyBox("File Copy Error", TreeCopyCaption, BOX_WARNING);
}

// Shows a tree copy message: no owner, caption "Copy".
static void ShowTreeMessage(const char *text, UINT style)
{
    ShowCopyBox(text, TreeCaption, style);
}

// An empty counting loop that shows the bar for a moment; the volatile
// counter keeps the compiler from removing it.
static void Pause(DWORD iterations)
{
    for (volatile DWORD i = 0; i < iterations; i = i + 1) {
    }
}

static void PaintProgressBar(HDC dc);

// Selects the white stock brush back into dc and deletes the fill brush.
static void ReleaseFillBrush(HDC dc)
{
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    if (ProgressFillBrush)
        DeleteObject(ProgressFillBrush);
    ProgressFillBrush = 0;
}

// Paints the bar at once on the progress window's device context, with
// the path texts that go with it.
static void PaintOnWindow()
{
    if (!Progress.Window)
        return;  // an unattended copy: no window, and never the screen's DC
    DrawPathTexts();
    HDC dc = GetDC(Progress.Window);
    if (!dc)
        return;
    PaintProgressBar(dc);
    ReleaseFillBrush(dc);
    ReleaseDC(Progress.Window, dc);
}

// Draws the bar: a white frame, a pure blue fill of 2 pixels per per cent
// and the percentage in red, centred, as exactly four characters.
static void PaintProgressBar(HDC dc)
{
    const RECT &r = Progress.BarRect;
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);

    ProgressFillBrush = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, ProgressFillBrush);
    Rectangle(dc, r.left, r.top, r.left + 2 * Progress.Percent, r.bottom);

    char text[8];
    TextFormat(text, sizeof text, "%3d%%", Progress.Percent);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, (r.left + r.right) / 2, r.top + 4, text, 4);
}

// The progress window's procedure: centres the window and places the bar,
// repaints the bar, and takes a cancel (button or Esc) as the user's wish
// to stop the copy before the next file. The modeless window is destroyed
// at the cancel (EndDialog would only hide it).
static INT_PTR CALLBACK ProgressDlgProc(HWND window, UINT message,
                                        WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        CentreWindow(window, GetDesktopWindow());
        RECT frame;
        GetWindowRect(window, &frame);
        int w = frame.right - frame.left, h = frame.bottom - frame.top;
        Progress.BarRect.left = (w - 200) / 2;
        Progress.BarRect.right = Progress.BarRect.left + 200;
        Progress.BarRect.top = (h / 3) * 2 - 16;
        Progress.BarRect.bottom = Progress.BarRect.top + 24;
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintProgressBar(dc);
        ReleaseFillBrush(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Progress.Cancelled = 1;
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        // Nothing paints on the window or its controls any more.
        Progress.Window = 0;
        SourceText = DestText = 0;
        return 0;
    }
    return 0;
}

// Takes at most one waiting message, so that the window stays responsive
// during the copy. Keyboard input goes through the dialog manager, which
// turns Esc into IDCANCEL. A quit request ends the copy as a cancel does
// (setup then ends through its fatal exit); it is not posted again, since
// the queue hands a WM_QUIT out before any input and would hide every
// later press from the copy and the message box after it.
// A copy without a window has nothing to press: a quit request is looked for
// once a frame rather than before every file (under Wine each look is a
// request to the server, one of the seven that a small file's copy made).
static DWORD LookedAt;  // GetTickCount of the windowless copy's last look
static void TakeOneMessage()
{
    if (!Progress.Window) {
        DWORD now = GetTickCount();
        if (now - LookedAt < TextFrameMs)
            return;
        LookedAt = now;
    }
    MSG msg;
    if (!PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        return;
    if (msg.message == WM_QUIT) {
        Progress.Cancelled = 1;
        return;
    }
    if (Progress.Window && IsDialogMessageA(Progress.Window, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Walks the listing of a directory (common/filenames.h); a directory that
// cannot be listed is reported (slot 54), one whose pattern does not fit
// is refused. Every path of the copy is a name: the CD's names arrive as
// they are. The walk's result.
static int WalkTree(const char *directory, EntryVisit visit, void *context)
{
    int walked = WalkDirectory(directory, visit, context);
    if (walked == WALK_TOO_LONG)
        RefuseLongPath();
    else if (walked == WALK_UNLISTED)
        ShowTreeMessage(MessageText(SLOT_TREE_LIST), BOX_WARNING);
    return walked;
}

static UINT CountTreeFiles(const char *directory);

// One entry of CountTreeFiles' walk of directory (the context): a file
// counts, a subdirectory is counted in turn; each is kept for the reader
// (readahead.h). 0 once a path was refused.
static int CountTreeEntry(void *directory, const FoundName &entry, int first)
{
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Progress.FileTotal++;
        KeepListed(LISTED_FILE, entry.cFileName, first);
    } else {
        char sub[PATH_CAP];
        if (!JoinName(sub, static_cast<const char *>(directory), entry.cFileName)) {
            RefuseLongPath();
        } else {
            KeepListed(LISTED_FOLDER, entry.cFileName, first);
            CountTreeFiles(sub);
            KeepListed(LISTED_END);
        }
    }
    return !PathRefused;
}

// Adds the files of a directory tree to the running file total and
// returns it. A directory that cannot be listed is reported and adds
// nothing; the count goes on with the other entries. A path that does not
// fit is refused: the count stops and gives 0, since the trees cannot be
// copied whole.
static UINT CountTreeFiles(const char *directory)
{
    if (WalkTree(directory, CountTreeEntry, const_cast<char *>(directory)) < 0) {
        KeepListed(LISTED_UNLISTED);
        return 0;
    }
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
    if (MinimalInstall == 1 && IsLeftOutOfMinimal(source))
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
        if (percent != Progress.Percent) {
            Pause(10000);
            Progress.Percent = percent;
            PaintOnWindow();
        }
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

// One directory of CopyTree: its source and destination paths with their
// lengths before an entry's name, and whether the copy made the
// destination (it then holds nothing the copy did not put there).
struct TreeLevel {
    char source[PATH_CAP], dest[PATH_CAP];
    int sourceLength, destLength;
    int fresh;
};

// The level's paths = its directories, a backslash and name. A path that
// does not fit is refused (reported as a copy error) rather than cut,
// since a cut path would name a different file.
static int BuildEntryPaths(TreeLevel &level, const char *name)
{
    level.source[level.sourceLength] = '\0';
    level.dest[level.destLength] = '\0';
    if (AppendNameBackslash(level.source) && TextAppend(level.source, name) &&
        AppendNameBackslash(level.dest) && TextAppend(level.dest, name))
        return 1;
    RefuseLongPath();
    return 0;
}

static int CopyTree(const char *sourceDir, const char *destDir);

// Copies one listing entry of CopyTree (its level the context); first
// tells whether it is the first entry of its listing. 1 to go on, 0 to
// stop.
static int CopyTreeEntry(void *context, const FoundName &entry, int first)
{
    TreeLevel &level = *static_cast<TreeLevel *>(context);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        return BuildEntryPaths(level, entry.cFileName) &&
               CopyTree(level.source, level.dest);
    }
    TakeOneMessage();
    if (!BuildEntryPaths(level, entry.cFileName))
        return 0;
    // A directory the copy made holds no directory of a file's name: the
    // probe (a directory search under Wine for a name that is not there)
    // is left to a copy that fails.
    if (!level.fresh && ProbeCopyName(level.dest) == 2)
        return ReportNameTaken(first);
    if (Progress.Cancelled)
        return 0;
    return CopyFileWithProgress(level.source, level.dest, first);
}

// The copy's place in the listing the count kept (readahead.h).
static SIZE_T KeptAt;

// Walks the level's folder by the kept listing as WalkTree walks it by
// the file system's: each entry to CopyTreeEntry, a folder that the count
// could not list reported (slot 54). 1 when every entry went through.
static int WalkKept(TreeLevel &level)
{
    ListedKind kind;
    const char *name;
    int first;
    FoundName entry;
    while (NextListed(&KeptAt, &kind, &name, &first)) {
        if (kind == LISTED_END)
            return 1;
        if (kind == LISTED_UNLISTED) {
            ShowTreeMessage(MessageText(SLOT_TREE_LIST), BOX_WARNING);
            return 0;
        }
        entry.dwFileAttributes = kind == LISTED_FOLDER ? FILE_ATTRIBUTE_DIRECTORY : 0;
        TextCopy(entry.cFileName, name);
        if (!CopyTreeEntry(&level, entry, first))
            return 0;
    }
    return 0;  // never: a whole listing ends each folder
}

// Copies a directory tree into destination, creating what is missing and
// overwriting files that are there. Stops at the first failure (reported
// where it happens) or a cancel; what was copied stays. 1 or 0.
static int CopyTree(const char *sourceDir, const char *destDir)
{
    TreeLevel level;
    if (!TextCopy(level.source, sourceDir) || !TextCopy(level.dest, destDir)) {
        RefuseLongPath();
        return 0;
    }
    level.sourceLength = lstrlenA(level.source);
    level.destLength = lstrlenA(level.dest);
    int made = PrepareDirectory(level.dest);
    if (!made)
        return 0;
    level.fresh = made == 2;
    // The trees were listed for their count: listed again only when that
    // listing was too long to be kept.
    if (ListedWhole())
        return WalkKept(level);
    return WalkTree(level.source, CopyTreeEntry, &level) == 1;
}

// Creates and shows the progress window, where the run shows one; 0 after
// a message.
static int OpenProgressWindow()
{
    if (!OpenRunWindow(MsgModule, TPL_PROGRESS, ProgressDlgProc, &Progress.Window)) {
        ShowTreeMessage("Create Window Error", BOX_WARNING);
        return 0;
    }
    if (!Progress.Window)
        return 1;
    WatchPathTexts(Progress.Window);
    ShowWindow(Progress.Window, SW_SHOWNORMAL);
    UpdateWindow(Progress.Window);
    return 1;
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
    Progress = CopyProgress{};
    SourceText = DestText = 0;
    PathRefused = 0;
    TreeRoots roots;
    if (!NameRoots(roots, systemSource1, systemDest1, systemSource2, systemDest2)) {
        RefuseLongPath();
        return 0;
    }
    char *source1 = roots.source1, *dest1 = roots.dest1;
    char *source2 = roots.source2, *dest2 = roots.dest2;
    ForgetListed();
    if (CountTreeFiles(source1) == 0)
        return 0;
    KeepListed(LISTED_END);
    int second = source2[0] && ProbeCopyName(source2) == 2;
    if (second) {
        CountTreeFiles(source2);
        KeepListed(LISTED_END);
    }
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
    KeptAt = 0;
    StartReadAhead(source1, second ? source2 : 0);
    int copied = CopyTree(source1, dest1) && (!second || CopyTree(source2, dest2));
    StopReadAhead();
    if (!copied) {
        ShowTreeMessage(MessageText(SLOT_TREE_FAILED), BOX_PLAIN);
        return 0;
    }
    Pause(10000);
    Progress.Percent = 100;
    PaintOnWindow();
    Pause(10000000);
    if (Progress.Window && !DestroyWindow(Progress.Window)) {
        ShowTreeMessage("Can't DestroyWindow.", BOX_WARNING);
        return 0;
    }
    Progress.Window = 0;  // WM_DESTROY has forgotten it and its controls
    return 1;
}
