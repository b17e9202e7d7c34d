// The credits box, from the program's own template (setup/Tql.rc is linked
// into this test), read and answered by the UI robot.
#include <gtest/gtest.h>
#include <thread>
#include "setup/credits.h"
#include "setup/state.h"
#include "tests/robot/robot.h"

// The program's own credits box (setup/Tql.rc is linked into this test).
TEST(Credits, CentredOnTheScreenAndClosedByOk)
{
    ProgramInstance = GetModuleHandleA(nullptr);
    std::thread t(ShowCredits);
    Robot robot;
    auto w = robot.Next();
    ASSERT_TRUE(w);
    EXPECT_EQ("Special Thanks", w->caption);
    RECT r, screen;
    GetWindowRect(w->hwnd, &r);
    GetWindowRect(GetDesktopWindow(), &screen);
    EXPECT_EQ((screen.right - (r.right - r.left)) / 2, r.left);
    EXPECT_EQ((screen.bottom - (r.bottom - r.top)) / 2, r.top);
    // Cancel (Esc) does not close it (a closing box hides at once); OK does.
    SendMessageA(w->hwnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindowVisible(w->hwnd));
    EXPECT_TRUE(robot.Press(*w, IDOK));
    t.join();
}
