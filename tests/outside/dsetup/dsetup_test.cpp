// The DirectX setup library: the sample CD's runtime directories, and what
// a directory must hold for each result, with the record it leaves.
#include <gtest/gtest.h>
#include "tests/support/files.h"
#include "platform/dsetup.h"

static const char RecordKey[] = "Software\\ORVA DirectX Runtime";
static const DWORD AllComponents = 0x23F;

static int RunSetup(const std::string &dir, DWORD flags = AllComponents)
{
    std::string writable = dir;
    return DirectXSetup(nullptr, &writable[0], flags);
}

static std::string Record(const char *name)
{
    std::string bytes;
    return ReadValue(RecordKey, name, &bytes) ? bytes : "<missing>";
}

static std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char *>(&value), 4);
}

static const std::string AllFiles = std::string(
    "DRAW.RTM\0SOUND.RTM\0PLAY.RTM\0DRAWDRV.RTM\0SNDDRV.RTM\0PLAYSP.RTM\0D3D.RTM\0\0",
    71);

TEST(DirectXSetup, SampleCdAtInstallsWithoutRestart)
{
    DeleteKeyTree(RecordKey);
    EXPECT_EQ(0, RunSetup("Q:\\DIRECTX\\AT\\"));
    EXPECT_EQ(std::string("Q:\\DIRECTX\\AT\\") + '\0', Record("Source"));
    EXPECT_EQ(std::string("5.0.0.1") + '\0', Record("Version"));
    EXPECT_EQ(Dword(AllComponents), Record("Components"));
    EXPECT_EQ(AllFiles, Record("Files"));
    EXPECT_EQ(Dword(0), Record("Restart"));
    DeleteKeyTree(RecordKey);
}

TEST(DirectXSetup, SampleCdNecAsksForARestartAndReplacesTheRecord)
{
    DeleteKeyTree(RecordKey);
    EXPECT_EQ(0, RunSetup("Q:\\DIRECTX\\AT"));  // without the trailing backslash
    EXPECT_EQ(1, RunSetup("Q:\\DIRECTX\\NEC\\"));
    EXPECT_EQ(std::string("Q:\\DIRECTX\\NEC\\") + '\0', Record("Source"));
    EXPECT_EQ(std::string("5.0.0.2") + '\0', Record("Version"));
    EXPECT_EQ(AllFiles, Record("Files"));
    EXPECT_EQ(Dword(1), Record("Restart"));
    DeleteKeyTree(RecordKey);
}

// A copy of the AT directory to spoil in one way per test.
class DamagedRuntime : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        DeleteKeyTree(RecordKey);
        dir = MakeTempDir("tqldxrt");
        for (const char *name : {"RUNTIME.INI", "DRAW.RTM", "SOUND.RTM", "PLAY.RTM",
                                 "DRAWDRV.RTM", "SNDDRV.RTM", "PLAYSP.RTM", "D3D.RTM"})
            WriteBytes(dir + "\\" + name,
                       ReadBytes(std::string("Q:\\DIRECTX\\AT\\") + name));
    }
    void TearDown() override
    {
        RemoveTree(dir);
        DeleteKeyTree(RecordKey);
    }
    void ExpectNoRecord() { EXPECT_FALSE(KeyExists(RecordKey)); }
};

TEST_F(DamagedRuntime, IntactCopyInstalls)
{
    EXPECT_EQ(0, RunSetup(dir));
    EXPECT_EQ(dir + '\0', Record("Source"));
}

TEST_F(DamagedRuntime, MissingOrResizedFileIsASourceError)
{
    DeleteFileA((dir + "\\SNDDRV.RTM").c_str());
    EXPECT_EQ(DSETUPERR_SOURCEFILE, RunSetup(dir));
    ExpectNoRecord();
    // Only the files of the requested components are needed.
    EXPECT_EQ(0, RunSetup(dir, DSETUP_DDRAW | DSETUP_D3D));
    EXPECT_EQ(std::string("DRAW.RTM\0D3D.RTM\0\0", 18), Record("Files"));
    EXPECT_EQ(Dword(DSETUP_DDRAW | DSETUP_D3D), Record("Components"));
    DeleteKeyTree(RecordKey);

    WriteBytes(dir + "\\D3D.RTM", "short");
    EXPECT_EQ(DSETUPERR_SOURCEFILE, RunSetup(dir, DSETUP_D3D));
    DeleteFileA((dir + "\\D3D.RTM").c_str());
    CreateDirectoryA((dir + "\\D3D.RTM").c_str(), nullptr);
    EXPECT_EQ(DSETUPERR_SOURCEFILE, RunSetup(dir, DSETUP_D3D));
    ExpectNoRecord();
}

TEST_F(DamagedRuntime, ManifestMissingOrBrokenIsReported)
{
    std::string manifest = dir + "\\RUNTIME.INI";
    WriteBytes(manifest, "[Runtime]\r\nVersion=1\r\n[Files]\r\nDRAW.RTM=x,0x1\r\n");
    EXPECT_EQ(DSETUPERR_BADMANIFEST, RunSetup(dir));
    WriteBytes(manifest, "[Runtime]\r\nVersion=1\r\n");
    EXPECT_EQ(DSETUPERR_BADMANIFEST, RunSetup(dir));
    DeleteFileA(manifest.c_str());
    EXPECT_EQ(DSETUPERR_NOMANIFEST, RunSetup(dir));
    EXPECT_EQ(DSETUPERR_NOMANIFEST, RunSetup(dir + "\\nowhere"));
    ExpectNoRecord();
}

TEST(DirectXSetup, NoSourceOrNoComponentIsABadParameter)
{
    DeleteKeyTree(RecordKey);
    EXPECT_EQ(DSETUPERR_BADPARAM, DirectXSetup(nullptr, nullptr, AllComponents));
    EXPECT_EQ(DSETUPERR_BADPARAM, RunSetup("", AllComponents));
    EXPECT_EQ(DSETUPERR_BADPARAM, RunSetup("Q:\\DIRECTX\\AT", 0x1000));
    EXPECT_FALSE(KeyExists(RecordKey));
}

TEST(DirectXSetup, CdLibraryExportsTheUndecoratedName)
{
    HMODULE library = LoadLibraryA("Q:\\dsetup.dll");
    ASSERT_NE(nullptr, library);
    EXPECT_NE(nullptr, GetProcAddress(library, "DirectXSetup"));
    FreeLibrary(library);
}
