// The setup program's configuration: TQL.INI read from the start-up
// directory into the settings store, the language choice, the title check
// and the binding of the message library. Each case writes a real TQL.INI
// into a directory of its own, makes it the current directory and runs the
// code on a second thread while the UI robot reads and answers its boxes.
#include <gtest/gtest.h>
#include <direct.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <vector>
#include "platform/templates.h"
#include "setup/config.h"
#include "setup/language.h"
#include "setup/paths.h"
#include "setup/state.h"
#include "common/ui.h"
#include "common/text.h"
#include "tests/support/files.h"
#include "tests/support/worker.h"
#include "tests/support/clean_machine.h"

namespace {

const char kStartup[] = "Setup Initialize error";

// A message box as the user saw it.
struct Box {
    std::string caption, text;
    bool topmost = false, owned = false, warning = false;
};

// Runs fn on a worker thread with cwd as the current directory and answers
// every box it shows with OK. Returns fn's result; boxes receives them.
int RunInDirectory(const std::string &cwd, const std::function<int()> &fn,
                   std::vector<Box> &boxes)
{
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    EXPECT_TRUE(SetCurrentDirectoryA(cwd.c_str())) << cwd;
    FixDrivePrefix();  // as the main sequence does before reading TQL.INI
    int result = -1;
    HICON warning = LoadIconA(nullptr, IDI_WARNING);
    RunAnswered([&] { result = fn(); }, [&](Robot &robot, const SeenWindow &w) {
        if (w.kind != "box" || w.pid != GetCurrentProcessId())
            return;
        Box b;
        b.caption = w.caption;
        b.text = w.text;
        b.topmost = (GetWindowLongA(w.hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        b.owned = GetWindow(w.hwnd, GW_OWNER) != nullptr;
        HWND icon = GetDlgItem(w.hwnd, 1088);
        b.warning = icon && (HICON)SendMessageA(icon, STM_GETICON, 0, 0) == warning;
        boxes.push_back(b);
        robot.Press(w, IDOK);
    });
    SetCurrentDirectoryA(old);
    return result;
}

// One message of the configuration: text, caption, warning icon,
// system-modal (topmost), no owner.
void ExpectOneBox(const std::vector<Box> &boxes, const std::string &text,
                  const std::string &caption)
{
    ASSERT_EQ(1u, boxes.size()) << (boxes.empty() ? "" : boxes[0].text);
    EXPECT_EQ(text, boxes[0].text);
    EXPECT_EQ(caption, boxes[0].caption);
    EXPECT_TRUE(boxes[0].warning);
    EXPECT_TRUE(boxes[0].topmost);
    EXPECT_FALSE(boxes[0].owned);
}

// A TQL.INI as sections of keys, written in order; "" as a value writes
// nothing for a key marked absent by Remove.
struct Ini {
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections;

    std::string &Set(const std::string &section, const std::string &key)
    {
        for (auto &s : sections)
            if (s.first == section) {
                for (auto &kv : s.second)
                    if (kv.first == key)
                        return kv.second;
                s.second.push_back({key, ""});
                return s.second.back().second;
            }
        sections.push_back({section, {{key, ""}}});
        return sections.back().second.back().second;
    }
    void Remove(const std::string &section, const std::string &key)
    {
        for (auto &s : sections)
            if (s.first == section)
                for (size_t i = 0; i < s.second.size(); i++)
                    if (s.second[i].first == key)
                        s.second.erase(s.second.begin() + i);
    }
    void RemoveSection(const std::string &section)
    {
        for (size_t i = 0; i < sections.size(); i++)
            if (sections[i].first == section)
                sections.erase(sections.begin() + i);
    }
    std::string Bytes() const
    {
        std::string out;
        for (auto &s : sections) {
            out += "[" + s.first + "]\r\n";
            for (auto &kv : s.second)
                out += kv.first + "=" + kv.second + "\r\n";
            out += "\r\n";
        }
        return out;
    }
};

void AddLanguage(Ini &ini, const std::string &lang, const std::string &tag)
{
    const char *keys[] = {"UninstWinTitle", "UninstallMsg0", "UninstallMsg1",
                          "UninstallMsg2", "GroupTitle", "GameTitle",
                          "HelpTitle", "HelpFileNameSrc", "HelpFileNameDst",
                          "TextTitle", "TextFileNameSrc", "TextFileNameDst",
                          "MainDlgBoxTitle", "MsgDlgBoxTitle", "ExecErrMsg",
                          "CheckGameTitle"};
    for (const char *k : keys)
        ini.Set(lang, k) = tag + std::string(k).substr(0, 10);
    ini.Set(lang, "HelpFileNameSrc") = "ORVA.HLP";
    ini.Set(lang, "TextFileNameSrc") = "README.TXT";
}

// A complete file with every key, like the product CD's.
Ini FullIni()
{
    Ini ini;
    ini.Set("Debug", "ForceLanguage") = "No";
    ini.Set("Option", "ProductName") = "Test Product";
    ini.Set("Option", "ProductVersion") = "2.5";
    ini.Set("Option", "ApplicationName") = "Test App";
    ini.Set("Option", "DisplayName") = "Test Display";
    ini.Set("Option", "UnInstExe") = "UNTEST.EXE";
    ini.Set("Option", "SourcePath1") = "GAME";
    ini.Set("Option", "SourcePath2") = "DATA";
    ini.Set("Option", "DocPath") = "DOCS";
    ini.Set("Option", "DefaultPath") = "\\ORVA\\";
    ini.Set("Option", "RequiresDskSpc") = "20000000";
    ini.Set("Option", "RequiresDskSpc2") = "10000000";
    ini.Set("Option", "ExecFileName") = "ORVA.EXE";
    ini.Set("Option", "IniFileName") = "ORVA.INI";
    ini.Set("Option", "InfFileName") = "TQL.INF";
    ini.Set("RunTime", "DirectX") = "Yes";
    ini.Set("RunTime", "Indeo41") = "Yes";
    ini.Set("RunTime", "Quen") = "On";
    ini.Set("RunTime", "CTL3DV2") = "On";
    ini.Set("Loader", "ZOLAM") = "On";
    ini.Set("DirectX", "Select") = "Yes";
    ini.Set("DirectX", "SelectMachine") = "2";
    ini.Set("DirectX", "AT") = "DIRECTX\\AT";
    ini.Set("DirectX", "NEC") = "DIRECTX\\NEC";
    ini.Set("Indeo41", "LIBPATH") = "INDEO41";
    ini.Set("Quen", "LIBPATH") = "QUEN";
    ini.Set("CTL3DV2", "LIBPATH") = "\\CTL";
    ini.Set("ZOLAM", "LoaderPath") = "ZOLAM";
    AddLanguage(ini, "English", "en-");
    ini.Set("English", "LoadModule") = "mscuieng.dll";
    ini.Set("English", "LoadMsgModule") = "msgeng.dll";
    AddLanguage(ini, "Japanese", "ja-");
    AddLanguage(ini, "German", "de-");
    ini.Set("German", "LoadModule") = "mscuiger.dll";
    return ini;
}

// A fresh directory below the temporary directory.
std::string NewDir()
{
    static int n = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "tqlcfg" +
                      std::to_string(GetCurrentProcessId()) + "_" +
                      std::to_string(++n);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

// Writes the file into dir (a new one when empty) and loads it.
int Load(const Ini &ini, std::vector<Box> &boxes, std::string dir = "")
{
    if (dir.empty())
        dir = NewDir();
    EXPECT_TRUE(WriteBytes(dir + "\\TQL.INI", ini.Bytes())) << dir;
    return RunInDirectory(dir, LoadSetupConfig, boxes);
}

std::string Cwd(const std::string &dir)
{
    return dir + "\\";
}

// The language that LoadSetupConfig chooses on this system: English unless
// the test run names another (the runs under other system locales).
std::string SystemLanguage()
{
    const char *e = getenv("TQL_EXPECT_LANGUAGE");
    return e ? e : "English";
}

} // namespace

TEST(LoadSetupConfig, NoConfigFileShowsOnlyItsMessage)
{
    std::vector<Box> boxes;
    std::string dir = NewDir();
    EXPECT_EQ(0, RunInDirectory(dir, LoadSetupConfig, boxes));
    ExpectOneBox(boxes, "No TQL.INI Found.", kStartup);
    EXPECT_STREQ("None", Settings.SourcePath1);
    EXPECT_STREQ("", Settings.LanguageName);  // not even ForceLanguage was read
}

// Each setting from its own key into its own field, one line per rule:
// the values as written, the directories made whole below the start-up
// directory (or its drive, or the system drive for the destination), the
// texts from the system's language section, cut to their fields.
TEST(LoadSetupConfig, ReadsEverySettingOfACompleteFile)
{
    std::vector<Box> boxes;
    std::string dir = NewDir();
    ASSERT_EQ(1, Load(FullIni(), boxes, dir));
    EXPECT_TRUE(boxes.empty());
    auto joined = [](std::initializer_list<const char *> fields) {
        std::string line;
        for (const char *f : fields)
            line += std::string(f) + "|";
        return line;
    };
    EXPECT_EQ(SystemLanguage(), Settings.LanguageName);
    EXPECT_EQ("Test Product|2.5|Test App|Test Display|UNTEST.EXE|DATA|20000000|10000000|"
              "ORVA.EXE|ORVA.INI|TQL.INF|Yes|On|Yes|1|ORVA.HLP|README.TXT|",
              joined({Settings.ProductName, Settings.ProductVersion, Settings.ApplicationName,
                      Settings.DisplayName, Settings.UnInstExe, Settings.SourcePath2,
                      Settings.RequiresDskSpc, Settings.RequiresDskSpc2, Settings.ExecFileName,
                      Settings.IniFileName, Settings.InfFileName, Settings.DirectX, Settings.ZOLAM,
                      Settings.Select, Settings.SelectMachine, Settings.HelpFileNameSrc,
                      Settings.TextFileNameSrc}));
    std::string cwd = Cwd(dir);
    EXPECT_EQ(cwd + "GAME\\|" + cwd + "DOCS\\|C:\\ORVA\\|" + cwd + "DIRECTX\\AT\\|" + cwd +
                  "DIRECTX\\NEC\\|" + cwd + "INDEO41\\|" + cwd + "QUEN\\|" +
                  Settings.DrivePrefix + "\\CTL\\|" + cwd + "ZOLAM\\|",
              joined({Settings.SourcePath1, Settings.DocPath, Settings.DefaultPath,
                      Settings.DirectXAT, Settings.DirectXNEC, Settings.Indeo41LibPath,
                      Settings.QuenLibPath, Settings.CTL3DV2LibPath, Settings.ZOLAMLoaderPath}));
    if (SystemLanguage() == "English") {
        EXPECT_EQ("mscuieng.dll|msgeng.dll|", joined({Settings.LoadModule, Settings.LoadMsgModule}));
    }
    std::string t = SystemLanguage() == "German" ? "de-" :
                    SystemLanguage() == "Japanese" ? "ja-" : "en-";
    EXPECT_EQ(t + "UninstWinT|" + t + "UninstallM|" + t + "GroupTitle|" + t + "HelpTitle|" +
                  (t + "HelpFileNa").substr(0, 12) + "|" + t + "MainDlgBox|" + t + "MsgDlgBoxT|" +
                  t + "ExecErrMsg|" + t + "CheckGameT|",
              joined({Settings.UninstWinTitle, Settings.UninstallMsg1, Settings.GroupTitle,
                      Settings.HelpTitle, Settings.HelpFileNameDst, Settings.MainDlgBoxTitle,
                      Settings.MsgDlgBoxTitle, Settings.ExecErrMsg, Settings.CheckGameTitle}));
}

// Each required setting, absent or "None" in any letter case, stops the
// reading with its own message; what was read before stays in the store.
TEST(LoadSetupConfig, EachRequiredSettingStopsWithItsMessage)
{
    struct Case { const char *section, *key, *text, *caption; };
    const std::string lang = SystemLanguage();
    const Case cases[] = {
        {lang.c_str(), "UninstWinTitle", "UninstWinTitle Load faild.", ""},
        {lang.c_str(), "UninstallMsg0", "UninstallMsg0 Load faild.", ""},
        {lang.c_str(), "UninstallMsg1", "UninstallMsg1 Load faild.", ""},
        {lang.c_str(), "UninstallMsg2", "UninstallMsg2 Load faild.", ""},
        {"Option", "SourcePath1", "szSrcDir Load faild.", kStartup},
        {"Option", "DefaultPath", "DefaultPath Load faild.", kStartup},
        {"Option", "RequiresDskSpc", "Requires Disk Space Setting Load faild.", kStartup},
        {"Option", "RequiresDskSpc2", "Requires Disk Space Setting 2 Load faild.", kStartup},
        {"Option", "ExecFileName", "ExecFileName Load faild.", kStartup},
        {"Option", "IniFileName", "IniFileName Load faild.", kStartup},
        {"Option", "InfFileName", "InfFileName Load faild.", kStartup},
        {"DirectX", "AT", "DirectX directory Not detected.", kStartup},
        {"DirectX", "NEC", "NEC DirectX directory not detected.", kStartup},
        {"Indeo41", "LIBPATH", "Indeo 4.1 directory not detected.", kStartup},
        {"Quen", "LIBPATH", "Quen directory not detected.", kStartup},
        {"CTL3DV2", "LIBPATH", "CTL3DV2 directory not detected.", kStartup},
        {"ZOLAM", "LoaderPath", "ZOLAM directory not detected.", kStartup},
    };
    const char *forms[] = {nullptr, "None", "none", "NONE"};
    for (const Case &c : cases)
        for (const char *form : forms) {
            SCOPED_TRACE(std::string(c.key) + " = " + (form ? form : "(absent)"));
            Ini ini = FullIni();
            if (form)
                ini.Set(c.section, c.key) = form;
            else
                ini.Remove(c.section, c.key);
            std::vector<Box> boxes;
            EXPECT_EQ(0, Load(ini, boxes));
            ExpectOneBox(boxes, c.text, c.caption);
            EXPECT_STREQ("Test Product", Settings.ProductName);  // read before
            EXPECT_STREQ("None", Settings.MainDlgBoxTitle);        // never reached
        }
}

TEST(LoadSetupConfig, NecIsReadAfterAt)
{
    Ini ini = FullIni();
    ini.Remove("DirectX", "NEC");
    std::vector<Box> boxes;
    std::string dir = NewDir();
    EXPECT_EQ(0, Load(ini, boxes, dir));
    ExpectOneBox(boxes, "NEC DirectX directory not detected.", kStartup);
    EXPECT_EQ(Cwd(dir) + "DIRECTX\\AT\\", Settings.DirectXAT);
}

TEST(LoadSetupConfig, SwitchedOffComponentsNeedNoSections)
{
    Ini ini = FullIni();
    for (const char *s : {"DirectX", "Indeo41", "Quen", "CTL3DV2", "ZOLAM"})
        ini.RemoveSection(s);
    ini.Set("RunTime", "DirectX") = "None";
    ini.Set("RunTime", "Indeo41") = "none";
    ini.Remove("RunTime", "Quen");
    ini.Set("RunTime", "CTL3DV2") = "NONE";
    ini.RemoveSection("Loader");
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes));
    EXPECT_TRUE(boxes.empty());
    for (const char *sw : {Settings.DirectX, Settings.Indeo41, Settings.Quen, Settings.CTL3DV2, Settings.ZOLAM})
        EXPECT_STREQ("None", sw);
    EXPECT_STREQ("None", Settings.DirectXAT);
    EXPECT_STREQ("None", Settings.Indeo41LibPath);
    EXPECT_STREQ("Yes", Settings.Select);
    EXPECT_STREQ("1", Settings.SelectMachine);
}

TEST(LoadSetupConfig, SelectMachineIsReadOnlyWhenSelectIsNo)
{
    struct Case { const char *select, *expectSelect, *machine; };
    const Case cases[] = {
        {"No", "No", "2"}, {"no", "no", "2"}, {"NO", "NO", "2"},
        {"Yes", "Yes", "1"}, {"Maybe", "May", "1"}, {"None", "Non", "1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.select);
        Ini ini = FullIni();
        ini.Set("DirectX", "Select") = c.select;
        std::vector<Box> boxes;
        EXPECT_EQ(1, Load(ini, boxes));
        EXPECT_STREQ(c.expectSelect, Settings.Select);  // capacity 4
        EXPECT_STREQ(c.machine, Settings.SelectMachine);
    }
    Ini ini = FullIni();
    ini.RemoveSection("DirectX");
    ini.Set("DirectX", "Select") = "No";
    ini.Set("DirectX", "AT") = "AT";
    ini.Set("DirectX", "NEC") = "NEC";
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes));
    EXPECT_STREQ("1", Settings.SelectMachine);  // no SelectMachine key: its default
}

TEST(LoadSetupConfig, OptionalSettingsTakeTheirDefaults)
{
    Ini ini = FullIni();
    for (const char *k : {"ProductName", "ProductVersion", "ApplicationName",
                          "DisplayName", "UnInstExe", "SourcePath2"})
        ini.Remove("Option", k);
    ini.Set("Option", "DocPath") = "none";
    ini.Remove(SystemLanguage(), "LoadModule");
    ini.Set(SystemLanguage(), "LoadMsgModule") = "NONE";
    ini.Remove(SystemLanguage(), "HelpTitle");
    ini.Set(SystemLanguage(), "TextTitle") = "none";
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_STREQ("ORVA PC", Settings.ProductName);
    EXPECT_STREQ("1.0", Settings.ProductVersion);
    EXPECT_STREQ("ORVA PC App", Settings.ApplicationName);
    EXPECT_STREQ("ORVA PC GAME PRODUCT", Settings.DisplayName);
    EXPECT_STREQ("UNINST.EXE", Settings.UnInstExe);
    EXPECT_STREQ("", Settings.SourcePath2);
    EXPECT_STREQ("None", Settings.DocPath);   // absent: not normalised, "None"
    EXPECT_STREQ("mscuistf.dll", Settings.LoadModule);
    EXPECT_STREQ("msg.dll", Settings.LoadMsgModule);
    EXPECT_STREQ("None", Settings.HelpTitle);
    EXPECT_STREQ("none", Settings.TextTitle);  // document keys stay as written
}

TEST(LoadSetupConfig, SourcePath2IsKeptAsWrittenOrEmpty)
{
    struct Case { const char *value, *expect; };
    const Case cases[] = {{"None", ""}, {"nONe", ""}, {"DATA2", "DATA2"},
                          {"\\DATA2", "\\DATA2"}, {"D:\\X\\", "D:\\X\\"}};
    for (const Case &c : cases) {
        Ini ini = FullIni();
        ini.Set("Option", "SourcePath2") = c.value;
        std::vector<Box> boxes;
        EXPECT_EQ(1, Load(ini, boxes));
        EXPECT_STREQ(c.expect, Settings.SourcePath2) << c.value;
    }
}

// Values longer than their buffers are cut at capacity minus one.
TEST(LoadSetupConfig, LongValuesAreCut)
{
    Ini ini = FullIni();
    const std::string lang = SystemLanguage();
    std::string forty = "0123456789012345678901234567890123456789";
    ini.Set(lang, "MainDlgBoxTitle") = forty;
    ini.Set(lang, "UninstallMsg1") = std::string(200, 'm');
    ini.Set(lang, "ExecErrMsg") = std::string(100, 'e');
    ini.Set("Option", "ExecFileName") = "LONGPROGRAMNAME.EXE";
    ini.Set("Option", "RequiresDskSpc") = "123456789012345";
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes));
    EXPECT_EQ(forty.substr(0, 32), Settings.MainDlgBoxTitle);
    EXPECT_EQ(std::string(128, 'm'), Settings.UninstallMsg1);
    EXPECT_EQ(std::string(64, 'e'), Settings.ExecErrMsg);
    EXPECT_STREQ("LONGPROGRAMN", Settings.ExecFileName);
    EXPECT_STREQ("1234567890", Settings.RequiresDskSpc);
}

TEST(LoadSetupConfig, ForceLanguageForms)
{
    struct Case { const char *value, *language; };
    const std::string sys = SystemLanguage();
    const Case cases[] = {
        {"No", sys.c_str()}, {"no", sys.c_str()}, {"NO", sys.c_str()},
        {"Japanese", "Japanese"}, {"German", "German"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        Ini ini = FullIni();
        ini.Set("Debug", "ForceLanguage") = c.value;
        std::vector<Box> boxes;
        EXPECT_EQ(1, Load(ini, boxes));
        EXPECT_STREQ(c.language, Settings.LanguageName);
    }
    Ini ini = FullIni();
    ini.Set("Debug", "ForceLanguage") = "Japanese";
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes));
    EXPECT_STREQ("ja-GroupTitle", Settings.GroupTitle);
    EXPECT_STREQ("mscuistf.dll", Settings.LoadModule);  // no key: the default

    // A language without a section: its first text is missing.
    ini.Set("Debug", "ForceLanguage") = "Klingon";
    boxes.clear();
    EXPECT_EQ(0, Load(ini, boxes));
    EXPECT_STREQ("Klingon", Settings.LanguageName);
    ExpectOneBox(boxes, "UninstWinTitle Load faild.", "");
}

// Run under several system locales; TQL_EXPECT_LANGUAGE names the result.
TEST(LoadSetupConfig, WithoutForceLanguageFollowsTheSystemLanguage)
{
    Ini ini = FullIni();
    ini.Remove("Debug", "ForceLanguage");
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes));
    EXPECT_EQ(SystemLanguage(), Settings.LanguageName)
        << "system language " << std::hex << GetSystemDefaultLangID();
}

TEST(NormalizeDirectory, FormsOfADirectory)
{
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    std::string dir = NewDir();
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    TextCopy(Settings.DrivePrefix, "Q:");
    struct Case { const char *in; std::string out; };
    const Case cases[] = {
        {"\\GAMES", "Q:\\GAMES\\"},
        {"\\GAMES\\", "Q:\\GAMES\\"},
        {"D:\\GAMES", "D:\\GAMES\\"},
        {"GAMES", dir + "\\GAMES\\"},
        {"GAMES\\X\\", dir + "\\GAMES\\X\\"},
        {"", dir + "\\"},
    };
    for (const Case &c : cases) {
        char buf[PATH_CAP];
        TextCopy(buf, c.in);
        NormalizeDirectory(buf);
        EXPECT_EQ(c.out, buf) << c.in;
        NormalizeDirectory(buf);  // twice changes nothing
        EXPECT_EQ(c.out, buf) << c.in;
    }
    // A result longer than the buffer is cut, never written past it.
    struct { char buf[PATH_CAP]; char guard[8]; } g;
    memset(g.guard, '#', sizeof g.guard);
    std::string longer = "\\" + std::string(300, 'x');
    TextCopy(g.buf, longer.c_str());
    NormalizeDirectory(g.buf);
    EXPECT_EQ(PATH_CAP - 1, (int)strlen(g.buf));
    EXPECT_EQ(std::string(8, '#'), std::string(g.guard, 8));
    SetCurrentDirectoryA(old);
}

// U: is a drive of this test (tests/setup/config-drives); the system drive is C:.
TEST(LoadSetupConfig, DefaultPathMovesToTheSystemDrive)
{
    if (GetFileAttributesA("U:\\SETUP") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "drive U: is not mapped";
    Ini ini = FullIni();
    ini.Set("Option", "DefaultPath") = "\\GAMES\\X";
    ini.Set("Option", "SourcePath1") = "\\GAMES";
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes, "U:\\SETUP"));
    EXPECT_STREQ("U:", Settings.DrivePrefix);
    EXPECT_STREQ("C:\\GAMES\\X\\", Settings.DefaultPath);
    EXPECT_STREQ("U:\\GAMES\\", Settings.SourcePath1);
    EXPECT_STREQ("U:\\SETUP\\DOCS\\", Settings.DocPath);

    ini.Set("Option", "DefaultPath") = "GAMES";
    EXPECT_EQ(1, Load(ini, boxes, "U:\\SETUP"));
    EXPECT_STREQ("C:\\SETUP\\GAMES\\", Settings.DefaultPath);
    ini.Set("Option", "DefaultPath") = "E:\\GAMES";
    EXPECT_EQ(1, Load(ini, boxes, "U:\\SETUP"));
    EXPECT_STREQ("C:\\GAMES\\", Settings.DefaultPath);
    EXPECT_TRUE(boxes.empty());
}

// Started from a network path without a drive letter: the drive prefix is
// empty and directories keep their leading backslash; the proposed
// destination still lies on the system drive.
TEST(LoadSetupConfig, NetworkStartupDirectory)
{
    const char *share = "\\\\tqlsrv\\cd\\SETUP";
    if (GetFileAttributesA(share) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "share \\\\tqlsrv\\cd is not mapped";
    Ini ini = FullIni();
    ini.Set("Option", "SourcePath1") = "\\GAMES";
    ini.Set("Option", "DefaultPath") = "\\ORVA";
    ini.Set("Option", "DocPath") = "DOCS";
    std::vector<Box> boxes;
    EXPECT_EQ(1, Load(ini, boxes, share));
    EXPECT_TRUE(boxes.empty());
    EXPECT_STREQ("", Settings.DrivePrefix);
    EXPECT_STREQ("\\GAMES\\", Settings.SourcePath1);
    EXPECT_STREQ("\\\\tqlsrv\\cd\\SETUP\\DOCS\\", Settings.DocPath);
    EXPECT_STREQ("C:\\ORVA\\", Settings.DefaultPath);
    ini.Set("Option", "DefaultPath") = "GAMES";
    EXPECT_EQ(1, Load(ini, boxes, share));
    EXPECT_STREQ("C:\\SETUP\\GAMES\\", Settings.DefaultPath);
}

TEST(CheckSetupTitles, EachTitleInOrder)
{
    struct Case { char *value; const char *text; };
    const Case cases[] = {
        {Settings.GroupTitle, "GroupTitle Load faild."},
        {Settings.GameTitle, "GameTitle  Load faild."},
        {Settings.MainDlgBoxTitle, "MainDlgBoxTitle  Load faild."},
        {Settings.MsgDlgBoxTitle, "MsgDlgBoxTitle  Load faild."},
        {Settings.ExecErrMsg, "ExecErrMsg  Load faild."},
        {Settings.CheckGameTitle, "CheckGameTitle Load faild."},
    };
    std::string dir = NewDir();
    for (const Case &c : cases)
        TextCopy(c.value, "Present", 13);
    std::vector<Box> boxes;
    EXPECT_EQ(1, RunInDirectory(dir, CheckSetupTitles, boxes));
    EXPECT_TRUE(boxes.empty());
    // Missing from the last to the first: each time the earliest one shows.
    for (int i = 5; i >= 0; i--) {
        TextCopy(cases[i].value, i % 2 ? "none" : "None", 13);
        boxes.clear();
        EXPECT_EQ(0, RunInDirectory(dir, CheckSetupTitles, boxes));
        ExpectOneBox(boxes, cases[i].text, kStartup);
    }
}

TEST(BindSetupMessages, MissingLibraryOrEntry)
{
    std::string dir = NewDir();
    TextCopy(Settings.LoadMsgModule, "nomsg.dll");
    std::vector<Box> boxes;
    EXPECT_EQ(0, RunInDirectory(dir, BindSetupMessages, boxes));
    ExpectOneBox(boxes, "Can't load Msg Library", "Setup Initialize Error");

    // A library that exists but has no MsgSetup.
    TextCopy(Settings.LoadMsgModule, "version.dll");
    boxes.clear();
    EXPECT_EQ(0, RunInDirectory(dir, BindSetupMessages, boxes));
    ExpectOneBox(boxes, "Can't GetProcAddress() for Msg.DLL MsgSetup()",
                 "Setup Initialize Error");
}

TEST(BindSetupMessages, FillsTheTableFromTheCd)
{
    if (GetFileAttributesA("Q:\\msgeng.dll") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no message library in the CD image";
    memset(MessageTable, 0, sizeof MessageTable);
    TextCopy(Settings.LoadMsgModule, "msgeng.dll");
    std::vector<Box> boxes;
    EXPECT_EQ(1, RunInDirectory("Q:\\", BindSetupMessages, boxes));
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(MsgModule);
    char path[MAX_PATH];
    GetModuleFileNameA(MsgModule, path, MAX_PATH);
    EXPECT_STRCASEEQ("Q:\\msgeng.dll", path);
    EXPECT_EQ((UINT_PTR)TPL_QUIT, MessageTable[SLOT_QUIT]);
    EXPECT_NE(0u, MessageTable[SLOT_REMOVED]);
}

// The product CD's own TQL.INI, read from the CD drive.
TEST(LoadSetupConfig, ProductCd)
{
    if (GetFileAttributesA("Q:\\TQL.INI") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no TQL.INI in the CD image";
    std::vector<Box> boxes;
    ASSERT_EQ(1, RunInDirectory("Q:\\", LoadSetupConfig, boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(1, RunInDirectory("Q:\\", CheckSetupTitles, boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(SystemLanguage(), Settings.LanguageName);
    EXPECT_STREQ("Q:\\GAME\\", Settings.SourcePath1);
    EXPECT_STREQ("DATA", Settings.SourcePath2);
    EXPECT_STREQ("Q:\\DOCS\\", Settings.DocPath);
    EXPECT_STREQ("C:\\ORVA\\", Settings.DefaultPath);
    EXPECT_STREQ("Q:\\DIRECTX\\AT\\", Settings.DirectXAT);
    EXPECT_STREQ("Q:\\DIRECTX\\NEC\\", Settings.DirectXNEC);
    EXPECT_STREQ("Q:\\INDEO41\\", Settings.Indeo41LibPath);
    EXPECT_STREQ("None", Settings.Quen);
    EXPECT_STREQ("None", Settings.QuenLibPath);
    EXPECT_STREQ("ORVA", Settings.CheckGameTitle);
    EXPECT_STREQ("ORVA.HLP", Settings.HelpFileNameSrc);
    EXPECT_STREQ("README.TXT", Settings.TextFileNameDst);
    bool japanese = SystemLanguage() == "Japanese";
    EXPECT_STREQ(japanese ? "mscuistf.dll" : "mscuieng.dll", Settings.LoadModule);
    EXPECT_STREQ(japanese ? "msg.dll" : "msgeng.dll", Settings.LoadMsgModule);
    // Nothing of the language texts was cut.
    const char *keys[] = {"UninstWinTitle", "UninstallMsg0", "UninstallMsg1",
                          "UninstallMsg2", "MainDlgBoxTitle", "ExecErrMsg"};
    const char *values[] = {Settings.UninstWinTitle, Settings.UninstallMsg0, Settings.UninstallMsg1,
                            Settings.UninstallMsg2, Settings.MainDlgBoxTitle, Settings.ExecErrMsg};
    for (int i = 0; i < 6; i++) {
        char whole[512];
        GetPrivateProfileStringA(Settings.LanguageName, keys[i], "", whole, sizeof whole,
                                 "Q:\\TQL.INI");
        EXPECT_STREQ(whole, values[i]) << keys[i];
    }
}
