// UNINST.EXE under Wine, started as Add/Remove Programs starts it
// ("C:\windows\UNINST.EXE C:\windows\ORVA.INI"), over an installation made
// as setup makes it; every window answered through the UI robot.
#include <shlobj.h>
#include "installed.h"
#include "tests/robot/robot.h"
#include "platform/msglib.h"
#include "platform/templates.h"

#include <gtest/gtest.h>

namespace {

const char kUninstall[] = "Uninstall";
const char kNoFile[] = "No uninstaller initialize file was found.";

class UninstTest : public ::testing::Test {
protected:
    static KeptMachine *kept;

    static void SetUpTestSuite()
    {
        std::string w = WindowsDir();
        kept = new KeptMachine({"UNINST.EXE", "ORVAUN.EXE", "msg.dll", "msgeng.dll",
                                "ORVA.INI", "WININIT.INI"});
        std::string lib = TestProduct().msgLibrary;
        CopyFileA("Q:\\UNINST.EXE", (w + "UNINST.EXE").c_str(), FALSE);
        CopyFileA(("Q:\\" + lib).c_str(), (w + lib).c_str(), FALSE);
        for (const char *name : {"UNINST.EXE", lib.c_str()})
            SetFileAttributesA((w + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    static void TearDownTestSuite() { delete kept; }

    void SetUp() override
    {
        p = TestProduct();
        ASSERT_NE(GetFileAttributesA((WindowsDir() + "UNINST.EXE").c_str()),
                  INVALID_FILE_ATTRIBUTES) << "UNINST.EXE not on the CD image";
        UninstallLeftovers(p);
        DeleteFileA(WininitFile().c_str());
        InstallProduct(p);
    }

    void TearDown() override
    {
        running.Kill();
        for (auto &l : locks)
            CloseHandle(l);
        UninstallLeftovers(p);
        DeleteFileA(WininitFile().c_str());
    }

    // Starts the uninstaller with exactly this command line, from the
    // Windows directory, as Add/Remove Programs does.
    void Run(const std::string &commandLine)
    {
        running.Kill();
        running = Start(commandLine, WindowsDir());
        ASSERT_TRUE(running.process) << commandLine;
    }

    // The Add/Remove Programs command line for a settings file.
    void RunFor(const std::string &settings)
    {
        Run(WindowsDir() + "UNINST.EXE " + settings);
    }

    // Expects a message box with this caption and text, answers it with OK.
    // "Uninstall" boxes are system modal (topmost), "Delete" boxes not.
    void ExpectBox(const std::string &caption, const std::string &text)
    {
        auto w = robot.Next(20000);
        ASSERT_TRUE(w) << "no window; expected box \"" << caption << "\": " << text;
        EXPECT_EQ(w->kind, "box");
        EXPECT_EQ(w->caption, caption);
        EXPECT_EQ(w->text, text);
        EXPECT_EQ(w->pid, running.pid);
        bool topmost = GetWindowLongA(w->hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
        EXPECT_EQ(topmost, caption == kUninstall) << caption;
        EXPECT_TRUE(robot.Press(*w, IDOK));
    }

    // Expects the program to end with exit code 0 without another window.
    void ExpectEnd()
    {
        EXPECT_EQ(running.Wait(20000), 0);
        auto w = robot.Next(200);
        EXPECT_FALSE(w) << Describe(*w);
    }

    // Expects the confirmation dialog with the settings' title and texts,
    // centred on the desktop, Cancel focused; returns its window.
    HWND ExpectConfirmation(const std::string &title, const std::string &msg0,
                            const std::string &msg1, const std::string &msg2)
    {
        auto w = robot.Next(20000);
        EXPECT_TRUE(w) << "no confirmation dialog";
        if (!w)
            return nullptr;
        EXPECT_EQ(w->kind, "window") << Describe(*w);
        EXPECT_EQ(w->caption, title);
        EXPECT_EQ(Robot::ControlText(w->hwnd, IDC_UNINST_MSG0), msg0);
        EXPECT_EQ(Robot::ControlText(w->hwnd, IDC_UNINST_MSG1), msg1);
        EXPECT_EQ(Robot::ControlText(w->hwnd, IDC_UNINST_MSG2), msg2);
        EXPECT_TRUE(GetDlgItem(w->hwnd, IDOK));

        RECT desk, own;
        GetWindowRect(GetDesktopWindow(), &desk);
        GetWindowRect(w->hwnd, &own);
        int width = own.right - own.left, height = own.bottom - own.top;
        EXPECT_EQ(own.left, ((desk.right - desk.left) - width) / 2);
        EXPECT_EQ(own.top, ((desk.bottom - desk.top) - height) / 2);

        // The focus shows once the dialog has been activated.
        HWND cancel = GetDlgItem(w->hwnd, IDCANCEL), focus = nullptr;
        for (DWORD until = GetTickCount() + 15000; (LONG)(GetTickCount() - until) < 0;) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(w->hwnd, nullptr), &info);
            focus = info.hwndFocus;
            if (focus == cancel)
                break;
            Sleep(20);
        }
        EXPECT_EQ(focus, cancel);
        return w->hwnd;
    }

    HWND ExpectConfirmation()
    {
        return ExpectConfirmation(p.winTitle, p.msg0, p.msg1, p.msg2);
    }

    void Confirm(HWND dialog)
    {
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }

    std::string Slot(int slot) { return SlotText(p.msgLibrary, slot); }

    // The unattended removal of the settings file's product; its exit code.
    int RunUnattended()
    {
        Run(WindowsDir() + "UNINST.EXE /S " + SettingsFile());
        return running.Wait(20000);
    }

    // Runs the uninstaller (for the settings file, or with commandLine from
    // dir), confirms, and expects these (caption, text) boxes in order.
    void RemoveExpecting(const std::vector<std::pair<std::string, std::string>> &boxes,
                         const std::string &commandLine = "", const std::string &dir = "")
    {
        running.Kill();
        running = Start(commandLine.empty() ? WindowsDir() + "UNINST.EXE " + SettingsFile()
                                            : commandLine,
                        dir.empty() ? WindowsDir() : dir);
        ASSERT_TRUE(running.process);
        HWND dialog = ExpectConfirmation();
        ASSERT_TRUE(dialog);
        Confirm(dialog);
        for (auto &[caption, text] : boxes)
            ExpectBox(caption, text);
        ExpectEnd();
    }

    // The message naming a folder left because it is not proven the
    // product's.
    std::string NotOwned(const std::string &dir) { return Slot(SLOT_NOT_OWNED) + "\n" + dir; }

    std::vector<std::string> Scheduled(const std::string &exe)
    {
        return {"nul=" + WindowsDir() + exe, "nul=" + WindowsDir() + p.msgLibrary};
    }

    void ExpectKeys(bool app, bool version, bool product, bool uninstall)
    {
        EXPECT_EQ(KeyExists(AppPathsKey(p)), app);
        EXPECT_EQ(KeyExists(VersionKey(p)), version);
        EXPECT_EQ(KeyExists(ProductKey(p)), product);
        EXPECT_EQ(KeyExists(UninstallKey(p)), uninstall);
        EXPECT_TRUE(KeyExists("SOFTWARE\\ORVA"));
    }

    // Runs with a command line that must end in one message and change
    // nothing at all.
    void ExpectRefusal(const std::string &commandLine, const std::string &message)
    {
        MachineState before = Snapshot(p);
        Run(commandLine);
        ExpectBox(kUninstall, message);
        ExpectEnd();
        MachineState after = Snapshot(p);
        EXPECT_TRUE(after == before) << commandLine << "\n" << Describe(after);
    }

    void ExpectRefusalOf(const std::string &settingsText, const std::string &message)
    {
        WriteBytes(SettingsFile(), settingsText);
        ExpectRefusal(WindowsDir() + "UNINST.EXE " + SettingsFile(), message);
    }

    // The settings file with one key changed (nullopt: left out), and the
    // one message that refuses it.
    struct SettingRefusal {
        const char *key;
        std::optional<std::string> value;
        const char *message;
    };
    void ExpectRefusals(std::initializer_list<SettingRefusal> refusals)
    {
        for (const SettingRefusal &r : refusals) {
            SCOPED_TRACE(std::string(r.key) + "=" + r.value.value_or("(left out)"));
            ExpectRefusalOf(SettingsText(p, {{r.key, r.value}}), r.message);
        }
    }

    Product p;
    Robot robot;
    Launched running;
    std::vector<HANDLE> locks;
};

KeptMachine *UninstTest::kept;

// OK removes group, tree, keys and settings file; the uninstaller and the
// message library are scheduled; a second run finds no settings file.
TEST_F(UninstTest, ConfirmRemovesTheInstallation)
{
    MachineState before = Snapshot(p);
    ASSERT_TRUE(before.groupExists);
    ASSERT_EQ(before.tree.size(), 9u) << Describe(before);

    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});

    EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    EXPECT_FALSE(GroupExists(p));
    ExpectKeys(false, false, false, false);
    EXPECT_EQ(RenameEntries(), Scheduled("UNINST.EXE"));
    // Both stay until Windows starts again.
    EXPECT_TRUE(ReadWholeFile(WindowsDir() + "UNINST.EXE"));
    EXPECT_TRUE(ReadWholeFile(WindowsDir() + p.msgLibrary));

    auto wininit = ReadWholeFile(WininitFile());
    RunFor(SettingsFile());
    ExpectBox(kUninstall, kNoFile);
    ExpectEnd();
    EXPECT_EQ(ReadWholeFile(WininitFile()), wininit);
}

// Cancel, Esc and the close box leave files, keys, group and WININIT.INI
// exactly as they were.
TEST_F(UninstTest, CancelEscAndCloseChangeNothing)
{
    WriteBytes(WininitFile(), "[rename]\r\nnul=C:\\windows\\OTHER.TMP\r\n");
    MachineState before = Snapshot(p);
    for (int way = 0; way < 3; way++) {
        RunFor(SettingsFile());
        HWND dialog = ExpectConfirmation();
        ASSERT_TRUE(dialog);
        if (way == 0) {
            PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        } else if (way == 1) {
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            PostMessageA(cancel, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(cancel, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        } else {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ExpectEnd();
        MachineState after = Snapshot(p);
        EXPECT_TRUE(after == before) << "way " << way << "\n" << Describe(after);
    }
}

// Started by hand, or with a path too long for its buffer, the uninstaller
// says so and touches nothing; a 259-character path is still taken.
TEST_F(UninstTest, CommandLineWithoutUsableSettingsPath)
{
    std::string exe = WindowsDir() + "UNINST.EXE";
    ExpectRefusal(exe, "Execute form [Add/Remove Programs].");
    ExpectRefusal("\"" + exe + "\" \t ", "Execute form [Add/Remove Programs].");

    std::string longPath = "C:\\" + std::string(256, 'x');  // 259 characters
    ExpectRefusal(exe + " " + longPath, kNoFile);
    ExpectRefusal(exe + " " + longPath + "y",
                  "The uninstaller settings file path is longer than 259 characters.");
    ExpectRefusal(exe + " " + SettingsFile() + std::string(300, ' ') + "x",
                  "The uninstaller settings file path is longer than 259 characters.");
}

// The settings path is all that follows the program name and its blanks,
// whether the name is quoted or not; quotes in the path are kept.
TEST_F(UninstTest, CommandLineForms)
{
    std::string exe = WindowsDir() + "UNINST.EXE";
    for (const std::string &line :
         {"\"" + exe + "\"" + SettingsFile(), "\"" + exe + "\" \t  " + SettingsFile(),
          exe + "\t" + SettingsFile()}) {
        Run(line);
        HWND dialog = ExpectConfirmation();
        ASSERT_TRUE(dialog) << line;
        PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        ExpectEnd();
    }
    // Taken unchanged: a quoted path names no file.
    ExpectRefusal(exe + " \"" + SettingsFile() + "\"", kNoFile);
    ExpectRefusal(exe + " " + SettingsFile() + " extra", kNoFile);
}

// Each required value that is missing (or "None" in any letter case) ends
// the run with its own message before anything is touched.
TEST_F(UninstTest, MissingSettingsEndTheRun)
{
    ExpectRefusal(WindowsDir() + "UNINST.EXE " + WindowsDir() + "NOSUCH.INI", kNoFile);
    ExpectRefusalOf("", "Can't Get Install Path faild.");
    ExpectRefusalOf("[Directory]\r\nInstallPath=C:\\ORVA\\\r\n",
                    "UninstWinTitle Load faild.");
    ExpectRefusals({
        {"InstallPath", "none", "Can't Get Install Path faild."},
        {"UninstWinTitle", std::nullopt, "UninstWinTitle Load faild."},
        {"UninstallMsg0", std::nullopt, "UninstallMsg0 Load faild."},
        {"UninstallMsg1", "None", "UninstallMsg1 Load faild."},
        {"UninstallMsg2", std::nullopt, "UninstallMsg2 Load faild."},
        {"LoadMsgModule", std::nullopt, "Message resource template Load faild."},
        {"GroupTitle", "NONE", "GroupTitle Load faild."},
        {"GroupTitle", std::nullopt, "GroupTitle Load faild."},
    });
}

// A message library that is not there, or has no MsgSetup, ends the run.
TEST_F(UninstTest, MessageLibraryProblemsEndTheRun)
{
    ExpectRefusals({
        {"LoadMsgModule", "nomsg.dll", "Can't load Msg Library"},
        {"LoadMsgModule", "version.dll", "Can't GetProcAddress() for Msg.DLL MsgSetup()"},
    });
}

// Long texts are cut to their capacity minus one, as the profile reader
// does; they reach the dialog cut.
TEST_F(UninstTest, LongTextsAreCut)
{
    std::string msg1(200, 'b'), msg0(20, 'a'), msg2(20, 'c'), title(40, 't');
    for (int i = 0; i < 200; i++)
        msg1[i] = "0123456789"[i % 10];
    WriteBytes(SettingsFile(),
                   SettingsText(p, {{"UninstallMsg0", msg0}, {"UninstallMsg1", msg1},
                                    {"UninstallMsg2", msg2}, {"UninstWinTitle", title}}));
    MachineState before = Snapshot(p);
    RunFor(SettingsFile());
    HWND dialog = ExpectConfirmation(title.substr(0, 32), msg0.substr(0, 16),
                                     msg1.substr(0, 128), msg2.substr(0, 16));
    ASSERT_TRUE(dialog);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    ExpectEnd();
    EXPECT_TRUE(Snapshot(p) == before);
}

// Without UnInstExe the uninstaller schedules UNINST.EXE; with another name
// it schedules that one; an entry already there is not added twice, and
// entries of other files keep their place.
TEST_F(UninstTest, ScheduledNames)
{
    WriteBytes(SettingsFile(), SettingsText(p, {{"UnInstExe", std::nullopt}}));
    WriteBytes(WininitFile(), "[rename]\r\nnul=C:\\OTHER.TMP\r\nnul=" +
                                      WindowsDir() + "uninst.exe\r\n");
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(RenameEntries(),
              (std::vector<std::string>{"nul=C:\\OTHER.TMP", "nul=" + WindowsDir() + "uninst.exe",
                                        "nul=" + WindowsDir() + p.msgLibrary}));

    // Installed under another name, started from it.
    UninstallLeftovers(p);
    DeleteFileA(WininitFile().c_str());
    InstallProduct(p);
    CopyFileA((WindowsDir() + "UNINST.EXE").c_str(), (WindowsDir() + "ORVAUN.EXE").c_str(), FALSE);
    WriteBytes(SettingsFile(), SettingsText(p, {{"UnInstExe", "ORVAUN.EXE"}}));
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}}, WindowsDir() + "ORVAUN.EXE " + SettingsFile());
    EXPECT_EQ(RenameEntries(), Scheduled("ORVAUN.EXE"));

    // A name in the settings file is never what is scheduled: the files
    // this process runs from are.
    for (const char *name : {"EXPLORER.EXE", "..\\ORVA.INI"}) {
        UninstallLeftovers(p);
        DeleteFileA(WininitFile().c_str());
        InstallProduct(p);
        WriteBytes(SettingsFile(), SettingsText(p, {{"UnInstExe", name}}));
        RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
        EXPECT_EQ(RenameEntries(), Scheduled("UNINST.EXE")) << name;
    }
}

// Another product counts the uninstaller and the message library too: the
// removal leaves both for it, and the last product's removal takes them.
TEST_F(UninstTest, SharedFilesStayForAnotherProduct)
{
    std::string uninst = WindowsDir() + "UNINST.EXE", msg = WindowsDir() + p.msgLibrary;
    SetSharedCount(uninst, 2);
    SetSharedCount(msg, 2);
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_TRUE(RenameEntries().empty());
    EXPECT_EQ(1, SharedCount(uninst));
    EXPECT_EQ(1, SharedCount(msg));
    InstallProduct(p);
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(RenameEntries(), Scheduled("UNINST.EXE"));
    EXPECT_EQ(-1, SharedCount(uninst));
}

// A group the user already deleted is no failure.
TEST_F(UninstTest, GroupAlreadyDeleted)
{
    DeleteGroupByHand(p);
    ASSERT_FALSE(GroupExists(p));
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    ExpectKeys(false, false, false, false);
}

// Parts already gone count as removed: the installation directory or the
// App Paths key deleted by hand. A game's options kept below its version
// key go with it.
TEST_F(UninstTest, PartsAlreadyGoneAndKeysWithSubkeys)
{
    for (int way = 0; way < 3; way++) {
        if (way) {
            UninstallLeftovers(p);
            InstallProduct(p);
        }
        if (way == 0)
            RemoveTree("C:\\ORVA");
        else if (way == 1)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, AppPathsKey(p).c_str());
        else
            SetString(VersionKey(p) + "\\Options", "Sound", "on");
        RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
        ExpectKeys(false, false, false, false);
        EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
        EXPECT_FALSE(ReadWholeFile(SettingsFile())) << way;
        EXPECT_FALSE(GroupExists(p));
        EXPECT_EQ(RenameEntries(), Scheduled("UNINST.EXE"));
        DeleteFileA(WininitFile().c_str());
    }
}

// A settings file that cannot be deleted (read-only, or held open by
// another program): slot 32, then slot 33; the Add/Remove Programs entry,
// the settings file and the uninstaller stay, so that the removal can run
// again, and once the file is free that run finishes as an ordinary one.
TEST_F(UninstTest, SettingsFileCannotBeDeleted)
{
    for (int way = 0; way < 2; way++) {
        if (way == 0) {
            SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY);
        } else {
            UninstallLeftovers(p);
            DeleteFileA(WininitFile().c_str());
            InstallProduct(p);
            HANDLE lock = CreateFileA(SettingsFile().c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
            locks.push_back(lock);
        }
        RemoveExpecting({{kUninstall, Slot(SLOT_INI_NOT_DELETED)},
                         {kUninstall, Slot(SLOT_REMOVE_FAILED)}});
        EXPECT_TRUE(ReadWholeFile(SettingsFile())) << "way " << way;
        ExpectKeys(false, false, false, true);
        EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(RenameEntries().empty());
        // Freed, the same entry's run finishes.
        SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        for (HANDLE l : locks)
            CloseHandle(l);
        locks.clear();
        RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
        ExpectKeys(false, false, false, false);
        EXPECT_FALSE(ReadWholeFile(SettingsFile()));
        EXPECT_EQ(RenameEntries(), Scheduled("UNINST.EXE"));
    }
}

// A file of the installation held open by a running program stops the
// directory removal; the installation stays listed, its folder still
// proven (the product settings file goes last), and the run after the
// program has ended finishes it.
TEST_F(UninstTest, RemovalStoppedHalfWayRunsAgain)
{
    HANDLE held = CreateFileA("C:\\ORVA\\DATA\\MAP.DAT", GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    locks.push_back(held);
    RemoveExpecting({{"Delete", Slot(SLOT_DELETE_FILE)}, {"Delete", Slot(SLOT_DELETE_FILE)},
                     {kUninstall, Slot(SLOT_REMOVE_FAILED)}});
    EXPECT_TRUE(ReadWholeFile("C:\\ORVA\\ORVA.INI"));
    EXPECT_TRUE(ReadWholeFile(SettingsFile()));
    EXPECT_TRUE(KeyExists(UninstallKey(p)));
    EXPECT_TRUE(RenameEntries().empty());
    CloseHandle(held);
    locks.clear();
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
    ExpectKeys(false, false, false, false);
    EXPECT_EQ(RenameEntries(), Scheduled("UNINST.EXE"));
}

// A folder that does not hold the product settings file is not the
// product's, whatever the settings file says: it is left as it is, with a
// message naming it; so is a bare drive (the removal would empty the root
// of the drive the uninstaller was started on). The rest of the removal
// goes, so that no later run is needed.
TEST_F(UninstTest, FolderNotProvenTheProductsIsLeft)
{
    RemoveTree("C:\\tqluser");
    CreateDirectoryA("C:\\tqluser", nullptr);
    WriteBytes("C:\\tqluser\\keep.txt", "the user's");
    WriteBytes("C:\\tqlroot.txt", "the system's");
    for (const std::string &path : {std::string("C:\\tqluser\\"), std::string("C:")}) {
        UninstallLeftovers(p);
        InstallProduct(p);
        WriteBytes(SettingsFile(), SettingsText(p, {{"InstallPath", path}}));
        RemoveExpecting({{kUninstall, NotOwned(path)}, {kUninstall, Slot(SLOT_REMOVE_FAILED)}},
                        WindowsDir() + "UNINST.EXE " + SettingsFile(), "C:\\tqluser");
        EXPECT_TRUE(ReadWholeFile("C:\\tqluser\\keep.txt")) << path;
        EXPECT_TRUE(ReadWholeFile("C:\\tqlroot.txt")) << path;
        ExpectKeys(true, false, false, false);  // App Paths names C:\\ORVA\\ORVA.EXE
        EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    }
    DeleteFileA("C:\\tqlroot.txt");
    RemoveTree("C:\\tqluser");
}

// A drive that does not answer (its folder gone, as a disk unplugged or a
// network drive away) is no proof that the folder on it is gone: the user
// is told which folder could not be reached, the record and the entry
// stay, and once the drive is back the removal from the entry finishes;
// the user's file beside the folder stays. Unattended, the first run ends
// with 1. E: is a drive link that tests/common/with-links makes.
TEST_F(UninstTest, FolderOnADriveLinkThatIsAwayIsRemovedOnceItIsBack)
{
    if (!Exists("C:\\tqldrive") || GetFileAttributesA("E:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no drive E:: run through tests/common/with-links";
    WriteBytes("C:\\tqldrive\\keep.txt", "the user's");
    UninstallLeftovers(p);
    p.installPath = "E:\\ORVA\\";
    InstallProduct(p);
    ASSERT_TRUE(MoveFileA("C:\\tqldrive", "C:\\tqldrive.away"));
    std::string notReached = Slot(SLOT_NOT_REACHED) + "\n" + p.installPath;
    RemoveExpecting({{kUninstall, notReached}, {kUninstall, Slot(SLOT_REMOVE_FAILED)}});
    EXPECT_EQ(1, RunUnattended());
    ASSERT_TRUE(MoveFileA("C:\\tqldrive.away", "C:\\tqldrive"));
    EXPECT_TRUE(ReadWholeFile("C:\\tqldrive\\ORVA\\ORVA.INI"));
    EXPECT_TRUE(ReadWholeFile(SettingsFile()));
    EXPECT_TRUE(KeyExists(UninstallKey(p)));
    EXPECT_TRUE(RenameEntries().empty());

    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(GetFileAttributesA("C:\\tqldrive\\ORVA"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ReadWholeFile("C:\\tqldrive\\keep.txt"));
    ExpectKeys(false, false, false, false);
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
}

// A record written under another system code page than this one: its
// path is read as that code page's text (it names nothing as this one's),
// and the folder goes.
TEST_F(UninstTest, RecordOfAnotherCodePageNamesItsFolder)
{
    bool japanese = GetACP() == 932;
    std::wstring folder = japanese ? L"C:\\Caf\u00e9" : L"C:\\\u30b2\u30fc\u30e0";  // ゲーム
    UINT other = japanese ? 1252 : 932;
    char recorded[MAX_PATH];
    ASSERT_GT(WideCharToMultiByte(other, 0, (folder + L"\\").c_str(), -1, recorded, MAX_PATH,
                                  nullptr, nullptr), 0);
    ASSERT_TRUE(MoveFileW(L"C:\\ORVA", folder.c_str()));
    WriteBytes(SettingsFile(), SettingsText(p, {{"InstallPath", std::string(recorded)},
                                                {"CodePage", std::to_string(other)}}));
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str()));
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
}

// While the game runs (its window, found by the title the record keeps,
// or the product's own for a record without it), nothing at all is
// removed: the user is told to close it, an unattended run ends with 3;
// once it is closed the removal finishes.
TEST_F(UninstTest, NothingIsRemovedWhileTheGameRuns)
{
    for (std::optional<std::string> title : {std::optional<std::string>(),
                                             std::optional<std::string>("ORVA TEST GAME")}) {
        SCOPED_TRACE(title.value_or("(left out)"));
        UninstallLeftovers(p);
        InstallProduct(p);
        WriteBytes(SettingsFile(), SettingsText(p, {{"CheckGameTitle", title}}));
        HWND game = CreateWindowA("STATIC", title.value_or("ORVA").c_str(), WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_TRUE(game);
        MachineState before = Snapshot(p);
        RemoveExpecting({{kUninstall, Slot(SLOT_GAME_RUNNING)}});
        EXPECT_EQ(3, RunUnattended());
        EXPECT_TRUE(Snapshot(p) == before) << Describe(Snapshot(p));
        DestroyWindow(game);
        RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
        EXPECT_EQ(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES);
    }
}

// A settings file named without its folder is the one in the Windows
// directory, for reading and for deleting alike: a file of that name in
// the folder the uninstaller was started from stays.
TEST_F(UninstTest, RelativeSettingsPathIsOneFile)
{
    CreateDirectoryA("C:\\tqlcwd", nullptr);
    WriteBytes("C:\\tqlcwd\\ORVA.INI", "[the user's own]\r\n");
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}}, WindowsDir() + "UNINST.EXE ORVA.INI",
                    "C:\\tqlcwd");
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    EXPECT_EQ(ReadWholeFile("C:\\tqlcwd\\ORVA.INI"), "[the user's own]\r\n");
    RemoveTree("C:\\tqlcwd");
}

// The installed folder became a link to a folder of the user's (even one
// that holds a settings file of that name): named with its trailing
// backslash or without, the link is not followed; the user's files stay.
TEST_F(UninstTest, InstalledFolderThatIsALinkIsLeft)
{
    const std::string links = "C:\\tqllinks";
    if (!Exists(links + "\\toplink"))
        GTEST_SKIP() << "no host links: run through tests/common/with-links";
    WriteBytes(links + "\\outside\\ORVA.INI", "[Install]\r\nMode=FULL\r\n");
    for (const std::string &path : {links + "\\toplink\\", links + "\\toplink"}) {
        UninstallLeftovers(p);
        InstallProduct(p);
        WriteBytes(SettingsFile(), SettingsText(p, {{"InstallPath", path}}));
        RemoveExpecting({{kUninstall, NotOwned(path)}, {kUninstall, Slot(SLOT_REMOVE_FAILED)}});
        EXPECT_TRUE(Exists(links + "\\outside\\keep.txt")) << path;
        EXPECT_TRUE(Exists(links + "\\outside\\ORVA.INI")) << path;
        EXPECT_TRUE(Exists(links + "\\toplink")) << path;
    }
}

// The installed folder holds links the user or the game made: the link
// to a file goes as a link, the user's file behind it stays; the link to
// a folder, which Wine cannot remove without its target, stays with a
// message naming it and the folder holding it. The rest goes, the record
// too: no later run could remove more.
TEST_F(UninstTest, LinksInsideTheFolderGoAsLinks)
{
    const std::string links = "C:\\tqllinks";
    if (!Exists(links + "\\tree\\FILELINK"))
        GTEST_SKIP() << "no host links: run through tests/common/with-links";
    WriteBytes(links + "\\tree\\ORVA.INI", "[Install]\r\nMode=FULL\r\n");
    WriteBytes(SettingsFile(), SettingsText(p, {{"InstallPath", links + "\\tree\\"}}));
    RemoveExpecting({{"Delete", Slot(SLOT_LINK_LEFT) + "\n" + links + "\\tree\\LINK"},
                     {kUninstall, Slot(SLOT_REMOVE_FAILED)}});
    EXPECT_EQ("keep\n", ReadWholeFile(links + "\\outside\\keep.txt").value_or("(gone)"));
    EXPECT_FALSE(Exists(links + "\\tree\\FILELINK"));
    EXPECT_FALSE(Exists(links + "\\tree\\inner"));
    EXPECT_FALSE(Exists(links + "\\tree\\ORVA.INI"));
    EXPECT_TRUE(Exists(links + "\\tree\\LINK"));
    EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    ExpectKeys(true, false, false, false);  // App Paths names C:\\ORVA\\ORVA.EXE
}

// A damaged settings file naming a drive root, the Windows directory, the
// Program Files folder or nothing at all (the current directory's drive): the directory removal refuses, nothing in it is
// touched; the other steps run and the final message tells of a failure.
TEST_F(UninstTest, ProtectedInstallPathIsRefused)
{
    char programFiles[MAX_PATH] = "";
    ASSERT_TRUE(ExpandEnvironmentStringsA("%ProgramFiles%\\", programFiles, MAX_PATH));
    std::string sentinel = WindowsDir() + "h5sentinel.txt";
    WriteBytes(sentinel, "keep");
    for (const std::string &path : {std::string("C:\\"), std::string("C:\\windows\\"),
                                    std::string(programFiles), std::string("c:\\WINDOWS\\..\\"),
                                    std::string("")}) {
        UninstallLeftovers(p);
        DeleteFileA(WininitFile().c_str());
        InstallProduct(p);
        WriteBytes(SettingsFile(), SettingsText(p, {{"InstallPath", path}}));
        RunFor(SettingsFile());
        HWND dialog = ExpectConfirmation();
        ASSERT_TRUE(dialog);
        Confirm(dialog);
        ExpectBox("Setup", "Remove Directory refused: \"" + path +
                               "\"\nA drive, a Windows folder, a user folder or a "
                               "folder holding one is never removed.");
        ExpectBox(kUninstall, Slot(SLOT_REMOVE_FAILED));
        ExpectEnd();
        EXPECT_TRUE(ReadWholeFile(sentinel)) << path;
        EXPECT_TRUE(ReadWholeFile(WindowsDir() + "system32\\kernel32.dll")) << path;
        EXPECT_NE(GetFileAttributesA(programFiles), INVALID_FILE_ATTRIBUTES) << path;
        EXPECT_NE(GetFileAttributesA("C:\\ORVA"), INVALID_FILE_ATTRIBUTES) << path;
        ExpectKeys(true, false, false, false);  // it names C:\\ORVA\\ORVA.EXE
        EXPECT_FALSE(ReadWholeFile(SettingsFile()));
    }
    DeleteFileA(sentinel.c_str());
}

// A group title that would close the command and open another one (as a
// damaged or hostile settings file may hold) is sent as one quoted name:
// the user's other groups are never touched.
TEST_F(UninstTest, HostileGroupTitleTouchesNoOtherGroup)
{
    wchar_t programs[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr,
                                     SHGFP_TYPE_CURRENT, programs));
    std::wstring accessories = std::wstring(programs) + L"\\Accessories";
    bool existed = GetFileAttributesW(accessories.c_str()) != INVALID_FILE_ATTRIBUTES;
    CreateDirectoryW(accessories.c_str(), nullptr);
    std::wstring link = accessories + L"\\h5keep.txt";
    HANDLE f = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    CloseHandle(f);

    WriteBytes(SettingsFile(), SettingsText(p, {{"GroupTitle",
                                    std::string("X)][DeleteGroup(Accessories")}}));
    RemoveExpecting({{kUninstall, Slot(SLOT_REMOVED)}});
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(link.c_str()))
        << "the Accessories group was deleted";
    DeleteFileW(link.c_str());
    if (!existed)
        RemoveDirectoryW(accessories.c_str());
    DeleteGroupByHand(p);
}

} // namespace
