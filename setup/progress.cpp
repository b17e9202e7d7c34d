// The small modeless progress window of the tree copy, made from the
// message library's template 7: it shows the current file's source and
// destination and a bar with the percentage done, and takes a cancel.
#include "setup/progress.h"
#include "setup/run.h"
#include "setup/state.h"
#include "common/ui.h"
#include "common/text.h"
#include "platform/templates.h"
#include "common/filenames.h"
#include "common/system.h"

// The record the window shows (StartProgress), and the fill brush of the
// last paint.
static CopyProgress *Progress;
static HBRUSH ProgressFillBrush;

static const char TreeCaption[] = "Copy";

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
void DrawPathTexts()
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
void DrawPathTextsOnTime()
{
    if (TextsPending && GetTickCount() - TextsDrawnAt >= TextFrameMs)
        DrawPathTexts();
}

// Makes the current file's paths the controls' texts; the drawing waits
// for the next frame. Both paths fit: they were built in PATH_CAP buffers.
void SetPathTexts(const char *source, const char *dest)
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
void ShowCopyBox(const char *text, const char *caption, UINT style)
{
    DrawPathTexts();
    ShowBox(text, caption, style);
}

// Shows a tree copy message: no owner, caption "Copy".
void ShowTreeMessage(const char *text, UINT style)
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

// Draws the bar on dc; the fill brush stays selected until
// ReleaseFillBrush.
static void PaintProgressBar(HDC dc, const RECT &bar, int percent)
{
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);

    ProgressFillBrush = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, ProgressFillBrush);
    Rectangle(dc, bar.left, bar.top, bar.left + 2 * percent, bar.bottom);

    char text[8];
    TextFormat(text, sizeof text, "%3d%%", percent);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, (bar.left + bar.right) / 2, bar.top + 4, text, 4);
}

// Selects the white stock brush back into dc and deletes the fill brush.
static void ReleaseFillBrush(HDC dc)
{
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    if (ProgressFillBrush)
        DeleteObject(ProgressFillBrush);
    ProgressFillBrush = 0;
}

void PaintBarOnWindow(HWND window, const RECT &bar, int percent)
{
    HDC dc = GetDC(window);
    if (!dc)
        return;
    PaintProgressBar(dc, bar, percent);
    ReleaseFillBrush(dc);
    ReleaseDC(window, dc);
}

// Paints the bar at once on the progress window, with the path texts that
// go with it.
static void PaintOnWindow()
{
    if (!Progress->Window)
        return;  // an unattended copy: no window, and never the screen's DC
    DrawPathTexts();
    PaintBarOnWindow(Progress->Window, Progress->BarRect, Progress->Percent);
}

void ShowPercent(int percent)
{
    Pause(10000);
    Progress->Percent = percent;
    PaintOnWindow();
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
        RECT &bar = Progress->BarRect;
        bar.left = (w - 200) / 2;
        bar.right = bar.left + 200;
        bar.top = (h / 3) * 2 - 16;
        bar.bottom = bar.top + 24;
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintProgressBar(dc, Progress->BarRect, Progress->Percent);
        ReleaseFillBrush(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Progress->Cancelled = 1;
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        // Nothing paints on the window or its controls any more.
        Progress->Window = 0;
        SourceText = DestText = 0;
        return 0;
    }
    return 0;
}

void StartProgress(CopyProgress *progress)
{
    *progress = CopyProgress{};
    Progress = progress;
    SourceText = DestText = 0;
}

int OpenProgressWindow()
{
    if (!OpenRunWindow(MsgModule, TPL_PROGRESS, ProgressDlgProc, &Progress->Window)) {
        ShowTreeMessage("Create Window Error", BOX_WARNING);
        return 0;
    }
    if (!Progress->Window)
        return 1;  // the run shows none
    WatchPathTexts(Progress->Window);
    ShowWindow(Progress->Window, SW_SHOWNORMAL);
    UpdateWindow(Progress->Window);
    return 1;
}

int CloseProgressWindow()
{
    Pause(10000000);
    if (Progress->Window && !DestroyWindow(Progress->Window)) {
        ShowTreeMessage("Can't DestroyWindow.", BOX_WARNING);
        return 0;
    }
    Progress->Window = 0;  // WM_DESTROY has forgotten it and its controls
    return 1;
}

// Keyboard input goes through the dialog manager, which turns Esc into
// IDCANCEL. A quit request ends the copy as a cancel does (setup then ends
// through its fatal exit); it is not posted again, since the queue hands a
// WM_QUIT out before any input and would hide every later press from the
// copy and the message box after it.
// A copy without a window has nothing to press: a quit request is looked for
// once a frame rather than before every file (under Wine each look is a
// request to the server, one of the seven that a small file's copy made).
static DWORD LookedAt;  // GetTickCount of the windowless copy's last look
void TakeOneMessage()
{
    if (!Progress->Window) {
        DWORD now = GetTickCount();
        if (now - LookedAt < TextFrameMs)
            return;
        LookedAt = now;
    }
    MSG msg;
    if (!PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        return;
    if (msg.message == WM_QUIT) {
        Progress->Cancelled = 1;
        return;
    }
    if (Progress->Window && IsDialogMessageA(Progress->Window, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
