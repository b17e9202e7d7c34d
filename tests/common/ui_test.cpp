// The shared window helpers (common/ui.cpp) on real windows.
#include <gtest/gtest.h>
#include "common/ui.h"

TEST(CentreWindow, CentresOnTheReferenceSizeWithoutItsPosition)
{
    HWND ref = CreateWindowA("STATIC", "ref", WS_POPUP, 100, 50, 401, 301,
                             nullptr, nullptr, nullptr, nullptr);
    HWND win = CreateWindowA("STATIC", "win", WS_POPUP, 7, 9, 100, 60,
                             nullptr, nullptr, nullptr, nullptr);
    CentreWindow(win, ref);
    RECT r;
    GetWindowRect(win, &r);
    EXPECT_EQ(150, r.left);  // (401 - 100) / 2, truncated
    EXPECT_EQ(120, r.top);   // (301 - 60) / 2, truncated
    EXPECT_EQ(100, r.right - r.left);
    EXPECT_EQ(60, r.bottom - r.top);
    // Larger than the reference: negative, truncated toward zero.
    SetWindowPos(win, nullptr, 0, 0, 405, 60, SWP_NOMOVE | SWP_NOZORDER);
    CentreWindow(win, ref);
    GetWindowRect(win, &r);
    EXPECT_EQ(-2, r.left);   // (401 - 405) / 2
    DestroyWindow(win);
    DestroyWindow(ref);
}

