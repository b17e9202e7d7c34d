// The real setup program copying its product from a scratched CD (drive
// S:, whose reads fail past 64 KB) over an earlier installation: a person
// sees the copy's message, an unattended run ends with exit code 5 and
// its log names the Windows error; the earlier installation's file stays
// byte for byte and no temporary file is left.
#include "tests/scenarios/scenario.h"
#include "tests/scenarios/welcome_scenarios.h"
#include "tests/support/files.h"

using namespace scenario;

namespace {

const char kDest[] = "C:\\h9scratch\\ORVA";
const char kLog[] = "C:\\h9scratch.log";
const char kEarlier[] = "the earlier installation's file";

class ScratchedCd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Exists("S:\\TREE\\BIG.DAT"))
            GTEST_SKIP() << "drive S: (a scratched CD on FUSE) is not set up: "
                            "see tests/setup/drives/scratched.reason";
        ForgetInstallation("C:\\h9scratch");
        CreateDirectoryA("C:\\h9scratch", nullptr);
        CreateDirectoryA(kDest, nullptr);
        WriteBytes(Dest("BIG.DAT"), kEarlier);
        RecordInstallation("C:\\h9scratch\\ORVA\\", "C:\\h9scratch\\ORVA\\");
        cd.EnglishCd({{"option", "SourcePath1", "S:\\TREE"},
                      {"option", "SourcePath2", "None"},
                      {"option", "DocPath", "Q:\\DOCS"},
                      {"RunTime", "DirectX", "None"},
                      {"RunTime", "Indeo41", "None"}},
                     {"UNINST.EXE", "msgeng.dll"});
        DeleteFileA(kLog);
    }
    void TearDown() override
    {
        ForgetInstallation("C:\\h9scratch");
        DeleteFileA(kLog);
    }
    static std::string Dest(const char *name) { return std::string(kDest) + "\\" + name; }
    // The earlier file as it was; beside it at most the file that reads
    // and the product settings file, which the copy finds there.
    static void ExpectEarlierFileKept()
    {
        EXPECT_EQ(kEarlier, ReadBytes(Dest("BIG.DAT")));
        for (const std::string &name : Matches(Dest("*")))
            EXPECT_TRUE(name == "BIG.DAT" || name == "SMALL.DAT" || name == "ORVA.INI") << name;
    }
    NoEarlierInstallation none;  // the machine's own record comes back
    StartupDir cd;
};

TEST_F(ScratchedCd, PersonSeesTheCopyMessage)
{
    SetupRun setup(cd.path());
    setup.Press(setup.Dialog(TPL_WELCOME_AGAIN), EventButton(EV_GO_ON));
    SeenWindow dest = setup.Dialog(TPL_DESTINATION);
    setup.robot.SetText(dest, IDC_DEST_EDIT, kDest);
    setup.Press(dest, EventButton(EV_CONTINUE));
    SeenWindow copy = FinishInstallation(setup, EV_MACHINE_AT);
    EXPECT_EQ("box", copy.kind) << Transcript(setup);
    EXPECT_EQ("Setup PM File Copy", copy.caption);
    EXPECT_EQ("File Copy Error", copy.text);
    setup.Press(copy, IDOK);
    // Between the two boxes the progress window is enabled again for a
    // moment; the robot may or may not catch it there.
    auto next = setup.robot.Next(15000);
    if (next && next->kind == "window" && next->caption == "Copying Files")
        next = setup.robot.Next(15000);
    ASSERT_TRUE(next) << Transcript(setup);
    EXPECT_EQ("box", next->kind);
    EXPECT_EQ("Copy", next->caption);
    EXPECT_EQ("Copying the files failed.", next->text);
    setup.Press(*next, IDOK);
    for (auto w = setup.robot.Next(5000); w && w->pid == setup.process.pid;
         w = setup.robot.Next(5000))
        setup.Press(*w, w->kind == "box" ? IDOK : IDCANCEL);  // the fatal exit
    EXPECT_EQ(0, setup.process.Wait(20000)) << Transcript(setup);
    ExpectEarlierFileKept();
}

TEST_F(ScratchedCd, UnattendedRunEndsWithFiveAndNamesTheError)
{
    {
        SetupRun setup(cd.path(), std::string("/S /D=") + kDest + " /LOG=" + kLog);
        setup.EndsQuietly(5, 60000);
    }
    std::string log = ReadBytes(kLog);
    EXPECT_NE(std::string::npos,
              log.find("Tql.exe: copying the product's files\r\n"
                       "Tql.exe: the copy to C:\\h9scratch\\ORVA\\BIG.DAT failed with "
                       "Windows error 21\r\n"
                       "Tql.exe: [Setup PM File Copy] File Copy Error\r\n"
                       "Tql.exe: exit code 5\r\n"))
        << log;
    ExpectEarlierFileKept();
}

} // namespace
