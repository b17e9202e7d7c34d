// An installation that does not finish, as the real programs meet it: a
// reinstall into another folder that is cancelled keeps the earlier
// installation whole, an installation that fails after its registration
// leaves an entry that removes everything, and setup or the uninstaller
// cut off at any moment (the process killed, Windows started again) is
// finished by the next ordinary run. A small CD of its own with a tree of
// a few thousand files.
#include "small_cd.h"
#include "common/record.h"
#include "platform/msglib.h"
#include "platform/templates.h"
#include "tests/scenarios/welcome_scenarios.h"

using namespace roundtrip;
using namespace scenario;

namespace {

const char kOne[] = "C:\\RCONE";
const char kTwo[] = "C:\\RCTWO";
const int kFiles = 3000;

// Relative path -> size of every file below dir.
std::map<std::string, std::string> Sizes(const std::string &dir)
{
    std::map<std::string, std::string> sizes;
    for (auto &[name, what] : TreeListing(dir))
        if (what != "dir")
            sizes[name] = what.substr(0, what.find(' '));
    return sizes;
}

std::string Recorded(const char *key)
{
    char path[MAX_PATH];
    return ReadRecordedDirectory(SettingsFile().c_str(), key, path) ? path : "";
}

class Recovery : public SmallCdTest {
protected:
    Recovery() : SmallCdTest({kOne, kTwo}) {}
    void SetUp() override
    {
        SmallCdTest::SetUp();
        for (int i = 0; i < kFiles; i++) {
            std::string dir = cd.path() + "\\TREE\\D" + std::to_string(i / 100);
            if (i % 100 == 0)
                CreateDirectoryA(dir.c_str(), nullptr);
            WriteBytes(dir + "\\F" + std::to_string(i) + ".DAT", std::string(64 + i % 512, 'x'));
        }
        WriteIni({});
        tree = Sizes(cd.path() + "\\TREE");
    }
    // The folder holds the whole tree and the product settings file.
    void ExpectComplete(const std::string &dir)
    {
        auto sizes = Sizes(dir);
        EXPECT_EQ(ProductSettingsText(p), ReadBytes(dir + "\\ORVA.INI"));
        sizes.erase("ORVA.INI");
        EXPECT_TRUE(sizes == tree) << dir << ": " << sizes.size() << " of " << tree.size();
    }
    // The entry's removal leaves nothing of the product; after the restart
    // its files in the Windows folder are gone too.
    void ExpectRemovedBy(const std::string &entryCommand)
    {
        if (!entryCommand.empty()) {
            DeleteFileA(log.c_str());
            UninstallerRun run(entryCommand);
            EXPECT_EQ(0, run.process.Wait(60000)) << ReadBytes(log);
        }
        ExpectNothingLeft();
    }
    void ExpectNothingLeft()
    {
        EXPECT_FALSE(Exists(kOne));
        EXPECT_FALSE(Exists(kTwo));
        EXPECT_FALSE(Exists(SettingsFile()));
        EXPECT_FALSE(KeyExists(UninstallKey(p)));
        EXPECT_FALSE(KeyExists(AppPathsKey(p)));
        EXPECT_FALSE(KeyExists(ProductKey(p)));
        ASSERT_TRUE(Restart());
        EXPECT_FALSE(Exists(WindowsDir() + "UNINST.EXE"));
        EXPECT_FALSE(Exists(WindowsDir() + p.msgLibrary));
        EXPECT_TRUE(Matches(WindowsDir() + "tql*.tmp").empty());
    }
    // Milliseconds that run takes.
    static DWORD Timed(const std::function<void()> &run)
    {
        DWORD start = GetTickCount();
        run();
        return GetTickCount() - start;
    }

    std::map<std::string, std::string> tree;
};

// A reinstall into another folder that the user cancels in the progress
// window: the earlier folder keeps its files and the player's save, the
// record and the entry still name it, and that entry removes both folders.
TEST_F(Recovery, CancelledReinstallKeepsTheEarlierInstallation)
{
    Install(0, kOne);
    const std::string save = std::string(kOne) + "\\SAVE.DAT";
    WriteBytes(save, "the player's save");
    const auto before = TreeListing(kOne);
    const std::string entry = RemovalCommand(UninstallKey(p));
    {
        SetupRun setup(cd.path());
        setup.Press(setup.Dialog(TPL_WELCOME_AGAIN), EventButton(EV_GO_ON));
        SeenWindow dest = setup.Dialog(TPL_DESTINATION);
        EXPECT_EQ(kOne, Robot::ControlText(dest.hwnd, IDC_DEST_EDIT));
        setup.robot.SetText(dest, IDC_DEST_EDIT, kTwo);
        setup.Press(dest, EventButton(EV_CONTINUE));
        setup.Press(setup.Dialog(TPL_NOTICE_CREATE), EventButton(EV_CONTINUE));
        auto progress = setup.robot.Next(15000);
        ASSERT_TRUE(progress && progress->caption == "Copying Files") << Transcript(setup);
        EXPECT_TRUE(setup.robot.Press(*progress, IDCANCEL));
        for (auto w = setup.robot.Next(5000); w && w->pid == setup.process.pid;
             w = setup.robot.Next(5000))
            setup.robot.Press(*w, w->kind == "box" ? IDOK : IDCANCEL);  // the fatal exit
        EXPECT_EQ(0, setup.process.Wait(20000)) << Transcript(setup);
    }
    EXPECT_TRUE(before == TreeListing(kOne));
    EXPECT_EQ("the player's save", ReadBytes(save));
    EXPECT_EQ(std::string(kOne) + "\\", Recorded("InstallPath"));
    EXPECT_EQ(std::string(kTwo) + "\\", Recorded(PendingInstallKey));
    EXPECT_LT(Sizes(kTwo).size(), tree.size());
    EXPECT_EQ(entry, RemovalCommand(UninstallKey(p)));
    ExpectRemovedBy(entry);
}

// A reinstall into a folder inside the earlier one: the earlier files go
// before the copy, which would otherwise go with them, and the copy makes
// its folder again.
TEST_F(Recovery, ReinstallInsideTheEarlierFolderKeepsTheNewCopy)
{
    Install(0, kOne);
    const std::string inner = std::string(kOne) + "\\INNER";
    Install(0, inner);
    ExpectComplete(inner);
    EXPECT_EQ(std::vector<std::string>{"INNER"}, Matches(std::string(kOne) + "\\*"));
    EXPECT_EQ(0, RemoveBy(UninstallKey(p)));
    EXPECT_FALSE(Exists(inner));
    EXPECT_TRUE(RemoveDirectoryA(kOne));  // the folder above it, left empty
}

// A first installation that fails after its registration (the video
// codec missing from the CD ends it with 8): its entry removes the copied
// folder and everything else, with the ordinary final message.
TEST_F(Recovery, FailedInstallationsEntryRemovesEverything)
{
    CreateDirectoryA((cd.path() + "\\CODEC").c_str(), nullptr);
    cd.Write("TQL.INI", CdIniWith({{"option", "SourcePath1", cd.path() + "\\TREE"},
                                   {"option", "SourcePath2", "None"},
                                   {"option", "DocPath", "None"},
                                   {"RunTime", "DirectX", "None"},
                                   {"RunTime", "Indeo41", "Yes"},
                                   {"Indeo41", "LIBPATH", cd.path() + "\\CODEC"}}));
    Install(8, kOne);
    const std::string entry = RemovalCommand(UninstallKey(p));
    ASSERT_FALSE(entry.empty());
    ExpectRemovedBy(entry);
    EXPECT_NE(std::string::npos, ReadBytes(log).find("UNINST.EXE: [Uninstall] " +
                                                     SlotText(p.msgLibrary, SLOT_REMOVED)))
        << ReadBytes(log);
}

// Setup killed at moments spread over a whole unattended installation,
// Windows started again, and the same command run again: it ends with 0
// and the complete tree, and the entry then removes everything. One rerun
// is a person's, which proposes the folder, asks nothing about its files
// and reaches the ending dialog.
TEST_F(Recovery, SetupKilledAnywhereIsFinishedByTheNextRun)
{
    const DWORD whole = Timed([&] { Install(0, kOne); });
    ExpectComplete(kOne);
    ExpectRemovedBy(RemovalCommand(UninstallKey(p)));
    for (int moment = 1; moment <= 7; moment++) {
        const DWORD at = whole * moment / 8;
        SCOPED_TRACE("killed at " + std::to_string(at) + " of " + std::to_string(whole) + " ms");
        {
            SetupRun cut(cd.path(), InstallArgs(kOne));
            Sleep(at);
            cut.process.Kill();
        }
        ASSERT_TRUE(Restart());
        if (moment == 4) {
            SetupRun setup(cd.path());
            auto welcome = setup.robot.Next(15000);
            ASSERT_TRUE(welcome && welcome->kind == "dialog") << Transcript(setup);
            setup.Press(*welcome, EventButton(EV_GO_ON));
            SeenWindow dest = setup.Dialog(TPL_DESTINATION);
            EXPECT_EQ(kOne, Robot::ControlText(dest.hwnd, IDC_DEST_EDIT));
            setup.Press(dest, EventButton(EV_CONTINUE));
            SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);
            ASSERT_EQ(TPL_ENDING, ending.templ) << Transcript(setup);
            setup.Press(ending, EventButton(EV_EXIT));
            setup.EndsQuietly();
        } else {
            Install(0, kOne);
        }
        ExpectComplete(kOne);
        ExpectRemovedBy(RemovalCommand(UninstallKey(p)));
        if (HasFatalFailure())
            return;
    }
}

// The uninstaller killed at moments spread over a removal, Windows started
// again, and the entry's command run again while it is listed: nothing of
// the product is left.
TEST_F(Recovery, RemovalKilledAnywhereIsFinishedByTheNextRun)
{
    Install(0, kOne);
    const std::string entry = RemovalCommand(UninstallKey(p));
    const DWORD whole = Timed([&] { EXPECT_EQ(0, UninstallerRun(entry).process.Wait(60000)); });
    ExpectNothingLeft();
    for (int moment = 1; moment <= 5; moment++) {
        const DWORD at = whole * moment / 6;
        SCOPED_TRACE("killed at " + std::to_string(at) + " of " + std::to_string(whole) + " ms");
        Install(0, kOne);
        {
            UninstallerRun cut(entry);
            Sleep(at);
            cut.process.Kill();
        }
        ASSERT_TRUE(Restart());
        ExpectRemovedBy(KeyExists(UninstallKey(p)) || Exists(SettingsFile()) ? entry : "");
        if (HasFatalFailure())
            return;
    }
}

} // namespace
