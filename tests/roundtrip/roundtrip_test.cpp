// Install-to-removal round trips on the sample CD, as a user meets them:
// Q:\Tql.exe installs with the ordinary answers; the product is removed by
// the uninstaller that Add/Remove Programs starts, or by setup itself from
// its welcome dialog; Windows is started again (wineboot -r). Every window
// is read through the UI robot, then the machine is checked: files, INI
// files, registry values as bytes, the shell's Start Menu group and
// WININIT.INI. Each test puts the machine back as it found it.
#include "roundtrip.h"
#include "platform/msglib.h"
#include "platform/msgtexts.h"
#include "tests/support/clean_machine.h"
#include "tests/support/pending.h"
#include "tests/support/wide_value.h"
#include "tests/support/command_line.h"
#include "tests/scenarios/welcome_scenarios.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <filesystem>
#include <fstream>
#include <set>

using namespace roundtrip;
using namespace scenario;

namespace {

const char kUninstall[] = "Uninstall";
const char kNoFile[] = "No uninstaller initialize file was found.";

// The CD's TQL.INI as the build made it, kept in the temporary directory
// while a case edits it (with the message library it names, emptymsg.dll).
// A run killed in between leaves the copy behind, and the next set-up puts
// it back: no case starts from an edited CD.
std::string KeptCdIni()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "tql-cd-ini.kept";
}
void PutBackCdIni()
{
    if (Exists(KeptCdIni()))
        MoveFileExA(KeptCdIni().c_str(), "Q:\\TQL.INI",
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    DeleteFileA("Q:\\emptymsg.dll");
}

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        PutBackCdIni();
        p = TheCdProduct();
        ASSERT_FALSE(p.msgLibrary.empty()) << "no TQL.INI on drive Q:";
        found = MachineGuard::Fingerprint(p, kDirs);
        guard.reset(new MachineGuard(p, kDirs));
    }
    // The machine must be back as the test found it.
    void TearDown() override
    {
        guard.reset();
        EXPECT_EQ(found, MachineGuard::Fingerprint(p, kDirs));
    }

    std::string Slot(int slot) { return SlotText(p.msgLibrary, slot); }

    // The two entries the uninstaller schedules, once each.
    std::vector<std::string> BothScheduled()
    {
        return {"nul=" + WindowsDir() + "UNINST.EXE", "nul=" + WindowsDir() + p.msgLibrary};
    }

    // Everything an installation into dir must have left on the machine;
    // fresh: the first one on this machine (no group before).
    void ExpectInstalled(const std::string &dir, bool fresh = true)
    {
        std::string d = dir;  // with its trailing "\"
        std::string w = WindowsDir();
        EXPECT_EQ(ExpectedTree(p), TreeListing(d)) << "installed tree of " << d;
        EXPECT_EQ(ProductSettingsText(p), ReadWholeFile(d + "ORVA.INI").value_or("(none)"));

        Product recorded = p;
        recorded.installPath = d;
        EXPECT_EQ(SettingsText(recorded), ReadWholeFile(SettingsFile()).value_or("(none)"));

        EXPECT_EQ(Sz(d + p.execFileName), RegValue(AppPathsKey(p), "").value_or("-"));
        EXPECT_EQ(Sz(d), RegValue(AppPathsKey(p), "Path").value_or("-"));
        EXPECT_EQ(Sz(""), RegValue(VersionKey(p), "").value_or("-"));
        EXPECT_EQ(Sz(p.displayName), RegValue(UninstallKey(p), "DisplayName").value_or("-"));
        EXPECT_EQ(Sz(w + "UNINST.EXE " + w + "ORVA.INI"),
                  RegValue(UninstallKey(p), "UninstallString").value_or("-"));

        EXPECT_EQ(ReadWholeFile("Q:\\UNINST.EXE"), ReadWholeFile(w + "UNINST.EXE"));
        EXPECT_EQ(ReadWholeFile("Q:\\" + p.msgLibrary), ReadWholeFile(w + p.msgLibrary));
        EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE,
                  GetFileAttributesA((w + "UNINST.EXE").c_str()) & ~FILE_ATTRIBUTE_NORMAL);

        auto items = GroupItems(p);
        ASSERT_TRUE(items) << "no Start Menu group " << p.groupTitle;
        // The items of the game, the help file and the text file, each
        // added once its file is there (the shell's server adds no item
        // for a file that does not exist).
        std::string game = p.gameTitle + ".lnk";
        std::vector<std::string> all = {game, p.helpTitle + ".lnk", p.textTitle + ".lnk"};
        std::sort(all.begin(), all.end());
        if (fresh)
            EXPECT_EQ(all, *items);
        else
            EXPECT_NE(items->end(), std::find(items->begin(), items->end(), game));
        EXPECT_EQ(0, lstrcmpiA((d + p.execFileName).c_str(),
                               GroupItemTarget(p, game).c_str()))
            << GroupItemTarget(p, game);
        ExpectCodecInstalled();
    }

    // The codec driver, its key and its system.ini entry (they stay when
    // the product is removed).
    void ExpectCodecInstalled()
    {
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        EXPECT_EQ(ReadWholeFile("Q:\\INDEO41\\IR41_32.DLL"),
                  ReadWholeFile(std::string(system) + "\\IR41_32.DLL"));
        const std::string key =
            "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV41";
        EXPECT_EQ(Sz("ir41_32.dll"), RegValue(key, "Driver").value_or("-"));
        // "®" in Unicode, whatever the system's code page.
        EXPECT_EQ(L"Indeo\x00AE video interactive R4.1 by Intel",
                  WideValue(key.c_str(), L"Description"));
        char driver[64] = "";
        GetPrivateProfileStringA("drivers32", "VIDC.IV41", "", driver, sizeof driver,
                                 (WindowsDir() + "system.ini").c_str());
        EXPECT_STREQ("ir41_32.dll", driver);
    }

    // The product is gone: group, tree, settings file, its four keys; the
    // maker's key stays.
    void ExpectRemoved(const std::string &dir)
    {
        EXPECT_FALSE(GroupItems(p)) << "the Start Menu group";
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.c_str())) << dir;
        EXPECT_FALSE(ReadWholeFile(SettingsFile())) << SettingsFile();
        for (const std::string &key : {AppPathsKey(p), VersionKey(p), ProductKey(p),
                                       UninstallKey(p)})
            EXPECT_FALSE(KeyExists(key)) << key;
        EXPECT_TRUE(KeyExists("SOFTWARE\\ORVA"));
    }

    // Confirms the removal in the uninstaller's dialog: slot 28 follows.
    void UninstallConfirmed(const std::string &commandLine = "")
    {
        UninstallerRun u = commandLine.empty() ? UninstallerRun()
                                               : UninstallerRun(commandLine);
        EXPECT_EQ(WindowsDir() + "UNINST.EXE " + SettingsFile(), u.commandLine);
        auto dialog = u.Confirmation(p);
        ASSERT_TRUE(dialog);
        u.Confirm(*dialog);
        u.Box(kUninstall, Slot(SLOT_REMOVED));
        u.Ends();
    }

    const std::vector<std::string> kDirs = {"C:\\HRONE", "C:\\HRTWO", "C:\\HR ONE"};
    pending::Keep keepPending;
    CdProduct p;
    std::string found;
    std::unique_ptr<MachineGuard> guard;
};

// The ordinary round trip: installed with the defaults, removed through
// the Add/Remove Programs entry; a second run before the restart finds no
// settings file; the restart deletes the uninstaller and the message
// library. The codec and the maker's key stay.
TEST_F(RoundTrip, InstallRemoveRestart)
{
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    ExpectInstalled(p.installPath);
    EXPECT_TRUE(RenameEntries().empty());

    std::string commandLine = WindowsDir() + "UNINST.EXE " + SettingsFile();
    UninstallConfirmed();
    ExpectRemoved(p.installPath);
    EXPECT_EQ(BothScheduled(), RenameEntries());
    EXPECT_TRUE(ReadWholeFile(WindowsDir() + "UNINST.EXE"));
    EXPECT_TRUE(ReadWholeFile(WindowsDir() + p.msgLibrary));

    // Started once more before Windows starts again.
    {
        UninstallerRun again(commandLine);
        again.Box(kUninstall, kNoFile);
        again.Ends();
    }
    EXPECT_EQ(BothScheduled(), RenameEntries());

    ASSERT_TRUE(Restart());
    EXPECT_FALSE(ReadWholeFile(WindowsDir() + "UNINST.EXE"));
    EXPECT_FALSE(ReadWholeFile(WindowsDir() + p.msgLibrary));
    EXPECT_TRUE(RenameEntries().empty());
    ExpectCodecInstalled();
    EXPECT_TRUE(KeyExists("SOFTWARE\\ORVA"));
    ExpectRemoved(p.installPath);
}

// The round trip on each family of Windows that Wine can show the
// programs: Windows 98 reads only WININIT.INI, the NT family only the
// system's pending operations. A reinstall before the restart takes the
// two deletions out of both; after a removal the restart deletes both
// files.
class RoundTripOn : public RoundTrip,
                    public ::testing::WithParamInterface<std::string> {};

TEST_P(RoundTripOn, RemovalSchedulesForThisFamilyAndTheRestartDeletes)
{
    pending::WindowsVersion shown(GetParam(), {"Tql.exe", "UNINST.EXE"});
    const std::vector<std::string> both = {WindowsDir() + "UNINST.EXE",
                                           WindowsDir() + p.msgLibrary};
    const bool nt = GetParam() != "win98";
    pending::Write(std::nullopt);
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    UninstallConfirmed();
    ExpectRemoved(p.installPath);
    EXPECT_EQ(BothScheduled(), RenameEntries());
    EXPECT_EQ(nt ? both : std::vector<std::string>(), pending::Deletions());

    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    EXPECT_TRUE(RenameEntries().empty());
    EXPECT_TRUE(pending::Deletions().empty());

    UninstallConfirmed();
    ASSERT_TRUE(Restart());
    EXPECT_FALSE(ReadWholeFile(both[0]));
    EXPECT_FALSE(ReadWholeFile(both[1]));
    EXPECT_TRUE(RenameEntries().empty());
    EXPECT_FALSE(pending::Read());
}

// Windows 98 for the shipping (32-bit) build only: there is no 64-bit
// Windows 98.
INSTANTIATE_TEST_SUITE_P(Windows, RoundTripOn,
                         ::testing::ValuesIn(sizeof(void *) == 4
                                                 ? std::vector<std::string>{"win98", "win10"}
                                                 : std::vector<std::string>{"win10"}));

// Everything the confirmation could change, for a before/after comparison.
struct FullState {
    MachineState machine;
    std::map<std::string, std::string> tree;
    std::optional<std::vector<std::string>> group;
    bool operator==(const FullState &o) const
    {
        return machine == o.machine && tree == o.tree && group == o.group;
    }
};

FullState Take(const CdProduct &p)
{
    return {Snapshot(p), TreeListing(p.installPath), GroupItems(p)};
}

// Cancel, and Esc, in the confirmation leave every file, value, the group
// and WININIT.INI as they were.
TEST_F(RoundTrip, CancelOrEscChangesNothing)
{
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    WriteBytes(WininitFile(), "[rename]\r\nnul=C:\\HRKEEP.TMP\r\n");
    FullState before = Take(p);
    ASSERT_TRUE(before.group);
    ASSERT_FALSE(before.machine.registry.empty());
    for (int way = 0; way < 2; way++) {
        UninstallerRun u;
        auto dialog = u.Confirmation(p);
        ASSERT_TRUE(dialog);
        if (way == 0) {
            ASSERT_TRUE(u.robot.Press(*dialog, IDCANCEL));
        } else {
            HWND cancel = GetDlgItem(dialog->hwnd, IDCANCEL);
            PostMessageA(cancel, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(cancel, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        }
        u.Ends();
        FullState after = Take(p);
        EXPECT_TRUE(after == before) << (way ? "Esc" : "Cancel") << "\n"
                                     << Describe(after.machine);
        EXPECT_EQ(before.tree, after.tree);
    }
}

// Removed, then installed again before Windows starts again: the new
// installation cancels both pending deletions, so after the restart its
// uninstaller still starts.
TEST_F(RoundTrip, ReinstallBeforeRestartKeepsTheUninstaller)
{
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    UninstallConfirmed();
    ASSERT_EQ(BothScheduled(), RenameEntries());

    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    EXPECT_TRUE(RenameEntries().empty());
    ExpectInstalled(p.installPath);

    ASSERT_TRUE(Restart());
    EXPECT_EQ(ReadWholeFile("Q:\\UNINST.EXE"), ReadWholeFile(WindowsDir() + "UNINST.EXE"));
    EXPECT_EQ(ReadWholeFile("Q:\\" + p.msgLibrary),
              ReadWholeFile(WindowsDir() + p.msgLibrary));
    FullState before = Take(p);
    UninstallerRun u;
    auto dialog = u.Confirmation(p);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(u.robot.Press(*dialog, IDCANCEL));
    u.Ends();
    EXPECT_TRUE(Take(p) == before);
}

// Setup started over an installation offers its removal: the welcome
// dialog of an earlier installation, remove, continue. The uninstaller is
// scheduled for deletion, the message library stays.
TEST_F(RoundTrip, SetupRemovesTheEarlierInstallation)
{
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    {
        SetupRun setup(kCd);
        setup.Press(setup.Dialog(TPL_WELCOME_AGAIN), EventButton(EV_REMOVE_OLD));
        setup.Press(setup.Dialog(TPL_REMOVE_OLD), EventButton(EV_CONTINUE));
        setup.Press(setup.Box(p.msgCaption, Slot(SLOT_REMOVED)), IDOK);
        setup.EndsQuietly();
    }
    ExpectRemoved(p.installPath);
    EXPECT_EQ(std::vector<std::string>{"nul=" + WindowsDir() + "UNINST.EXE"},
              RenameEntries());
    EXPECT_EQ(ReadWholeFile("Q:\\" + p.msgLibrary),
              ReadWholeFile(WindowsDir() + p.msgLibrary));
    ExpectCodecInstalled();
}

// Installed into one directory; the same directory typed in other letter
// case keeps it (and what
// the user added there); another directory makes setup remove the earlier
// one before it copies; an earlier directory the user deleted by hand is
// nothing to remove.
TEST_F(RoundTrip, AnotherDestinationRemovesTheEarlierDirectory)
{
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA", "C:\\HRONE"));
    ExpectInstalled("C:\\HRONE\\");
    WriteBytes("C:\\HRONE\\SAVED.DAT", "the user's own file");

    ASSERT_TRUE(Install(TPL_WELCOME_AGAIN, "C:\\HRONE", "c:\\hrone"));
    EXPECT_EQ(ReadWholeFile("C:\\HRONE\\SAVED.DAT").value_or("(gone)"),
              "the user's own file");

    ASSERT_TRUE(Install(TPL_WELCOME_AGAIN, "c:\\hrone", "C:\\HRTWO"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\HRONE"));
    ExpectInstalled("C:\\HRTWO\\", false);

    RemoveTree("C:\\HRTWO");
    ASSERT_TRUE(Install(TPL_WELCOME_AGAIN, "C:\\HRTWO", "C:\\HRONE"));
    ExpectInstalled("C:\\HRONE\\", false);
}

// A damaged settings file naming a drive root or the Program Files folder:
// neither the uninstaller nor setup's removal touches that folder; every
// other step runs and the final message tells of the failure.
TEST_F(RoundTrip, ProtectedInstallPathIsNeverRemoved)
{
    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    std::vector<SavedKey> keys;
    for (const std::string &key : {AppPathsKey(p), ProductKey(p), UninstallKey(p)})
        keys.emplace_back(key);
    std::string settings = ReadWholeFile(SettingsFile()).value_or("");
    char programFiles[MAX_PATH] = "";
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr,
                                     SHGFP_TYPE_CURRENT, programFiles));
    std::string pf = std::string(programFiles) + "\\";
    std::map<std::string, std::string> installed = TreeListing(p.installPath);
    std::map<std::string, std::string> pfTree = TreeListing(pf);
    ASSERT_FALSE(pfTree.empty());

    // The installation as it was, with InstallPath damaged to path.
    auto damage = [&](const std::string &path) {
        for (auto &k : keys)
            k.Restore();
        std::string text = settings;
        size_t at = text.find("InstallPath=" + p.installPath);
        text.replace(at + 12, p.installPath.size(), path);
        WriteBytes(SettingsFile(), text);
        DeleteFileA(WininitFile().c_str());
    };
    auto refusal = [](const std::string &path) {
        return "Remove Directory refused: \"" + path +
               "\"\nA drive, a Windows folder, a user folder or a folder holding one "
               "is never removed.";
    };
    auto expectUntouched = [&](const std::string &path) {
        EXPECT_EQ(installed, TreeListing(p.installPath)) << path;
        EXPECT_EQ(pfTree, TreeListing(pf)) << path;
        EXPECT_TRUE(ReadWholeFile(WindowsDir() + "system.ini")) << path;
        EXPECT_FALSE(ReadWholeFile(SettingsFile())) << path;
        for (const std::string &key : {VersionKey(p), ProductKey(p), UninstallKey(p)})
            EXPECT_FALSE(KeyExists(key)) << key;
        // It names the program in the real folder, not in the damaged one.
        EXPECT_TRUE(KeyExists(AppPathsKey(p)));
    };

    for (const std::string &path : {std::string("C:\\"), pf, std::string("C:\\Program Files")}) {
        damage(path);
        UninstallerRun u;
        auto dialog = u.Confirmation(p);
        ASSERT_TRUE(dialog);
        u.Confirm(*dialog);
        u.Box("Setup", refusal(path));
        u.Box(kUninstall, Slot(SLOT_REMOVE_FAILED));
        u.Ends();
        expectUntouched(path);
        EXPECT_EQ(BothScheduled(), RenameEntries()) << path;
    }

    // The same recorded for setup, removed from its welcome dialog.
    damage(pf);
    {
        SetupRun setup(kCd);
        setup.Press(setup.Dialog(TPL_WELCOME_AGAIN), EventButton(EV_REMOVE_OLD));
        setup.Press(setup.Dialog(TPL_REMOVE_OLD), EventButton(EV_CONTINUE));
        setup.Press(setup.Box("Setup", refusal(pf)), IDOK);
        setup.Press(setup.Box(p.msgCaption, Slot(SLOT_REMOVE_FAILED)), IDOK);
        setup.EndsQuietly();
    }
    expectUntouched(pf);
    EXPECT_EQ(std::vector<std::string>{"nul=" + WindowsDir() + "UNINST.EXE"},
              RenameEntries());
}

// An install script's run, its arguments quoted as a scripting language's
// process library quotes a list: "/S" installs into /D= without a window
// and with exit code 0, leaving what a person's default run leaves;
// "UNINST.EXE /S" removes it without a window; the restart deletes the
// last two files. The log holds a line per step and per message, appended.
TEST_F(RoundTrip, UnattendedInstallAndRemoval)
{
    const std::string log = "C:\\HR ONE.LOG";
    WriteBytes(log, "earlier\r\n");
    {
        SetupRun setup(kCd, ListToLine({"/S", "/D=C:\\HR ONE", "/LOG=" + log}));
        setup.EndsQuietly(0, 180000);
    }
    ExpectInstalled("C:\\HR ONE\\");
    UninstallerRun(WindowsDir() + "UNINST.EXE " +
                   ListToLine({"/S", "/LOG=" + log, SettingsFile()}))
        .Ends();
    ExpectRemoved("C:\\HR ONE\\");
    EXPECT_EQ(BothScheduled(), RenameEntries());
    EXPECT_EQ("earlier\r\n"
              "Tql.exe: unattended installation\r\n"
              "Tql.exe: start-up\r\n"
              "Tql.exe: destination\r\n"
              "Tql.exe: C:\\HR ONE\r\n"
              "Tql.exe: the destination folder is created\r\n"
              "Tql.exe: copying the product's files\r\n"
              "Tql.exe: registering the uninstaller\r\n"
              "Tql.exe: DirectX\r\n"
              "Tql.exe: video codec\r\n"
              "Tql.exe: settings file, documents and program items\r\n"
              "Tql.exe: installed\r\n"
              "Tql.exe: exit code 0\r\n"
              "UNINST.EXE: unattended removal\r\n"
              "UNINST.EXE: [Uninstall] " + Slot(SLOT_REMOVED) + "\r\n"
              "UNINST.EXE: removed\r\n",
              ReadWholeFile(log).value_or("(none)"));
    DeleteFileA(log.c_str());
    ASSERT_TRUE(Restart());
    EXPECT_FALSE(ReadWholeFile(WindowsDir() + "UNINST.EXE"));
    EXPECT_FALSE(ReadWholeFile(WindowsDir() + p.msgLibrary));
}

// Reinstalled over from a CD of a later version into the same folder, the
// product's removal takes the version keys of both and the product key;
// another product's key below the maker's key stays.
TEST_F(RoundTrip, ReinstalledFromALaterVersionLeavesNoVersionKey)
{
    const std::string other = "SOFTWARE\\ORVA\\TQL OTHER GAME\\3.0";
    SetString(other, "Keep", "the other product's");
    for (const char *version : {"", "2.6"}) {
        if (version[0]) {
            CopyFileA("Q:\\TQL.INI", KeptCdIni().c_str(), FALSE);
            WritePrivateProfileStringA("Option", "ProductVersion", version, "Q:\\TQL.INI");
        }
        SetupRun setup(kCd, "/S /D=C:\\ORVA");
        setup.EndsQuietly(0, 180000);
    }
    PutBackCdIni();
    ASSERT_TRUE(KeyExists(VersionKey(p)));
    ASSERT_TRUE(KeyExists(ProductKey(p) + "\\2.6"));
    UninstallerRun(WindowsDir() + "UNINST.EXE /S " + SettingsFile()).Ends();
    ExpectRemoved(p.installPath);
    EXPECT_FALSE(KeyExists(ProductKey(p)));
    EXPECT_EQ(RegValue(other, "Keep"), Sz("the other product's"));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, other.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ORVA\\TQL OTHER GAME");
}

// What would have stopped a person ends an unattended run with its code and
// the reason in the log, before anything is installed.
TEST_F(RoundTrip, UnattendedRefusalsEndWithTheirCode)
{
    char title[64];
    GetPrivateProfileStringA(p.language.c_str(), "MainDlgBoxTitle", "", title,
                             sizeof title, "Q:\\TQL.INI");
    struct Case {
        std::string args, lastLines;
        int code;
    };
    const Case cases[] = {
        {"/S /D=C:\\", "the destination is the root of a drive", 4},
        {"/S /D=Q:\\GAME", "the destination is the source folder", 4},
        {"/S /D=C:\\HRONE\\keep.txt", "the destination is a file", 4},
        {"/S /D=C:\\HRTWO", "[" + p.msgCaption + "] ", 4},  // holds files
        {"/S /MACHINE=4", "the command line is not understood:", 1},
        // The same options, quoted or not, with "-" or "/".
        {"\"/S\" \"/D=Q:\\GAME\"", "the destination is the source folder", 4},
        {"-s /D=\"C:\\HRONE\\keep.txt\"", "the destination is a file", 4},
        {"/S -D=C:\\", "the destination is the root of a drive", 4},
        {"/S", "setup or the product is running already", 3},
    };
    CreateDirectoryA("C:\\HRONE", nullptr);
    WriteBytes("C:\\HRONE\\keep.txt", "keep");
    CreateDirectoryA("C:\\HRTWO", nullptr);
    WriteBytes("C:\\HRTWO\\mine.txt", "mine");
    const std::string log = "C:\\HRTWO.LOG";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        DeleteFileA(log.c_str());
        // The last case finds the frame of another setup.
        HWND other = c.code == 3 ? CreateWindowA("STATIC", title, 0, 0, 0, 0, 0,
                                                 nullptr, nullptr, nullptr, nullptr)
                                 : nullptr;
        {
            SetupRun setup(kCd, c.args + " /LOG=" + log);
            setup.EndsQuietly(c.code, 60000);
        }
        if (other)
            DestroyWindow(other);
        std::string text = ReadWholeFile(log).value_or("");
        EXPECT_NE(std::string::npos, text.find("Tql.exe: " + c.lastLines)) << text;
        EXPECT_NE(std::string::npos,
                  text.find("Tql.exe: exit code " + std::to_string(c.code) + "\r\n"))
            << text;
        EXPECT_FALSE(ReadWholeFile(SettingsFile()));
        EXPECT_FALSE(KeyExists(UninstallKey(p)));
    }
    EXPECT_EQ("keep", ReadWholeFile("C:\\HRONE\\keep.txt").value_or(""));
    EXPECT_EQ("mine", ReadWholeFile("C:\\HRTWO\\mine.txt").value_or(""));
    DeleteFileA(log.c_str());
}

// Tql.exe /S into C:\HRONE with a log of its own, ending with `code`: the
// log's text.
static std::string UnattendedLog(int code)
{
    const std::string log = "C:\\HRONE.LOG";
    DeleteFileA(log.c_str());
    SetupRun(kCd, "/S /D=C:\\HRONE /LOG=" + log).EndsQuietly(code, 180000);
    std::string text = ReadWholeFile(log).value_or("");
    DeleteFileA(log.c_str());
    return text;
}

// A program item the shell does not make (a file in the way of the group's
// folder) ends an unattended run with 9 once the other steps are done, and
// the log says which items are missing; the installation is otherwise
// there, and a person's run would have gone on.
TEST_F(RoundTrip, UnattendedRunEndsWith9WhenAnItemIsNotMade)
{
    wchar_t programs[MAX_PATH] = L"", title[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    MultiByteToWideChar(CP_ACP, 0, p.groupTitle.c_str(), -1, title, MAX_PATH);
    std::wstring blocker = std::wstring(programs) + L"\\" + title;
    HANDLE h = CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    std::string text = UnattendedLog(9);
    DeleteFileW(blocker.c_str());
    EXPECT_NE(std::string::npos,
              text.find("Tql.exe: settings file, documents and program items\r\n"
                        "Tql.exe: the program item \"" + p.gameTitle +
                        "\" was not made in the group \"" + p.groupTitle + "\"\r\n"))
        << text;
    const std::string end = "Tql.exe: setup failed\r\nTql.exe: exit code 9\r\n";
    EXPECT_EQ(end, text.substr(text.size() - std::min(text.size(), end.size()))) << text;
    EXPECT_EQ(Sz(WindowsDir() + "UNINST.EXE " + SettingsFile()),
              RegValue(UninstallKey(p), "UninstallString").value_or("-"));
}

// A folder of the product settings file's name in the product's tree:
// the file, which proves the folder the product's, is there before the
// copy, which stops at that folder (exit code 5); nothing is registered.
TEST_F(RoundTrip, FolderOfTheProductSettingsNameStopsTheCopy)
{
    const std::string inTree = "Q:\\GAME\\" + std::string("ORVA.INI");
    ASSERT_TRUE(CreateDirectoryA(inTree.c_str(), nullptr));
    std::string text = UnattendedLog(5);
    RemoveDirectoryA(inTree.c_str());
    EXPECT_NE(std::string::npos,
              text.find("Tql.exe: [Copy] " + Slot(SLOT_TREE_DIR_IS_FILE) + "\r\n"))
        << text;
    EXPECT_EQ(ProductSettingsText(p), ReadBytes("C:\\HRONE\\ORVA.INI"));
    EXPECT_FALSE(KeyExists(UninstallKey(p)));
}

// A message library of another make that leaves every slot of the table
// empty (but has our dialogs): both programs run to their end, in a
// person's run and in an unattended one, and show the built-in texts.
TEST_F(RoundTrip, ALibraryWithEmptySlotsLeavesTheBuiltInTexts)
{
    struct EmptyLibraryOnCd {
        EmptyLibraryOnCd(const std::string &language)
        {
            CopyFileA("Q:\\TQL.INI", KeptCdIni().c_str(), FALSE);
            char exe[MAX_PATH];
            GetModuleFileNameA(nullptr, exe, MAX_PATH);
            std::string dir(exe);
            dir.resize(dir.rfind('\\') + 1);
            CopyFileA((dir + "emptymsg.dll").c_str(), "Q:\\emptymsg.dll", FALSE);
            WritePrivateProfileStringA(language.c_str(), "LoadMsgModule", "emptymsg.dll",
                                       "Q:\\TQL.INI");
        }
        ~EmptyLibraryOnCd()
        {
            PutBackCdIni();
            DeleteFileA((WindowsDir() + "emptymsg.dll").c_str());
        }
    } onCd(p.language);
    const MessageSlotText *texts = p.japanese ? RemovalTextsJa : RemovalTextsEn;
    std::string removed;
    for (int i = 0; i < SLOT_COUNT(RemovalTextsEn); i++)
        if (texts[i].slot == SLOT_REMOVED)
            removed = texts[i].text;

    ASSERT_TRUE(Install(TPL_WELCOME, "C:\\ORVA"));
    {
        UninstallerRun u;
        auto dialog = u.Confirmation(p);
        ASSERT_TRUE(dialog);
        u.Confirm(*dialog);
        u.Box(kUninstall, removed);
        u.Ends();
    }
    ExpectRemoved(p.installPath);

    const std::string log = "C:\\HRONE.LOG";
    DeleteFileA(log.c_str());
    {
        SetupRun setup(kCd, "/S /D=C:\\HRONE /LOG=" + log);
        setup.EndsQuietly(0, 180000);
    }
    // Options with "-" and quoted values, the settings path quoted too.
    UninstallerRun(WindowsDir() + "UNINST.EXE -s -LOG=\"" + log + "\" \"" + SettingsFile() +
                   "\"")
        .Ends();
    ExpectRemoved("C:\\HRONE\\");
    std::string text = ReadWholeFile(log).value_or("");
    DeleteFileA(log.c_str());
    EXPECT_NE(std::string::npos, text.find("Tql.exe: exit code 0\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("UNINST.EXE: [Uninstall] " + removed + "\r\n"
                                           "UNINST.EXE: removed\r\n"))
        << text;
}

// "/?" shows each program's usage.
TEST_F(RoundTrip, UsageOfBothPrograms)
{
    SetupRun setup(kCd, "/?");
    setup.Press(setup.Box("Setup",
                          "Usage: Tql.exe [/S [/D=<destination>] [/MINIMAL] "
                          "[/MACHINE=1|2|3] [/LOG=<file>]]\n"
                          "/S installs without asking: the proposed destination "
                          "(or /D=), a full installation (or /MINIMAL), machine "
                          "type 1 (or /MACHINE=), no restart. The exit code tells "
                          "the stage that failed; /LOG= appends what was done and "
                          "every message to a file."),
                IDOK);
    setup.EndsQuietly();
    UninstallerRun u("Q:\\UNINST.EXE /?");
    u.Box(kUninstall, "Usage: UNINST.EXE [/S] [/LOG=<file>] <settings file>\n"
                      "/S removes the product without asking and without a "
                      "message box; the exit code is 0 when every step "
                      "succeeded, 1 when a step failed, 2 when the removal "
                      "could not start and 3 when the game is running "
                      "(nothing removed). /LOG= appends what was done and "
                      "every message to a file.");
    u.Ends();
}


// ---- a CD whose product tree holds Japanese names (Joliet carries them as
// Unicode), installed and removed on this system, whatever its language.

// The names below a directory, "\"-joined relative wide paths, with the
// size of each file ("" for a directory).
std::map<std::wstring, std::wstring> WideTree(const std::wstring &dir)
{
    std::map<std::wstring, std::wstring> out;
    std::error_code ec;
    for (auto &e : std::filesystem::recursive_directory_iterator(dir, ec))
        out[e.path().wstring().substr(dir.size() + 1)] =
            e.is_directory() ? L"" : std::to_wstring(e.file_size());
    return out;
}

class JapaneseNames : public RoundTrip {
protected:
    static constexpr const wchar_t *kVoice = L"\x30DC\x30A4\x30B9";  // ボイス
    static constexpr const wchar_t *kSave = L"\x30BB\x30FC\x30D6.DAT";  // セーブ.DAT
    void SetUp() override
    {
        RoundTrip::SetUp();
        tree = std::wstring(cd.path().begin(), cd.path().end()) + L"\\TREE";
        std::filesystem::create_directories(tree + L"\\" + kVoice);
        // Enough files for the progress window to be read while it shows
        // them: 声001.WAV ... 声300.WAV.
        for (int i = 1; i <= 300; i++) {
            wchar_t name[32];
            swprintf(name, 32, L"\\\x58F0%03d.WAV", i);
            std::ofstream(std::filesystem::path(tree + L"\\" + kVoice + name)) << std::string(i, 'v');
        }
        std::ofstream(std::filesystem::path(tree + L"\\" + kSave)) << "save";
        std::ofstream(std::filesystem::path(tree + L"\\ORVA.EXE")) << "game";
        for (const char *file : {"TQL.INF", "UNINST.EXE", "msg.dll", "msgeng.dll"})
            cd.Copy(std::string("Q:\\") + file, file);
        cd.Write("TQL.INI", CdIniWith({{"option", "SourcePath1", cd.path() + "\\TREE"},
                                       {"option", "SourcePath2", "None"},
                                       {"option", "DocPath", "Q:\\DOCS"},
                                       {"RunTime", "DirectX", "None"},
                                       {"RunTime", "Indeo41", "None"}}));
    }
    // The tree is installed in C:\HRONE with every name as the CD has it.
    void ExpectTreeInstalled()
    {
        auto installed = WideTree(L"C:\\HRONE");
        for (auto &[name, size] : WideTree(tree))
            EXPECT_EQ(size, installed[name]) << std::string(name.begin(), name.end());
    }
    // The product settings file and the uninstaller's removal by the
    // Add/Remove Programs entry's command line (with /S when quiet).
    void RemoveUnattended()
    {
        UninstallerRun(WindowsDir() + "UNINST.EXE /S " + SettingsFile()).Ends();
        ExpectRemoved("C:\\HRONE\\");
    }
    StartupDir cd;
    std::wstring tree;
};

// A person's run: the progress window shows each Japanese path as it is
// (its wide text), the tree arrives whole and the uninstaller that
// Add/Remove Programs starts removes all of it.
TEST_F(JapaneseNames, PersonSeesTheNamesAndTheRemovalTakesThemAll)
{
    std::set<std::wstring> shown;
    {
        SetupRun setup(cd.path());
        setup.Press(setup.Dialog(TPL_WELCOME), EventButton(EV_GO_ON));
        SeenWindow dest = setup.Dialog(TPL_DESTINATION);
        setup.robot.SetText(dest, IDC_DEST_EDIT, "C:\\HRONE");
        setup.Press(dest, EventButton(EV_CONTINUE));
        SeenWindow notice = setup.Dialog(TPL_NOTICE_CREATE);
        setup.Press(notice, EventButton(EV_CONTINUE));
        auto progress = setup.robot.Next(30000);
        ASSERT_TRUE(progress && GetDlgItem(progress->hwnd, IDC_PROGRESS_SOURCE))
            << Transcript(setup);
        // The texts as drawn, until the window goes.
        for (HWND w = progress->hwnd; IsWindow(w); Sleep(5)) {
            for (int id : {IDC_PROGRESS_SOURCE, IDC_PROGRESS_DEST}) {
                wchar_t text[MAX_PATH] = L"";
                InternalGetWindowText(GetDlgItem(w, id), text, MAX_PATH);
                shown.insert(text);
            }
        }
        SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);
        ASSERT_EQ((UINT)TPL_ENDING, ending.templ) << Transcript(setup);
        setup.Press(ending, EventButton(EV_EXIT));
        setup.EndsQuietly();
    }
    std::wstring voice = std::wstring(L"\\") + kVoice + L"\\\x58F0";
    int sources = 0, dests = 0;
    for (const std::wstring &text : shown) {
        sources += text.rfind(tree + voice, 0) == 0;
        dests += text.rfind(L"C:\\HRONE" + voice, 0) == 0;
    }
    EXPECT_GT(sources, 0);
    EXPECT_GT(dests, 0);
    ExpectTreeInstalled();
    UninstallConfirmed();
    ExpectRemoved("C:\\HRONE\\");
}

// An install script's run installs and removes the same; Windows 95/98
// (shown by Wine), which lack the wide functions, keep the byte-string
// path: the system's code page decides, so only a Japanese system can
// install the CD there, and any other ends with the copy's exit code.
TEST_F(JapaneseNames, UnattendedOnEveryFamily)
{
    SetupRun(cd.path(), "/S /D=C:\\HRONE").EndsQuietly(0, 120000);
    ExpectTreeInstalled();
    RemoveUnattended();

    pending::WindowsVersion shown("win95", {"Tql.exe", "UNINST.EXE"});
    SetupRun(cd.path(), "/S /D=C:\\HRONE").EndsQuietly(p.japanese ? 0 : 5, 120000);
    if (!p.japanese) {
        EXPECT_FALSE(std::filesystem::exists(std::wstring(L"C:\\HRONE\\") + kSave));
        return;  // nothing was registered; the guard puts the folder back
    }
    ExpectTreeInstalled();
    RemoveUnattended();
}

} // namespace
