// The sample game program: one window titled "ORVA", the title setup looks
// for to know that the game is running. It draws its name and closes on
// WM_CLOSE like any window.
#include <windows.h>

static const char GameTitle[] = "ORVA";
static const char GameClass[] = "OrvaGameWindow";

// Draws the game's name in the middle of its window.
static void PaintGame(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(240, 192, 64));
    DrawTextA(dc, "ORVA", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
}

// The game window: painted, closed, and the game ends with it.
static LRESULT CALLBACK GameWindowProc(HWND window, UINT message,
                                       WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintGame(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Opens the game window and runs until it is closed.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = GameClass;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowA(GameClass, GameTitle, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 240,
                                nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
