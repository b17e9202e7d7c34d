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
    return DeleteProductRegistry(
        {ExecFileName, ProductName, ProductVersion, ApplicationName},
        "Uninstall");
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

TEST(ProductRegistry, DeletesTheFourKeysOnceAndKeepsTheMakersKey)
{
    Install("TQLTEST.EXE", "Tql Test PC\\");
    Outcome o = RunAnswering(DeleteKeys);
    EXPECT_EQ(1, o.result);
    EXPECT_TRUE(o.boxes.empty());
    for (const char *key : {kApp, kVersion, kProduct, kUninstall})
        EXPECT_FALSE(KeyExists(key)) << key;
    EXPECT_TRUE(KeyExists(kMaker));
    o = RunAnswering(DeleteKeys);
    EXPECT_EQ(0, o.result);
    EXPECT_TRUE(o.boxes.empty());
}

TEST(ProductRegistry, AVersionKeyDeletedByHandStopsAfterOneMessage)
{
    Install();
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, kVersion));
    Outcome o = RunAnswering(DeleteKeys);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({"Uninstall|Registry delete failed."}), o.boxes);
    EXPECT_FALSE(KeyExists(kApp));
    EXPECT_TRUE(KeyExists(kProduct));
    EXPECT_TRUE(KeyExists(kUninstall));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProduct);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstall);
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
        Outcome o = RunAnswering(DeleteKeys);
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
