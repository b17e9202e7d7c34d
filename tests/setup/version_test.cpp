// The file version query: reading "FileVersion" from real version
// resources, parsing version texts, comparing versions, and the end of
// setup when a version cannot be read.
#include <gtest/gtest.h>
#include "install_support.h"
#include "setup/version.h"

namespace {

struct Parsed {
    const char *text;
    int fields[4];
};

std::vector<int> Parse(const char *text)
{
    int f[4] = {-7, -7, -7, -7};
    ParseFileVersion(text, f);
    return {f[0], f[1], f[2], f[3]};
}

std::string VersionOf(const std::string &path, int *result = nullptr)
{
    char version[32];
    memset(version, 'x', sizeof version);
    int r = GetFileVersionString(path.c_str(), version);
    if (result)
        *result = r;
    return r ? std::string(version) : std::string("<none>");
}

class VersionTest : public ::testing::Test {
protected:
    void SetUp() override { ResetInstallState(); }
};

TEST_F(VersionTest, ParsesTheWrittenForms)
{
    EXPECT_EQ(Parse("4.11.15.60"), (std::vector<int>{4, 11, 15, 60}));
    EXPECT_EQ(Parse("4, 11, 15, 60"), (std::vector<int>{4, 11, 15, 60}));
    EXPECT_EQ(Parse("R4.11.15.60"), (std::vector<int>{4, 11, 15, 60}));
    EXPECT_EQ(Parse("4.11"), (std::vector<int>{4, 11, 0, 0}));
    EXPECT_EQ(Parse("11a"), (std::vector<int>{11, 0, 0, 0}));
    EXPECT_EQ(Parse("4.11a.15.60"), (std::vector<int>{4, 11, 15, 60}));
    EXPECT_EQ(Parse(""), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Parse("1.2.3.4.5.6"), (std::vector<int>{1, 2, 3, 4}));
    // The first field keeps only its digits; the later ones are converted
    // as they stand (a sign counts, a letter ends the number).
    EXPECT_EQ(Parse("V 4.-1.x2.+7"), (std::vector<int>{4, -1, 0, 7}));
}

TEST_F(VersionTest, CutsLongFieldsAndClampsLargeNumbers)
{
    // A field longer than 15 characters is cut to 15: "000000000000001"
    // of "0000000000000012345" is read, and the numbers stay within 32 bits.
    EXPECT_EQ(Parse("1.0000000000000012345.3.4"), (std::vector<int>{1, 1, 3, 4}));
    EXPECT_EQ(Parse("99999999999999999999.2147483648.-2147483649.5"),
              (std::vector<int>{2147483647, 2147483647, -2147483647 - 1, 5}));
    // The cut does not shift the following fields.
    EXPECT_EQ(Parse("1.2345678901234567890123.9.8"),
              (std::vector<int>{1, 2147483647, 9, 8}));
}

TEST_F(VersionTest, ComparesFieldByField)
{
    int cd[4] = {4, 11, 15, 60};
    int same[4] = {4, 11, 15, 60};
    int five[4] = {5, 0, 0, 0};
    int a[4] = {4, 12, 15, 60}, b[4] = {4, 11, 15, 61};
    EXPECT_EQ(IsVersionAtLeast(same, cd), 1);
    EXPECT_EQ(IsVersionAtLeast(five, cd), 0);
    EXPECT_EQ(IsVersionAtLeast(cd, five), 0);
    EXPECT_EQ(IsVersionAtLeast(a, b), 0);
    int newer[4] = {4, 12, 16, 60};
    EXPECT_EQ(IsVersionAtLeast(newer, cd), 1);
}

TEST_F(VersionTest, ReadsTheCodecOnTheCd)
{
    int r = 0;
    EXPECT_EQ(VersionOf(CdPath("INDEO41\\IR41_32.DLL"), &r), "4.11.15.60");
    EXPECT_EQ(r, 1);
}

TEST_F(VersionTest, ChoosesTheStringBlock)
{
    // Two translations: the English (United States) 1252 block.
    EXPECT_EQ(VersionOf(ModuleDir() + "twotrans.dll"), "1.2.3.4");
    // One translation 0411/932: the block "041103a4", not the default.
    EXPECT_EQ(VersionOf(ModuleDir() + "japanese.dll"), "3.1.4.1");
}

TEST_F(VersionTest, CutsALongVersionTextTo31Characters)
{
    char version[40];
    memset(version, 'x', sizeof version);
    ASSERT_EQ(GetFileVersionString((ModuleDir() + "longver.dll").c_str(), version), 1);
    EXPECT_STREQ(version, std::string("10.20.30.40 built 1996-12-07 for the CD master")
                              .substr(0, 31).c_str());
    EXPECT_EQ(version[32], 'x');  // nothing written past the 32 bytes
}

TEST_F(VersionTest, NoReadableVersion)
{
    int r = -1;
    EXPECT_EQ(VersionOf(ModuleDir() + "plain.dll", &r), "<none>");
    EXPECT_EQ(r, 0);
    // A block without "FileVersion" counts as no readable version.
    EXPECT_EQ(VersionOf(ModuleDir() + "nofilever.dll", &r), "<none>");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(VersionOf(CdPath("DOCS\\README.TXT"), &r), "<none>");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(VersionOf("C:\\h6test\\no such file.dll", &r), "<none>");
    EXPECT_EQ(r, 0);
}

// The FileVersion text of the first translation, read with the wide API.
std::string WideFileVersion(const std::string &path)
{
    std::wstring wpath(path.begin(), path.end());
    DWORD h = 0, size = GetFileVersionInfoSizeW(wpath.c_str(), &h);
    std::vector<char> buf(size);
    if (!size || !GetFileVersionInfoW(wpath.c_str(), 0, size, buf.data()))
        return "";
    WORD *t = nullptr;
    UINT len = 0;
    wchar_t block[64] = L"\\StringFileInfo\\040904E4\\FileVersion";
    if (VerQueryValueW(buf.data(), L"\\VarFileInfo\\Translation", (void **)&t, &len) &&
        len == 4)
        swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", t[0], t[1]);
    wchar_t *v = nullptr;
    if (!VerQueryValueW(buf.data(), block, (void **)&v, &len) || !v)
        return "";
    std::string out;
    for (; *v; v++)
        out += (char)*v;
    return out;
}

TEST_F(VersionTest, ReadsTheSystemsOwnLibraries)
{
    char sys[MAX_PATH];
    GetSystemDirectoryA(sys, MAX_PATH);
    for (const char *dll : {"kernel32.dll", "user32.dll", "comctl32.dll", "version.dll"}) {
        std::string path = std::string(sys) + "\\" + dll;
        std::string expected = WideFileVersion(path).substr(0, 31);
        ASSERT_FALSE(expected.empty()) << path;
        int r = 0;
        std::string got = VersionOf(path, &r);
        EXPECT_EQ(r, 1) << path;
        EXPECT_EQ(got, expected) << path;
        EXPECT_GT(Parse(got.c_str())[0], 0) << path << " " << got;
    }
}

TEST_F(VersionTest, InstalledFileCurrentOrNot)
{
    std::string cd = CdPath("INDEO41\\IR41_32.DLL");
    Answered o = RunAnswered([&] {
        EXPECT_EQ(IsInstalledFileCurrent(cd.c_str(), cd.c_str()), 1);
        EXPECT_EQ(IsInstalledFileCurrent(cd.c_str(), (ModuleDir() + "newer.dll").c_str()), 1);
        EXPECT_EQ(IsInstalledFileCurrent(cd.c_str(), (ModuleDir() + "older.dll").c_str()), 0);
        EXPECT_EQ(IsInstalledFileCurrent((ModuleDir() + "newer.dll").c_str(), cd.c_str()), 0);
    });
    EXPECT_TRUE(o.finished);
    EXPECT_FALSE(o.aborted);
    EXPECT_TRUE(o.windows.empty());
}

TEST_F(VersionTest, UnreadableSourceVersionEndsSetup)
{
    std::string cd = CdPath("INDEO41\\IR41_32.DLL");
    Answered o = RunAnswered([&] {
        IsInstalledFileCurrent((ModuleDir() + "plain.dll").c_str(), cd.c_str());
    });
    EXPECT_TRUE(o.aborted);
    EXPECT_FALSE(o.finished);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine("Setup", Slot(50))}));
}

TEST_F(VersionTest, UnreadableInstalledVersionEndsSetup)
{
    std::string cd = CdPath("INDEO41\\IR41_32.DLL");
    Answered o = RunAnswered([&] {
        IsInstalledFileCurrent(cd.c_str(), (ModuleDir() + "nofilever.dll").c_str());
    });
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine("Setup", Slot(51))}));
}

}  // namespace
