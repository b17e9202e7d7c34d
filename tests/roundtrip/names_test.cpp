// The names a CD gives to setup's files in the Windows folder, and the
// record an earlier installation left there, as the real programs meet
// them: a name that would reach a system file or leave the Windows folder
// is refused before anything is written; another program's file of the
// same name stays byte for byte through setup, the removal and the
// restart; a sibling product's record of the same name ends setup, and
// that product stays removable from its own entry. A small CD of its own
// (one tree, no DirectX or codec) in the system's language.
#include "small_cd.h"
#include "common/record.h"

using namespace roundtrip;
using namespace scenario;

namespace {

const char kDest[] = "C:\\NMONE";
const char kSibling[] = "C:\\NMTWO";

// A text of this system's language: the Japanese one in code page 932.
std::string InLanguage(const Product &p, const char *english, const wchar_t *japanese)
{
    if (!p.japanese)
        return english;
    char bytes[1024];
    WideCharToMultiByte(932, 0, japanese, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// A message as the log holds it: one line, each line break a blank.
std::string Logged(std::string text)
{
    for (char &c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

class Names : public SmallCdTest {
protected:
    Names() : SmallCdTest({kDest, kSibling}) {}
    std::string LanguageSection() const { return p.language; }

    KeptMachine kept{"WIN.INI", "NOTEPAD.EXE", "NOTEPAD1.EXE", "UNINST1.EXE", "msg1.dll",
                     "msgeng1.dll"};
};

// Names that would write a system file or outside the Windows folder end
// setup at start-up with a message naming the key and the value; the
// system's INI files, NOTEPAD.EXE and the drive's root are as they were.
TEST_F(Names, NamesOfTheWindowsFolderAreRefusedAtStartUp)
{
    struct Case {
        std::string section, key, value, fault;
    };
    const std::string lang = LanguageSection();
    const Case cases[] = {
        {"option", "IniFileName", "WIN.INI", "names a file of the system."},
        {"option", "IniFileName", "system.ini", "names a file of the system."},
        {"option", "IniFileName", "NOTEPAD.EXE",
         "names a file in the Windows folder that is no installation record."},
        {lang, "LoadMsgModule", "ORVA.INI",
         "is the name of another file that setup puts into the Windows folder."},
        {"Option", "UnInstExe", "..\\UNINST.EXE", "is not a plain file name of the Windows folder."},
        {"Option", "UnInstExe", "C:UNINST.EXE", "is not a plain file name of the Windows folder."},
        {"Option", "UnInstExe", "ORVA UNINST.EXE",
         "holds a blank, where the uninstall command line would split."},
        {lang, "LoadMsgModule", "..\\msg.dll",
         "is not a plain file name of the Windows folder."},
    };
    const std::string win = ReadBytes(WindowsDir() + "WIN.INI");
    const std::string notepad = ReadBytes(WindowsDir() + "NOTEPAD.EXE");
    const std::vector<std::string> root = Matches("C:\\*");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key + "=" + c.value);
        WriteIni({{c.section, c.key, c.value}});
        EXPECT_NE(std::string::npos, Install(2).find("Tql.exe: [Setup Initialize error] " + c.key +
                                              " \"" + c.value + "\" " + c.fault + "\r\n"))
            << ReadBytes(log);
        EXPECT_EQ(win, ReadBytes(WindowsDir() + "WIN.INI"));
        EXPECT_EQ(notepad, ReadBytes(WindowsDir() + "NOTEPAD.EXE"));
        EXPECT_EQ(root, Matches("C:\\*"));
        EXPECT_FALSE(KeyExists(UninstallKey(p)));
    }
    // A person sees the same words in a start-up box.
    SetupRun setup(cd.path());
    setup.Press(setup.Box(kInitError, "LoadMsgModule \"..\\msg.dll\" is not a plain file "
                                      "name of the Windows folder."),
                IDOK);
    setup.EndsQuietly();
}

// Another program's uninstaller and message library, and NOTEPAD.EXE that a
// CD names as its uninstaller, stay byte for byte through the
// installation, the removal from the entry and the restart; the product's
// own files go beside them under free names and are gone afterwards.
TEST_F(Names, AnotherProgramsFilesSurviveInstallRemovalAndRestart)
{
    const std::string w = WindowsDir();
    const std::string notepad = ReadBytes(w + "NOTEPAD.EXE");
    WriteBytes(w + "UNINST.EXE", "MZ another installer's uninstaller");
    WriteBytes(w + p.msgLibrary, "MZ another program's library");
    WriteIni({});
    Install(0);
    std::string msgFree = p.msgLibrary.substr(0, p.msgLibrary.find('.')) + "1.dll";
    EXPECT_EQ(Sz(w + "UNINST1.EXE " + SettingsFile()),
              RegValue(UninstallKey(p), "UninstallString").value_or("-"));
    EXPECT_EQ(ReadBytes("Q:\\UNINST.EXE"), ReadBytes(w + "UNINST1.EXE"));
    EXPECT_EQ(ReadBytes("Q:\\" + p.msgLibrary), ReadBytes(w + msgFree));
    EXPECT_EQ(0, RemoveBy(UninstallKey(p)));
    EXPECT_FALSE(Exists(kDest));

    WriteIni({{"Option", "UnInstExe", "NOTEPAD.EXE"}});
    cd.Copy("Q:\\UNINST.EXE", "NOTEPAD.EXE");
    Install(0);
    EXPECT_EQ(notepad, ReadBytes(w + "NOTEPAD.EXE"));
    EXPECT_EQ(ReadBytes("Q:\\UNINST.EXE"), ReadBytes(w + "NOTEPAD1.EXE"));
    EXPECT_EQ(0, RemoveBy(UninstallKey(p)));
    EXPECT_FALSE(Exists(kDest));
    ASSERT_TRUE(Restart());
    EXPECT_EQ(notepad, ReadBytes(w + "NOTEPAD.EXE"));
    EXPECT_EQ("MZ another installer's uninstaller", ReadBytes(w + "UNINST.EXE"));
    EXPECT_EQ("MZ another program's library", ReadBytes(w + p.msgLibrary));
    for (const std::string &ours : std::vector<std::string>{"NOTEPAD1.EXE", "UNINST1.EXE", msgFree})
        EXPECT_FALSE(Exists(w + ours)) << ours;
}

// A sibling product that keeps its record under the same file name: this
// product's setup tells which product that is and ends without touching
// anything (an unattended run with 10); the sibling's folder keeps its
// save, and its own entry removes it completely.
TEST_F(Names, SiblingProductsRecordEndsSetupAndStaysRemovable)
{
    const std::string sibling = "ORVA PC 2 App";
    WriteIni({{"Option", "ApplicationName", sibling}, {"Option", "ProductName", "ORVA PC 2"}});
    Install(0, kSibling);
    WriteBytes(std::string(kSibling) + "\\SAVE.DAT", "the sibling's save");
    const std::string record = ReadBytes(SettingsFile());

    WriteIni({});
    const std::string text = InLanguage(
        p,
        "Another product, \"ORVA PC 2 App\", is installed with an installation record of the "
        "same name as this product's.\n\nSetup cannot install beside it and ends without "
        "changing anything.",
        L"\x5225\x306E\x88FD\x54C1 \"ORVA PC 2 App\" \x304C\x3001\x3053\x306E\x88FD\x54C1\x3068"
        L"\x540C\x3058\x540D\x524D\x306E\x30A4\x30F3\x30B9\x30C8\x30FC\x30EB\x60C5\x5831\x3067"
        L"\x65E2\x306B\x30A4\x30F3\x30B9\x30C8\x30FC\x30EB\x3055\x308C\x3066\x3044\x307E\x3059"
        L"\x3002\n\n\x30BB\x30C3\x30C8\x30A2\x30C3\x30D7\x306F\x3053\x306E\x88FD\x54C1\x3092"
        L"\x4E26\x3079\x3066\x30A4\x30F3\x30B9\x30C8\x30FC\x30EB\x3067\x304D\x306A\x3044\x305F"
        L"\x3081\x3001\x4F55\x3082\x5909\x66F4\x305B\x305A\x306B\x7D42\x4E86\x3057\x307E\x3059"
        L"\x3002");
    EXPECT_NE(std::string::npos, Install(10).find("Tql.exe: [" + p.msgCaption + "] " + Logged(text) +
                                                  "\r\n"))
        << ReadBytes(log);
    {
        SetupRun setup(cd.path());
        setup.Press(setup.Box(p.msgCaption, text), IDOK);
        setup.EndsQuietly();
    }
    EXPECT_FALSE(Exists(kDest));
    EXPECT_FALSE(KeyExists(UninstallKey(p)));
    EXPECT_EQ(record, ReadBytes(SettingsFile()));
    EXPECT_EQ("the sibling's save", ReadBytes(std::string(kSibling) + "\\SAVE.DAT"));

    const std::string siblingKey = UninstallRoot + sibling;
    EXPECT_EQ(0, RemoveBy(siblingKey));
    EXPECT_FALSE(Exists(kSibling));
    EXPECT_FALSE(Exists(SettingsFile()));
    EXPECT_FALSE(KeyExists(siblingKey));
    EXPECT_FALSE(KeyExists("SOFTWARE\\ORVA\\ORVA PC 2"));
}

// A sibling product's installation inside this product's folder is left
// whole by this product's removal, and a folder holding one is never a
// destination; the sibling's own entry removes it.
TEST_F(Names, SiblingInstallationIsNeitherEnteredNorWrittenInto)
{
    const std::string inside = std::string(kDest) + "\\TWO";
    WriteIni({});
    Install(0);
    WriteIni({{"Option", "ApplicationName", "ORVA PC 2 App"}, {"Option", "ProductName", "ORVA PC 2"},
              {"option", "IniFileName", "ORVA2.INI"}});
    Install(0, inside);
    WriteBytes(inside + "\\SAVE.DAT", "the sibling's save");

    EXPECT_EQ(1, RemoveBy(UninstallKey(p)));
    EXPECT_NE(std::string::npos,
              ReadBytes(log).find("UNINST.EXE: [Setup] Remove Directory refused: \"" + inside +
                                   "\" It holds the installation of another product, which "
                                   "stays.\r\n"))
        << ReadBytes(log);
    EXPECT_EQ("the sibling's save", ReadBytes(inside + "\\SAVE.DAT"));
    EXPECT_FALSE(Exists(std::string(kDest) + "\\ORVA.EXE"));
    EXPECT_FALSE(KeyExists(UninstallKey(p)));

    WriteIni({});
    EXPECT_NE(std::string::npos,
              Install(4, inside).find("Tql.exe: [" + p.msgCaption + "] " +
                       Logged(InLanguage(p,
                                  "The folder C:\\NMONE\\TWO holds the installation of another "
                                  "product.\n\nChoose another folder.",
                                  L"\x30D5\x30A9\x30EB\x30C0 C:\\NMONE\\TWO \x306B\x306F\x5225"
                                  L"\x306E\x88FD\x54C1\x304C\x30A4\x30F3\x30B9\x30C8\x30FC"
                                  L"\x30EB\x3055\x308C\x3066\x3044\x307E\x3059\x3002\n\n"
                                  L"\x5225\x306E\x30D5\x30A9\x30EB\x30C0\x3092\x9078\x3093"
                                  L"\x3067\x304F\x3060\x3055\x3044\x3002")) +
                       "\r\n"))
        << ReadBytes(log);
    EXPECT_EQ(0, RemoveBy(UninstallRoot + std::string("ORVA PC 2 App")));
    EXPECT_FALSE(Exists(inside));
}

// Setup started from a folder whose name has a letter outside ASCII, on a
// Western system (ANSI and OEM code pages differ there), reads its INF file
// from there and goes on to the destination.
TEST(StartupFolder, AccentedNameOnAWesternSystem)
{
    ASSERT_EQ(1252u, GetACP()) << "run on a German system";
    StartupDir cd(" Spiele \xFC\xE9");  // " Spiele üé"
    cd.EnglishCd({}, {"UNINST.EXE", "msgeng.dll"});
    const std::string log = cd.path() + "\\SETUP.LOG";
    SetupRun(cd.path(), "/S /D=C:\\ /LOG=" + log).EndsQuietly(4);
    EXPECT_NE(std::string::npos, ReadBytes(log).find("Tql.exe: the destination is the root of "
                                                     "a drive\r\n"))
        << ReadBytes(log);
}

} // namespace
