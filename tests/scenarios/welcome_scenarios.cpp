// The welcome and destination dialogs as a user meets them: Q:\Tql.exe
// started from the CD's root, every window read and answered by the robot.
// Drive L: (999,424 bytes free) comes from tests/setup/dialog-drives.
#include <filesystem>
#include <fstream>
#include "scenario.h"
#include "welcome_scenarios.h"

using namespace scenario;
namespace fs = std::filesystem;

namespace {

const char kMsgCaption[] = "ORVA PC";  // MsgDlgBoxTitle of the English setup

const char kNoticeSource[] =
    "Setup copies ORVA from this directory. Type another directory to install ORVA in.";
const char kNoticeRoot[] =
    "ORVA cannot be installed in the root directory of a drive. Type a "
    "directory, for example C:\\ORVA.";
const char kNoticeBadName[] =
    "This is not a valid directory name. Type a full path that begins with a "
    "drive letter, for example C:\\ORVA.";
const char kNoticeIsFile[] =
    "A file of this name already exists. Type the name of a directory.";
const char kNoticeCreate[] =
    "This directory does not exist yet. Choose Continue to create it, or "
    "Cancel to type another directory.";
const char kHoldsFiles[] =
    "The folder C:\\h8scn already holds files.\n\nIf you install here, removing the "
    "product later removes this folder with everything in it, these files too.\n\n"
    "Install into this folder anyway?";
const char kLowDisk[] =
    "There is not enough free space on the chosen drive for ORVA.\n"
    "Choose Continue to install anyway, or Cancel to choose another directory.";

// Types a path into the destination dialog and presses a button.
void Type(SetupRun &setup, const SeenWindow &dest, const std::string &path, int code)
{
    setup.robot.SetText(dest, IDC_DEST_EDIT, path);
    setup.Press(dest, EventButton(code));
}

// The next dialog must be this notice with this text; it is answered.
void Notice(SetupRun &setup, UINT templ, const std::string &text, int code)
{
    SeenWindow n = setup.Dialog(templ);
    EXPECT_EQ(text, n.text) << "notice " << templ;
    setup.Press(n, EventButton(code));
}

// Exit in a dialog, confirmed: setup ends with exit code 0.
void ExitSetup(SetupRun &setup, const SeenWindow &w)
{
    setup.Press(w, EventButton(EV_EXIT));
    setup.Press(setup.Dialog(TPL_QUIT), EventButton(EV_EXIT));
    setup.EndsQuietly();
}

void Scrub(const std::string &dir)
{
    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace

TEST(DestinationScenario, RefusedPathsEachShowTheirNotice)
{
    NoEarlierInstallation none;
    Scrub("C:\\h8scn");
    fs::create_directories("C:\\h8scn");
    std::ofstream("C:\\h8scn\\afile") << "x";
    SetupRun setup(kCd);
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    EXPECT_EQ("C:\\ORVA", Robot::ControlText(dest.hwnd, IDC_DEST_EDIT));
    EXPECT_NE(std::string::npos, dest.text.find("M Bytes")) << dest.text;

    Type(setup, dest, "q:\\game", EV_CONTINUE);  // SourcePath1 but for case
    Notice(setup, TPL_NOTICE_SOURCE, kNoticeSource, EV_CONTINUE);
    dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "C:\\", EV_CONTINUE);      // a root: 3 characters
    Notice(setup, TPL_NOTICE_ROOT, kNoticeRoot, EV_CONTINUE);
    dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "C:", EV_CONTINUE);        // 2: the path check's
    Notice(setup, TPL_NOTICE_BADNAME, kNoticeBadName, EV_CANCEL);
    dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "C:\\h8scn\\afile", EV_CONTINUE);
    Notice(setup, TPL_NOTICE_ISFILE, kNoticeIsFile, EV_CONTINUE);
    dest = setup.Dialog(TPL_DESTINATION);
    // A folder that holds a file of the user's: asked first, No the
    // default; No keeps the typed text and the folder as it was.
    Type(setup, dest, "C:\\h8scn", EV_CONTINUE);
    SeenWindow ask = setup.Box(kMsgCaption, kHoldsFiles);
    EXPECT_EQ(BS_DEFPUSHBUTTON,
              GetWindowLongA(GetDlgItem(ask.hwnd, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON);
    setup.Press(ask, IDNO);
    dest = setup.Dialog(TPL_DESTINATION);
    EXPECT_EQ("C:\\h8scn", Robot::ControlText(dest.hwnd, IDC_DEST_EDIT));
    EXPECT_EQ(std::vector<fs::path>{"C:\\h8scn\\afile"},
              std::vector<fs::path>(fs::directory_iterator("C:\\h8scn"), {}));
    setup.Press(dest, EventButton(EV_BACK));
    ExitSetup(setup, setup.Dialog(TPL_WELCOME));
    Scrub("C:\\h8scn");
}

TEST(DestinationScenario, LowSpaceContinueAndCancel)
{
    if (GetFileAttributesA("L:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "tmpfs drive L: not mapped (mounting not allowed)";
    NoEarlierInstallation none;
    Scrub("L:\\ORVA");
    SetupRun setup(kCd);
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    // RequiresDskSpc=20000000 of the CD; L: has 999,424 bytes.
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "L:\\ORVA", EV_CONTINUE);
    Notice(setup, TPL_LOW_DISK, kLowDisk, EV_CANCEL);
    dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "L:\\ORVA", EV_CONTINUE);
    Notice(setup, TPL_LOW_DISK, kLowDisk, EV_CONTINUE);
    Notice(setup, TPL_NOTICE_CREATE, kNoticeCreate, EV_CANCEL);
    ExitSetup(setup, setup.Dialog(TPL_DESTINATION));
    EXPECT_FALSE(fs::exists("L:\\ORVA"));
}

TEST(DestinationScenario, EnoughSpaceForASmallRequirementAsksNothing)
{
    if (GetFileAttributesA("L:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "tmpfs drive L: not mapped (mounting not allowed)";
    NoEarlierInstallation none;
    StartupDir dir;
    dir.EnglishCd({{"Option", "RequiresDskSpc", "900000"}});
    SetupRun setup(dir.path());
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "L:\\ORVA", EV_CONTINUE);
    Notice(setup, TPL_NOTICE_CREATE, kNoticeCreate, EV_CANCEL);
    ExitSetup(setup, setup.Dialog(TPL_DESTINATION));
}

// Minimal install pressed once, then back to the welcome dialog and the
// ordinary continue: the minimal set is still installed. The destination
// is created at every missing level.
TEST(DestinationScenario, MinimalInstallSurvivesAndEveryLevelIsCreated)
{
    NoEarlierInstallation none;
    Scrub("C:\\h8scn");
    fs::create_directories("C:\\h8scn");
    std::ofstream("C:\\h8scn\\afile") << "x";
    SetupRun setup(kCd);
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    Type(setup, dest, "C:\\h8scn\\afile", EV_MINIMAL);
    Notice(setup, TPL_NOTICE_ISFILE, kNoticeIsFile, EV_CONTINUE);
    setup.Press(setup.Dialog(TPL_DESTINATION), EventButton(EV_BACK));
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    dest = setup.Dialog(TPL_DESTINATION);
    // Proposed again: the path typed before.
    EXPECT_EQ("C:\\h8scn\\afile", Robot::ControlText(dest.hwnd, IDC_DEST_EDIT));
    Type(setup, dest, "C:\\h8scn\\a\\b\\ORVA", EV_CONTINUE);
    Notice(setup, TPL_NOTICE_CREATE, kNoticeCreate, EV_CONTINUE);
    SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);
    ASSERT_EQ("dialog", ending.kind) << Describe(ending);
    ASSERT_EQ((UINT)TPL_ENDING, ending.templ) << Transcript(setup);
    setup.Press(ending, EventButton(EV_EXIT));
    setup.EndsQuietly();
    EXPECT_TRUE(fs::is_directory("C:\\h8scn\\a\\b\\ORVA"));
    char mode[16] = "";
    GetPrivateProfileStringA("Install", "Mode", "", mode, sizeof mode,
                             "C:\\h8scn\\a\\b\\ORVA\\ORVA.INI");
    EXPECT_STREQ("MINI", mode);
    ForgetInstallation("C:\\h8scn");
}

// ---- the welcome dialog of an earlier installation

TEST(WelcomeScenario, StartsTheInstalledProductFromTheRecordedExePath)
{
    NoEarlierInstallation none;
    Scrub("C:\\h8game");
    fs::create_directories("C:\\h8game");
    ASSERT_TRUE(CopyFileA("Q:\\GAME\\ORVA.EXE", "C:\\h8game\\ORVA.EXE", FALSE));
    SetFileAttributesA("C:\\h8game\\ORVA.EXE", FILE_ATTRIBUTE_NORMAL);
    RecordInstallation("C:\\h8game\\", "C:\\h8game");  // no trailing "\"
    SetupRun setup(kCd);
    SeenWindow welcome = setup.Dialog(TPL_WELCOME_AGAIN);
    setup.Press(welcome, EventButton(EV_START_PRODUCT));
    EXPECT_EQ(0, setup.process.Wait(20000)) << "setup ends at once";
    HWND game = WaitForTitle("ORVA");
    ASSERT_NE(nullptr, game) << "the game's window";
    DWORD pid = 0;
    GetWindowThreadProcessId(game, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE |
                                     PROCESS_TERMINATE, FALSE, pid);
    char image[MAX_PATH] = "";
    DWORD size = sizeof image;
    QueryFullProcessImageNameA(process, 0, image, &size);
    EXPECT_EQ(0, lstrcmpiA("C:\\h8game\\ORVA.EXE", image)) << image;
    PostMessageA(game, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    CloseHandle(process);
    Scrub("C:\\h8game");
}

TEST(WelcomeScenario, NoExePathRecordedEndsWithTheMessage)
{
    NoEarlierInstallation none;
    RecordInstallation("C:\\h8game\\", nullptr);
    SetupRun setup(kCd);
    setup.Press(setup.Dialog(TPL_WELCOME_AGAIN), EventButton(EV_START_PRODUCT));
    setup.Press(setup.Box(kMsgCaption, "ORVA PC could not be started."), IDOK);
    setup.EndsQuietly();
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "ORVA"));
}
