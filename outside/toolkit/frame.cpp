// The toolkit's frame window (msshlstf.dll): the top-level window that
// covers the screen behind every dialog of the installation. It paints the
// background bitmap of the custom dialog library (stretched over the whole
// window), or a blue gradient until one is set, and the window's title in
// large letters at its top left. The wait cursor is shown over it too.
#include "outside/toolkit/stf.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

#define FRAME_CLASS "StfFrameWindow"

static HWND Frame;
static HBITMAP FrameBitmap;
static int WaitCursorShown;

// This DLL's module handle: the instance of the frame window.
static HINSTANCE Self()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// Fills the rectangle with a vertical gradient from deep blue to black,
// in bands, as the background before a bitmap is set.
static void PaintGradient(HDC dc, const RECT *area)
{
    int height = area->bottom - area->top;
    const int bands = 128;
    for (int i = 0; i < bands; i++) {
        RECT band = *area;
        band.top = area->top + height * i / bands;
        band.bottom = area->top + height * (i + 1) / bands;
        int shade = 160 - 160 * i / bands;
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, shade));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
}

// Stretches the background bitmap over the rectangle, smoothly.
static void PaintBitmap(HDC dc, const RECT *area)
{
    BITMAP info;
    GetObjectA(FrameBitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, FrameBitmap);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, 0);
    StretchBlt(dc, area->left, area->top, area->right - area->left,
               area->bottom - area->top, source, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

// Draws the window's title at the top left, large, bold and italic, white
// with a dark shadow. Japanese titles take a face with Japanese glyphs.
static void PaintTitle(HWND window, HDC dc)
{
    char title[256];
    int len = GetWindowTextA(window, title, sizeof title);
    if (len <= 0)
        return;
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = -36;
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynA(font.lfFaceName, GetACP() == 932 ? "MS UI Gothic" : "Arial",
              LF_FACESIZE);
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 27, 19, title, len);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 24, 16, title, len);
    SelectObject(dc, old);
    DeleteObject(handle);
}

// Paints the whole frame: background, then the title.
static void PaintFrame(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    if (FrameBitmap)
        PaintBitmap(dc, &area);
    else
        PaintGradient(dc, &area);
    PaintTitle(window, dc);
    EndPaint(window, &paint);
}

// The frame's window procedure. Closing the frame by its system menu is
// refused: the installation ends only through the setup program.
static LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam,
                                  LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        PaintFrame(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        InvalidateRect(window, 0, FALSE);
        return 0;
    case WM_STYLECHANGED:
        // Caption and border removed (or added): the frame's edges change
        // although its size may not; recompute them and paint it all.
        if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
            SetWindowPos(window, 0, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                         SWP_NOACTIVATE | SWP_FRAMECHANGED);
            InvalidateRect(window, 0, FALSE);
        }
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, msg, wParam, lParam);
        InvalidateRect(window, 0, FALSE);
        return result;
    }
    case WM_SETCURSOR:
        if (WaitCursorShown && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(0, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// Creates the frame over the whole screen and shows it. The command line carries no
// options for this toolkit. Returns the frame; (HWND)-1 when the frame
// exists already; 0 when it cannot be created.
HWND WINAPI InitializeFrame(LPCSTR cmdLine)
{
    (void)cmdLine;
    if (Frame && IsWindow(Frame))
        return reinterpret_cast<HWND>(-1);
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = Self();
    wc.hIcon = LoadIcon(0, IDI_APPLICATION);
    wc.hCursor = LoadCursor(0, IDC_ARROW);
    wc.lpszClassName = FRAME_CLASS;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return 0;
    // Screen-sized rather than maximised: the setup program removes the
    // styles and maximises it itself, which a window that is maximised
    // already would not take.
    Frame = CreateWindowExA(0, FRAME_CLASS, "Setup",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                            GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN), 0, 0, Self(), 0);
    if (Frame == 0)
        return 0;
    ShowWindow(Frame, SW_SHOWNORMAL);
    UpdateWindow(Frame);
    return Frame;
}

// The frame window, or 0 before InitializeFrame.
HWND WINAPI HwndFrame(void)
{
    return Frame;
}

// The instance that owns the frame window, or 0 before InitializeFrame.
HINSTANCE WINAPI HinstFrame(void)
{
    return Frame ? Self() : 0;
}

// Loads bitmap `bitmap` of the named library (a custom dialog library) as
// the frame's background. FALSE without a frame, or when the library or
// its bitmap cannot be loaded; the former background then stays.
BOOL WINAPI FSetBitmap(LPCSTR library, UINT bitmap)
{
    if (Frame == 0 || library == 0 || *library == '\0')
        return FALSE;
    HMODULE module = LoadLibraryA(library);
    if (module == 0)
        return FALSE;
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION));
    // The dialog library's bitmap is run-length encoded (RLE8); a system
    // that makes no DIB section of a compressed bitmap still decodes it
    // into a compatible bitmap.
    if (loaded == 0)
        loaded = static_cast<HBITMAP>(
            LoadImageA(module, MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0, 0));
    FreeLibrary(module);
    if (loaded == 0)
        return FALSE;
    if (FrameBitmap)
        DeleteObject(FrameBitmap);
    FrameBitmap = loaded;
    InvalidateRect(Frame, 0, FALSE);
    UpdateWindow(Frame);
    return TRUE;
}

// Shows the hourglass (also over the frame while it stays) and returns the
// cursor it replaced, for FRestoreCursor.
HCURSOR WINAPI HShowWaitCursor(void)
{
    WaitCursorShown = 1;
    return SetCursor(LoadCursor(0, IDC_WAIT));
}

// Puts back the cursor HShowWaitCursor replaced (the arrow when there was
// none).
BOOL WINAPI FRestoreCursor(HCURSOR previous)
{
    WaitCursorShown = 0;
    SetCursor(previous ? previous : LoadCursor(0, IDC_ARROW));
    return TRUE;
}

// Destroys the frame (and with it any dialog it still owns) and its
// background.
void WINAPI TerminateFrame(void)
{
    if (Frame && IsWindow(Frame))
        DestroyWindow(Frame);
    Frame = 0;
    if (FrameBitmap)
        DeleteObject(FrameBitmap);
    FrameBitmap = 0;
    WaitCursorShown = 0;
    UnregisterClassA(FRAME_CLASS, Self());
}
