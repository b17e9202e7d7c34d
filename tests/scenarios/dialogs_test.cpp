// The dialogs of setup as a user meets them: the quit confirmation, a
// dialog that cannot be shown ending in the failure dialog, a failure of
// the failure dialog itself, and event words of odd lengths.
#include "scenario.h"

using namespace scenario;

namespace {

// The test dialog library's buttons (tests/scenarios/eventlib.cpp).
const int kOneLetter = 1401;       // "A"
const int kFourteenLetters = 1402; // "EXIT-EXIT-EXIT": the exit
const int kFifteenLetters = 1403;
const int kSeventeenLetters = 1404;
const int kReportedText = 1500;    // "Reported: " and the last word

// A start-up directory whose TQL.INI (English) names one of the test
// dialog libraries, copied beside it with the CD's INF file.
void UseDialogLibrary(const StartupDir &dir, const std::string &library)
{
    dir.Copy(BesideMe(library), library);
    dir.EnglishCd({{"English", "LoadModule", library}});
}

} // namespace

TEST(QuitConfirmation, ContinueAndCancelBringBackTheWelcomeExitEnds)
{
    NoEarlierInstallation none;
    SetupRun setup(kCd);
    SeenWindow welcome = setup.Dialog(TPL_WELCOME);
    const std::string welcomeText = welcome.text;

    setup.Press(welcome, EventButton(EV_EXIT));
    setup.Press(setup.Dialog(TPL_QUIT), EventButton(EV_CONTINUE));
    welcome = setup.Dialog(TPL_WELCOME);
    EXPECT_EQ(welcomeText, welcome.text);

    setup.Press(welcome, EventButton(EV_EXIT));
    setup.Press(setup.Dialog(TPL_QUIT), EventButton(EV_CANCEL));
    welcome = setup.Dialog(TPL_WELCOME);
    EXPECT_EQ(welcomeText, welcome.text);

    setup.Press(welcome, IDCANCEL);                 // Esc asks too
    SeenWindow quit = setup.Dialog(TPL_QUIT);
    EXPECT_TRUE(IsWindowVisible(welcome.hwnd)) << "the welcome stays below";
    setup.Press(quit, EventButton(EV_EXIT));
    setup.EndsQuietly();
    EXPECT_EQ(nullptr, FindWindowA(nullptr, kFrameTitle));
}

TEST(DialogCannotBeShown, NoProcedureEndsInTheFailureDialog)
{
    NoEarlierInstallation none;
    StartupDir dir;
    UseDialogLibrary(dir, "tqlnoprc.dll");
    SetupRun setup(dir.path());
    SeenWindow failure = setup.Dialog(TPL_FAILURE);
    EXPECT_EQ("Test failure", failure.caption);
    EXPECT_EQ("Setup failed.", failure.text);
    setup.Press(failure, EventButton(EV_CONTINUE));
    setup.EndsQuietly();
}

TEST(DialogCannotBeShown, NoTemplateEndsInTheFailureDialog)
{
    NoEarlierInstallation none;
    StartupDir dir;
    UseDialogLibrary(dir, "tqlnotpl.dll");
    SetupRun setup(dir.path());
    SeenWindow failure = setup.Dialog(TPL_FAILURE);
    EXPECT_EQ("Setup failed.", failure.text);
    setup.Press(failure, EventButton(EV_CANCEL));
    setup.EndsQuietly();
}

TEST(DialogCannotBeShown, AFailureDialogThatCannotBeShownEndsAtOnce)
{
    NoEarlierInstallation none;
    StartupDir dir;
    UseDialogLibrary(dir, "tqlbare.dll");
    SetupRun setup(dir.path());
    setup.EndsQuietly();   // not a single dialog, and exit code 0
}

class LongEventWord : public ::testing::TestWithParam<int> {};

TEST_P(LongEventWord, ShowsBufferOverflowThenTheFailureDialog)
{
    NoEarlierInstallation none;
    StartupDir dir;
    UseDialogLibrary(dir, "tqlwords.dll");
    SetupRun setup(dir.path());
    setup.Press(setup.Dialog(TPL_WELCOME), GetParam());
    setup.Press(setup.Box("ORVA Setup Error", "Buffer Overflow"), IDOK);
    setup.Press(setup.Dialog(TPL_FAILURE), EventButton(EV_CONTINUE));
    setup.EndsQuietly();
}

INSTANTIATE_TEST_SUITE_P(FifteenOrMore, LongEventWord,
                         ::testing::Values(kFifteenLetters, kSeventeenLetters));

TEST(EventWords, OneLetterShowsTheDialogAgainFourteenLettersAreTaken)
{
    NoEarlierInstallation none;
    StartupDir dir;
    UseDialogLibrary(dir, "tqlwords.dll");
    SetupRun setup(dir.path());
    SeenWindow welcome = setup.Dialog(TPL_WELCOME);
    // "A" is no event of the welcome: setup shows it again at once, so
    // fast that the robot may not see it stop waiting. The dialog shows
    // the word it reported; then it must be waiting again.
    setup.robot.Press(welcome, kOneLetter, 3000);
    DWORD until = GetTickCount() + 10000;
    while (!(Robot::ControlText(welcome.hwnd, kReportedText) == "Reported: A" &&
             GetPropA(welcome.hwnd, "TemplateNumber")) &&
           (LONG)(GetTickCount() - until) < 0)
        Sleep(20);
    EXPECT_EQ("Reported: A", Robot::ControlText(welcome.hwnd, kReportedText));
    ASSERT_EQ(reinterpret_cast<HANDLE>(TPL_WELCOME),
              GetPropA(welcome.hwnd, "TemplateNumber"))
        << "the welcome waits again";
    EXPECT_EQ(-1, setup.process.Wait(0)) << "setup goes on";
    setup.Press(welcome, kFourteenLetters);      // "EX...": the exit
    setup.Press(setup.Dialog(TPL_QUIT), EventButton(EV_EXIT));
    setup.EndsQuietly();
}
