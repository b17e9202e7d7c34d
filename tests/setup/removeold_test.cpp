// The setup program's removal of an earlier installation (setup/removeold.cpp)
// run on a worker thread over an installation made as setup makes it; the
// test thread answers its message boxes through the UI robot.
#include "tests/uninst/installed.h"
#include "setup/config.h"
#include "setup/removeold.h"
#include "setup/state.h"
#include "common/ui.h"
#include "common/text.h"
#include "tests/support/msg_table.h"
#include "tests/support/worker.h"

#include <gtest/gtest.h>

namespace {

const char kCaption[] = "ORVA Setup";

class RemoveOldTest : public ::testing::Test {
protected:
    static KeptMachine *kept;

    static void SetUpTestSuite()
    {
        kept = new KeptMachine({"ORVA.INI", "WININIT.INI"});
        // The message table as setup fills it from its message library.
        std::string library = TestProduct().msgLibrary;
        ASSERT_TRUE(LoadMessageTable(library, MessageTable)) << library;
    }

    static void TearDownTestSuite() { delete kept; }

    void SetUp() override
    {
        p = TestProduct();
        TextCopy(Settings.ProductName, p.productName.c_str());
        TextCopy(Settings.ProductVersion, p.productVersion.c_str());
        TextCopy(Settings.ApplicationName, p.applicationName.c_str());
        TextCopy(Settings.ExecFileName, p.execFileName.c_str());
        TextCopy(Settings.UnInstExe, "UNINST.EXE");
        TextCopy(Settings.LoadMsgModule, p.msgLibrary.c_str());
        TextCopy(Settings.IniFileName, "ORVA.INI");
        TextCopy(Settings.GroupTitle, p.groupTitle.c_str());
        TextCopy(Settings.MsgDlgBoxTitle, kCaption);
        TextCopy(Settings.CheckGameTitle, p.gameTitle.c_str());
        TextCopy(DestinationDir, p.installPath.c_str());
        UninstallLeftovers(p);
        DeleteFileA(WininitFile().c_str());
        InstallProduct(p);
    }

    void TearDown() override
    {
        UninstallLeftovers(p);
        DeleteFileA(WininitFile().c_str());
    }

    // Runs the removal and answers the boxes it shows, expecting exactly
    // these (caption, text) in this order.
    void RunExpecting(const std::vector<std::pair<std::string, std::string>> &boxes)
    {
        Answered o = RunAnswered([] { RemoveInstallation(); },
                                 [](Robot &robot, const SeenWindow &w) { robot.Press(w, IDOK); });
        EXPECT_TRUE(o.finished);
        std::vector<std::string> want, seen;
        for (auto &[caption, text] : boxes)
            want.push_back("box " + BoxLine(caption, text));
        for (const SeenWindow &w : o.windows)
            seen.push_back(w.kind + " " + BoxLine(w.caption, w.text));
        EXPECT_EQ(want, seen);
    }

    std::string Slot(int slot) { return MessageText(slot); }

    void ExpectKeysGone()
    {
        EXPECT_FALSE(KeyExists(AppPathsKey(p)));
        EXPECT_FALSE(KeyExists(VersionKey(p)));
        EXPECT_FALSE(KeyExists(ProductKey(p)));
        EXPECT_FALSE(KeyExists(UninstallKey(p)));
        EXPECT_TRUE(KeyExists("SOFTWARE\\ORVA"));
    }

    std::vector<std::string> UninstallerEntry()
    {
        return {"nul=" + WindowsDir() + "UNINST.EXE"};
    }

    Product p;
};

KeptMachine *RemoveOldTest::kept;

// Everything goes; only the uninstaller is scheduled, once even when the
// identical entry is already there.
TEST_F(RemoveOldTest, RemovesTheEarlierInstallation)
{
    ASSERT_TRUE(Snapshot(p).groupExists);
    RunExpecting({{kCaption, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    EXPECT_FALSE(GroupExists(p));
    ExpectKeysGone();
    EXPECT_EQ(RenameEntries(), UninstallerEntry());

    InstallProduct(p);
    RunExpecting({{kCaption, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(RenameEntries(), UninstallerEntry());
}

// While the game runs, setup's removal removes nothing either.
TEST_F(RemoveOldTest, NothingIsRemovedWhileTheGameRuns)
{
    HWND game = CreateWindowA("STATIC", p.gameTitle.c_str(), WS_OVERLAPPED, 0, 0, 10, 10,
                              nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(game);
    MachineState before = Snapshot(p);
    RunExpecting({{kCaption, Slot(SLOT_GAME_RUNNING)}});
    DestroyWindow(game);
    EXPECT_TRUE(Snapshot(p) == before) << Describe(Snapshot(p));
}

// The directory deleted by hand is nothing to remove: no message for it.
TEST_F(RemoveOldTest, DirectoryAlreadyDeleted)
{
    RemoveTree("C:\\ORVA");
    RunExpecting({{kCaption, Slot(SLOT_REMOVED)}});
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    ExpectKeysGone();
    EXPECT_EQ(RenameEntries(), UninstallerEntry());
}

// The record goes last: a settings file that cannot be deleted keeps the
// Add/Remove Programs entry and the uninstaller, so the removal can run
// again.
TEST_F(RemoveOldTest, RecordStaysWhenTheSettingsFileCannotGo)
{
    SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY);
    RunExpecting({{kCaption, Slot(SLOT_INI_NOT_DELETED)}, {kCaption, Slot(SLOT_REMOVE_FAILED)}});
    EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(VersionKey(p)));
    EXPECT_TRUE(KeyExists(UninstallKey(p)));
    EXPECT_TRUE(RenameEntries().empty());
}

// An uninstaller name in the record that is not the one this product
// registered (a system file of the Windows directory, a name leaving it)
// schedules nothing; the rest of the removal goes on.
TEST_F(RemoveOldTest, OnlyTheRegisteredUninstallerIsScheduled)
{
    for (const char *name : {"EXPLORER.EXE", "..\\ORVA.INI", "C:\\ORVA.INI", "*.EXE", ". ."}) {
        WritePrivateProfileStringA("UnInstall", "UnInstExe", name, SettingsFile().c_str());
        RunExpecting({{kCaption, Slot(SLOT_REMOVED)}});
        EXPECT_TRUE(RenameEntries().empty()) << name;
        InstallProduct(p);
    }
}

} // namespace
