// The tree copy run under the robot with its bar watched (copy_support.h).
#include "copy_support.h"
#include <algorithm>
#include "platform/templates.h"
#include "setup/state.h"
#include "setup/treecopy.h"
#include "common/text.h"

const char *kTree = "Copy";

int BarOnScreen()
{
    HWND w = CopyState().Window;
    if (!w || !IsWindowVisible(w))
        return -1;
    HDC dc = GetDC(w);
    const RECT &r = CopyState().BarRect;
    int y = r.bottom - 2, blue = 0;
    for (int x = r.left; x < r.right; x++)
        if (GetPixel(dc, x, y) == RGB(0, 0, 255))
            blue++;
    ReleaseDC(w, dc);
    return blue ? (blue + 2) / 2 : 0;
}

// The red text's horizontal centre and top row, read from the pixels.
static bool RedTextBox(int *centre, int *top)
{
    HWND w = CopyState().Window;
    HDC dc = GetDC(w);
    const RECT &r = CopyState().BarRect;
    int minX = 1 << 30, maxX = -1, minY = 1 << 30;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++)
            if (GetPixel(dc, x, y) == RGB(255, 0, 0)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
            }
    ReleaseDC(w, dc);
    if (maxX < 0)
        return false;
    *centre = (minX + maxX) / 2;
    *top = minY;
    return true;
}

// The procedure put on control 1006 when MarkDestination is set.
const UINT kMarker = WM_USER + 77;
bool MarkDestination, MarkerReached;
static WNDPROC DestinationEarlier;
static LRESULT CALLBACK NoteMarker(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMarker)
        MarkerReached = true;
    return CallWindowProcA(DestinationEarlier, w, message, wParam, lParam);
}

std::vector<int> BarSeen;
int RedCentre = -1, RedTop = -1;
bool RedSeen, BarClear;

// The CBT hook of the copy's thread: the bar when the progress window is
// destroyed, and the mark of control 1006 when asked.
static LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    auto *made = reinterpret_cast<CBT_CREATEWNDA *>(lParam);
    if (code == HCBT_CREATEWND && MarkDestination &&
        made->lpcs->hMenu == (HMENU)(UINT_PTR)IDC_PROGRESS_DEST)
        DestinationEarlier = (WNDPROC)SetWindowLongPtrA((HWND)wParam, GWLP_WNDPROC,
                                                        (LONG_PTR)NoteMarker);
    if (code == HCBT_DESTROYWND && (HWND)wParam == CopyState().Window) {
        BarSeen.push_back(BarOnScreen());
        RedSeen = RedTextBox(&RedCentre, &RedTop);
        RECT client, overlap, control, bar = CopyState().BarRect;
        GetClientRect((HWND)wParam, &client);
        BarClear = IntersectRect(&overlap, &bar, &client) && EqualRect(&overlap, &bar);
        for (HWND c = GetWindow((HWND)wParam, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            GetWindowRect(c, &control);
            MapWindowPoints(nullptr, (HWND)wParam, reinterpret_cast<POINT *>(&control), 2);
            BarClear = BarClear && !IntersectRect(&overlap, &bar, &control);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<std::string> Failure(const std::string &caption, const std::string &text)
{
    return {BoxLine(caption, text), BoxLine(kTree, Slot(53))};
}

std::vector<int> Distinct(const std::vector<int> &v)
{
    std::vector<int> out;
    for (int x : v)
        if (x >= 0 && (out.empty() || out.back() != x))
            out.push_back(x);
    return out;
}

void TreeCopyTest::SetUp()
{
    InstallTest::SetUp();
    BarSeen.clear();
    RedSeen = BarClear = false;
    MarkDestination = MarkerReached = false;
    ProbeHook = CopyHook = [](const char *) { BarSeen.push_back(BarOnScreen()); };
}

Answered TreeCopyTest::Copy(const std::string &s1, const std::string &d1, const std::string &s2,
                            const std::string &d2, int *result, const OnWindow &onWindow)
{
    OnWindow answer = [&](Robot &robot, const SeenWindow &w) {
        if (w.kind == "box")
            robot.Press(w, IDOK);
        else if (onWindow)
            onWindow(robot, w);
    };
    return RunAnswered([=] {
        char a[260], b[260], c[260], d[260];
        TextCopy(a, s1.c_str());
        TextCopy(b, d1.c_str());
        TextCopy(c, s2.c_str());
        TextCopy(d, d2.c_str());
        HHOOK hook = SetWindowsHookExA(WH_CBT, WatchDestroy, nullptr, GetCurrentThreadId());
        *result = CopyProductTrees(a, b, c, d);
        UnhookWindowsHookEx(hook);
    }, answer);
}

void TreeCopyTest::Tree(const std::string &root, std::initializer_list<const char *> files)
{
    for (const char *f : files) {
        std::string p = root + f;
        for (size_t i = 3; i < p.size(); i++)
            if (p[i] == '\\')
                CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
        WriteBytes(p, std::string("content of ") + f);
    }
}
