// The welcome and destination dialogs against real drives, directories and
// message boxes; the custom dialog library is answered from a script
// (fake_sequence.h). Drives K: (5 GiB), L: (999,424 bytes) and M: (none)
// come from the fixture script tests/setup/dialog-drives.
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include "answer_boxes.h"
#include "fake_sequence.h"
#include "japanese_system.h"
#include "platform/templates.h"
#include "setup/config.h"
#include "setup/paths.h"
#include "setup/state.h"
#include "setup/texts.h"
#include "setup/welcome.h"
#include "common/text.h"

namespace fs = std::filesystem;

static const char kCaption[] = "ORVA Setup";

// A fresh scratch directory on C: for one test, without a trailing "\".
static std::string Scratch(const std::string &name)
{
    std::string dir = "C:\\h8dialogs\\" + name;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    return dir;
}

// The test drives exist (the fixture could mount its tmpfs drives).
static bool HaveTestDrives()
{
    return GetFileAttributesA("K:\\") != INVALID_FILE_ATTRIBUTES &&
           GetFileAttributesA("L:\\") != INVALID_FILE_ATTRIBUTES;
}
#define NEED_TEST_DRIVES()                                                   \
    if (!HaveTestDrives())                                                   \
    GTEST_SKIP() << "tmpfs drives K: and L: not mapped (mounting not allowed)"

// ---- free space text

TEST(FreeSpaceText, WholeMillionsOrZero)
{
    char text[32];
    FreeSpaceText(0, text, sizeof text);
    EXPECT_STREQ("0 M Bytes", text);
    FreeSpaceText(999999, text, sizeof text);
    EXPECT_STREQ("0 M Bytes", text);
    FreeSpaceText(1000000, text, sizeof text);
    EXPECT_STREQ("1M Bytes", text);
    FreeSpaceText(123456789, text, sizeof text);
    EXPECT_STREQ("123M Bytes", text);
    // At and beyond 2 and 4 GiB the whole figure, not a 32-bit remainder.
    FreeSpaceText(2147483648ULL, text, sizeof text);
    EXPECT_STREQ("2147M Bytes", text);
    FreeSpaceText(4294967296ULL + 1000000, text, sizeof text);
    EXPECT_STREQ("4295M Bytes", text);
    FreeSpaceText(18446744073709551615ULL, text, sizeof text);
    EXPECT_STREQ("18446744073709M Bytes", text);
}

// ---- running the installation's dialogs

// Where RunInstallationDialogs stopped, when no destination was chosen.
const int kWelcomeAgain = 0;    // the destination dialog gave up
const int kWelcomeWentOn = -1;  // the welcome dialog went on

// Runs the installation's dialogs as the main sequence does
// (ChooseInstallation), from the welcome dialog, by the script, answering
// message boxes with presses. 1 when a destination was chosen; otherwise
// the script has ended at the welcome or the destination dialog, which is
// left out of fake::shown. The end of setup (SetupEnded) is passed on.
int RunInstallationDialogs(const std::vector<int> &presses = {},
                           std::vector<SeenWindow> *boxes = nullptr)
{
    int result = 1;
    bool ended = false;
    std::vector<SeenWindow> seen = AnswerBoxes([&] {
        try {
            ChooseInstallation();
        } catch (const SetupEnded &) {
            ended = true;
        } catch (const ScriptBroken &) {
            UINT at = fake::shown.empty() ? 0 : fake::shown.back().templ;
            if (!fake::script.empty() || (at != TPL_WELCOME_AGAIN && at != TPL_DESTINATION))
                throw;
            result = at == TPL_DESTINATION ? kWelcomeWentOn : kWelcomeAgain;
            fake::shown.pop_back();
        }
    }, presses);
    if (boxes)
        *boxes = seen;
    if (ended)
        throw SetupEnded{};
    return result;
}

// The destination dialog as the welcome dialog, answered with go on,
// opens it: RunInstallationDialogs with that welcome dialog left out of
// fake::shown and fake::killed. 1 when a destination was chosen, 0 when
// the destination dialog gave up.
int ChooseFromWelcome(const std::vector<int> &presses, std::vector<SeenWindow> *boxes)
{
    fake::script.insert(fake::script.begin(), {TPL_WELCOME_AGAIN, EV_GO_ON, ""});
    int result = RunInstallationDialogs(presses, boxes);
    fake::shown.erase(fake::shown.begin());
    fake::killed.erase(fake::killed.begin());
    return result;
}

// ---- the destination dialog

class Destination : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset("C:\\ORVA\\"); }
    // The destination dialog by the script, its message boxes answered
    // with presses; 1 when chosen, 0 when it gave up.
    int Choose(const std::vector<int> &presses = {})
    {
        return ChooseFromWelcome(presses, &boxes);
    }
    std::vector<SeenWindow> boxes;
};

TEST_F(Destination, SymbolsComeFromTheDestinationOnce)
{
    std::string base = Scratch("symbols");
    TextCopy(DestinationDir, (base + "\\ORVA\\").c_str());
    ULARGE_INTEGER available, total;
    GetDiskFreeSpaceExA("C:\\", &available, &total, nullptr);
    long long expectedFree = (long long)(available.QuadPart / 1000000);
    fake::script = {{TPL_DESTINATION, EV_EXIT, ""},
                    {TPL_DESTINATION, EV_CANCEL, ""}};
    EXPECT_EQ(0, Choose());
    ASSERT_EQ(2u, fake::shown.size());
    for (auto &d : fake::shown) {
        EXPECT_EQ("FEditDlgProc", d.proc);
        EXPECT_EQ(0u, d.helpTempl);
        EXPECT_EQ("", d.helpProc);
        EXPECT_EQ(base + "\\ORVA", d.symbols.at("EditTextIn"));
        EXPECT_EQ("END", d.symbols.at("EditFocus"));
        // The drive is shared with other processes (the other build's
        // suite writes to it at the same time): the same figure within a
        // few megabytes, in the same form.
        const std::string &shown = d.symbols.at("DiskInfo");
        EXPECT_NEAR(expectedFree, atoll(shown.c_str()), 64) << shown;
        EXPECT_EQ("M Bytes", shown.substr(shown.find_first_not_of("0123456789")));
    }
    EXPECT_EQ(1, fake::quitQuestions);
    EXPECT_EQ(std::vector<int>{1}, fake::killed);
    EXPECT_EQ(base + "\\ORVA\\", std::string(DestinationDir));
}

TEST_F(Destination, BackReturnsZeroAtOnce)
{
    fake::script = {{TPL_DESTINATION, EV_BACK, ""}};
    EXPECT_EQ(0, Choose());
    EXPECT_EQ(std::vector<int>{1}, fake::killed);
}

// The free space shown: whole millions, beyond 32 bits too, and
// "0 M Bytes" below one million.
TEST_F(Destination, FreeSpaceOfTheDestinationDrive)
{
    NEED_TEST_DRIVES();
    struct Case {
        const char *destination, *shown;
    } cases[] = {
        {"K:\\ORVA\\", "5368M Bytes"},  // 5,368,709,120 bytes
        {"L:\\ORVA\\", "0 M Bytes"},    // 999,424 bytes
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.destination);
        fake::Reset(c.destination);
        fake::script = {{TPL_DESTINATION, EV_CANCEL, ""}};
        EXPECT_EQ(0, Choose());
        EXPECT_EQ(c.shown, fake::shown[0].symbols.at("DiskInfo"));
        EXPECT_EQ(std::string(c.destination, 7), fake::shown[0].symbols.at("EditTextIn"));
    }
}

// Each refused path shows its notice (FInfo0DlgProc, no help), then the
// destination dialog again.
TEST_F(Destination, RefusedPathsShowTheirNotice)
{
    std::string base = Scratch("refused");
    WriteBytes(base + "\\afile", "x");
    struct Case {
        std::string typed;
        UINT notice;
    } cases[] = {
        {"", TPL_NOTICE_EMPTY},
        {"C:\\bad*name", TPL_NOTICE_BADNAME},
        {"q:\\game", TPL_NOTICE_SOURCE},     // SourcePath1 but for case
        {"Q:\\GAME\\", TPL_NOTICE_SOURCE},
        {"C:\\", TPL_NOTICE_ROOT},
        {base + "\\afile", TPL_NOTICE_ISFILE},
        {base + "\\afile\\", TPL_NOTICE_ISFILE},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.typed);
        fake::Reset("C:\\ORVA\\");
        fake::script = {{TPL_DESTINATION, EV_CONTINUE, c.typed},
                        {c.notice, EV_CONTINUE, ""},
                        {TPL_DESTINATION, EV_BACK, ""}};
        EXPECT_EQ(0, Choose());
        EXPECT_TRUE(boxes.empty());
        ASSERT_EQ(3u, fake::shown.size());
        EXPECT_EQ("FInfo0DlgProc", fake::shown[1].proc);
        EXPECT_EQ(0u, fake::shown[1].helpTempl);
        EXPECT_EQ("", fake::shown[1].helpProc);
        EXPECT_EQ((std::vector<int>{1, 1}), fake::killed);
    }
    // From the source-directory check on, the typed path stays the
    // destination also when the user is sent back.
    EXPECT_EQ(base + "\\afile\\", std::string(DestinationDir));
}

// An existing folder that holds files is asked about before anything is
// copied into it (its later removal takes the whole folder): No keeps the
// destination dialog and the folder as they were, Yes installs there. An
// empty one is accepted silently.
TEST_F(Destination, FolderHoldingFilesIsAskedAboutFirst)
{
    std::string base = Scratch("existingdest");
    WriteBytes(base + "\\old.dat", "old");
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, base + "\\"},
                    {TPL_DESTINATION, EV_CONTINUE, base + "\\"}};
    EXPECT_EQ(1, Choose({IDNO, IDYES}));
    ASSERT_EQ(2u, boxes.size());
    for (const SeenWindow &box : boxes) {
        EXPECT_EQ("The folder " + base + " already holds files.\n\nIf you install "
                  "here, removing the product later removes this folder with "
                  "everything in it, these files too.\n\nInstall into this "
                  "folder anyway?", box.text);
        EXPECT_EQ(kCaption, box.caption);
    }
    EXPECT_EQ(2u, fake::shown.size());
    EXPECT_EQ(std::vector<int>{1}, fake::killed);
    EXPECT_EQ(base + "\\", std::string(DestinationDir));
    EXPECT_TRUE(fs::exists(base + "\\old.dat"));

    fs::remove(base + "\\old.dat");
    fake::Reset("C:\\ORVA\\");
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, base + "\\"}};
    EXPECT_EQ(1, Choose());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(base + "\\", std::string(DestinationDir));
}

// The question and the removal's notice follow the language: the message
// library's texts, and the same texts built in for a library without them.
TEST(SetupText, EachLanguageFromTheLibraryOrBuiltIn)
{
    struct { const char *language, *library; } languages[] = {
        {"English", "Q:\\msgeng.dll"}, {"Japanese", "Q:\\msg.dll"}};
    for (auto &l : languages) {
        if (GetACP() != 932 && !lstrcmpA(l.language, "Japanese"))
            continue;  // its texts are code page 932
        TextCopy(Settings.LanguageName, l.language);
        for (UINT id : {IDS_DEST_HOLDS_FILES, IDS_NO_RECORDED_INSTALL, IDS_OTHER_PRODUCT_RECORD,
                        IDS_DEST_OTHER_PRODUCT}) {
            char builtIn[512], fromLibrary[512];
            MsgModule = nullptr;
            SetupText(id, builtIn, sizeof builtIn);
            MsgModule = LoadLibraryExA(l.library, nullptr, LOAD_LIBRARY_AS_DATAFILE);
            ASSERT_TRUE(MsgModule) << l.library;
            SetupText(id, fromLibrary, sizeof fromLibrary);
            FreeLibrary(MsgModule);
            MsgModule = nullptr;
            EXPECT_STREQ(builtIn, fromLibrary) << l.language << " " << id;
        }
    }
    if (GetACP() == 932) {
        // "記録されたインストールが見つからないため、何も削除しませんでした。"
        const wchar_t *expected = L"\u8A18\u9332\u3055\u308C\u305F\u30A4\u30F3\u30B9"
                                  L"\u30C8\u30FC\u30EB\u304C\u898B\u3064\u304B\u3089"
                                  L"\u306A\u3044\u305F\u3081\u3001\u4F55\u3082\u524A"
                                  L"\u9664\u3057\u307E\u305B\u3093\u3067\u3057\u305F\u3002";
        char bytes[256];
        WideCharToMultiByte(932, 0, expected, -1, bytes, sizeof bytes, nullptr, nullptr);
        char text[256];
        TextCopy(Settings.LanguageName, "Japanese");
        SetupText(IDS_NO_RECORDED_INSTALL, text, sizeof text);
        EXPECT_STREQ(bytes, text);
    }
    Settings.LanguageName[0] = '\0';
}

TEST_F(Destination, MissingDirectoryIsCreatedAtEveryLevelAfterTheNotice)
{
    std::string base = Scratch("missing");
    std::string typed = base + "\\a\\b\\ORVA";
    // Cancel in the notice: nothing created, the dialog again.
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, typed},
                    {TPL_NOTICE_CREATE, EV_CANCEL, ""},
                    {TPL_DESTINATION, EV_CONTINUE, typed},
                    {TPL_NOTICE_CREATE, EV_EXIT, ""},
                    {TPL_NOTICE_CREATE, EV_CONTINUE, ""}};
    EXPECT_EQ(1, Choose());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ((std::vector<UINT>{TPL_DESTINATION, TPL_NOTICE_CREATE,
                                 TPL_DESTINATION, TPL_NOTICE_CREATE,
                                 TPL_NOTICE_CREATE}),
              fake::Templates());
    EXPECT_EQ(1, fake::quitQuestions);
    EXPECT_TRUE(IsDirectory(base + "\\a"));
    EXPECT_TRUE(IsDirectory(base + "\\a\\b"));
    EXPECT_TRUE(IsDirectory(typed));
    EXPECT_EQ(typed + "\\", std::string(DestinationDir));
}

TEST_F(Destination, UncreatableDirectoryIsReportedAndStillChosen)
{
    std::string base = Scratch("uncreatable");
    WriteBytes(base + "\\blocker", "x");
    std::string typed = base + "\\blocker\\ORVA";
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, typed},
                    {TPL_NOTICE_CREATE, EV_CONTINUE, ""}};
    EXPECT_EQ(1, Choose({IDOK}));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Can't create directory", boxes[0].text);
    EXPECT_EQ(kCaption, boxes[0].caption);
    EXPECT_EQ(typed + "\\", std::string(DestinationDir));
}

// ---- free space against RequiresDskSpc

TEST_F(Destination, LowSpaceAsksFirstWithTheSecondButtonActive)
{
    NEED_TEST_DRIVES();
    std::error_code ec;
    fs::remove_all("L:\\ORVA", ec);
    TextCopy(Settings.RequiresDskSpc, "1000000");  // L: has 999,424 bytes
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, "L:\\ORVA"},
                    {TPL_LOW_DISK, EV_CANCEL, ""},
                    {TPL_DESTINATION, EV_CONTINUE, "L:\\ORVA"},
                    {TPL_LOW_DISK, EV_CONTINUE, ""},
                    {TPL_NOTICE_CREATE, EV_CONTINUE, ""}};
    EXPECT_EQ(1, Choose());
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(5u, fake::shown.size());
    for (int i : {1, 3}) {
        EXPECT_EQ("FGPDlgProc", fake::shown[i].proc);
        EXPECT_EQ(0u, fake::shown[i].helpTempl);
        EXPECT_EQ("2", fake::shown[i].symbols.at("ActiveButton"));
    }
    EXPECT_TRUE(IsDirectory("L:\\ORVA"));
    EXPECT_EQ("L:\\ORVA\\", std::string(DestinationDir));
    fs::remove_all("L:\\ORVA", ec);
}

TEST_F(Destination, EnoughSpaceAsksNothing)
{
    NEED_TEST_DRIVES();
    std::error_code ec;
    fs::remove_all("L:\\ORVA", ec);
    TextCopy(Settings.RequiresDskSpc, "  +999424");
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, "L:\\ORVA"},
                    {TPL_NOTICE_CREATE, EV_CONTINUE, ""}};
    EXPECT_EQ(1, Choose());
    fs::remove_all("L:\\ORVA", ec);
}

TEST_F(Destination, SpaceBeyond32BitsIsComparedWhole)
{
    NEED_TEST_DRIVES();
    std::error_code ec;
    fs::create_directories("K:\\ORVA");
    // 4 GiB + 1 fits into 5 GiB: no question.
    TextCopy(Settings.RequiresDskSpc, "4294967297");
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, "K:\\ORVA"}};
    EXPECT_EQ(1, Choose());
    EXPECT_EQ(1u, fake::shown.size());
    // 5 GiB + 1 does not.
    fake::Reset("C:\\ORVA\\");
    TextCopy(Settings.RequiresDskSpc, "5368709121");
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, "K:\\ORVA"},
                    {TPL_LOW_DISK, EV_CANCEL, ""},
                    {TPL_DESTINATION, EV_CANCEL, ""}};
    EXPECT_EQ(0, Choose());
    fs::remove_all("K:\\ORVA", ec);
}

TEST_F(Destination, UnknownFreeSpaceAsksWithTheLowSpaceQuestion)
{
    // M: cannot be asked for its free space.
    TextCopy(DestinationDir, "M:\\ORVA\\");
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, "M:\\ORVA"},
                    {TPL_LOW_DISK, EV_CANCEL, ""},
                    {TPL_DESTINATION, EV_BACK, ""}};
    EXPECT_EQ(0, Choose());
    EXPECT_EQ("0 M Bytes", fake::shown[0].symbols.at("DiskInfo"));
    EXPECT_EQ("2", fake::shown[1].symbols.at("ActiveButton"));
}

// ---- minimal install

TEST_F(Destination, MinimalInstallSurvivesGoingBack)
{
    std::string base = Scratch("minimal");
    WriteBytes(base + "\\afile", "x");
    // Back to the welcome dialog, then the ordinary continue.
    fake::script = {{TPL_DESTINATION, EV_MINIMAL, base + "\\afile"},
                    {TPL_NOTICE_ISFILE, EV_CONTINUE, ""},
                    {TPL_DESTINATION, EV_BACK, ""},
                    {TPL_WELCOME_AGAIN, EV_GO_ON, ""},
                    {TPL_DESTINATION, EV_CONTINUE, base}};
    EXPECT_EQ(1, Choose({IDYES}));  // the folder holds afile
    EXPECT_EQ(1, MinimalInstall);
    // The second run proposes the path typed in the first.
    EXPECT_EQ(base + "\\afile", fake::shown.back().symbols.at("EditTextIn"));
}

// ---- the welcome dialog

TEST_F(Destination, WelcomeAsksBeforeQuittingAndGoesOn)
{
    fake::script = {{TPL_WELCOME_AGAIN, EV_CANCEL, ""},
                    {TPL_WELCOME_AGAIN, EV_EXIT, ""},
                    {TPL_WELCOME_AGAIN, 65, ""},  // a lone "A": shown again
                    {TPL_WELCOME_AGAIN, EV_GO_ON, ""}};
    EXPECT_EQ(kWelcomeWentOn, RunInstallationDialogs());
    EXPECT_EQ(2, fake::quitQuestions);
    EXPECT_EQ(4u, fake::shown.size());
    for (auto &d : fake::shown) {
        EXPECT_EQ("FInfoDlgProc", d.proc);
        EXPECT_EQ(0u, d.helpTempl);
    }
    EXPECT_EQ(std::vector<int>{1}, fake::killed);
}

TEST_F(Destination, RemovalConfirmationBackAndCancelReturnToWelcome)
{
    fake::script = {{TPL_WELCOME_AGAIN, EV_REMOVE_OLD, ""},
                    {TPL_REMOVE_OLD, EV_EXIT, ""},
                    {TPL_REMOVE_OLD, EV_BACK, ""},
                    {TPL_WELCOME_AGAIN, EV_REMOVE_OLD, ""},
                    {TPL_REMOVE_OLD, EV_CANCEL, ""},
                    {TPL_WELCOME_AGAIN, EV_GO_ON, ""}};
    EXPECT_EQ(kWelcomeWentOn, RunInstallationDialogs());
    EXPECT_EQ(0, fake::removals);
    EXPECT_EQ(1, fake::quitQuestions);
    EXPECT_EQ("FGPDlgProc", fake::shown[1].proc);
    EXPECT_EQ((UINT)TPL_HELP, fake::shown[1].helpTempl);
    EXPECT_EQ("FHelpDlgProc", fake::shown[1].helpProc);
    EXPECT_EQ("2", fake::shown[1].symbols.at("ActiveButton"));
    EXPECT_EQ((std::vector<int>{1, 1, 1}), fake::killed);
}

// The removal acts on the recorded installation, not on a destination
// typed meanwhile; then every dialog closes and setup ends.
TEST_F(Destination, RemovalActsOnTheRecordedInstallation)
{
    std::string base = Scratch("removal");
    WriteBytes(base + "\\afile", "x");
    char ini[MAX_PATH];
    GetWindowsDirectoryA(ini, MAX_PATH);
    std::string iniPath = std::string(ini) + "\\H8DLGTST.INI";
    WritePrivateProfileStringA("Directory", "InstallPath", "D:\\OLD\\ORVA\\",
                               iniPath.c_str());
    fake::Reset("D:\\OLD\\ORVA\\");
    fake::script = {{TPL_WELCOME_AGAIN, EV_GO_ON, ""},
                    {TPL_DESTINATION, EV_CONTINUE, base + "\\afile"},
                    {TPL_NOTICE_ISFILE, EV_CONTINUE, ""},
                    {TPL_DESTINATION, EV_BACK, ""}};
    EXPECT_EQ(kWelcomeAgain, RunInstallationDialogs());
    EXPECT_EQ(base + "\\afile\\", std::string(DestinationDir));
    fake::script = {{TPL_WELCOME_AGAIN, EV_REMOVE_OLD, ""},
                    {TPL_REMOVE_OLD, EV_CONTINUE, ""}};
    EXPECT_THROW(RunInstallationDialogs(), SetupEnded);
    EXPECT_EQ(1, fake::removals);
    EXPECT_EQ("D:\\OLD\\ORVA\\", fake::removedDestination);
    EXPECT_EQ(-1, fake::killed.back());
    EXPECT_EQ(1, fake::shutdowns);
    DeleteFileA(iniPath.c_str());
    // No installation recorded (any more): nothing is removed, neither the
    // default destination nor the typed one; the user is told, setup ends.
    fake::Reset("C:\\ELSEWHERE\\");
    fake::script = {{TPL_WELCOME_AGAIN, EV_REMOVE_OLD, ""},
                    {TPL_REMOVE_OLD, EV_CONTINUE, ""}};
    std::vector<SeenWindow> boxes;
    EXPECT_THROW(RunInstallationDialogs({IDOK}, &boxes), SetupEnded);
    EXPECT_EQ(0, fake::removals);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("No recorded installation was found, so nothing was removed.",
              boxes[0].text);
    EXPECT_EQ(kCaption, boxes[0].caption);
    EXPECT_EQ(1, fake::shutdowns);
}

// ---- a Japanese system: 0x95 0x5C is one character (U+8868), whose
// second byte is the backslash's

TEST(JapanesePath, DestinationEndingInTheCharacter)
{
    NEED_JAPANESE();
    fake::Reset("C:\\ORVA\\");
    std::string base = Scratch("japanesedest");
    std::string typed = base + "\\" + kHyo;
    fake::script = {{TPL_DESTINATION, EV_CONTINUE, typed},
                    {TPL_NOTICE_CREATE, EV_CONTINUE, ""}};
    std::vector<SeenWindow> boxes;
    EXPECT_EQ(1, ChooseFromWelcome({}, &boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(typed + "\\", std::string(DestinationDir));
    EXPECT_TRUE(fs::is_directory(fs::path(base) / L"\u8868"));
    // Proposed again without the trailing backslash, the character whole.
    fake::script = {{TPL_DESTINATION, EV_CANCEL, ""}};
    ChooseFromWelcome({}, &boxes);
    EXPECT_EQ(typed, fake::shown.back().symbols.at("EditTextIn"));
}
