// The runtime steps of a whole installation on a Japanese system, as the
// user meets them: the machine type dialog and the video information of
// the custom dialog library, then what the machine holds afterwards: the
// DirectX runtime record, the Add/Remove Programs entry and the codec.
#include "tests/scenarios/scenario.h"
#include "tests/scenarios/welcome_scenarios.h"
#include "tests/support/files.h"
#include "tests/support/wide_value.h"

using namespace scenario;

namespace {

const char kRecordKey[] = "Software\\ORVA DirectX Runtime";
const char kCodecKey[] =
    "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV41";
const char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ORVA PC App";
const char kDest[] = "C:\\h7rt\\ORVA";

// Takes away what an installation of these scenarios leaves behind.
void Clean()
{
    RemoveTree("C:\\h7rt");
    DeleteKeyTree(kRecordKey);
    DeleteKeyTree(kCodecKey);
    DeleteKeyTree("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ORVA.EXE");
    DeleteKeyTree("SOFTWARE\\ORVA");
    DeleteKeyTree(kUninstallKey);
    DeleteFileA((SystemDir() + "IR41_32.DLL").c_str());
    // The uninstaller, its settings file and the message library.
    for (const char *name : {"UNINST.EXE", "ORVA.INI", "msg.dll"})
        DeleteFileA((WindowsDir() + name).c_str());
}

// Runs setup up to the machine type dialog.
SeenWindow UpToMachineType(SetupRun &setup)
{
    setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    setup.robot.SetText(dest, IDC_DEST_EDIT, kDest);
    setup.Press(dest, EventButton(EV_CONTINUE));
    setup.Press(setup.Dialog(TPL_NOTICE_CREATE), EventButton(EV_CONTINUE));
    for (;;) {
        auto w = setup.robot.Next(60000);
        if (!w) {
            ADD_FAILURE() << "no machine type dialog";
            return SeenWindow();
        }
        if (w->pid != setup.process.pid || w->kind == "window")
            continue;  // the progress window
        return *w;
    }
}

std::string Value(const char *key, const char *name)
{
    std::string bytes;
    return ReadValue(key, name, &bytes) ? bytes : "<missing>";
}

} // namespace

TEST(RuntimeScenario, AtMachineInstallsDirectXFromAtAndRegistersEverything)
{
    NoEarlierInstallation none;
    Clean();
    {
        SetupRun setup(kCd);
        SeenWindow machine = UpToMachineType(setup);
        ASSERT_EQ((UINT)TPL_MACHINE, machine.templ) << Describe(machine);
        setup.Press(machine, EventButton(EV_MACHINE_AT));
        // The DirectX wait window passes by (if the robot catches it).
        SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);
        ASSERT_EQ((UINT)TPL_ENDING, ending.templ) << Describe(ending);
        setup.Press(ending, EventButton(EV_EXIT));
        setup.EndsQuietly();
    }
    EXPECT_EQ(std::string("Q:\\DIRECTX\\AT\\") + '\0', Value(kRecordKey, "Source"));
    std::string windows = WindowsDir();
    EXPECT_EQ(windows + "UNINST.EXE " + windows + "ORVA.INI" + '\0',
              Value(kUninstallKey, "UninstallString"));
    EXPECT_TRUE(Exists(windows + "UNINST.EXE"));
    EXPECT_TRUE(Exists(windows + "msg.dll"));
    EXPECT_EQ(std::string("ir41_32.dll") + '\0', Value(kCodecKey, "Driver"));
    // "®" on this Japanese system too, where its byte 0xAE of Windows-1252
    // would be read as a half-width katakana.
    for (const wchar_t *name : {L"Description", L"FriendlyName"})
        EXPECT_EQ(L"Indeo\x00AE video interactive R4.1 by Intel", WideValue(kCodecKey, name));
    Clean();
}

TEST(RuntimeScenario, DecliningNecVideoInformationSkipsDirectXAndEndsWithTheNotice)
{
    NoEarlierInstallation none;
    Clean();
    {
        SetupRun setup(kCd);
        SeenWindow machine = UpToMachineType(setup);
        ASSERT_EQ((UINT)TPL_MACHINE, machine.templ) << Describe(machine);
        setup.Press(machine, EventButton(EV_MACHINE_NEC));
        setup.Press(setup.Dialog(TPL_FMVINFO_NEC), EventButton(EV_CANCEL));
        // The end notice (message table slot 24) instead of the ending dialog.
        auto notice = setup.robot.Next(60000);
        ASSERT_TRUE(notice);
        EXPECT_EQ("box", notice->kind) << Describe(*notice);
        setup.Press(*notice, IDOK);
        setup.EndsQuietly();
    }
    EXPECT_FALSE(KeyExists(kRecordKey));
    EXPECT_EQ(std::string("ir41_32.dll") + '\0', Value(kCodecKey, "Driver"));
    Clean();
}
