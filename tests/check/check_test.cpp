// The CD checker: the sample CD passes; each check is proved by a copy of
// the sample CD with one key or one file wrong, and for the settings the
// setup program's own code shows that setup does what the finding says.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>
#include "setup/config.h"
#include "setup/rules.h"
#include "common/text.h"
#include "common/removal.h"
#include "tests/support/files.h"

namespace {

std::string Env(const char *name)
{
    const char *v = getenv(name);
    return v ? v : "";
}

void CopyTree(const std::string &from, const std::string &to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    ASSERT_TRUE(Exists(from)) << from;
    ForEachEntry(from, [&](const WIN32_FIND_DATAA &f) {
        std::string name = f.cFileName;
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
            SetFileAttributesA((to + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    });
}

// A fresh copy of the sample CD.
std::string MakeCd()
{
    std::string cd = MakeTempDir("tqlcheck-cd");
    CopyTree(Env("TQL_CD"), cd);
    return cd;
}

// Puts "text" on line n (1-based) of TQL.INI, keeping every other line.
void SetLine(const std::string &cd, int n, const std::string &text)
{
    std::ifstream in(cd + "\\TQL.INI", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    in.close();
    lines.at(n - 1) = text + "\r";
    std::ofstream out(cd + "\\TQL.INI", std::ios::binary);
    for (auto &l : lines)
        out << l << "\n";
}

// A file of the build (named by an environment variable) onto the CD.
void CopyTo(const std::string &cd, const char *from, const char *to)
{
    CopyFileA(Env(from).c_str(), (cd + "\\" + to).c_str(), FALSE);
}

// Runs the checker on dir; returns its exit code, output in out.
int RunChecker(const std::string &dir, std::string &out)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string file = std::string(temp) + "tqlcheck.out";
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa,
                           CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = h;
    PROCESS_INFORMATION pi;
    std::string line = "\"" + Env("TQL_CHECK") + "\" \"" + dir + "\"";
    // Wine now and then refuses to start a process on a loaded machine: a
    // few tries, so that only a checker that never starts fails the test.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; attempt++) {
        if (attempt)
            Sleep(1000);
        started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0,
                                 nullptr, nullptr, &si, &pi);
    }
    EXPECT_TRUE(started) << "error " << GetLastError();
    if (!started) {
        CloseHandle(h);
        return 99;
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 120000));
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(h);
    out.clear();
    for (char c : ReadBytes(file))
        if (c != '\r')
            out += c;
    return (int)code;
}

// Reads TQL.INI of cd as setup does (English system).
int LoadAsSetup(const std::string &cd)
{
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    SetCurrentDirectoryA(cd.c_str());
    ConfigLanguageOverride = "English";
    int r = LoadSetupConfig();
    SetCurrentDirectoryA(old);
    return r;
}

void ExpectFinding(const std::string &out, const std::string &line, int code,
                   int expected = 1)
{
    EXPECT_NE(std::string::npos, out.find(line + "\n")) << out;
    EXPECT_EQ(expected, code) << out;
}

TEST(CheckCd, SamplePassesWithoutFindings)
{
    std::string out;
    EXPECT_EQ(0, RunChecker(Env("TQL_CD"), out));
    EXPECT_NE(std::string::npos, out.find("\n0 errors, 0 warnings\n")) << out;
    EXPECT_EQ(std::string::npos, out.find("error:")) << out;
    // A Japanese group name that ends in a character whose trail byte is a
    // backslash (0x83 0x5C, katakana "so") is one folder on a code page
    // 932 system, whatever code page the checker runs in.
    std::string cd = MakeCd();
    SetLine(cd, 62, "GroupTitle=ORVA \x83\x5C");
    EXPECT_EQ(0, RunChecker(cd, out)) << out;
}

TEST(CheckCd, BadInputEndsWithCodeTwo)
{
    std::string out;
    EXPECT_EQ(2, RunChecker("C:\\no\\such\\cd", out));
    EXPECT_NE(std::string::npos, out.find("fatal: cannot read the directory")) << out;
    std::string cd = MakeCd();
    DeleteFileA((cd + "\\TQL.INI").c_str());
    EXPECT_EQ(2, RunChecker(cd, out));
    EXPECT_NE(std::string::npos, out.find("fatal: no TQL.INI in \"" + cd)) << out;
    WriteBytes(cd + "\\TQL.INI", std::string("\x7f\x45\x4c\x46\x00\x01\x02\xff", 8));
    EXPECT_EQ(2, RunChecker(cd, out));
    EXPECT_NE(std::string::npos, out.find("fatal: TQL.INI is not a text file")) << out;
    cd = MakeCd();
    CopyTo(cd, "TQL_CRASHMSG", "msgeng.dll");
    EXPECT_EQ(2, RunChecker(cd, out));
    EXPECT_NE(std::string::npos,
              out.find("fatal: msgeng.dll: the message library crashed in MsgSetup")) << out;
    CopyTo(cd, "TQL_HANGMSG", "msgeng.dll");
    EXPECT_EQ(2, RunChecker(cd, out));
    EXPECT_NE(std::string::npos,
              out.find("fatal: msgeng.dll: MsgSetup did not return within 20 seconds")) << out;
}

// Settings: each finding with what setup's own reading does.
TEST(CheckCd, SettingsAgreeWithSetup)
{
    std::string cd = MakeCd(), out;
    SetLine(cd, 90, "MainDlgBoxTitle=ORVA PC Setup for every machine of the house");
    ExpectFinding(out, "TQL.INI:90: error: [English] MainDlgBoxTitle is 44 bytes long; "
                       "setup keeps 32 (capacity 33): \"ORVA PC Setup for every machine \"",
                  RunChecker(cd, out));
    ASSERT_EQ(1, LoadAsSetup(cd));
    EXPECT_STREQ("ORVA PC Setup for every machine ", Settings.MainDlgBoxTitle);

    cd = MakeCd();
    SetLine(cd, 82, "GroupTitle=ORVA \"PC\"");
    ExpectFinding(out, "TQL.INI:82: error: [English] GroupTitle \"ORVA \"PC\"\" holds a double "
                       "quote; the Program Manager group would not be created",
                  RunChecker(cd, out));
    ASSERT_EQ(1, LoadAsSetup(cd));
    char command[128];
    EXPECT_EQ(0, FormatGroupCommand(command, sizeof command, "CreateGroup", Settings.GroupTitle));

    cd = MakeCd();
    SetLine(cd, 16, "SourcePath1=none");
    SetLine(cd, 20, "RequiresDskSpc=20 MB");
    SetLine(cd, 84, "HelpTitle=none");
    SetLine(cd, 83, "GameTitle=None");
    int code = RunChecker(cd, out);
    ExpectFinding(out, "TQL.INI:16: error: [option] SourcePath1 is missing or None; "
                       "setup stops with \"szSrcDir Load faild.\"", code);
    ExpectFinding(out, "TQL.INI:20: error: [option] RequiresDskSpc \"20 MB\" does not read "
                       "as a number; setup takes it as 20", code);
    ExpectFinding(out, "TQL.INI:84: warning: [English] HelpTitle \"none\" is not \"None\" as "
                       "the documents step reads it (letter case counts); it is taken as a name",
                  code);
    ExpectFinding(out, "TQL.INI:83: error: [English] GameTitle is missing or None; setup "
                       "stops with \"GameTitle  Load faild.\"", code);
    // Setup's reading of the same file: the messages it stops with, the
    // figure it takes, and a "none" that its documents step keeps.
    static std::string stops;
    stops.clear();
    ConfigMissingHook = [](const char *, const char *, const char *message) {
        stops += std::string(message) + "\n";
        return 1;
    };
    LoadAsSetup(cd);
    CheckSetupTitles();
    ConfigMissingHook = nullptr;
    EXPECT_EQ("szSrcDir Load faild.\nGameTitle  Load faild.\n", stops);
    EXPECT_EQ(20, ReadDecimal(Settings.RequiresDskSpc));
    EXPECT_STREQ("none", Settings.HelpTitle);
}

// Names, files and limits: one wrong thing per CD, one exact line each.
struct Case {
    const char *name;
    int line;                 // TQL.INI line to replace, 0: none
    const char *text;         // its new text
    const char *removeFile;   // a CD file to delete, or ""
    const char *finding;      // lines of the output, "\n" between them
    void (*prepare)(const std::string &cd) = nullptr;  // anything else wrong
};

void InfFormatTwo(const std::string &cd)
{
    WriteBytes(cd + "\\TQL.INF", "[Setup]\r\nFormat=2\r\nTitle=ORVA\r\n");
}
void InfWithoutTitle(const std::string &cd)
{
    WriteBytes(cd + "\\TQL.INF", "[Setup]\r\nFormat=1\r\n");
}
void RuntimeSizeWrong(const std::string &cd)
{
    WriteBytes(cd + "\\DIRECTX\\NEC\\RUNTIME.INI", "[Files]\r\nDRAW.RTM=999,0x1\r\n");
}
void EmptyFirstTree(const std::string &cd)
{
    CreateDirectoryA((cd + "\\EMPTY").c_str(), nullptr);
}
void UnloadableMsg(const std::string &cd) { WriteBytes(cd + "\\msgeng.dll", "no library"); }
void UnloadableCui(const std::string &cd) { WriteBytes(cd + "\\mscuieng.dll", "no library"); }
void MsgWithHoles(const std::string &cd) { CopyTo(cd, "TQL_HOLEMSG", "msgeng.dll"); }
// A library without a version resource.
void CodecWithoutVersion(const std::string &cd)
{
    CopyTo(cd, "TQL_CRASHMSG", "INDEO41\\IR41_32.DLL");
}
// Names the Win32 calls would refuse or change, made through the "\\?\"
// form that passes a name to the file system as it is.
void MakeRawFile(const std::string &cd, const std::wstring &name)
{
    std::wstring path = L"\\\\?\\" + std::wstring(cd.begin(), cd.end()) + L"\\DATA\\" + name;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << GetLastError();
    CloseHandle(h);
}
void DeviceName(const std::string &cd) { MakeRawFile(cd, L"AUX.DAT"); }
void TrailingDot(const std::string &cd) { MakeRawFile(cd, L"NOTES."); }
void NotInCp932(const std::string &cd) { MakeRawFile(cd, L"\u00e9T\u00e9.DAT"); }
void JapaneseName(const std::string &cd) { MakeRawFile(cd, L"\u30dc\u30a4\u30b9.WAV"); }

const Case kCases[] = {
    {"group part of dots", 82, "GroupTitle=ORVA\\..", "",
     "TQL.INI:82: error: [English] GroupTitle \"ORVA\\..\" has a part that is empty or only "
     "dots and blanks; the Program Manager group would not be created"},
    {"empty group", 82, "GroupTitle=", "",
     "TQL.INI:82: error: [English] GroupTitle \"\" is empty; the Program Manager group "
     "would not be created"},
    {"help name without dot", 86, "HelpFileNameDst=ORVAHLP", "",
     "TQL.INI:86: warning: [English] HelpFileNameDst \"ORVAHLP\" has no \".\"; setup takes "
     "its contents file as \"ORVAHLP.CNT\""},
    {"key name", 11, "ProductName=\\ORVA", "",
     "TQL.INI:11: error: [Option] ProductName \"\\ORVA\" is refused as a registry key name; "
     "the product key would not be written"},
    {"key name on English systems", 11, "ProductName=ORVA \x83\x5C", "",
     "TQL.INI:12: error: [Option] ProductVersion \"ORVA \x83\\\\1.0\\\" is refused as a "
     "registry key name on systems of a single-byte code page; the version key would not "
     "be written"},
    {"INF format", 0, "", "",
     "TQL.INF: error: [Setup] Format is not 1; the toolkit refuses the INF file",
     InfFormatTwo},
    {"INF title", 0, "", "",
     "TQL.INF: error: [Setup] Title is missing; the toolkit refuses the INF file",
     InfWithoutTitle},
    {"empty first tree", 16, "SourcePath1=EMPTY", "",
     "TQL.INI:16: error: the first source tree \"EMPTY\\\" holds no file; the copy stops "
     "before it starts", EmptyFirstTree},
    {"no DirectX manifest", 0, "", "DIRECTX\\AT\\RUNTIME.INI",
     "TQL.INI:40: error: the DirectX directory \"DIRECTX\\AT\\\" has no RUNTIME.INI"},
    {"DirectX size", 0, "", "",
     "DIRECTX\\NEC\\DRAW.RTM: error: is 240 bytes; RUNTIME.INI says 999,0x1",
     RuntimeSizeWrong},
    {"minimal disk space", 21, "RequiresDskSpc2=4096", "",
     "TQL.INI:21: warning: [option] RequiresDskSpc2 4096 is below the "},
    {"no uninstaller", 0, "", "UNINST.EXE",
     "TQL.INI:15: error: the uninstaller \"UNINST.EXE\" is not on the CD"},
    {"no message library", 77, "LoadMsgModule=nosuch.dll", "",
     "TQL.INI:77: error: the message library \"nosuch.dll\" is not on the CD; setup stops "
     "with \"Can't load Msg Library\""},
    {"not a dialog library", 76, "LoadModule=msgeng.dll", "",
     "msgeng.dll: error: does not export the dialog procedure FInfoDlgProc\n"
     "msgeng.dll: error: dialog template 7000 is missing\n"
     "msgeng.dll: error: dialog template 7302 is missing\n"
     "msgeng.dll: error: frame bitmap 1 is missing"},
    {"no dialog library", 76, "LoadModule=nosuch.dll", "",
     "TQL.INI:76: error: the dialog library \"nosuch.dll\" is not on the CD"},
    {"dialog library not loadable", 0, "", "",
     "TQL.INI:76: error: mscuieng.dll cannot be loaded; no dialog of setup could be shown",
     UnloadableCui},
    {"message library not loadable", 0, "", "",
     "TQL.INI:77: error: msgeng.dll cannot be loaded; setup stops with \"Can't load Msg "
     "Library\"", UnloadableMsg},
    {"no MsgSetup", 77, "LoadMsgModule=mscuieng.dll", "",
     "TQL.INI:77: error: mscuieng.dll has no MsgSetup; setup stops with \"Can't "
     "GetProcAddress() for Msg.DLL MsgSetup()\""},
    {"message table with holes", 0, "", "",
     "msgeng.dll: error: MsgSetup leaves slot 2 without a dialog template number\n"
     "msgeng.dll: error: MsgSetup leaves slot 4 without a dialog template number\n"
     "msgeng.dll: error: MsgSetup leaves slot 21 without a text of the library\n"
     "msgeng.dll: error: MsgSetup leaves slot 22 without a text of the library\n"
     "msgeng.dll: error: dialog template 2 is missing\n"
     "msgeng.dll: error: dialog template 7080 is missing\n"
     "mscuieng.dll: error: dialog template 9999 is missing", MsgWithHoles},
    {"item title", 83, "GameTitle=ORVA \"PC\"", "",
     "TQL.INI:83: error: [English] GameTitle \"ORVA \"PC\"\" holds a double quote; the "
     "Program Manager item would not be created"},
    {"DefaultPath", 19, "DefaultPath=\\OR\"VA\\", "",
     "TQL.INI:19: error: [option] DefaultPath \"C:\\OR\"VA\\\" holds a double quote; no "
     "Program Manager item would be created (their command lines start with it)\n"
     "TQL.INI:19: error: [option] DefaultPath \"C:\\OR\"VA\\\": the folder \"OR\"VA\" holds "
     "a character that Windows forbids in names"},
    {"forbidden character", 89, "TextFileNameDst=READ|ME.TXT", "",
     "TQL.INI:89: error: [English] TextFileNameDst \"READ|ME.TXT\" holds a character that "
     "Windows forbids in names"},
    {"lead byte without trail byte", 69, "TextFileNameDst=README\x81.TXT", "",
     "TQL.INI:69: error: [Japanese] TextFileNameDst \"README\x81.TXT\" is not valid in code "
     "page 932 (a lead byte without a proper trail byte or a character the code page lacks)"},
    {"device name", 0, "", "",
     "DATA\\AUX.DAT: error: the name is a reserved device name", DeviceName},
    {"trailing dot", 0, "", "",
     "DATA\\NOTES.: error: the name ends in a dot or a blank, which Windows strips",
     TrailingDot},
    {"name outside code page 932", 0, "", "",
     "DATA\\\u00e9T\u00e9.DAT: note: the name is held by code pages 936, 1250, 1252, 1254, "
     "1256, 1257: a Windows 95/98 system of another language cannot install it (Windows "
     "NT and later, and Wine, install it on every language)", NotInCp932},
    {"Japanese name", 0, "", "",
     "DATA\\\u30dc\u30a4\u30b9.WAV: note: the name is held by code pages 932, 936, 949: a "
     "Windows 95/98 system of another language cannot install it", JapaneseName},
    {"no INF file", 0, "", "TQL.INF",
     "TQL.INI:24: error: the INF file \"TQL.INF\" is not on the CD"},
    {"no first tree", 16, "SourcePath1=NOSUCH", "",
     "TQL.INI:16: error: the first source tree \"NOSUCH\\\" is not on the CD"},
    {"no second tree", 17, "SourcePath2=NOSUCH", "",
     "TQL.INI:17: warning: the second source tree \"NOSUCH\" is not on the CD; setup "
     "copies the first tree only"},
    {"codec version", 0, "", "",
     "INDEO41\\IR41_32.DLL: error: has no FileVersion that the codec check can read",
     CodecWithoutVersion},
    {"no game program", 0, "", "GAME\\ORVA.EXE",
     "TQL.INI:22: error: \"ORVA.EXE\" is not in the first source tree \"GAME\\\"; the "
     "installed game cannot start"},
    {"no document", 0, "", "DOCS\\README.TXT",
     "TQL.INI:68: error: the document \"DOCS\\README.TXT\" is not on the CD; setup stops "
     "when it copies the documents"},
    {"DirectX file", 0, "", "DIRECTX\\NEC\\D3D.RTM",
     "DIRECTX\\NEC\\RUNTIME.INI: error: lists D3D.RTM, which is not on the CD"},
    {"codec", 0, "", "INDEO41\\IR41_32.DLL",
     "TQL.INI:44: error: the video codec \"INDEO41\\IR41_32.DLL\" is not on the CD"},
    {"uninstaller outside the Windows folder", 15, "UnInstExe=..\\UNINST.EXE", "",
     "TQL.INI:15: error: [Option] UnInstExe \"..\\UNINST.EXE\" is not a plain file name of "
     "the Windows folder. Setup refuses the CD at start-up."},
    {"blank in the uninstaller", 15, "UnInstExe=ORVA UNINST.EXE", "",
     "TQL.INI:15: error: [Option] UnInstExe \"ORVA UNINST.EXE\" holds a blank, where the "
     "uninstall command line would split."},
    {"settings file of the system", 23, "IniFileName=WIN.INI", "",
     "TQL.INI:23: error: [option] IniFileName \"WIN.INI\" names a file of the system."},
    {"message library of the settings file's name", 77, "LoadMsgModule=ORVA.INI", "",
     "TQL.INI:77: error: [English] LoadMsgModule \"ORVA.INI\" is the name of another file "
     "that setup puts into the Windows folder."},
    {"disk space", 20, "RequiresDskSpc=4096", "",
     "TQL.INI:20: error: [option] RequiresDskSpc 4096 is below the "},
};

TEST(CheckCd, EachCheckHasACdThatFailsIt)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        std::string cd = MakeCd(), out;
        if (c.line)
            SetLine(cd, c.line, c.text);
        if (c.removeFile[0])
            DeleteFileA((cd + "\\" + c.removeFile).c_str());
        if (c.prepare)
            c.prepare(cd);
        int code = RunChecker(cd, out);
        std::istringstream lines(c.finding);
        for (std::string line; std::getline(lines, line);)
            EXPECT_NE(std::string::npos, out.find(line)) << line << "\n" << out;
        EXPECT_EQ(strstr(c.finding, ": error:") ? 1 : 0, code) << out;
    }
}

// The longest installed path against the copy's limit.
TEST(CheckCd, LongestPathAgainstTheCopysLimit)
{
    std::string cd = MakeCd(), out;
    SetLine(cd, 19, "DefaultPath=\\" + std::string(240, 'D'));
    EXPECT_EQ(1, RunChecker(cd, out));
    EXPECT_NE(std::string::npos, out.find("DATA\\LEVELS\\2\\BONUS\\LAYOUT: error: installed as")) << out;
    EXPECT_NE(std::string::npos, out.find("(265 bytes), over the 259 bytes of the copy; "
                                          "the copy stops here\n")) << out;
    EXPECT_NE(std::string::npos, out.find("is 265 bytes under DefaultPath (margin -6)")) << out;
    RemoveTree(cd);
}

// A Japanese name takes 2 bytes a character on Windows 95/98 and 3 as
// UTF-8 on the NT family: a path within the limit on the one can be over
// it on the other.
TEST(CheckCd, JapanesePathAgainstTheCopysLimitOnEachFamily)
{
    std::string cd = MakeCd(), out;
    SetLine(cd, 19, "DefaultPath=\\" + std::string(243, 'D'));
    JapaneseName(cd);
    EXPECT_EQ(1, RunChecker(cd, out));
    EXPECT_EQ(std::string::npos, out.find("(257 bytes), over")) << out;
    EXPECT_NE(std::string::npos,
              out.find("DATA\\\u30dc\u30a4\u30b9.WAV: error: installed as \"C:\\DDD")) << out;
    EXPECT_NE(std::string::npos,
              out.find("(260 bytes as UTF-8), over the 259 bytes of the copy on Windows NT and "
                       "later and Wine, which spends UTF-8 bytes on a name; the copy stops here "
                       "there\n"))
        << out;
    RemoveTree(cd);
}

}  // namespace
