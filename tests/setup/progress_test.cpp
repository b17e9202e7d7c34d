// The progress window of the tree copy: the bar read from the window's
// pixels and the path texts at each file, the bar's room in each message
// library's window, the path controls' own procedures, and a cancel by
// button, by Esc through the robot and by a quit request.
#include <gtest/gtest.h>
#include "copy_support.h"
#include "platform/templates.h"
#include "setup/state.h"
#include "setup/treecopy.h"

namespace {

class ProgressWindowTest : public TreeCopyTest {};

TEST_F(ProgressWindowTest, ThreeFilesShowThirdsAndHundredOnlyAtTheEnd)
{
    // The second source as TQL.INI gives it: no trailing backslash (with
    // one it would not be found, and not be copied).
    std::string src = dir + "SRC\\", empty = dir + "EMPTY", dest = dir + "DEST\\";
    Tree(src, {"ONE.DAT", "TWO.DAT", "THREE.DAT"});
    CreateDirectoryA(empty.c_str(), nullptr);
    std::vector<std::string> pathErrors;
    CopyHook = [&](const char *path) {
        BarSeen.push_back(BarOnScreen());
        // The window shows the file's source and destination.
        std::string p = path;
        char s[300] = "", d[300] = "";
        GetDlgItemTextA(CopyState().Window, IDC_PROGRESS_SOURCE, s, sizeof s);
        GetDlgItemTextA(CopyState().Window, IDC_PROGRESS_DEST, d, sizeof d);
        if (p != d || src + p.substr(dest.size()) != s)
            pathErrors.push_back(std::string(s) + " / " + d + " for " + p);
    };
    int r = -1;
    Answered o = Copy(src, dest, empty, dest, &r);
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(BoxLines(o.windows).empty());
    // Nothing but the progress window; whether the robot caught it in its
    // short life depends on the machine's load, what it painted does not.
    ASSERT_LE(o.windows.size(), 1u);
    for (const auto &w : o.windows)
        EXPECT_EQ("window", w.kind);
    EXPECT_EQ(CopyState().FileTotal, 3u);
    EXPECT_EQ(Distinct(BarSeen), (std::vector<int>{0, 33, 66, 99, 100}));
    EXPECT_TRUE(pathErrors.empty()) << pathErrors[0];
    EXPECT_EQ(CountFiles(dest), 3);
    // " 100%" is centred on the bar and starts below its top line; the
    // bar, where its pixels were read, covers no control of the template.
    EXPECT_TRUE(BarClear);
    ASSERT_TRUE(RedSeen);
    EXPECT_NEAR(RedCentre, (CopyState().BarRect.left + CopyState().BarRect.right) / 2, 2);
    EXPECT_GE(RedTop, CopyState().BarRect.top + 4);
    EXPECT_EQ(CopyState().Window, nullptr);
}

// The Japanese library's progress window leaves the bar its room as well.
TEST_F(ProgressWindowTest, JapaneseWindowLeavesTheBarItsRoom)
{
    HMODULE english = MsgModule;
    MsgModule = LoadLibraryExA("Q:\\msg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(MsgModule);
    Tree(dir + "SRC\\", {"ONE.DAT"});
    int r = -1;
    Copy(dir + "SRC\\", dir + "DEST\\", "", dir + "DEST\\", &r);
    FreeLibrary(MsgModule);
    MsgModule = english;
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(BarClear);
}

// Cancel during the copy, by the button or by Esc: the files copied so far
// stay, the copy stops before the next file, and slot 53 follows.
void CancelDuringCopy(TreeCopyTest *t, const std::string &dir, bool byEsc)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    for (const char *f : {"1.DAT", "2.DAT", "3.DAT", "4.DAT", "5.DAT"})
        WriteBytes((CreateDirectoryA(src.c_str(), nullptr), src + f), f);
    HANDLE atThird = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    int copies = 0;
    CopyHook = [&](const char *) {
        if (++copies != 3)
            return;
        // Before the third file: let the robot press, and go on once the
        // press is waiting in this thread's queue.
        SetEvent(atThird);
        DWORD until = GetTickCount() + 10000;
        MSG m;
        while (!(HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) &&
               (LONG)(GetTickCount() - until) < 0) {
            PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
            Sleep(5);
        }
    };
    bool pressed = false;
    int r = -1;
    Answered o = t->Copy(src, dest, "", dest, &r, [&](Robot &robot, const SeenWindow &w) {
        if (WaitForSingleObject(atThird, 10000) != WAIT_OBJECT_0)
            return;
        if (byEsc) {
            PostMessageA(w.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
            DWORD until = GetTickCount() + 10000;
            while (IsWindowVisible(w.hwnd) && (LONG)(GetTickCount() - until) < 0)
                Sleep(10);
            pressed = !IsWindowVisible(w.hwnd);
        } else {
            pressed = robot.Press(w, IDCANCEL);
        }
    });
    CloseHandle(atThird);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(CopyState().Cancelled, 1);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kTree, Slot(53))}));
    EXPECT_EQ(CountFiles(dest), 3);
    EXPECT_EQ(CopyState().FilesDone, 3u);
    EXPECT_EQ(CopyState().Window, nullptr);  // destroyed, not only hidden
}

TEST_F(ProgressWindowTest, CancelButtonStopsTheCopy) { CancelDuringCopy(this, dir, false); }
TEST_F(ProgressWindowTest, EscStopsTheCopy) { CancelDuringCopy(this, dir, true); }

// Each path control passes what it does not answer to its own earlier
// procedure, not to the other control's.
TEST_F(ProgressWindowTest, EachPathControlKeepsItsOwnProcedure)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    Tree(src, {"A.DAT"});
    MarkDestination = true;
    CopyHook = [](const char *) {
        SendMessageA(GetDlgItem(CopyState().Window, IDC_PROGRESS_DEST), kMarker, 0, 0);
    };
    int r = -1;
    Copy(src, dest, "", dest, &r);
    MarkDestination = false;
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(MarkerReached);
}

// A quit request during the copy ends it as a cancel does, and the message
// after it is still shown (a WM_QUIT posted again would end its box).
TEST_F(ProgressWindowTest, QuitRequestCancelsTheCopy)
{
    std::string src = dir + "SRC\\", dest = dir + "DEST\\";
    Tree(src, {"1.DAT", "2.DAT", "3.DAT", "4.DAT"});
    int copies = 0;
    CopyHook = [&](const char *) {
        if (++copies == 2)
            PostQuitMessage(0);
    };
    int r = -1;
    Answered o = Copy(src, dest, "", dest, &r);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(CopyState().Cancelled, 1);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kTree, Slot(53))}));
    EXPECT_EQ(CountFiles(dest), 2);
}

}  // namespace
