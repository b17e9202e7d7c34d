// The restart question, the ending dialog and the failed start of the
// product, with real message boxes and windows. What
// the system is asked to do for a restart is taken at the import of
// ExitWindowsEx (a restart would end the Wine session under the tests).
#include <gtest/gtest.h>
#include "answer_boxes.h"
#include "fake_sequence.h"
#include "platform/templates.h"
#include "tests/import_slot.h"
#include "setup/closing.h"
#include "setup/state.h"
#include "common/ui.h"

static const char kCaption[] = "ORVA Setup";

// ---- ExitWindowsEx, as the restart question calls it

extern "C" void *__imp_ExitWindowsEx IMPORT_SLOT(ExitWindowsEx, 8);

namespace {
int exitCalls;
UINT exitFlags;
DWORD exitReason;
BOOL exitAnswer;
bool privilegeEnabledAtCall;

// Whether the process token has the shutdown privilege enabled now.
bool ShutdownPrivilegeEnabled()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET set = {};
    set.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &set.Privilege[0].Luid);
    BOOL held = FALSE;
    PrivilegeCheck(token, &set, &held);
    CloseHandle(token);
    return held;
}

// Switches the shutdown privilege off, as a process starts with it.
void DisableShutdownPrivilege()
{
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(),
                                 TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    TOKEN_PRIVILEGES p = {};
    p.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &p.Privileges[0].Luid);
    p.Privileges[0].Attributes = 0;
    AdjustTokenPrivileges(token, FALSE, &p, 0, nullptr, nullptr);
    CloseHandle(token);
}

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason)
{
    exitCalls++;
    exitFlags = flags;
    exitReason = reason;
    privilegeEnabledAtCall = ShutdownPrivilegeEnabled();
    if (!exitAnswer)
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return exitAnswer;
}

class Restart : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset("C:\\ORVA\\");
        exitCalls = 0;
        exitFlags = exitReason = 0;
        privilegeEnabledAtCall = false;
        DisableShutdownPrivilege();
        ASSERT_FALSE(ShutdownPrivilegeEnabled());
        DWORD old;
        VirtualProtect(&__imp_ExitWindowsEx, sizeof(void *), PAGE_READWRITE, &old);
        saved_ = __imp_ExitWindowsEx;
        __imp_ExitWindowsEx = (void *)RecordExitWindows;
    }
    void TearDown() override { __imp_ExitWindowsEx = saved_; }
    void *saved_ = nullptr;
};
}  // namespace

TEST_F(Restart, DeclinedLeadsToTheClosingNotice)
{
    int endNotice = -1;
    auto boxes = AnswerBoxes([&] { endNotice = AskRestart(0); }, {IDNO, IDOK});
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Restart now?", boxes[0].text);
    EXPECT_EQ(kCaption, boxes[0].caption);
    EXPECT_EQ("Restart later.", boxes[1].text);
    EXPECT_EQ(kCaption, boxes[1].caption);
    EXPECT_EQ(0, exitCalls);
    EXPECT_EQ(1, endNotice);
}

TEST_F(Restart, AcceptedAsksTheSystemToRestartWithThePrivilege)
{
    exitAnswer = TRUE;
    int endNotice = -1;  // kept when the restart is under way
    auto boxes = AnswerBoxes([&] { endNotice = AskRestart(1); }, {IDYES});
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Restart now?", boxes[0].text);
    EXPECT_EQ(1, exitCalls);
    EXPECT_EQ((UINT)EWX_REBOOT, exitFlags);
    EXPECT_EQ(0u, exitReason);
    EXPECT_TRUE(privilegeEnabledAtCall);
    EXPECT_EQ(1, endNotice);
}

TEST_F(Restart, RefusedByTheSystemSaysSoAndEndsWithTheEndingDialog)
{
    exitAnswer = FALSE;
    int endNotice = -1;
    auto boxes = AnswerBoxes([&] { endNotice = AskRestart(1); }, {IDYES, IDOK});
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Restart failed.", boxes[1].text);
    EXPECT_EQ(kCaption, boxes[1].caption);
    EXPECT_EQ(1, exitCalls);
    EXPECT_EQ(0, endNotice);
}

// ---- the ending dialog

TEST(Ending, CancelAsksExitCloses)
{
    fake::Reset("C:\\ORVA\\");
    fake::script = {{TPL_ENDING, EV_CANCEL, ""},
                    {TPL_ENDING, EV_CONTINUE, ""},  // not acted on
                    {TPL_ENDING, EV_EXIT, ""}};
    ShowClosing(0);
    EXPECT_EQ(1, fake::quitQuestions);
    ASSERT_EQ(3u, fake::shown.size());
    EXPECT_EQ("FEndingDlgProc", fake::shown[0].proc);
    EXPECT_EQ(0u, fake::shown[0].helpTempl);
    EXPECT_EQ(std::vector<int>{1}, fake::killed);
}

// ---- a product that cannot be started

class Launch : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset("C:\\ORVA\\");
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        ini_ = std::string(windows) + "\\H8DLGTST.INI";
        DeleteFileA(ini_.c_str());
    }
    void TearDown() override { DeleteFileA(ini_.c_str()); }
    // Starts the product; expects the ExecErrMsg box and the end of setup.
    void ExpectStartFails()
    {
        auto boxes = AnswerBoxes(
            [] { EXPECT_THROW(LaunchProduct(), SetupEnded); }, {IDOK});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("box", boxes[0].kind);
        EXPECT_EQ("Cannot start ORVA.", boxes[0].text);
        EXPECT_EQ(kCaption, boxes[0].caption);
        EXPECT_EQ(std::vector<int>{-1}, fake::killed);
        EXPECT_EQ(1, fake::shutdowns);
    }
    std::string ini_;
};

TEST_F(Launch, NoExePathRecorded)
{
    ExpectStartFails();
}

TEST_F(Launch, ExePathRecordedAsNone)
{
    WritePrivateProfileStringA("Directory", "ExePath", "none", ini_.c_str());
    ExpectStartFails();
}

TEST_F(Launch, ProgramMissingFromExePath)
{
    CreateDirectoryA("C:\\h8dialogs", nullptr);
    CreateDirectoryA("C:\\h8dialogs\\noprogram", nullptr);
    WritePrivateProfileStringA("Directory", "ExePath", "C:\\h8dialogs\\noprogram\\",
                               ini_.c_str());
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    ExpectStartFails();
    char now[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_STREQ("C:\\h8dialogs\\noprogram", now);  // it did go there
    SetCurrentDirectoryA(before);
}
