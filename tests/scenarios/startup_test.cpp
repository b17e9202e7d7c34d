// Starting the setup program from the CD, as a user sees it: the credits
// box, the frame and the welcome, every way start-up refuses to go on, and
// a start beside a running setup or a running game.
#include "scenario.h"

using namespace scenario;

namespace {

const char kCredits[] =
    "Producer\nKenji Arimura\nGame Design\nSayaka Tominaga\nProgramming\n"
    "Hiroki Nakabayashi\nDaniel Whitcombe\nGraphics\nMayumi Katsuragi\n"
    "Music and Sound\nRyo Fujisawa\nSetup Program\nNaoko Shimabukuro\n"
    "and thanks to all our testers\nKitewind Soft Co., Ltd.";

// The frame behind the welcome: titled, without caption or border,
// maximised, owned by the setup program.
void ExpectFrame(const SetupRun &setup)
{
    HWND frame = FindWindowA(nullptr, kFrameTitle);
    ASSERT_NE(nullptr, frame) << "no window titled " << kFrameTitle;
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    EXPECT_EQ(setup.process.pid, pid);
    LONG style = GetWindowLongA(frame, GWL_STYLE);
    EXPECT_EQ(0, style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER))
        << std::hex << style;
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(IsZoomed(frame));
    RECT area;
    GetWindowRect(frame, &area);
    EXPECT_EQ(0, area.left);
    EXPECT_EQ(0, area.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), area.right) << "covers the screen";
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), area.bottom);
}

// Leaves setup from its welcome: exit, and exit confirmed.
void QuitFromWelcome(SetupRun &setup, const SeenWindow &welcome)
{
    setup.Press(welcome, EventButton(EV_EXIT));
    setup.Press(setup.Dialog(TPL_QUIT), EventButton(EV_EXIT));
    setup.EndsQuietly();
}

// A window of the test's own, in front of everything, so that a test sees
// who brings which window to the front.
class Bystander {
public:
    Bystander()
    {
        window_ = CreateWindowA("STATIC", "Scenario bystander",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window_);
        Foreground(window_);
    }
    ~Bystander() { DestroyWindow(window_); }
    HWND window() const { return window_; }
    // The foreground window once it is want, or after two seconds: on a
    // loaded machine the display takes a moment to change it.
    static HWND Foreground(HWND want)
    {
        for (int i = 0; i < 100 && GetForegroundWindow() != want; i++) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(20);
        }
        return GetForegroundWindow();
    }
private:
    HWND window_;
};

// A start-up directory with a variant of the CD's TQL.INI (English).
void WriteVariant(const StartupDir &dir, std::vector<IniEdit> edits)
{
    edits.insert(edits.begin(), {"Debug", "ForceLanguage", "English"});
    dir.Write("TQL.INI", CdIniWith(edits));
}

} // namespace

class CreditsCommandLine : public ::testing::TestWithParam<const char *> {};

TEST_P(CreditsCommandLine, ShowsTheCreditsBoxThenTheWelcome)
{
    NoEarlierInstallation none;
    SetupRun setup(kCd, GetParam());
    SeenWindow credits = setup.Window("Special Thanks", kCredits);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, kFrameTitle))
        << "the frame comes after the credits box";
    setup.Press(credits, IDOK);
    SeenWindow welcome = setup.Dialog(TPL_WELCOME);
    ExpectFrame(setup);
    QuitFromWelcome(setup, welcome);
}

INSTANTIATE_TEST_SUITE_P(AnyLetterCase, CreditsCommandLine,
                         ::testing::Values("SPECIAL THANKS", "special thanks",
                                           "Special tHANKS"));

class OtherCommandLine : public ::testing::TestWithParam<const char *> {};

TEST_P(OtherCommandLine, GoesStraightToTheWelcome)
{
    NoEarlierInstallation none;
    SetupRun setup(kCd, GetParam());
    SeenWindow welcome = setup.Dialog(TPL_WELCOME);
    ExpectFrame(setup);
    QuitFromWelcome(setup, welcome);
}

INSTANTIATE_TEST_SUITE_P(Ignored, OtherCommandLine,
                         ::testing::Values("", "SPECIAL", "SPECIAL THANKS TO",
                                           "\"SPECIAL THANKS\""));

// A way start-up refuses with one box: the start-up directory holds no
// TQL.INI (no edits), or the CD's with these edits, and the word library
// when asked.
struct Refusal {
    const char *name;
    std::optional<std::vector<IniEdit>> edits;
    bool wordLibrary;
    const char *caption, *text;
};

const Refusal kRefusals[] = {
    {"NoTqlIniInTheStartUpDirectory", std::nullopt, false, kInitError,
     "No TQL.INI Found."},
    {"ARequiredSettingIsMissing", {{{"Option", "ExecFileName", std::nullopt}}}, false,
     kInitError, "ExecFileName Load faild."},
    {"TheMessageLibraryCannotBeLoaded", {{{"English", "LoadMsgModule", "nomsg.dll"}}},
     false, kInitErrorCap, "Can't load Msg Library"},
    {"TheMessageLibraryHasNoMsgSetup", {{{"English", "LoadMsgModule", "tqlwords.dll"}}},
     true, kInitErrorCap, "Can't GetProcAddress() for Msg.DLL MsgSetup()"},
    {"TheGameWindowTitleIsMissing", {{{"English", "CheckGameTitle", std::nullopt}}},
     false, kInitError, "CheckGameTitle Load faild."},
    {"TheFrameTitleIsMissing", {{{"English", "MainDlgBoxTitle", "none"}}}, false,
     kInitError, "MainDlgBoxTitle  Load faild."},
};

class StartUpRefusedWithABox : public ::testing::TestWithParam<Refusal> {};

TEST_P(StartUpRefusedWithABox, ShowsItAndEnds)
{
    const Refusal &r = GetParam();
    StartupDir dir;
    if (r.wordLibrary)
        dir.Copy(BesideMe("tqlwords.dll"), "tqlwords.dll");
    if (r.edits)
        WriteVariant(dir, *r.edits);
    SetupRun setup(dir.path());
    setup.Press(setup.Box(r.caption, r.text), IDOK);
    setup.EndsQuietly();
}

INSTANTIATE_TEST_SUITE_P(StartUpRefused, StartUpRefusedWithABox,
                         ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StartUpRefused, ASecondSetupBringsTheFirstToTheFront)
{
    NoEarlierInstallation none;
    SetupRun first(kCd);
    SeenWindow welcome = first.Dialog(TPL_WELCOME);
    HWND frame = FindWindowA(nullptr, kFrameTitle);
    ASSERT_NE(nullptr, frame);
    Bystander bystander;
    ASSERT_EQ(bystander.window(), GetForegroundWindow());

    SetupRun second(kCd);
    second.EndsQuietly();
    EXPECT_EQ(frame, Bystander::Foreground(frame));

    QuitFromWelcome(first, welcome);
}

TEST(StartUpRefused, TheGameIsRunning)
{
    Launched game = Launch("Q:\\GAME\\ORVA.EXE", "", "Q:\\GAME\\");
    ASSERT_NE(nullptr, game.process);
    // A game left running would end every later setup at its start.
    struct EndsGame {
        Launched &game;
        ~EndsGame() { game.Kill(); }
    } endsGame{game};
    HWND gameWindow = WaitForTitle("ORVA");
    ASSERT_NE(nullptr, gameWindow) << "the game shows no window titled ORVA";
    Bystander bystander;
    ASSERT_EQ(bystander.window(), GetForegroundWindow());

    SetupRun setup(kCd);
    setup.EndsQuietly();
    EXPECT_EQ(gameWindow, Bystander::Foreground(gameWindow));
    EXPECT_EQ(nullptr, FindWindowA(nullptr, kFrameTitle));

    PostMessageA(gameWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, game.Wait(10000)) << "the game ends when its window closes";
}
