// The registry access layer and the uninstall registration, on the real
// registry and files of the test prefix: exact stored bytes, the paths and
// keys built from the settings, the refusals, WININIT.INI and the raw
// settings file.
#include <gtest/gtest.h>
#include "setup_env.h"
#include "setup/config.h"
#include "setup/registry.h"
#include "common/text.h"
#include "common/removal.h"
#include "common/log.h"

static const char TestRoot[] = "SOFTWARE\\TqlRegistryTest";
static const std::string Zero(1, '\0');

// ---- the registration on the machine

static const std::string AppPathsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ORVA.EXE";
static const std::string UninstallRootKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
static const std::string UninstallKey = UninstallRootKey + "\\ORVA PC App";

class RegisterUninstallerTest : public ::testing::Test {
protected:
    std::string source, windows, wininit, savedWininit;
    char savedDir[MAX_PATH] = "";

    void SetUp() override
    {
        ResetSetupState();
        windows = WindowsDir();
        wininit = windows + "WININIT.INI";
        savedWininit = ReadBytes(wininit);
        Clean();
        source = MakeTempDir("tqlregsrc");
        WriteBytes(source + "\\UNINST.EXE", "MZ uninstaller of the test");
        WriteBytes(source + "\\msgeng.dll", "MZ message library of the test");
        SetFileAttributesA((source + "\\UNINST.EXE").c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA((source + "\\msgeng.dll").c_str(), FILE_ATTRIBUTE_READONLY);
        GetCurrentDirectoryA(MAX_PATH, savedDir);
        SetCurrentDirectoryA(source.c_str());
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(savedDir);
        RemoveTree(source);
        Clean();
        if (savedWininit.empty())
            DeleteFileA(wininit.c_str());
        else
            WriteBytes(wininit, savedWininit);
    }

    void Clean()
    {
        for (const char *name : {"UNINST.EXE", "msgeng.dll", "ORVA.INI"}) {
            std::string path = windows + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
            SetSharedCount(path, -1);
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, "ORVA.INI");
        DeleteKeyTree(AppPathsKey);
        DeleteKeyTree("SOFTWARE\\ORVA");
        DeleteKeyTree(UninstallKey);
    }

    int Register(std::vector<std::string> *boxes)
    {
        int result = -1;
        *boxes = BoxLines(RunAnswering([&] { result = RegisterUninstaller(); }));
        return result;
    }

    std::string Value(const std::string &key, const std::string &name)
    {
        std::string bytes;
        DWORD type = 0;
        if (!ReadValue(key, name, &bytes, &type))
            return "<missing>";
        return type == REG_SZ ? bytes : "<not REG_SZ>";
    }

    static DWORD ValueCount(const std::string &key)
    {
        HKEY h;
        DWORD values = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h) == 0) {
            RegQueryInfoKeyA(h, 0, 0, 0, 0, 0, 0, &values, 0, 0, 0, 0);
            RegCloseKey(h);
        }
        return values;
    }
};

// Each product counts the two shared files of the Windows directory once:
// a first installation 1, a reinstallation still 1; this system's file
// that another product put there before (the CD's own, marked as such)
// counts as that product's; one that a removal scheduled counts nobody.
TEST_F(RegisterUninstallerTest, CountsTheSharedFilesOncePerProduct)
{
    std::vector<std::string> boxes;
    std::string uninst = windows + "UNINST.EXE", msg = windows + "msgeng.dll";
    for (int count : {1, 1}) {
        ASSERT_EQ(1, Register(&boxes));
        EXPECT_EQ(count, SharedCount(uninst));
        EXPECT_EQ(count, SharedCount(msg));
    }
    Clean();
    ASSERT_TRUE(CopyFileA("Q:\\UNINST.EXE", uninst.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA("Q:\\msgeng.dll", msg.c_str(), FALSE));
    ScheduleDeleteAtRestart(msg.c_str());
    ASSERT_EQ(1, Register(&boxes));
    EXPECT_EQ(2, SharedCount(uninst));
    EXPECT_EQ(1, SharedCount(msg));
    EXPECT_EQ("MZ uninstaller of the test", ReadBytes(uninst));
}

// Another program's files of the same names stay byte for byte and
// uncounted: the product's go in beside them under the first free names,
// which the record and the Add/Remove Programs command line carry; a
// reinstallation finds its own files there again.
TEST_F(RegisterUninstallerTest, AnotherProgramsFilesStayAndOursGoBesideThem)
{
    const std::string uninst = windows + "UNINST.EXE", msg = windows + "msgeng.dll";
    WriteBytes(uninst, "MZ another installer's uninstaller");
    WriteBytes(msg, "MZ another program's library");
    WriteBytes(windows + "UNINST1.EXE", "MZ a third one");
    std::vector<std::string> boxes;
    for (int run = 0; run < 2; run++) {
        ASSERT_EQ(1, Register(&boxes));
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ("MZ another installer's uninstaller", ReadBytes(uninst));
        EXPECT_EQ("MZ another program's library", ReadBytes(msg));
        EXPECT_EQ("MZ a third one", ReadBytes(windows + "UNINST1.EXE"));
        EXPECT_EQ(-1, SharedCount(uninst));
        EXPECT_EQ(-1, SharedCount(msg));
        EXPECT_EQ("MZ uninstaller of the test", ReadBytes(windows + "UNINST2.EXE"));
        EXPECT_EQ("MZ message library of the test", ReadBytes(windows + "msgeng1.dll"));
        EXPECT_EQ(1, SharedCount(windows + "UNINST2.EXE"));
        EXPECT_EQ(windows + "UNINST2.EXE " + windows + "ORVA.INI" + Zero,
                  Value(UninstallKey, "UninstallString"));
        char name[64];
        GetPrivateProfileStringA("UnInstall", "UnInstExe", "", name, sizeof name, "ORVA.INI");
        EXPECT_STREQ("UNINST2.EXE", name);
        GetPrivateProfileStringA("UnInstall", "LoadMsgModule", "", name, sizeof name,
                                 "ORVA.INI");
        EXPECT_STREQ("msgeng1.dll", name);
    }
    for (const char *name : {"UNINST1.EXE", "UNINST2.EXE", "msgeng1.dll"}) {
        DeleteFileA((windows + name).c_str());
        SetSharedCount(windows + name, -1);
    }
}

// With all nine names beside another program's taken by other programs,
// nothing is copied or registered, and the user is told why.
TEST_F(RegisterUninstallerTest, NoFreeNameLeftRegistersNothing)
{
    std::vector<std::string> taken = {"UNINST.EXE"};
    for (char digit = '1'; digit <= '9'; digit++)
        taken.push_back(std::string("UNINST") + digit + ".EXE");
    for (const std::string &name : taken)
        WriteBytes(windows + name, "MZ another program's");
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    EXPECT_EQ(std::vector<std::string>{
                  "ORVA Setup|No free name for UNINST.EXE is left in the Windows folder."},
              boxes);
    EXPECT_FALSE(KeyExists(UninstallKey));
    EXPECT_FALSE(Exists(windows + "msgeng.dll"));
    for (const std::string &name : taken) {
        EXPECT_EQ("MZ another program's", ReadBytes(windows + name)) << name;
        DeleteFileA((windows + name).c_str());
    }
}

// The record of a first installation, in progress since before its copy,
// is written anew whole: the ordinary record, nothing of the progress left.
TEST_F(RegisterUninstallerTest, CopiesFilesWritesKeysAndTheUninstallSection)
{
    ASSERT_TRUE(RecordPendingInstallation("ORVA.INI", "C:\\ORVA\\", TheProductNames()));
    std::vector<std::string> boxes;
    EXPECT_EQ(1, Register(&boxes));
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ("MZ uninstaller of the test", ReadBytes(windows + "UNINST.EXE"));
    EXPECT_EQ("MZ message library of the test", ReadBytes(windows + "msgeng.dll"));
    EXPECT_EQ(0u, GetFileAttributesA((windows + "UNINST.EXE").c_str()) &
                      FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, GetFileAttributesA((windows + "msgeng.dll").c_str()) &
                      FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ("C:\\ORVA\\ORVA.EXE" + Zero, Value(AppPathsKey, ""));
    EXPECT_EQ("C:\\ORVA\\" + Zero, Value(AppPathsKey, "Path"));
    EXPECT_EQ(Zero, Value("SOFTWARE\\ORVA\\ORVA PC\\1.0", ""));
    EXPECT_EQ(1u, ValueCount("SOFTWARE\\ORVA\\ORVA PC\\1.0"));
    EXPECT_EQ("ORVA PC GAME PRODUCT" + Zero, Value(UninstallKey, "DisplayName"));
    EXPECT_EQ(windows + "UNINST.EXE " + windows + "ORVA.INI" + Zero,
              Value(UninstallKey, "UninstallString"));

    // The sections as the file holds them: thirteen keys in this order, then
    // the versions registered and the installed folder.
    EXPECT_EQ("[UnInstall]\r\n"
              "UnInstExe=UNINST.EXE\r\n"
              "LoadMsgModule=msgeng.dll\r\n"
              "ExecFileName=ORVA.EXE\r\n"
              "ProductName=ORVA PC\r\n"
              "ProductVersion=1.0\r\n"
              "ApplicationName=ORVA PC App\r\n"
              "GroupTitle=ORVA PC\r\n"
              "UninstWinTitle=ORVA Uninstall\r\n"
              "UninstallMsg0=Remove ORVA?\r\n"
              "UninstallMsg1=All files of ORVA will be removed.\r\n"
              "UninstallMsg2=Continue?\r\n"
              "CheckGameTitle=" + std::string(Settings.CheckGameTitle) + "\r\n"
              "CodePage=" + std::to_string(GetACP()) + "\r\n"
              "[Versions]\r\n"
              "1.0=1\r\n"
              "[Directory]\r\n"
              "InstallPath=C:\\ORVA\\\r\n"
              "ExePath=C:\\ORVA\\\r\n",
              ReadBytes(windows + "ORVA.INI"));
}

// What a registration cut off left in the Windows folder, noted in the
// record, goes again: the first bytes of the uninstaller under its name
// (the name is the product's again, counted once) and a new record of the
// product's beside the record.
TEST_F(RegisterUninstallerTest, PartsThatACutRegistrationLeftGoAgain)
{
    const std::string settings = windows + "ORVA.INI";
    ASSERT_TRUE(RecordPendingInstallation(settings.c_str(), "C:\\ORVA\\", TheProductNames()));
    WriteBytes(windows + "UNINST.EXE", "MZ unins");
    WritePrivateProfileStringA("Copying", "UnInstExe", "UNINST.EXE", settings.c_str());
    WriteBytes(windows + "tqlcut.tmp", ReadBytes(settings));
    WritePrivateProfileStringA("Copying", "Record", "tqlcut.tmp", settings.c_str());
    std::vector<std::string> boxes;
    EXPECT_EQ(1, Register(&boxes));
    EXPECT_EQ("MZ uninstaller of the test", ReadBytes(windows + "UNINST.EXE"));
    EXPECT_FALSE(Exists(windows + "UNINST1.EXE"));
    EXPECT_EQ(1, SharedCount(windows + "UNINST.EXE"));
    EXPECT_FALSE(Exists(windows + "tqlcut.tmp"));
    EXPECT_TRUE(Matches(windows + "tql*.tmp").empty());
}

// A record that cannot be written (a folder of its name in the way) stops
// the registration before any key: the log names it.
TEST_F(RegisterUninstallerTest, RecordThatCannotBeWrittenRegistersNoKey)
{
    std::string log = MakeTempDir("tqlreglog") + "\\setup.log";
    ASSERT_TRUE(OpenLog(log.c_str()));
    CreateDirectoryA((windows + "ORVA.INI").c_str(), nullptr);
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    RemoveDirectoryA((windows + "ORVA.INI").c_str());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ("registry_test.exe: the installation record " + windows +
                  "ORVA.INI was not written\r\n",
              ReadBytes(log));
    EXPECT_FALSE(KeyExists(AppPathsKey));
    EXPECT_FALSE(KeyExists(UninstallKey));
    EXPECT_TRUE(Matches(windows + "tql*.tmp").empty());
}

TEST_F(RegisterUninstallerTest, CancelsThePendingDeletionOfBothCopiesOnly)
{
    WriteBytes(wininit, "[rename]\r\n"
                        "nul=" + windows + "UNINST.EXE\r\n"
                        "nul=" + windows + "other.tmp\r\n"
                        "nul=" + windows + "msgeng.dll\r\n"
                        "C:\\new.txt=C:\\old.txt\r\n");
    std::vector<std::string> boxes;
    EXPECT_EQ(1, Register(&boxes));
    EXPECT_TRUE(boxes.empty());
    std::string after = ReadBytes(wininit);
    EXPECT_EQ(std::string::npos, after.find("UNINST.EXE")) << after;
    EXPECT_EQ(std::string::npos, after.find("msgeng.dll")) << after;
    EXPECT_NE(std::string::npos, after.find("nul=" + windows + "other.tmp")) << after;
    EXPECT_NE(std::string::npos, after.find("C:\\new.txt=C:\\old.txt")) << after;
}

TEST_F(RegisterUninstallerTest, ReinstallWithAnotherVersionAddsASecondVersionKey)
{
    std::vector<std::string> boxes;
    EXPECT_EQ(1, Register(&boxes));
    TextCopy(Settings.ProductVersion, "1.1");
    EXPECT_EQ(1, Register(&boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(KeyExists("SOFTWARE\\ORVA\\ORVA PC\\1.0"));
    EXPECT_TRUE(KeyExists("SOFTWARE\\ORVA\\ORVA PC\\1.1"));
    char version[33];
    GetPrivateProfileStringA("UnInstall", "ProductVersion", "", version,
                             sizeof version, (windows + "ORVA.INI").c_str());
    EXPECT_STREQ("1.1", version);
    // Both are this product's, for the removal; another product's record
    // replaced keeps its version out.
    char versions[64];
    ReadRecordedVersions((windows + "ORVA.INI").c_str(), versions, sizeof versions);
    EXPECT_EQ(std::string("1.0\0" "1.1\0", 8), std::string(versions, 8));
    WritePrivateProfileStringA("UnInstall", "ProductName", "OTHER", (windows + "ORVA.INI").c_str());
    WritePrivateProfileStringA("UnInstall", "ProductVersion", "9.0", (windows + "ORVA.INI").c_str());
    EXPECT_EQ(1, Register(&boxes));
    ReadRecordedVersions((windows + "ORVA.INI").c_str(), versions, sizeof versions);
    EXPECT_EQ(std::string("1.0\0" "1.1\0\0", 9), std::string(versions, 9));
}

TEST_F(RegisterUninstallerTest, MissingUninstallerStopsBeforeAnyFileOrKey)
{
    SetFileAttributesA("UNINST.EXE", FILE_ATTRIBUTE_NORMAL);
    DeleteFileA("UNINST.EXE");
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    EXPECT_EQ(std::vector<std::string>{"Setup File Copy|The source file is missing."},
              boxes);
    EXPECT_FALSE(Exists(windows + "UNINST.EXE"));
    EXPECT_FALSE(Exists(windows + "msgeng.dll"));
    EXPECT_FALSE(Exists(windows + "ORVA.INI"));
    EXPECT_FALSE(KeyExists(AppPathsKey));
    EXPECT_FALSE(KeyExists("SOFTWARE\\ORVA"));
    EXPECT_FALSE(KeyExists(UninstallKey));
}

// An uninstaller on a scratched CD (drive S:, reads fail past 64 KB): the
// earlier uninstaller in the Windows folder stays byte for byte, no
// temporary file is left there, and nothing is registered.
TEST_F(RegisterUninstallerTest, ScratchedUninstallerKeepsTheEarlierOne)
{
    if (!Exists("S:\\SETUP\\UNINST.EXE"))
        GTEST_SKIP() << "drive S: (a scratched CD on FUSE) is not set up: "
                        "see tests/setup/drives/scratched.reason";
    WriteBytes(windows + "UNINST.EXE", "MZ the earlier uninstaller");
    SetCurrentDirectoryA("S:\\SETUP");
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    EXPECT_EQ(std::vector<std::string>{"Setup File Copy|File Copy Error"}, boxes);
    EXPECT_EQ("MZ the earlier uninstaller", ReadBytes(windows + "UNINST.EXE"));
    EXPECT_TRUE(Matches(windows + "TQL*.TMP").empty());
    EXPECT_FALSE(KeyExists(UninstallKey));
}

// Setup started at a drive's root (the CD's, as a rule; here C:) takes the
// files from there as from a folder.
TEST_F(RegisterUninstallerTest, TakesTheFilesFromADriveRoot)
{
    for (const char *name : {"UNINST.EXE", "msgeng.dll"})
        WriteBytes(std::string("C:\\") + name, std::string("MZ ") + name + " at a root");
    SetCurrentDirectoryA("C:\\");
    std::vector<std::string> boxes;
    int result = Register(&boxes);
    for (const char *name : {"UNINST.EXE", "msgeng.dll"})
        DeleteFileA((std::string("C:\\") + name).c_str());
    EXPECT_EQ(1, result);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ("MZ UNINST.EXE at a root", ReadBytes(windows + "UNINST.EXE"));
    EXPECT_EQ("MZ msgeng.dll at a root", ReadBytes(windows + "msgeng.dll"));
    EXPECT_EQ(windows + "UNINST.EXE " + windows + "ORVA.INI" + Zero,
              Value(UninstallKey, "UninstallString"));
}

// A command line that does not fit is refused with a message before any
// file or key, rather than registered cut.
TEST_F(RegisterUninstallerTest, CommandLineThatDoesNotFitIsRefusedBeforeAnyFileOrKey)
{
    // From C:\ every path fits; "C:\windows\<235 u> C:\windows\ORVA.INI" is
    // 266 characters.
    TextCopy(Settings.UnInstExe, std::string(235, 'u').c_str());
    SetCurrentDirectoryA("C:\\");
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    EXPECT_EQ(std::vector<std::string>{"ORVA Setup|The uninstall command line is too long."},
              boxes);
    EXPECT_FALSE(Exists(windows + "msgeng.dll"));
    EXPECT_FALSE(KeyExists(AppPathsKey));
}

// Keys that are there already keep their other values and subkeys; the
// values setup writes replace theirs. The version key's name ends in a
// backslash and names the same key.
TEST_F(RegisterUninstallerTest, ExistingKeysKeepTheirOtherValuesAndSubkeys)
{
    HKEY h, sub;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, UninstallKey.c_str(), &h));
    RegSetValueExA(h, "Keep", 0, REG_SZ, (const BYTE *)"kept", 5);
    RegSetValueExA(h, "DisplayName", 0, REG_SZ, (const BYTE *)"old value", 10);
    RegCreateKeyA(h, "Child", &sub);
    RegCloseKey(sub);
    RegCloseKey(h);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ORVA\\ORVA PC\\1.0", &h));
    RegSetValueExA(h, "Keep", 0, REG_SZ, (const BYTE *)"kept", 5);
    RegCloseKey(h);
    std::vector<std::string> boxes;
    EXPECT_EQ(1, Register(&boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ("ORVA PC GAME PRODUCT" + Zero, Value(UninstallKey, "DisplayName"));
    EXPECT_EQ("kept" + Zero, Value(UninstallKey, "Keep"));
    EXPECT_TRUE(KeyExists(UninstallKey + "\\Child"));
    EXPECT_EQ("kept" + Zero, Value("SOFTWARE\\ORVA\\ORVA PC\\1.0", "Keep"));
    EXPECT_EQ(Zero, Value("SOFTWARE\\ORVA\\ORVA PC\\1.0", ""));
}

// A key that cannot be made (below a volatile key, which holds no lasting
// one) is reported at its step; nothing is written below it or after it.
// The record, written before the keys, holds what a removal needs; the run
// after counts the shared files no second time.
TEST_F(RegisterUninstallerTest, KeyThatCannotBeMadeIsReportedAndNothingWrittenAfterIt)
{
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ORVA", 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                             &h, nullptr));
    RegCloseKey(h);
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    EXPECT_EQ(std::vector<std::string>{"CreateRegistry|Registry error"}, boxes);
    EXPECT_FALSE(KeyExists("SOFTWARE\\ORVA\\ORVA PC"));
    EXPECT_FALSE(KeyExists(UninstallKey));
    char installPath[MAX_PATH];
    EXPECT_TRUE(ReadRecordedDirectory((windows + "ORVA.INI").c_str(), "InstallPath", installPath));
    DeleteKeyTree("SOFTWARE\\ORVA");
    EXPECT_EQ(1, Register(&boxes));
    EXPECT_EQ(1, SharedCount(windows + "UNINST.EXE"));
    EXPECT_EQ(1, SharedCount(windows + "msgeng.dll"));
}

// Key names that would name a parent key (blank, a backslash at either
// end or two together) are refused at their step as a registry error:
// nothing is written to the parent, and the steps before stay (the record
// among them).
TEST_F(RegisterUninstallerTest, KeyNamesThatWouldNameAParentKeyAreRefused)
{
    const DWORD uninstallValues = ValueCount(UninstallRootKey);
    const std::string appPathsRoot = AppPathsKey.substr(0, AppPathsKey.rfind('\\'));
    const DWORD appPathsValues = ValueCount(appPathsRoot);
    auto refused = [&](const std::string &what, bool appPathsDone) {
        SCOPED_TRACE(what);
        std::vector<std::string> boxes;
        EXPECT_EQ(0, Register(&boxes));
        EXPECT_EQ(std::vector<std::string>{"CreateRegistry|Registry error"}, boxes);
        EXPECT_EQ(uninstallValues, ValueCount(UninstallRootKey));
        EXPECT_EQ(appPathsValues, ValueCount(appPathsRoot));
        EXPECT_EQ(appPathsDone, KeyExists(AppPathsKey));
        EXPECT_TRUE(Exists(windows + "ORVA.INI"));
        Clean();
        ResetSetupState();
    };
    for (const char *bad : {"", "   ", "\\", "\\\\", " \\ ", "A\\\\B", "\\A"}) {
        TextCopy(Settings.ApplicationName, bad);
        refused(std::string("ApplicationName [") + bad + "]", true);
        EXPECT_FALSE(KeyExists(UninstallRootKey + "\\A"));
    }
    // The version key "...\1.0\" would end in two backslashes.
    TextCopy(Settings.ProductVersion, "1.0\\");
    refused("ProductVersion 1.0\\", true);
    // A blank program name would name App Paths itself.
    TextCopy(Settings.ExecFileName, " ");
    refused("ExecFileName blank", false);
}
