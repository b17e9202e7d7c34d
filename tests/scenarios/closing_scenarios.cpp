// The end of an installation as a user meets it: the ending dialog, the
// restart question that the NEC runtime of the sample CD asks for (its
// RUNTIME.INI says Restart=Yes), and the closing notice. A restart the user
// accepts would end the Wine session the scenarios run in; what the system
// is asked then is checked by the unit tests (tests/setup/closing_test.cpp).
#include <fstream>

#include "scenario.h"
#include "welcome_scenarios.h"
#include "tests/support/files.h"

using namespace scenario;

namespace {

const char kMsgCaption[] = "ORVA PC";
const char kRestartAsk[] =
    "Windows must be restarted to complete the DirectX setup.\nRestart Windows now?";
const char kRestartDeclined[] =
    "Windows will not be restarted now.\nBe sure to restart Windows before you start the game.";
const char kEndNotice[] =
    "Setup is complete.\nPlease restart Windows before you start the game.";
const char kEndingText[] =
    "ORVA has been installed.\nChoose Play ORVA to start it now, or Finish to close Setup.";

// Installs into dir (created after its notice) up to the end of the copy.
void InstallInto(SetupRun &setup, const std::string &dir)
{
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    setup.robot.SetText(dest, IDC_DEST_EDIT, dir);
    setup.Press(dest, EventButton(EV_CONTINUE));
    setup.Press(setup.Dialog(TPL_NOTICE_CREATE), EventButton(EV_CONTINUE));
}

} // namespace

TEST(EndingScenario, CancelAsksExitEndsWithoutAQuestion)
{
    NoEarlierInstallation none;
    ForgetInstallation("C:\\h8end");
    SetupRun setup(kCd);
    InstallInto(setup, "C:\\h8end\\ORVA");
    SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);  // AT
    ASSERT_EQ("dialog", ending.kind) << Describe(ending);
    ASSERT_EQ((UINT)TPL_ENDING, ending.templ) << Transcript(setup);
    EXPECT_EQ(kEndingText, ending.text);
    setup.Press(ending, EventButton(EV_CANCEL));
    setup.Press(setup.Dialog(TPL_QUIT), EventButton(EV_CONTINUE));
    ending = setup.Dialog(TPL_ENDING);
    setup.Press(ending, EventButton(EV_EXIT));
    setup.EndsQuietly();
    ForgetInstallation("C:\\h8end");
}

// The CD's configuration, started from a directory of its own whose
// DirectX directory for this (English) system is the runtime that asks for
// a restart; the setup program copies the uninstaller and the message
// library from its start-up directory.
static void RestartingCd(StartupDir &dir)
{
    dir.EnglishCd({{"option", "SourcePath1", "Q:\\GAME"},
                   {"option", "SourcePath2", "Q:\\DATA"},
                   {"option", "DocPath", "Q:\\DOCS"},
                   {"DirectX", "AT", "Q:\\DIRECTX\\NEC"},
                   {"Indeo41", "LIBPATH", "Q:\\INDEO41"}},
                  {"UNINST.EXE", "msgeng.dll"});
}

TEST(RestartScenario, DeclinedEndsWithTheClosingNotice)
{
    NoEarlierInstallation none;
    ForgetInstallation("C:\\h8end");
    StartupDir dir;
    RestartingCd(dir);
    SetupRun setup(dir.path());
    InstallInto(setup, "C:\\h8end\\ORVA");
    SeenWindow ask = FinishInstallation(setup, EV_MACHINE_NEC);
    ASSERT_EQ("box", ask.kind) << Transcript(setup);
    EXPECT_EQ(kMsgCaption, ask.caption);
    EXPECT_EQ(kRestartAsk, ask.text);
    setup.Press(ask, IDNO);
    setup.Press(setup.Box(kMsgCaption, kRestartDeclined), IDOK);
    setup.Press(setup.Box(kMsgCaption, kEndNotice), IDOK);
    setup.EndsQuietly();  // no ending dialog
    ForgetInstallation("C:\\h8end");
}

// Keeps WININIT.INI of the Windows directory as it was: a restart of the
// system works through it (and renames it to wininit.bak).
class KeepWininit {
public:
    ~KeepWininit()
    {
        ini_.Restore();
        bak_.Restore();
    }
    std::string Path(const char *name) const { return WindowsDir() + name; }
private:
    SavedFile ini_{Path("wininit.ini")}, bak_{Path("wininit.bak")};
};

// Yes to the restart question: the system is asked for a restart. Under
// Wine that is the simulated restart, which carries out WININIT.INI (a file
// scheduled for deletion goes) and lets the program run on: setup then
// ends with the ending dialog, as after a restart that is under way.
TEST(RestartScenario, AcceptedRestartsTheSystemAndEndsWithTheEndingDialog)
{
    NoEarlierInstallation none;
    KeepWininit wininit;
    ForgetInstallation("C:\\h8end");
    const std::string victim = "C:\\h8restart.tmp";
    std::ofstream(victim) << "deleted by the restart";
    DeleteFileA(wininit.Path("wininit.ini").c_str());
    WritePrivateProfileStringA("rename", "nul", victim.c_str(), "WININIT.INI");

    StartupDir dir;
    RestartingCd(dir);
    SetupRun setup(dir.path());
    InstallInto(setup, "C:\\h8end\\ORVA");
    SeenWindow ask = FinishInstallation(setup, EV_MACHINE_NEC);
    ASSERT_EQ("box", ask.kind) << Transcript(setup);
    EXPECT_EQ(kRestartAsk, ask.text);
    setup.Press(ask, IDYES);
    SeenWindow ending = setup.Dialog(TPL_ENDING);
    EXPECT_EQ(kEndingText, ending.text) << Transcript(setup);
    // The restart runs beside the program: give it a moment.
    for (int i = 0; i < 100 && GetFileAttributesA(victim.c_str()) !=
                                  INVALID_FILE_ATTRIBUTES; i++)
        Sleep(100);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(victim.c_str()))
        << "the system was not restarted";
    setup.Press(ending, EventButton(EV_EXIT));
    setup.EndsQuietly();
    DeleteFileA(victim.c_str());
    ForgetInstallation("C:\\h8end");
}

TEST(EndingScenario, PlayStartsTheProductJustInstalled)
{
    NoEarlierInstallation none;
    ForgetInstallation("C:\\h8end");
    SetupRun setup(kCd);
    InstallInto(setup, "C:\\h8end\\ORVA");
    SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);
    ASSERT_EQ((UINT)TPL_ENDING, ending.templ) << Transcript(setup);
    setup.Press(ending, EventButton(EV_START_PRODUCT));
    EXPECT_EQ(0, setup.process.Wait(20000));
    HWND game = WaitForTitle("ORVA");
    ASSERT_NE(nullptr, game);
    DWORD pid = 0;
    GetWindowThreadProcessId(game, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    PostMessageA(game, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    CloseHandle(process);
    ForgetInstallation("C:\\h8end");
}
