// Dialogs of the custom dialog libraries run by the toolkit (FDoDialogExt,
// FKillNDialogs), driven from a second thread by the automation contract:
// "TemplateNumber" while a dialog waits, buttons 1000 + event code, edit
// 1200, Help 1999, help dialog 7000 closed with IDOK. Run on an English and
// on a Japanese system; both libraries are checked on each.
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "platform/templates.h"
#include "tests/outside/toolkit/toolkit_load.h"

static Toolkit tk;
static HWND Frame;

static const char *const Libraries[] = {"mscuieng.dll", "mscuistf.dll"};

class Dialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Frame = tk.initializeFrame("");
        SetWindowTextA(Frame, "ORVA Setup");
        tk.setBitmap("mscuieng.dll", 1);
    }
    static void TearDownTestSuite() { tk.terminateFrame(); }
    void SetUp() override { ASSERT_TRUE(tk.complete()); }
    void TearDown() override { tk.killDialogs(-1); }

    // Runs one dialog without help, answered by `drive`.
    static BOOL Run(const char *library, UINT templ, const char *proc,
                    const std::function<void()> &drive, UINT helpTempl = 0)
    {
        return Driven([&] {
            return tk.doDialog(Frame, library, templ, proc, library, helpTempl,
                               helpTempl ? "FHelpDlgProc" : nullptr);
        }, drive);
    }
};

// ---- failures

// EnumThreadWindows callback: a window owned by the frame, into *lp.
static BOOL CALLBACK FindOwnedByFrame(HWND w, LPARAM lp)
{
    if (GetWindow(w, GW_OWNER) == Frame)
        *reinterpret_cast<HWND *>(lp) = w;
    return TRUE;
}

TEST_F(Dialogs, MissingLibraryProcedureOrTemplateFails)
{
    EXPECT_FALSE(tk.doDialog(Frame, "nosuch.dll", TPL_WELCOME, "FInfoDlgProc",
                             nullptr, 0, nullptr));
    EXPECT_FALSE(tk.doDialog(Frame, "mscuieng.dll", TPL_WELCOME, "FNoSuchDlgProc",
                             nullptr, 0, nullptr));
    EXPECT_FALSE(tk.doDialog(Frame, "mscuieng.dll", 4711, "FInfoDlgProc",
                             nullptr, 0, nullptr));
    EXPECT_FALSE(tk.doDialog(Frame, "mscuieng.dll", TPL_QUIT, "FQuitDlgProc",
                             "mscuieng.dll", 4711, "FHelpDlgProc"));
    EXPECT_FALSE(tk.doDialog(Frame, "mscuieng.dll", TPL_QUIT, "FQuitDlgProc",
                             "mscuieng.dll", TPL_HELP, "FNoSuchDlgProc"));
    EXPECT_FALSE(tk.doDialog(Frame, "", TPL_WELCOME, "FInfoDlgProc", nullptr, 0, nullptr));
    EXPECT_FALSE(tk.doDialog(Frame, "mscuieng.dll", TPL_WELCOME, nullptr, nullptr, 0, nullptr));
    // Nothing was left open by the failures.
    HWND any = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedByFrame,
                      reinterpret_cast<LPARAM>(&any));
    EXPECT_EQ(nullptr, any);
    EXPECT_TRUE(IsWindowEnabled(Frame));
    // Closing more than are open closes what there is.
    EXPECT_TRUE(tk.killDialogs(1));
    EXPECT_TRUE(tk.killDialogs(-1));
    EXPECT_TRUE(tk.killDialogs(0));
    EXPECT_FALSE(tk.killDialogs(-2));
}

// ---- a dialog through its life, by the automation contract

TEST_F(Dialogs, WelcomeWaitsReportsRunsAgainAndIsKilled)
{
    for (const char *library : Libraries) {
        SCOPED_TRACE(library);
        HWND seen = nullptr;
        bool taken = false;
        EXPECT_TRUE(Run(library, TPL_WELCOME_AGAIN, "FInfoDlgProc", [&] {
            seen = WaitForDialog(TPL_WELCOME_AGAIN);
            taken = seen && Press(seen, IDC_EVENT_BASE + EV_GO_ON);
        }));
        ASSERT_NE(nullptr, seen);
        EXPECT_TRUE(taken);
        EXPECT_EQ(0u, TemplateOf(seen)) << "property left after the event";
        EXPECT_TRUE(IsWindowVisible(seen)) << "closed before FKillNDialogs";
        EXPECT_EQ("INSTALL", tk.symbol("DLGEVENT"));

        // Run again: the same window waits again, with the property back.
        HWND again = nullptr;
        UINT whileWaiting = 0;
        EXPECT_TRUE(Run(library, TPL_WELCOME_AGAIN, "FInfoDlgProc", [&] {
            again = WaitForDialog(TPL_WELCOME_AGAIN);
            whileWaiting = again ? TemplateOf(again) : 0;
            if (again)
                Press(again, IDC_EVENT_BASE + EV_REMOVE_OLD);
        }));
        EXPECT_EQ(seen, again);
        EXPECT_EQ(static_cast<UINT>(TPL_WELCOME_AGAIN), whileWaiting);
        EXPECT_EQ("UNINSTALL", tk.symbol("DLGEVENT"));

        EXPECT_TRUE(tk.killDialogs(1));
        EXPECT_FALSE(IsWindow(seen));
    }
}

TEST_F(Dialogs, NestedDialogsAndKillingThemAll)
{
    HWND welcome = nullptr, quit = nullptr;
    ASSERT_TRUE(Run("mscuieng.dll", TPL_WELCOME, "FInfoDlgProc", [&] {
        welcome = WaitForDialog(TPL_WELCOME);
        Press(welcome, IDC_EVENT_BASE + EV_EXIT);
    }));
    EXPECT_EQ("EXIT", tk.symbol("DLGEVENT"));
    bool welcomeDisabled = false;
    ASSERT_TRUE(Run("mscuieng.dll", TPL_QUIT, "FQuitDlgProc", [&] {
        quit = WaitForDialog(TPL_QUIT);
        welcomeDisabled = !IsWindowEnabled(welcome) && !IsWindowEnabled(Frame);
        Press(quit, IDC_EVENT_BASE + EV_CANCEL);
    }, TPL_HELP));
    EXPECT_TRUE(welcomeDisabled) << "the dialog under the quit question took input";
    EXPECT_EQ("CANCEL", tk.symbol("DLGEVENT"));
    EXPECT_NE(welcome, quit);
    EXPECT_TRUE(IsWindow(welcome));
    EXPECT_TRUE(tk.killDialogs(-1));
    EXPECT_FALSE(IsWindow(welcome));
    EXPECT_FALSE(IsWindow(quit));
    EXPECT_TRUE(IsWindowEnabled(Frame));
}

TEST_F(Dialogs, HelpButtonShowsTheHelpDialogWhichClosesWithOk)
{
    for (const char *library : Libraries) {
        SCOPED_TRACE(library);
        HWND quit = nullptr, help = nullptr;
        bool helpGone = false, quitDisabled = false, quitStillWaiting = false;
        EXPECT_TRUE(Run(library, TPL_QUIT, "FQuitDlgProc", [&] {
            quit = WaitForDialog(TPL_QUIT);
            if (!quit)
                return;
            PostMessageA(GetDlgItem(quit, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
            help = WaitForDialog(TPL_HELP);
            if (!help)
                return;
            quitDisabled = !IsWindowEnabled(quit);
            quitStillWaiting = TemplateOf(quit) == TPL_QUIT;
            PostMessageA(GetDlgItem(help, IDOK), BM_CLICK, 0, 0);
            helpGone = WaitTaken(help);
            if (WaitForDialog(TPL_QUIT) == quit)
                Press(quit, IDC_EVENT_BASE + EV_CONTINUE);
        }, TPL_HELP));
        ASSERT_NE(nullptr, help);
        EXPECT_TRUE(helpGone);
        EXPECT_FALSE(IsWindow(help));
        EXPECT_TRUE(quitDisabled);
        EXPECT_TRUE(quitStillWaiting);
        EXPECT_EQ("CONTINUE", tk.symbol("DLGEVENT"));
        EXPECT_TRUE(tk.killDialogs(1));
    }
}

TEST_F(Dialogs, HelpButtonIsHiddenWithoutHelp)
{
    HWND dialog = nullptr;
    bool hidden = false;
    EXPECT_TRUE(Run("mscuieng.dll", TPL_QUIT, "FQuitDlgProc", [&] {
        dialog = WaitForDialog(TPL_QUIT);
        HWND button = GetDlgItem(dialog, IDC_HELP_BUTTON);
        hidden = button && !IsWindowVisible(button);
        Press(dialog, IDC_EVENT_BASE + EV_EXIT);
    }));
    EXPECT_TRUE(hidden);
}

TEST_F(Dialogs, DestinationReadsAndWritesItsSymbols)
{
    for (const char *library : Libraries) {
        SCOPED_TRACE(library);
        ASSERT_TRUE(tk.setSymbol("EditTextIn", "C:\\ORVA"));
        ASSERT_TRUE(tk.setSymbol("EditFocus", "END"));
        ASSERT_TRUE(tk.setSymbol("DiskInfo", "1234M Bytes"));
        char shown[300] = "", free[64] = "";
        DWORD start = 1, end = 1;
        bool focused = false;
        EXPECT_TRUE(Run(library, TPL_DESTINATION, "FEditDlgProc", [&] {
            HWND dialog = WaitForDialog(TPL_DESTINATION);
            HWND edit = GetDlgItem(dialog, IDC_DEST_EDIT);
            GetWindowTextA(edit, shown, sizeof shown);
            GetDlgItemTextA(dialog, 1201, free, sizeof free);
            SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            GUITHREADINFO gui = {sizeof gui, 0, 0, 0, 0, 0, 0, 0, {0, 0, 0, 0}};
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
            focused = gui.hwndFocus == edit;
            // Typing sends EN_CHANGE, which must not end the dialog.
            SetWindowTextA(edit, "D:\\GAMES\\ORVA");
            Sleep(100);
            if (TemplateOf(dialog) == TPL_DESTINATION)
                Press(dialog, IDC_EVENT_BASE + EV_MINIMAL);
        }));
        EXPECT_STREQ("C:\\ORVA", shown);
        EXPECT_STREQ("1234M Bytes", free);
        EXPECT_EQ(7u, start);
        EXPECT_EQ(7u, end);
        EXPECT_TRUE(focused);
        EXPECT_EQ("D:\\GAMES\\ORVA", tk.symbol("EditTextOut"));
        EXPECT_EQ(EV_MINIMAL, EventCode(tk.symbol("DLGEVENT")));

        // Without "END" the whole path is selected.
        ASSERT_TRUE(tk.setSymbol("EditFocus", ""));
        tk.killDialogs(1);
        EXPECT_TRUE(Run(library, TPL_DESTINATION, "FEditDlgProc", [&] {
            HWND dialog = WaitForDialog(TPL_DESTINATION);
            SendDlgItemMessageA(dialog, IDC_DEST_EDIT, EM_GETSEL,
                                reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
            Press(dialog, IDC_EVENT_BASE + EV_CONTINUE);
        }));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(7u, end);
        EXPECT_EQ("C:\\ORVA", tk.symbol("EditTextOut"));
        tk.killDialogs(1);
    }
}

TEST_F(Dialogs, ActiveButtonTwoMakesTheSecondButtonTheDefault)
{
    for (UINT templ : {TPL_REMOVE_OLD, TPL_LOW_DISK}) {
        for (const char *active : {"2", "1"}) {
            ASSERT_TRUE(tk.setSymbol("ActiveButton", active));
            LRESULT def = 0;
            HWND focus = nullptr, second = nullptr, first = nullptr;
            EXPECT_TRUE(Run("mscuistf.dll", templ, "FGPDlgProc", [&] {
                HWND dialog = WaitForDialog(templ);
                def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
                GUITHREADINFO gui = {sizeof gui, 0, 0, 0, 0, 0, 0, 0, {0, 0, 0, 0}};
                GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
                focus = gui.hwndFocus;
                first = GetDlgItem(dialog, IDC_EVENT_BASE + EV_CONTINUE);
                second = GetDlgItem(dialog, IDC_EVENT_BASE + EV_CANCEL);
                Press(dialog, IDC_EVENT_BASE + EV_CANCEL);
            }));
            HWND expected = active[0] == '2' ? second : first;
            EXPECT_EQ(GetDlgCtrlID(expected), LOWORD(def)) << templ << " " << active;
            EXPECT_EQ(expected, focus) << templ << " " << active;
            tk.killDialogs(1);
        }
    }
}

TEST_F(Dialogs, EscapeAndCloseBoxActAsCancelOrExit)
{
    struct Case { UINT templ; const char *proc; int expected; } cases[] = {
        {TPL_QUIT, "FQuitDlgProc", EV_CANCEL},
        {TPL_DESTINATION, "FEditDlgProc", EV_EXIT},
        {TPL_WELCOME, "FInfoDlgProc", EV_EXIT},
    };
    for (const Case &c : cases) {
        EXPECT_TRUE(Run("mscuieng.dll", c.templ, c.proc, [&] {
            HWND dialog = WaitForDialog(c.templ);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            WaitTaken(dialog);
        }));
        EXPECT_EQ(c.expected, EventCode(tk.symbol("DLGEVENT"))) << c.templ;
        // The Esc key, to the focused control, through the dialog manager.
        EXPECT_TRUE(Run("mscuieng.dll", c.templ, c.proc, [&] {
            HWND dialog = WaitForDialog(c.templ);
            GUITHREADINFO gui = {sizeof gui, 0, 0, 0, 0, 0, 0, 0, {0, 0, 0, 0}};
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
            HWND target = gui.hwndFocus ? gui.hwndFocus : dialog;
            PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
            WaitTaken(dialog);
        }));
        EXPECT_EQ(c.expected, EventCode(tk.symbol("DLGEVENT"))) << c.templ;
        tk.killDialogs(1);
    }
}

// ---- every button of every template, both libraries

struct Template {
    UINT templ;
    const char *proc;
    bool help;
    std::set<int> codes;  // events of its buttons
};

static const std::vector<Template> &Templates()
{
    static const std::vector<Template> list = {
        {TPL_WELCOME, "FInfoDlgProc", false, {151, 157}},
        {TPL_WELCOME_AGAIN, "FInfoDlgProc", false, {136, 151, 157, 163}},
        {TPL_DESTINATION, "FEditDlgProc", false, {116, 131, 146, 157}},
        {TPL_NOTICE_BADNAME, "FInfo0DlgProc", false, {132, 146, 157}},
        {TPL_NOTICE_ISFILE, "FInfo0DlgProc", false, {132, 146, 157}},
        {TPL_NOTICE_CREATE, "FInfo0DlgProc", false, {132, 146, 157}},
        {TPL_NOTICE_ROOT, "FInfo0DlgProc", false, {132, 146, 157}},
        {TPL_NOTICE_SOURCE, "FInfo0DlgProc", false, {132, 146, 157}},
        {TPL_NOTICE_EMPTY, "FInfo0DlgProc", false, {132, 146, 157}},
        {TPL_QUIT, "FQuitDlgProc", true, {132, 146, 157}},
        {TPL_FAILURE, "FInfo0DlgProc", false, {132, 146}},
        {TPL_MACHINE, "FSelectXDlgProc", true, {113, 132, 147, 149}},
        {TPL_REMOVE_OLD, "FGPDlgProc", true, {131, 132, 146, 157}},
        {TPL_LOW_DISK, "FGPDlgProc", false, {132, 146, 157}},
        {TPL_ENDING, "FEndingDlgProc", false, {132, 136, 157}},
        {TPL_FMVINFO_AT, "FFMVInfoDlgProc", true, {132, 146}},
        {TPL_FMVINFO_NEC, "FFMVInfoDlgProc", true, {132, 146}},
    };
    return list;
}

// A child control as the user sees it.
struct Control {
    int id;
    std::string cls, text;
    bool visible;
    RECT rect;  // client rectangle
    HFONT font;
    LONG style;
};

static std::vector<Control> ControlsOf(HWND dialog)
{
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        Control c;
        char buffer[512];
        c.id = GetDlgCtrlID(child);
        GetClassNameA(child, buffer, sizeof buffer);
        c.cls = buffer;
        GetWindowTextA(child, buffer, sizeof buffer);
        c.text = buffer;
        c.visible = IsWindowVisible(child) != 0;
        GetClientRect(child, &c.rect);
        c.font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        c.style = GetWindowLongA(child, GWL_STYLE);
        controls.push_back(c);
    }
    return controls;
}

// Why a control's text does not fit it, or "" when it fits: statics wrap
// their words within their width and must not need more height; buttons
// keep their text on one line within their width, less the border.
static std::string Clipped(const Control &c)
{
    if (c.text.empty())
        return "";
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, c.font ? c.font : GetStockObject(DEFAULT_GUI_FONT));
    RECT need = c.rect;
    std::string why;
    if (_stricmp(c.cls.c_str(), "Static") == 0) {
        DrawTextA(dc, c.text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        if (need.bottom > c.rect.bottom || need.right > c.rect.right)
            why = "needs " + std::to_string(need.right) + "x" + std::to_string(need.bottom) +
                  ", has " + std::to_string(c.rect.right) + "x" + std::to_string(c.rect.bottom);
    } else if (_stricmp(c.cls.c_str(), "Button") == 0) {
        DrawTextA(dc, c.text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
        if (need.right - need.left > c.rect.right - 8)
            why = "needs width " + std::to_string(need.right - need.left + 8) +
                  ", has " + std::to_string(c.rect.right);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return why;
}

// 1 when two visible controls overlap.
static bool Overlap(HWND dialog, int a, int b)
{
    RECT ra, rb, both;
    GetWindowRect(GetDlgItem(dialog, a), &ra);
    GetWindowRect(GetDlgItem(dialog, b), &rb);
    return IntersectRect(&both, &ra, &rb) != 0;
}

TEST_F(Dialogs, EveryButtonOfEveryTemplateReportsItsEventCode)
{
    for (const char *library : Libraries) {
        for (const Template &t : Templates()) {
            SCOPED_TRACE(std::string(library) + " template " + std::to_string(t.templ));
            std::vector<Control> controls;
            std::vector<std::string> overlaps;
            HWND dialog = nullptr;
            int focus = 0, def = 0;
            ASSERT_TRUE(tk.setSymbol("ActiveButton", ""));
            ASSERT_TRUE(Run(library, t.templ, t.proc, [&] {
                dialog = WaitForDialog(t.templ);
                if (!dialog)
                    return;
                controls = ControlsOf(dialog);
                GUITHREADINFO gui = {sizeof gui, 0, 0, 0, 0, 0, 0, 0, {0, 0, 0, 0}};
                GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
                focus = GetDlgCtrlID(gui.hwndFocus);
                def = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
                for (size_t i = 0; i < controls.size(); i++)
                    for (size_t j = i + 1; j < controls.size(); j++)
                        if (controls[i].visible && controls[j].visible &&
                            controls[i].id != -1 && controls[j].id != -1 &&
                            controls[i].id != 0xFFFF && controls[j].id != 0xFFFF &&
                            Overlap(dialog, controls[i].id, controls[j].id))
                            overlaps.push_back(std::to_string(controls[i].id) + "/" +
                                               std::to_string(controls[j].id));
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                if (!WaitTaken(dialog))  // no cancel or exit: any event button
                    for (int code : t.codes)
                        if (Press(dialog, IDC_EVENT_BASE + code))
                            break;
            }, t.help ? TPL_HELP : 0));
            ASSERT_NE(nullptr, dialog);
            EXPECT_TRUE(overlaps.empty()) << overlaps.front();
            // Enter presses the button that looks default (the destination:
            // the focus is in the path).
            EXPECT_EQ(t.templ == TPL_DESTINATION ? IDC_DEST_EDIT : def, focus);

            std::set<int> buttons;
            bool hasHelp = false;
            for (const Control &c : controls) {
                EXPECT_EQ("", Clipped(c)) << "control " << c.id << " \"" << c.text << "\"";
                if (_stricmp(c.cls.c_str(), "Button") != 0)
                    continue;
                if (c.id == IDC_HELP_BUTTON)
                    hasHelp = c.visible;
                else
                    buttons.insert(c.id - IDC_EVENT_BASE);
            }
            EXPECT_EQ(t.codes, buttons);
            EXPECT_EQ(t.help, hasHelp);

            // Each button, pressed in its own run of the dialog, reports a
            // word whose first two characters sum to its event code.
            for (int code : buttons) {
                std::string word;
                EXPECT_TRUE(Run(library, t.templ, t.proc, [&] {
                    HWND again = WaitForDialog(t.templ);
                    if (again)
                        Press(again, IDC_EVENT_BASE + code);
                }, t.help ? TPL_HELP : 0));
                word = tk.symbol("DLGEVENT");
                EXPECT_EQ(code, EventCode(word)) << "button " << code << " word " << word;
                EXPECT_LT(word.size(), 15u) << word;
            }
            EXPECT_TRUE(tk.killDialogs(1));
        }
    }
}

TEST_F(Dialogs, HelpTemplateHasOnlyItsOkButtonAndFits)
{
    for (const char *library : Libraries) {
        SCOPED_TRACE(library);
        std::vector<Control> controls;
        std::vector<std::string> clipped;
        EXPECT_TRUE(Run(library, TPL_MACHINE, "FSelectXDlgProc", [&] {
            HWND dialog = WaitForDialog(TPL_MACHINE);
            PostMessageA(GetDlgItem(dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
            HWND help = WaitForDialog(TPL_HELP);
            if (help) {
                controls = ControlsOf(help);  // measured while its font lives
                for (const Control &c : controls)
                    clipped.push_back(Clipped(c));
                PostMessageA(GetDlgItem(help, IDOK), BM_CLICK, 0, 0);
                WaitTaken(help);
            }
            if (WaitForDialog(TPL_MACHINE))
                Press(dialog, IDC_EVENT_BASE + EV_MACHINE_AT);
        }, TPL_HELP));
        EXPECT_EQ("AT", tk.symbol("DLGEVENT"));
        int buttons = 0;
        for (size_t i = 0; i < controls.size(); i++) {
            const Control &c = controls[i];
            EXPECT_EQ("", clipped[i]) << "control " << c.id << " \"" << c.text << "\"";
            if (_stricmp(c.cls.c_str(), "Button") == 0) {
                buttons++;
                EXPECT_EQ(IDOK, c.id);
            }
        }
        EXPECT_EQ(1, buttons);
    }
}

// ---- screenshots (run by hand: TQL_SHOWCASE=<folder>, see showcase.sh)

// Waits until the host has taken the screenshot: the test writes
// <folder>\ready-<name> and waits for <folder>\shot-<name>.
static void WaitForShot(const std::string &folder, const std::string &name)
{
    std::string ready = folder + "\\ready-" + name, shot = folder + "\\shot-" + name;
    CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    for (int i = 0; i < 1000 && GetFileAttributesA(shot.c_str()) == INVALID_FILE_ATTRIBUTES; i++) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
}

TEST_F(Dialogs, Showcase)
{
    const char *folder = getenv("TQL_SHOWCASE");
    if (folder == nullptr)
        GTEST_SKIP() << "screenshots only when TQL_SHOWCASE names a folder";
    const char *library = GetACP() == 932 ? "mscuistf.dll" : "mscuieng.dll";
    // "ORVA Setup" / "ORVA セットアップ"
    SetWindowTextA(Frame, GetACP() == 932 ? "ORVA \x83\x5A\x83\x62\x83\x67\x83\x41\x83\x62\x83\x76"
                                          : "ORVA Setup");
    SetWindowLongA(Frame, GWL_STYLE, 0);
    ShowWindow(Frame, SW_SHOWMAXIMIZED);
    tk.setBitmap(library, 1);
    WaitForShot(folder, std::string(library) + "-frame");
    tk.setSymbol("EditTextIn", "C:\\ORVA");
    tk.setSymbol("EditFocus", "END");
    tk.setSymbol("DiskInfo", "1234M Bytes");
    tk.setSymbol("ActiveButton", "2");
    for (const Template &t : Templates()) {
        std::string name = std::string(library) + "-" + std::to_string(t.templ);
        Run(library, t.templ, t.proc, [&] {
            HWND dialog = WaitForDialog(t.templ);
            WaitForShot(folder, name);
            if (t.help) {
                PostMessageA(GetDlgItem(dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
                HWND help = WaitForDialog(TPL_HELP);
                WaitForShot(folder, name + "-help");
                PostMessageA(GetDlgItem(help, IDOK), BM_CLICK, 0, 0);
                WaitTaken(help);
                WaitForDialog(t.templ);
            }
            Press(dialog, IDC_EVENT_BASE + *t.codes.rbegin());
        }, t.help ? TPL_HELP : 0);
        tk.killDialogs(1);
    }
}
