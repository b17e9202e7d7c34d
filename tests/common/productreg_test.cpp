// The product's registry keys in the real registry, made as a normal
// installation makes them, deleted in order; damaged names are refused.
#include <gtest/gtest.h>
#include "common/removal.h"
#include "common/text.h"
#include "removal_support.h"

static const char *kApp = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TQLTEST.EXE";
static const char *kVersion = "SOFTWARE\\ORVA\\Tql Test PC\\1.0";
static const char *kProduct = "SOFTWARE\\ORVA\\Tql Test PC";
static const char *kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tql Test App";
static const char *kMaker = "SOFTWARE\\ORVA";

static void Make(const char *key, const char *name, const char *value)
{
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                                             KEY_WRITE, nullptr, &h, nullptr));
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                   lstrlenA(value) + 1);
    RegCloseKey(h);
}

// The names that the settings give, and their removal as the uninstaller
// runs it.
static char ExecFileName[512], ProductName[512], ProductVersion[512],
    ApplicationName[512];

static int DeleteKeys()
{
    ProductNames names = {ExecFileName, ProductName, ProductVersion, ApplicationName};
    return DeleteProductKeys(names, "C:\\ORVA\\", "C:\\NO\\SUCH.INI", "Uninstall") &&
           DeleteUninstallEntry(names, "Uninstall");
}

// The keys of a normal installation, and the names that the settings give.
static void Install(const char *exe = "TQLTEST.EXE", const char *product = "Tql Test PC",
                    const char *version = "1.0", const char *app = "Tql Test App")
{
    Make(kApp, "", "C:\\ORVA\\TQLTEST.EXE");
    Make(kApp, "Path", "C:\\ORVA\\");
    Make((std::string(kVersion) + "\\").c_str(), "", "");
    Make(kUninstall, "DisplayName", "ORVA PC GAME PRODUCT");
    Make(kUninstall, "UninstallString", "C:\\WINDOWS\\UNINST.EXE C:\\WINDOWS\\ORVA.INI");
    TextCopy(ExecFileName, exe, 512);
    TextCopy(ProductName, product, 512);
    TextCopy(ProductVersion, version, 512);
    TextCopy(ApplicationName, app, 512);
}

// A second run, or keys deleted by hand, find them gone: no failure.
TEST(ProductRegistry, DeletesTheFourKeysAndKeepsTheMakersKey)
{
    Install("TQLTEST.EXE", "Tql Test PC\\");
    for (int run = 0; run < 2; run++) {
        Outcome o = RunRemoval(DeleteKeys);
        EXPECT_EQ(1, o.result) << run;
        EXPECT_TRUE(o.boxes.empty()) << run;
        for (const char *key : {kApp, kVersion, kProduct, kUninstall})
            EXPECT_FALSE(KeyExists(key)) << key;
        EXPECT_TRUE(KeyExists(kMaker));
    }
    Install();
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, kVersion));
    EXPECT_EQ(1, DeleteKeys());
    EXPECT_FALSE(KeyExists(kProduct));
}

// What the game keeps below its version key goes with it; another version
// keeps the product key, another program of the same file name its App
// Paths entry.
TEST(ProductRegistry, KeysGoWithWhatIsBelowThemButNothingElse)
{
    Install();
    std::string options = std::string(kVersion) + "\\Options\\Sound";
    std::string other = std::string(kProduct) + "\\2.0";
    Make(options.c_str(), "Volume", "7");
    Make(other.c_str(), "", "");
    Make(kApp, "", "D:\\OTHER\\TQLTEST.EXE");
    EXPECT_EQ(1, DeleteKeys());
    EXPECT_FALSE(KeyExists(kVersion));
    EXPECT_FALSE(KeyExists(kUninstall));
    EXPECT_TRUE(KeyExists(other));
    EXPECT_TRUE(KeyExists(kApp));
    DeleteKeyTree(kProduct);
    DeleteKeyTree(kApp);
}

TEST(ProductRegistry, RefusesNamesThatWouldNameAParentKey)
{
    std::string longName(210, 'N');
    const char *bad[][4] = {
        {"", "Tql Test PC", "1.0", "Tql Test App"},
        {"TQLTEST.EXE", "\\", "1.0", "Tql Test App"},
        {"TQLTEST.EXE", "Tql Test PC", " \\ ", "Tql Test App"},
        {"TQLTEST.EXE", "Tql Test PC", "1.0", ""},
        {"TQLTEST.EXE", "\\Tql Test PC", "1.0", "Tql Test App"},
        {"TQLTEST.EXE", "Tql Test PC", "1.0", "Tql\\\\Test App"},
        {"TQLTEST.EXE", "Tql Test PC", "1.0", longName.c_str()},
    };
    for (auto &names : bad) {
        Install(names[0], names[1], names[2], names[3]);
        Outcome o = RunRemoval(DeleteKeys);
        EXPECT_EQ(0, o.result) << names[1] << names[2] << names[3];
        EXPECT_TRUE(o.boxes.empty());
        for (const char *key : {kApp, kVersion, kProduct, kUninstall})
            EXPECT_TRUE(KeyExists(key)) << key;
    }
    EXPECT_EQ(1, CheckKeyName("ORVA PC\\"));
    EXPECT_EQ(1, CheckKeyName("ORVA\\PC"));
    Install();
    EXPECT_EQ(1, DeleteKeys());
}
