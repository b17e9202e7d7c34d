// DirectX installation by machine type and the video codec registration:
// every path through the machine choice with scripted dialog events, the
// real DirectX setup library on the sample CD's directories (its record
// shows which directory was installed), the failure messages read by the
// robot, and the codec on the real system directory, registry and
// system.ini.
#include <gtest/gtest.h>
#include "setup_env.h"
#include "setup/config.h"
#include "setup/dialogs.h"
#include "setup/runtime.h"
#include "setup/state.h"
#include "setup/run.h"
#include "common/ui.h"
#include "common/text.h"
#include "platform/templates.h"

static const char RecordKey[] = "Software\\ORVA DirectX Runtime";
static const char AtDir[] = "Q:\\DIRECTX\\AT\\";
static const char NecDir[] = "Q:\\DIRECTX\\NEC\\";

static const std::string SelectRun = "run 7312 FSelectXDlgProc 7000 FHelpDlgProc";
static const std::string AtInfoRun = "run 7290 FFMVInfoDlgProc 7000 FHelpDlgProc";
static const std::string NecInfoRun = "run 7291 FFMVInfoDlgProc 7000 FHelpDlgProc";

// The directory the DirectX setup library installed from, or "".
static std::string Installed()
{
    std::string bytes;
    if (!ReadValue(RecordKey, "Source", &bytes))
        return "";
    return bytes.substr(0, bytes.size() - 1);
}

class DirectXTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        TextCopy(Settings.DirectXAT, AtDir);
        TextCopy(Settings.DirectXNEC, NecDir);
        MsgModule = GetModuleHandleA(nullptr);  // holds template 2
        DeleteKeyTree(RecordKey);
    }
    void TearDown() override { DeleteKeyTree(RecordKey); }

    // Runs InstallDirectX with the given dialog events; returns its result
    // and leaves the message boxes in boxes.
    int Install(std::vector<UINT> events)
    {
        for (UINT e : events)
            fake::script.push_back({0, e, ""});
        int result = -1;
        boxes = BoxLines(RunAnswering([&] { result = InstallDirectX(); }));
        EXPECT_TRUE(fake::script.empty()) << "events left over";
        return result;
    }

    std::vector<std::string> boxes;
};

TEST_F(DirectXTest, NoneInstallsNothing)
{
    TextCopy(Settings.DirectX, "none");
    TextCopy(Settings.LanguageName, "Japanese");
    EXPECT_EQ(DIRECTX_DONE, Install({}));
    EXPECT_TRUE(fake::log.empty());
    EXPECT_EQ("", Installed());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DirectXTest, OtherLanguagesUseTheAtDirectoryWithoutAnyDialog)
{
    for (const char *language : {"English", "German"}) {
        DeleteKeyTree(RecordKey);
        TextCopy(Settings.LanguageName, language);
        TextCopy(Settings.Select, "Yes");
        EXPECT_EQ(DIRECTX_DONE, Install({}));
        EXPECT_TRUE(fake::log.empty());
        EXPECT_EQ(AtDir, Installed());
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(DirectXTest, SelectionCancelAsksToQuitAndShowsTheSelectionAgain)
{
    TextCopy(Settings.LanguageName, "Japanese");
    EXPECT_EQ(DIRECTX_DONE, Install({EV_CANCEL, EV_EXIT, EV_MACHINE_AT}));
    EXPECT_EQ((std::vector<std::string>{SelectRun, "quit", SelectRun, SelectRun,
                                        "kill 1"}),
              fake::log);
    EXPECT_EQ(AtDir, Installed());
}

TEST_F(DirectXTest, NecChoiceAfterVideoInformationInstallsNecAndAsksForRestart)
{
    TextCopy(Settings.LanguageName, "Japanese");
    // the NEC runtime asks for a restart
    EXPECT_EQ(DIRECTX_DONE | DIRECTX_RESTART, Install({EV_MACHINE_NEC, 'A', EV_CONTINUE}));
    EXPECT_EQ((std::vector<std::string>{SelectRun, "kill 1", NecInfoRun, NecInfoRun,
                                        "kill 1"}),
              fake::log);
    EXPECT_EQ(NecDir, Installed());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DirectXTest, DecliningVideoInformationInstallsNothingAndEndsWithTheNotice)
{
    TextCopy(Settings.LanguageName, "Japanese");
    EXPECT_EQ(DIRECTX_DONE | DIRECTX_END_NOTICE, Install({EV_MACHINE_NEC, EV_CANCEL}));
    EXPECT_EQ((std::vector<std::string>{SelectRun, "kill 1", NecInfoRun, "kill 1"}),
              fake::log);
    EXPECT_EQ("", Installed());

    ResetSetupState();
    TextCopy(Settings.LanguageName, "Japanese");
    EXPECT_EQ(DIRECTX_DONE | DIRECTX_END_NOTICE, Install({EV_MACHINE_FMV, EV_EXIT}));
    EXPECT_EQ((std::vector<std::string>{SelectRun, "kill 1", AtInfoRun, "kill 1"}),
              fake::log);
    EXPECT_EQ("", Installed());
}

TEST_F(DirectXTest, AtWithVideoInformationSetsTheEndNoticeEvenWhenInstalled)
{
    TextCopy(Settings.LanguageName, "Japanese");
    EXPECT_EQ(DIRECTX_DONE | DIRECTX_END_NOTICE, Install({EV_MACHINE_FMV, EV_CONTINUE}));
    EXPECT_EQ((std::vector<std::string>{SelectRun, "kill 1", AtInfoRun, "kill 1"}),
              fake::log);
    EXPECT_EQ(AtDir, Installed());
}

// An unattended run shows neither the machine dialog nor the video
// information: its dialog hook answers with /MACHINE= and continue.
TEST_F(DirectXTest, UnattendedRunAnswersTheMachineAndVideoInformation)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string log = std::string(temp) + "dx hook.log";
    DeleteFileA(log.c_str());
    TextCopy(Settings.LanguageName, "Japanese");
    int code;
    ASSERT_EQ(RUN_UNATTENDED,
              ReadCommandLine(("/S -machine=3 \"/LOG=" + log + "\"").c_str(), &code));
    int result = Install({});
    ReadCommandLine("", &code);  // a person's run again
    BoxHook = nullptr;
    EXPECT_EQ(DIRECTX_DONE | DIRECTX_END_NOTICE, result);
    EXPECT_EQ((std::vector<std::string>{"kill 1", "kill 1"}), fake::log);
    EXPECT_EQ(AtDir, Installed());
    EXPECT_EQ("runtime_test.exe: unattended installation\r\n"
              "runtime_test.exe: video information: continue\r\n",
              ReadBytes(log));
}

TEST_F(DirectXTest, FixedMachineNumbersSkipTheSelection)
{
    struct Case {
        const char *select, *machine;
        std::vector<UINT> events;
        std::vector<std::string> log;
        const char *installed;
        int result;
    };
    const int done = DIRECTX_DONE, notice = DIRECTX_DONE | DIRECTX_END_NOTICE;
    const Case cases[] = {
        {"No", "1", {}, {}, AtDir, done},
        {"No", "2", {EV_CONTINUE}, {NecInfoRun, "kill 1"}, NecDir, done | DIRECTX_RESTART},
        {"No", "2", {EV_CANCEL}, {NecInfoRun, "kill 1"}, "", notice},
        {"No", "3", {EV_CONTINUE}, {AtInfoRun, "kill 1"}, AtDir, notice},
        {"No", "3", {EV_EXIT}, {AtInfoRun, "kill 1"}, "", notice},
        {"No", "7", {}, {}, "", done},
        {"No", "x", {}, {}, "", done},
        {"No", "", {}, {}, "", done},
        {"Ja", "1", {}, {}, AtDir, done},  // neither Yes nor No: machine 1
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("Select=") + c.select + " SelectMachine=" + c.machine);
        ResetSetupState();
        DeleteKeyTree(RecordKey);
        TextCopy(Settings.LanguageName, "Japanese");
        TextCopy(Settings.Select, c.select);
        TextCopy(Settings.SelectMachine, c.machine);
        EXPECT_EQ(c.result, Install(c.events));
        EXPECT_EQ(c.log, fake::log);
        EXPECT_EQ(c.installed, Installed());
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(DirectXTest, LibraryErrorGivesTwoMessagesAndFails)
{
    std::string dir = MakeTempDir("tqldxbad");
    WriteBytes(dir + "\\RUNTIME.INI", "[Runtime]\r\n[Files]\r\nDRAW.RTM=10,0x1\r\n");
    TextCopy(Settings.DirectXAT, dir.c_str());
    EXPECT_EQ(0, Install({}));
    EXPECT_EQ((std::vector<std::string>{"ORVA Setup|DirectX Setup Error.",
                                        "ORVA Setup|DirectX Setup Faild."}),
              boxes);
    RemoveTree(dir);
}

TEST_F(DirectXTest, MissingWaitTemplateFailsBeforeTheLibraryRuns)
{
    MsgModule = GetModuleHandleA("kernel32.dll");  // has no template 2
    EXPECT_EQ(0, Install({}));
    EXPECT_EQ((std::vector<std::string>{"ORVA Setup|Create Window Error",
                                        "ORVA Setup|DirectX Setup Faild."}),
              boxes);
    EXPECT_EQ("", Installed());
}

// As the wait window is destroyed: what the library had installed by
// then, while the window was on the screen ("hidden" when it was not).
static std::string InstalledUnderWait;
static LRESULT CALLBACK WatchWait(int code, WPARAM wParam, LPARAM lParam)
{
    char caption[64] = "";
    if (code == HCBT_DESTROYWND && GetWindowTextA((HWND)wParam, caption, sizeof caption) &&
        !lstrcmpA(caption, "DirectX wait window of the test"))
        InstalledUnderWait = IsWindowVisible((HWND)wParam) ? Installed() : "hidden";
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(DirectXTest, WaitWindowIsShownWhileTheLibraryRunsAndThenGone)
{
    int result = -1;
    std::vector<SeenWindow> seen = RunAnswering([&] {
        HHOOK hook = SetWindowsHookExA(WH_CBT, WatchWait, nullptr, GetCurrentThreadId());
        result = InstallDirectX();  // English: from the AT directory
        UnhookWindowsHookEx(hook);
    });
    EXPECT_EQ(DIRECTX_DONE, result);
    EXPECT_EQ(AtDir, InstalledUnderWait);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "DirectX wait window of the test"));
    EXPECT_TRUE(BoxLines(seen).empty());
}

TEST_F(DirectXTest, CdMessageLibrariesHoldTheWaitWindow)
{
    for (const char *library : {"Q:\\msgeng.dll", "Q:\\msg.dll"}) {
        SCOPED_TRACE(library);
        DeleteKeyTree(RecordKey);
        MsgModule = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!MsgModule) {
            ADD_FAILURE() << "the CD image has no " << library;
            continue;
        }
        // The NEC directory's library asks for a restart.
        TextCopy(Settings.DirectXAT, NecDir);
        int result = -1;
        std::vector<SeenWindow> seen = RunAnswering([&] { result = InstallDirectX(); });
        EXPECT_EQ(DIRECTX_DONE | DIRECTX_RESTART, result);
        EXPECT_TRUE(BoxLines(seen).empty());
        EXPECT_EQ(NecDir, Installed());
        FreeLibrary(MsgModule);
    }
}

// ---- video codec

static const char CodecKey[] =
    "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV41";

// A test driver of the given version, built beside the test program.
static std::string TestCodec(const std::string &version)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    dir.resize(dir.rfind('\\'));
    return dir + "\\codecs\\" + version + "\\IR41_32.dll";
}

class CodecTest : public ::testing::Test {
protected:
    std::string installed, systemIni, savedIni, cd;

    void SetUp() override
    {
        ResetSetupState();
        installed = SystemDir() + "IR41_32.DLL";
        systemIni = WindowsDir() + "system.ini";
        savedIni = ReadBytes(systemIni);
        cd = MakeTempDir("tqlcodec");
        WriteBytes(cd + "\\IR41_32.DLL", ReadBytes(TestCodec("4.11.15.60")));
        TextCopy(Settings.Indeo41LibPath, (cd + "\\").c_str());
        Clean();
    }
    void TearDown() override
    {
        Clean();
        RemoveTree(cd);
        WriteBytes(systemIni, savedIni);
    }
    void Clean()
    {
        SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(installed.c_str());
        DeleteKeyTree(CodecKey);
        WritePrivateProfileStringA("drivers32", "VIDC.IV41", nullptr,
                                   systemIni.c_str());
    }
    int Install()
    {
        int result = -1;
        boxes = BoxLines(RunAnswering([&] { result = InstallVideoCodec(); }));
        return result;
    }
    std::string Drivers32Entry()
    {
        char value[64];
        GetPrivateProfileStringA("drivers32", "VIDC.IV41", "<none>", value,
                                 sizeof value, systemIni.c_str());
        return value;
    }
    void ExpectRegistered()
    {
        std::string bytes;
        DWORD type = 0;
        const std::string description("Indeo\xAE video interactive R4.1 by Intel\0", 39);
        for (const char *name : {"Description", "FriendlyName"}) {
            ASSERT_TRUE(ReadValue(CodecKey, name, &bytes, &type)) << name;
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
            EXPECT_EQ(39u, bytes.size());
            EXPECT_EQ('\xAE', bytes[5]);
            EXPECT_EQ(description, bytes);
        }
        ASSERT_TRUE(ReadValue(CodecKey, "Driver", &bytes, &type));
        EXPECT_EQ(std::string("ir41_32.dll\0", 12), bytes);
        EXPECT_NE(std::string::npos,
                  ReadBytes(systemIni).find("VIDC.IV41=ir41_32.dll"));
        EXPECT_EQ("ir41_32.dll", Drivers32Entry());
    }
    void ExpectNotRegistered()
    {
        EXPECT_FALSE(KeyExists(CodecKey));
        EXPECT_EQ("<none>", Drivers32Entry());
    }
    std::vector<std::string> boxes;
};

TEST_F(CodecTest, NoneChangesNothing)
{
    TextCopy(Settings.Indeo41, "NONE");
    EXPECT_EQ(1, Install());
    EXPECT_FALSE(Exists(installed));
    ExpectNotRegistered();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CodecTest, AbsentDriverIsCopiedAndRegistered)
{
    EXPECT_EQ(1, Install());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadBytes(TestCodec("4.11.15.60")), ReadBytes(installed));
    ExpectRegistered();
}

TEST_F(CodecTest, CurrentDriverIsNeitherCopiedNorRegistered)
{
    for (const char *version : {"4.11.15.60", "4.12.15.60"}) {
        SCOPED_TRACE(version);
        Clean();
        WriteBytes(installed, ReadBytes(TestCodec(version)));
        EXPECT_EQ(1, Install());
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(ReadBytes(TestCodec(version)), ReadBytes(installed));
        ExpectNotRegistered();
    }
}

TEST_F(CodecTest, DriverOlderInAnyFieldIsReplacedAndRegistered)
{
    for (const char *version : {"5.0.0.0", "4.11.15.59"}) {
        SCOPED_TRACE(version);
        Clean();
        WriteBytes(installed, ReadBytes(TestCodec(version)));
        EXPECT_EQ(1, Install());
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(ReadBytes(TestCodec("4.11.15.60")), ReadBytes(installed));
        ExpectRegistered();
    }
}

TEST_F(CodecTest, EntryNamingAnotherDriverIsReplaced)
{
    WritePrivateProfileStringA("drivers32", "VIDC.IV41", "other32.dll",
                               systemIni.c_str());
    WritePrivateProfileStringA("drivers32", "VIDC.TEST", "keep32.dll",
                               systemIni.c_str());
    EXPECT_EQ(1, Install());
    ExpectRegistered();
    char kept[32];
    GetPrivateProfileStringA("drivers32", "VIDC.TEST", "", kept, sizeof kept,
                             systemIni.c_str());
    EXPECT_STREQ("keep32.dll", kept);
    EXPECT_EQ(std::string::npos, ReadBytes(systemIni).find("other32.dll"));
}

TEST_F(CodecTest, MissingSourceFailsWithTheCopyMessage)
{
    DeleteFileA((cd + "\\IR41_32.DLL").c_str());
    EXPECT_EQ(0, Install());
    EXPECT_EQ(std::vector<std::string>{"Setup File Copy|The new file is missing."},
              boxes);
    EXPECT_FALSE(Exists(installed));
    ExpectNotRegistered();
}

// A codec on a scratched CD (drive S:, whose reads fail past 64 KB): the
// older codec of the system stays byte for byte and still loads, nothing
// is registered, and no temporary file is left in the system folder.
TEST_F(CodecTest, ScratchedSourceLeavesTheInstalledDriverWorking)
{
    if (!Exists("S:\\INDEO41\\IR41_32.DLL"))
        GTEST_SKIP() << "drive S: (a scratched CD on FUSE) is not set up: "
                        "see tests/setup/drives/scratched.reason";
    const std::string older = ReadBytes(TestCodec("4.11.15.59"));
    WriteBytes(installed, older);
    TextCopy(Settings.Indeo41LibPath, "S:\\INDEO41\\");
    EXPECT_EQ(0, Install());
    EXPECT_EQ(std::vector<std::string>{"Setup File Copy|File Copy Error"}, boxes);
    EXPECT_EQ(older, ReadBytes(installed));
    HMODULE driver = LoadLibraryA(installed.c_str());
    EXPECT_NE(nullptr, driver);
    if (driver)
        FreeLibrary(driver);
    ExpectNotRegistered();
    EXPECT_TRUE(Matches(SystemDir() + "TQL*.TMP").empty());
}
