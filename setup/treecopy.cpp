// The product's directory trees are copied file by file into the
// destination while a small modeless progress window, made from the
// message library's template 7, shows the current file's source and
// destination and a bar with the percentage done.
#include "setup/setup.h"
#include "platform/templates.h"

// The state of the copy, kept here and read by others through CopyState().
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

static const char TreeCaption[] = "Copy";
// The caption of a copy error other than access, sharing or a full disk.
static const char TreeCopyCaption[] = "Setup PM File Copy";

// The two path texts are set for every file but drawn at the screen's
// pace: setting a static control's text through its own procedure paints
// it at once, which under Wine cost more than the copy of a small file.
static const DWORD TextFrameMs = 50;  // the texts are at most this old on screen
static HWND SourceText, DestText;     // controls 1005 and 1006
static int TextsPending;              // set since they were last drawn
static DWORD TextsDrawnAt;            // GetTickCount of that drawing

// Draws the two path texts now, when they changed since the last time.
static void DrawPathTexts()
{
    if (!TextsPending || !SourceText || !DestText)
        return;
    TextsPending = 0;
    TextsDrawnAt = GetTickCount();
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

// Gives the controls the current file's paths. The window text is set
// (any reader of the window sees it at once); the drawing waits for the
// next frame.
static void SetPathTexts(const char *source, const char *dest)
{
    if (!SourceText || !DestText)
        return;  // an unattended copy has no window
    DefWindowProcA(SourceText, WM_SETTEXT, 0, (LPARAM)source);
    DefWindowProcA(DestText, WM_SETTEXT, 0, (LPARAM)dest);
    TextsPending = 1;
    DrawPathTextsOnTime();
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
// to stop the copy before the next file.
static INT_PTR CALLBACK ProgressDlgProc(HWND window, UINT message, WPARAM wParam,
                                 LPARAM)
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
            EndDialog(window, 1);
        }
        return 0;
    }
    return 0;
}

// Takes at most one waiting message, so that the window stays responsive
// during the copy. Keyboard input goes through the dialog manager, which
// turns Esc into IDCANCEL; a WM_QUIT is put back for the next pump.
static void TakeOneMessage()
{
    MSG msg;
    if (!PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        return;
    if (msg.message == WM_QUIT) {
        PostQuitMessage((int)msg.wParam);
        return;
    }
    if (Progress.Window && IsDialogMessageA(Progress.Window, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Starts the listing of a directory ("*.*" below it); a directory that
// cannot be listed is reported (slot 54), one whose pattern does not fit
// is refused; both give INVALID_HANDLE_VALUE.
static HANDLE ListDirectory(const char *directory, WIN32_FIND_DATAA *entry)
{
    char pattern[PATH_CAP];
    if (!TextCopy(pattern, directory) || !AppendBackslash(pattern) ||
        !TextAppend(pattern, "*.*")) {
        RefuseLongPath();
        return INVALID_HANDLE_VALUE;
    }
    HANDLE search = FindFirstFileA(pattern, entry);
    if (search == INVALID_HANDLE_VALUE)
        ShowTreeMessage(MessageText(SLOT_TREE_LIST), BOX_WARNING);
    return search;
}

// Adds the files of a directory tree to the running file total and
// returns it. A directory that cannot be listed is reported and adds
// nothing; the count goes on with the other entries. A path that does not
// fit is refused: the count stops and gives 0, since the trees cannot be
// copied whole.
static UINT CountTreeFiles(const char *directory)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ListDirectory(directory, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            Progress.FileTotal++;
        } else if (lstrcmpiA(entry.cFileName, ".") != 0 &&
                   lstrcmpiA(entry.cFileName, "..") != 0) {
            char sub[PATH_CAP];
            if (!TextCopy(sub, directory) || !AppendBackslash(sub) ||
                !TextAppend(sub, entry.cFileName)) {
                RefuseLongPath();
            } else {
                CountTreeFiles(sub);
            }
        }
    } while (!PathRefused && FindNextFileA(search, &entry));
    FindClose(search);
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

// Copies one file of a tree, showing its paths, and advances the bar. In
// a minimal install the movie and texture files are left out (and do not
// move the bar). Copies lose the read-only attribute of the CD.
static int CopyFileWithProgress(const char *source, const char *dest)
{
    if (MinimalInstall == 1 && IsLeftOutOfMinimal(source))
        return 1;
    SetPathTexts(source, dest);
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
    DrawPathTexts();  // the window under the box names the file
    ReportCopyError(error, TreeCopyCaption);
    return 0;
}

// Makes sure a destination directory exists: 1 when it does or was made.
// A file in its place or a failure to create it is reported.
static int PrepareDirectory(const char *path)
{
    switch (ProbePath(path)) {
    case 0:
        if (MakeDirectoryPath(path))
            return 1;
        ShowTreeMessage(MessageText(SLOT_TREE_MKDIR), BOX_PLAIN);
        return 0;
    case 1:
        ShowTreeMessage(MessageText(SLOT_TREE_DIR_IS_FILE), BOX_PLAIN);
        return 0;
    default:
        return 1;
    }
}

// path = its first length characters, a backslash and name. A path that
// does not fit is refused (reported as a copy error) rather than cut,
// since a cut path would name a different file.
static int BuildEntryPath(char (&path)[PATH_CAP], int length, const char *name)
{
    path[length] = '\0';
    if (AppendBackslash(path) && TextAppend(path, name))
        return 1;
    RefuseLongPath();
    return 0;
}

static int CopyTree(const char *sourceDir, const char *destDir);

// Copies one listing entry of CopyTree; first tells whether it is the
// first entry of its listing. 1 to go on, 0 to stop.
static int CopyTreeEntry(const WIN32_FIND_DATAA &entry, int first,
                         char (&source)[PATH_CAP], int sourceLength,
                         char (&dest)[PATH_CAP], int destLength)
{
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!lstrcmpiA(entry.cFileName, ".") || !lstrcmpiA(entry.cFileName, ".."))
            return 1;
        if (!BuildEntryPath(source, sourceLength, entry.cFileName) ||
            !BuildEntryPath(dest, destLength, entry.cFileName))
            return 0;
        return PrepareDirectory(dest) && CopyTree(source, dest);
    }
    TakeOneMessage();
    if (!BuildEntryPath(source, sourceLength, entry.cFileName) ||
        !BuildEntryPath(dest, destLength, entry.cFileName))
        return 0;
    if (ProbePath(dest) == 2) {
        ShowTreeMessage(MessageText(first ? SLOT_TREE_FILE_IS_DIR_FIRST
                                          : SLOT_TREE_FILE_IS_DIR_LATER),
                        BOX_PLAIN);
        return 0;
    }
    if (Progress.Cancelled)
        return 0;
    return CopyFileWithProgress(source, dest);
}

// Copies a directory tree into destination, creating what is missing and
// overwriting files that are there. Stops at the first failure (reported
// where it happens) or a cancel; what was copied stays. 1 or 0.
static int CopyTree(const char *sourceDir, const char *destDir)
{
    char source[PATH_CAP], dest[PATH_CAP];
    if (!TextCopy(source, sourceDir) || !TextCopy(dest, destDir)) {
        RefuseLongPath();
        return 0;
    }
    int sourceLength = lstrlenA(source), destLength = lstrlenA(dest);

    if (!PrepareDirectory(dest))
        return 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = ListDirectory(source, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int first = 1;
    do {
        if (!CopyTreeEntry(entry, first, source, sourceLength, dest,
                           destLength)) {
            FindClose(search);
            return 0;
        }
        first = 0;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return 1;
}

// Creates and shows the progress window; 0 after a message.
static int OpenProgressWindow()
{
    Progress.Window = CreateDialogParamA((HINSTANCE)MsgModule,
                                        MAKEINTRESOURCEA(TPL_PROGRESS), 0,
                                        ProgressDlgProc, 0);
    if (!Progress.Window) {
        ShowTreeMessage("Create Window Error", BOX_WARNING);
        return 0;
    }
    SourceText = GetDlgItem(Progress.Window, IDC_PROGRESS_SOURCE);
    DestText = GetDlgItem(Progress.Window, IDC_PROGRESS_DEST);
    TextsPending = 0;
    ShowWindow(Progress.Window, SW_SHOWNORMAL);
    UpdateWindow(Progress.Window);
    return 1;
}

// Copies the first tree and, when it exists, the second into their
// destinations under the progress window. 1 when both are copied and the
// window is closed; 0 after a message (the window may stay open).
int CopyProductTrees(char *source1, char *dest1, char *source2, char *dest2)
{
    Progress = CopyProgress{};
    SourceText = DestText = 0;
    PathRefused = 0;
    if (CountTreeFiles(source1) == 0)
        return 0;
    int second = source2[0] && ProbePath(source2) == 2;
    if (second)
        CountTreeFiles(source2);
    if (PathRefused)
        return 0;
    // The total holds the first tree's files at least: never 0 here. A
    // second tree that cannot be listed adds nothing and its copy fails.
    if (Progress.FileTotal == 0)
        return 0;
    Progress.Step = 1000000 / Progress.FileTotal;

    if (!Unattended && !OpenProgressWindow())
        return 0;
    Progress.Percent = 0;

    if (!CopyTree(source1, dest1)) {
        ShowTreeMessage(MessageText(SLOT_TREE_FAILED), BOX_PLAIN);
        return 0;
    }
    if (second && !CopyTree(source2, dest2)) {
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
    Progress.Window = 0;
    SourceText = DestText = 0;  // gone with their window
    return 1;
}
