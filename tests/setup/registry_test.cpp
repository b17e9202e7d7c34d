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

static const char TestRoot[] = "SOFTWARE\\TqlRegistryTest";
static const std::string Zero(1, '\0');

// ---- registry access layer

TEST(CreateRegistry, CreatesEveryLevelAndStoresStringsWithTheirZero)
{
    DeleteKeyTree(TestRoot);
    std::string deep = std::string(TestRoot) + "\\A\\B\\C";
    std::vector<std::string> boxes = BoxLines(RunAnswering([&] {
        EXPECT_EQ(1, CreateRegistry(HKEY_LOCAL_MACHINE, deep.c_str(), "Name",
                                    "text"));
        EXPECT_EQ(1, CreateRegistry(HKEY_LOCAL_MACHINE, deep.c_str(), "", ""));
    }));
    EXPECT_TRUE(boxes.empty());
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(ReadValue(deep, "Name", &bytes, &type));
    EXPECT_EQ(std::string("text") + Zero, bytes);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    ASSERT_TRUE(ReadValue(deep, "", &bytes, &type));
    EXPECT_EQ(Zero, bytes);  // stored size 1
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    DeleteKeyTree(TestRoot);
}

TEST(CreateRegistry, ExistingKeyKeepsItsOtherValuesAndSubkeys)
{
    DeleteKeyTree(TestRoot);
    std::string key = std::string(TestRoot) + "\\Existing";
    HKEY h, sub;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, key.c_str(), &h));
    RegSetValueExA(h, "Keep", 0, REG_SZ, (const BYTE *)"kept", 5);
    RegSetValueExA(h, "Replace", 0, REG_SZ, (const BYTE *)"old value", 10);
    RegCreateKeyA(h, "Child", &sub);
    RegCloseKey(sub);
    RegCloseKey(h);
    // A trailing backslash is passed on and names the same key.
    std::string withSlash = key + "\\";
    std::vector<std::string> boxes = BoxLines(RunAnswering([&] {
        EXPECT_EQ(1, CreateRegistry(HKEY_LOCAL_MACHINE, withSlash.c_str(),
                                    "Replace", "new"));
    }));
    EXPECT_TRUE(boxes.empty());
    std::string bytes;
    ASSERT_TRUE(ReadValue(key, "Replace", &bytes));
    EXPECT_EQ(std::string("new") + Zero, bytes);
    ASSERT_TRUE(ReadValue(key, "Keep", &bytes));
    EXPECT_EQ(std::string("kept") + Zero, bytes);
    EXPECT_TRUE(KeyExists(key + "\\Child"));
    DeleteKeyTree(TestRoot);
}

TEST(CreateRegistry, KeyThatCannotBeOpenedIsReportedAndNothingWritten)
{
    // A root handle that was closed: the key cannot be created below it.
    HKEY stale;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, TestRoot, &stale));
    RegCloseKey(stale);
    int result = -1;
    std::vector<std::string> boxes = BoxLines(RunAnswering([&] {
        result = CreateRegistry(stale, "Child", "Name", "text");
    }));
    EXPECT_EQ(0, result);
    EXPECT_EQ(std::vector<std::string>{"CreateRegistry|Registry error"}, boxes);
    EXPECT_FALSE(KeyExists(std::string(TestRoot) + "\\Child"));
    DeleteKeyTree(TestRoot);
}

// ---- paths and keys of the uninstall registration

TEST(UninstallPaths, DefaultNamesGiveTheAddRemoveCommandLineWithOrWithoutBackslash)
{
    ResetSetupState();
    for (const char *windows : {"C:\\windows", "C:\\windows\\"}) {
        for (const char *source : {"Q:\\", "Q:\\SETUP"}) {
            UninstallPaths p;
            ASSERT_EQ(1, BuildUninstallPaths(windows, source, &p));
            EXPECT_STREQ("C:\\windows\\UNINST.EXE C:\\windows\\ORVA.INI",
                         p.commandLine);
            EXPECT_STREQ("C:\\windows\\UNINST.EXE", p.uninstTarget);
            EXPECT_STREQ("C:\\windows\\msgeng.dll", p.msgTarget);
            EXPECT_STREQ("C:\\windows\\ORVA.INI", p.settingsFile);
            EXPECT_EQ(std::string(source) + (source[3] ? "\\" : "") + "UNINST.EXE",
                      p.uninstSource);
        }
    }
    UninstallPaths p;
    ASSERT_EQ(1, BuildUninstallPaths("C:\\windows", "Q:\\", &p));
    EXPECT_STREQ("C:\\ORVA\\ORVA.EXE", p.execPath);
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ORVA.EXE",
                 p.appPathsKey);
    EXPECT_STREQ("SOFTWARE\\ORVA\\ORVA PC\\1.0\\", p.productKey);
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ORVA PC App",
                 p.uninstallKey);
    EXPECT_EQ(1, p.appPathsOk);
    EXPECT_EQ(1, p.productOk);
    EXPECT_EQ(1, p.uninstallOk);
}

TEST(UninstallPaths, CommandLineThatDoesNotFitIsRefusedWithAMessage)
{
    ResetSetupState();
    std::string windows = "C:\\" + std::string(122, 'w');  // 125 characters
    UninstallPaths p;
    int result = -1;
    std::vector<std::string> boxes = BoxLines(RunAnswering([&] {
        result = BuildUninstallPaths(windows.c_str(), "Q:\\", &p);
    }));
    EXPECT_EQ(0, result);
    EXPECT_EQ(std::vector<std::string>{
                  "ORVA Setup|The uninstall command line is too long."},
              boxes);
}

TEST(UninstallPaths, KeyNamesThatWouldNameAParentKeyAreRefused)
{
    for (const char *bad : {"", "   ", "\\", "\\\\", " \\ ", "A\\\\B", "\\A"}) {
        ResetSetupState();
        TextCopy(Settings.ApplicationName, bad);
        UninstallPaths p;
        ASSERT_EQ(1, BuildUninstallPaths("C:\\windows", "Q:\\", &p));
        EXPECT_EQ(0, p.uninstallOk) << "[" << bad << "]";
        EXPECT_EQ(1, p.appPathsOk);
    }
    ResetSetupState();
    TextCopy(Settings.ProductVersion, "1.0\\");  // "...\1.0\\" would end in two
    TextCopy(Settings.ExecFileName, " ");
    UninstallPaths p;
    ASSERT_EQ(1, BuildUninstallPaths("C:\\windows", "Q:\\", &p));
    EXPECT_EQ(0, p.productOk);
    EXPECT_EQ(0, p.appPathsOk);
    EXPECT_EQ(1, p.uninstallOk);
}

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
// a first installation 1, a reinstallation still 1; a file another product
// put there before counts as that product's; one that a removal scheduled
// counts nobody.
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
    WriteBytes(uninst, "another product's");
    WriteBytes(msg, "another product's");
    ScheduleDeleteAtRestart(msg.c_str());
    ASSERT_EQ(1, Register(&boxes));
    EXPECT_EQ(2, SharedCount(uninst));
    EXPECT_EQ(1, SharedCount(msg));
}

TEST_F(RegisterUninstallerTest, CopiesFilesWritesKeysAndTheUninstallSection)
{
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

    // The section as the file holds it: eleven keys in this order.
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
              "UninstallMsg2=Continue?\r\n",
              ReadBytes(windows + "ORVA.INI"));
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

TEST_F(RegisterUninstallerTest, BlankApplicationNameNeverTouchesTheUninstallList)
{
    DWORD before = ValueCount(UninstallRootKey);
    TextCopy(Settings.ApplicationName, "  ");
    std::vector<std::string> boxes;
    EXPECT_EQ(0, Register(&boxes));
    EXPECT_EQ(std::vector<std::string>{"CreateRegistry|Registry error"}, boxes);
    EXPECT_EQ(before, ValueCount(UninstallRootKey));
    EXPECT_FALSE(KeyExists(UninstallRootKey + "\\  "));
    // The steps before it are done and stay; the section is not written.
    EXPECT_TRUE(KeyExists(AppPathsKey));
    EXPECT_FALSE(Exists(windows + "ORVA.INI"));
}
