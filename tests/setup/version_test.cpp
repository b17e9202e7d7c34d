// The file version query: reading "FileVersion" from real version
// resources, parsing version texts, comparing versions, and the end of
// setup when a version cannot be read.
#include <gtest/gtest.h>
#include <map>
#include "install_support.h"
#include "setup/version.h"

namespace {

// One node of a version resource: its lengths and type, its key, its value
// and its children, each on a 32-bit boundary.
void AppendNode(std::vector<char> &out, const wchar_t *key, WORD type, const void *value,
                WORD valueLength, size_t valueBytes, const std::vector<char> &children)
{
    auto pad = [](std::vector<char> &v) { v.resize((v.size() + 3) & ~size_t(3)); };
    pad(out);
    size_t start = out.size();
    out.resize(start + 6);
    const char *k = reinterpret_cast<const char *>(key);
    out.insert(out.end(), k, k + (wcslen(key) + 1) * sizeof(wchar_t));
    pad(out);
    const char *v = static_cast<const char *>(value);
    out.insert(out.end(), v, v + valueBytes);
    pad(out);
    out.insert(out.end(), children.begin(), children.end());
    WORD header[3] = {(WORD)(out.size() - start), valueLength, type};
    memcpy(&out[start], header, sizeof header);
}

// A copy of plain.dll whose version resource gives FileVersion text
// (English, code page 1252), made once per text.
std::string VersionDll(const std::string &text)
{
    static std::map<std::string, std::string> made;
    static std::string dir = TestDir("versions");
    if (made.count(text))
        return made[text];
    std::string path = dir + "v" + std::to_string(made.size()) + ".dll";
    CopyFileA((ModuleDir() + "plain.dll").c_str(), path.c_str(), FALSE);
    std::wstring wide(text.begin(), text.end());
    std::vector<char> string, table, strings, var, vars, root;
    AppendNode(string, L"FileVersion", 1, wide.c_str(), (WORD)(wide.size() + 1),
               (wide.size() + 1) * sizeof(wchar_t), {});
    AppendNode(table, L"040904E4", 1, nullptr, 0, 0, string);
    AppendNode(strings, L"StringFileInfo", 1, nullptr, 0, 0, table);
    const WORD translation[2] = {0x0409, 1252};
    AppendNode(var, L"Translation", 0, translation, 4, 4, {});
    AppendNode(vars, L"VarFileInfo", 1, nullptr, 0, 0, var);
    strings.resize((strings.size() + 3) & ~size_t(3));
    strings.insert(strings.end(), vars.begin(), vars.end());
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    AppendNode(root, L"VS_VERSION_INFO", 0, &fixed, sizeof fixed, sizeof fixed, strings);
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    EXPECT_NE(update, nullptr) << path;
    EXPECT_TRUE(UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), root.data(),
                                (DWORD)root.size()));
    EXPECT_TRUE(EndUpdateResourceA(update, FALSE)) << path;
    return made[text] = path;
}

// Whether a file of version candidate counts as current over the source
// of version reference, as the codec's copy asks: every field at least
// the reference's.
bool AtLeast(const std::string &candidate, const std::string &reference)
{
    std::string installed = VersionDll(candidate), source = VersionDll(reference);
    int current = -1;
    Answered o = RunAnswered([&] {
        current = CompareInstalledVersion(source.c_str(), installed.c_str());
    });
    EXPECT_TRUE(o.windows.empty()) << candidate << " over " << reference;
    return current == 1;
}

// Whether version text reads as the four fields written plainly: each is
// at least the other.
bool ReadsAs(const std::string &text, const std::string &fields)
{
    return AtLeast(text, fields) && AtLeast(fields, text);
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

TEST_F(VersionTest, ReadsTheWrittenForms)
{
    // The made library holds the text as written.
    EXPECT_EQ(VersionOf(VersionDll("4, 11, 15, 60")), "4, 11, 15, 60");
    EXPECT_TRUE(ReadsAs("4, 11, 15, 60", "4.11.15.60"));
    EXPECT_TRUE(ReadsAs("R4.11.15.60", "4.11.15.60"));
    EXPECT_TRUE(ReadsAs("4.11", "4.11.0.0"));
    EXPECT_TRUE(ReadsAs("11a", "11.0.0.0"));
    EXPECT_TRUE(ReadsAs("4.11a.15.60", "4.11.15.60"));
    EXPECT_TRUE(ReadsAs("1.2.3.4.5.6", "1.2.3.4"));
    // The first field keeps only its digits; the later ones are converted
    // as they stand (a sign counts, a letter ends the number).
    EXPECT_TRUE(ReadsAs("V 4.-1.x2.+7", "4.-1.0.7"));
}

TEST_F(VersionTest, CutsLongFieldsAndClampsLargeNumbers)
{
    // A field longer than 15 characters is cut to 15: "000000000000001"
    // of "0000000000000012345" is read, and the numbers stay within 32 bits.
    EXPECT_TRUE(ReadsAs("1.0000000000000012345.3.4", "1.1.3.4"));
    // (Texts of at most 31 characters: the query reads no more.)
    EXPECT_TRUE(ReadsAs("99999999999999999999.2147483648", "2147483647.2147483647.0.0"));
    EXPECT_TRUE(ReadsAs("1.2.-2147483649.5", "1.2.-2147483648.5"));
    // The cut does not shift the following fields.
    EXPECT_TRUE(ReadsAs("1.2345678901234567890123.9.8", "1.2147483647.9.8"));
}

TEST_F(VersionTest, ComparesFieldByField)
{
    EXPECT_TRUE(AtLeast("4.11.15.60", "4.11.15.60"));
    EXPECT_FALSE(AtLeast("5.0.0.0", "4.11.15.60"));
    EXPECT_FALSE(AtLeast("4.11.15.60", "5.0.0.0"));
    EXPECT_FALSE(AtLeast("4.12.15.60", "4.11.15.61"));
    EXPECT_TRUE(AtLeast("4.12.16.60", "4.11.15.60"));
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
        // Installed, it is current over a source of version 1.
        std::string one = VersionDll("1");
        int current = -1;
        RunAnswered([&] { current = CompareInstalledVersion(one.c_str(), path.c_str()); });
        EXPECT_EQ(current, 1) << path << " " << got;
    }
}

TEST_F(VersionTest, InstalledFileCurrentOrNot)
{
    std::string cd = CdPath("INDEO41\\IR41_32.DLL");
    Answered o = RunAnswered([&] {
        EXPECT_EQ(CompareInstalledVersion(cd.c_str(), cd.c_str()), 1);
        EXPECT_EQ(CompareInstalledVersion(cd.c_str(), (ModuleDir() + "newer.dll").c_str()), 1);
        EXPECT_EQ(CompareInstalledVersion(cd.c_str(), (ModuleDir() + "older.dll").c_str()), 0);
        EXPECT_EQ(CompareInstalledVersion((ModuleDir() + "newer.dll").c_str(), cd.c_str()), 0);
    });
    EXPECT_TRUE(o.finished);
    EXPECT_FALSE(o.aborted);
    EXPECT_TRUE(o.windows.empty());
}

}  // namespace
