// The robot itself: it reads message boxes and dialogs of another thread
// exactly, presses by posting, and reports a dialog again when it waits again.
#include <gtest/gtest.h>
#include <thread>
#include "robot.h"

TEST(Robot, ReadsAndAnswersAMessageBox)
{
    int answer = 0;
    std::thread t([&] {
        answer = MessageBoxA(nullptr, "Line one\nLine two", "Caption",
                             MB_YESNO | MB_ICONWARNING);
    });
    Robot robot;
    auto w = robot.Next();
    ASSERT_TRUE(w);
    EXPECT_EQ("box", w->kind);
    EXPECT_EQ("Caption", w->caption);
    EXPECT_EQ("Line one\nLine two", w->text);
    EXPECT_TRUE(robot.Press(*w, IDNO));
    t.join();
    EXPECT_EQ(IDNO, answer);
    ASSERT_EQ(1u, robot.transcript.size());
    EXPECT_EQ("box \"Caption\" \"Line one|Line two\" -> 7", robot.transcript[0]);
}

// A dialog that waits like one of the custom dialog library: the property
// is set while it waits and removed when its button is pressed.
static INT_PTR CALLBACK WaitingProc(HWND h, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        SetPropA(h, "TemplateNumber", (HANDLE)(UINT_PTR)7270);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == 1151) {
        RemovePropA(h, "TemplateNumber");
        SetWindowLongPtrA(h, DWLP_USER, GetWindowLongPtrA(h, DWLP_USER) + 1);
        if (GetWindowLongPtrA(h, DWLP_USER) == 2)
            EndDialog(h, 1151);
        else
            SetTimer(h, 1, 200, nullptr);  // waits again a little later
        return TRUE;
    }
    if (msg == WM_TIMER) {
        KillTimer(h, 1);
        SetPropA(h, "TemplateNumber", (HANDLE)(UINT_PTR)7270);
        return TRUE;
    }
    return FALSE;
}

TEST(Robot, ReportsAWaitingDialogAgainWhenItWaitsAgain)
{
    // A template in memory: one static text and one event button.
    alignas(4) static WORD tpl[256];
    WORD *p = tpl;
    auto dlg = reinterpret_cast<DLGTEMPLATE *>(p);
    dlg->style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME;
    dlg->cdit = 2;
    dlg->cx = 160;
    dlg->cy = 60;
    p = reinterpret_cast<WORD *>(dlg + 1);
    *p++ = 0; *p++ = 0;  // no menu, default class
    for (const char *s = "Welcome"; ; s++) { *p++ = (WORD)*s; if (!*s) break; }
    auto item = [&](DWORD style, short x, short y, short cx, short cy, WORD id,
                    WORD cls, const char *text) {
        p = reinterpret_cast<WORD *>(((UINT_PTR)p + 3) & ~(UINT_PTR)3);
        auto it = reinterpret_cast<DLGITEMTEMPLATE *>(p);
        it->style = style | WS_CHILD | WS_VISIBLE;
        it->x = x; it->y = y; it->cx = cx; it->cy = cy; it->id = id;
        p = reinterpret_cast<WORD *>(it + 1);
        *p++ = 0xFFFF; *p++ = cls;
        for (const char *s = text; ; s++) { *p++ = (WORD)*s; if (!*s) break; }
        *p++ = 0;
    };
    item(SS_LEFT, 5, 5, 150, 10, (WORD)-1, 0x0082, "Hello");
    item(BS_PUSHBUTTON, 5, 30, 60, 14, 1151, 0x0080, "Next");
    INT_PTR result = 0;
    std::thread t([&] {
        result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                    reinterpret_cast<DLGTEMPLATE *>(tpl),
                                    nullptr, WaitingProc, 0);
    });
    Robot robot;
    for (int run = 0; run < 2; run++) {
        auto w = robot.Next();
        ASSERT_TRUE(w) << "run " << run;
        EXPECT_EQ("dialog", w->kind);
        EXPECT_EQ(7270u, w->templ);
        EXPECT_EQ("Hello", w->text);
        EXPECT_TRUE(robot.Press(*w, 1151));
    }
    t.join();
    EXPECT_EQ(1151, result);
}

// Screenshots show windows as Windows draws them: caption buttons are the
// symbols of the Marlett font, and a prefix without Wine's own fonts draws
// the close box as the letter 'r'.
TEST(Screen, CaptionButtonsHaveTheirSymbolFont)
{
    HDC dc = GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfHeight = -13;
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(lf.lfFaceName, "Marlett");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    EXPECT_STREQ("Marlett", face);
    EXPECT_EQ(SYMBOL_CHARSET, tm.tmCharSet);
}
