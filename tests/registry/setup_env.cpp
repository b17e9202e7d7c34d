// Test support (see setup_env.h) and the parts of the setup program that
// these tests do not link: the main sequence's state and exits, and a
// scripted dialog layer in place of the toolkit's dialogs.
#include "setup_env.h"
#include <gtest/gtest.h>
#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>
#include "setup/setup.h"
#include "tests/import_slot.h"

// ---- the main sequence's state (main.cpp)
UINT_PTR MessageTable[MSG_TABLE_SLOTS];
const char *ProgramCaption = MsgDlgBoxTitle;
HINSTANCE ProgramInstance;
HMODULE MsgModule;
HWND FrameWindow;
UINT WelcomeTemplate;
char StartupDir[PATH_CAP];
char DestinationDir[PATH_CAP];
int MinimalInstall;
int DirectXResult;
int EndNotice;

void AbortSetup()
{
    throw SetupEnded{"AbortSetup called"};
}

void ShutdownSetup() {}

// ---- the toolkit's wait cursor (files.cpp imports it from msshlstf.dll)
// The import slots the linker would take from the toolkit's import
// library, filled with local functions.
static HCURSOR WINAPI ShowWaitCursor()
{
    return SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

static BOOL WINAPI RestoreCursor(HCURSOR previous)
{
    SetCursor(previous);
    return TRUE;
}

extern "C" {
void *__imp_HShowWaitCursor IMPORT_SLOT(HShowWaitCursor, 0) =
    reinterpret_cast<void *>(ShowWaitCursor);
void *__imp_FRestoreCursor IMPORT_SLOT(FRestoreCursor, 4) =
    reinterpret_cast<void *>(RestoreCursor);
}

// ---- scripted dialog layer (dialogs.cpp)
std::deque<std::string> ScriptedEvents;
std::vector<std::string> DialogLog;

void RunDialog(LPCSTR, UINT templ, LPCSTR proc, UINT helpTempl,
               LPCSTR helpProc, char *event, int size)
{
    std::ostringstream line;
    line << "run " << templ << " " << proc << " " << helpTempl << " "
         << (helpProc ? helpProc : "-");
    DialogLog.push_back(line.str());
    if (ScriptedEvents.empty())
        throw SetupEnded{"no scripted event left for " + line.str()};
    TextCopy(event, ScriptedEvents.front().c_str(), size);
    ScriptedEvents.pop_front();
}

UINT EventCode(const char *event)
{
    return static_cast<UINT16>(static_cast<signed char>(event[0]) +
                               static_cast<signed char>(event[1]));
}

void KillDialogs(int count)
{
    DialogLog.push_back("kill " + std::to_string(count));
}

void ConfirmQuit()
{
    DialogLog.push_back("quit");
}

void ResetSetupState()
{
    TextCopy(ProductName, "ORVA PC");
    TextCopy(ProductVersion, "1.0");
    TextCopy(ApplicationName, "ORVA PC App");
    TextCopy(DisplayName, "ORVA PC GAME PRODUCT");
    TextCopy(UnInstExe, "UNINST.EXE");
    TextCopy(UninstWinTitle, "ORVA Uninstall");
    TextCopy(UninstallMsg0, "Remove ORVA?");
    TextCopy(UninstallMsg1, "All files of ORVA will be removed.");
    TextCopy(UninstallMsg2, "Continue?");
    TextCopy(LoadModule, "mscuieng.dll");
    TextCopy(LoadMsgModule, "msgeng.dll");
    TextCopy(ExecFileName, "ORVA.EXE");
    TextCopy(IniFileName, "ORVA.INI");
    TextCopy(GroupTitle, "ORVA PC");
    TextCopy(MsgDlgBoxTitle, "ORVA Setup");
    TextCopy(LanguageName, "English");
    TextCopy(DirectX, "Yes");
    TextCopy(Indeo41, "Yes");
    TextCopy(Select, "Yes");
    TextCopy(SelectMachine, "1");
    TextCopy(DestinationDir, "C:\\ORVA\\");
    DirectXResult = 0;
    EndNotice = 0;
    FrameWindow = nullptr;
    ScriptedEvents.clear();
    DialogLog.clear();
    static const char *const texts[][2] = {
        {"43", "The source file is missing."},
        {"44", "The file is in use."},
        {"45", "Access denied."},
        {"46", "The disk is full."},
        {"47", "The new file is missing."},
        {"48", "The new file is a directory."},
        {"49", "The installed file is a directory."},
        {"50", "No version in the new file."},
        {"51", "No version in the installed file."},
        {"24", "Setup ends without DirectX."},
    };
    for (const auto &t : texts)
        MessageTable[atoi(t[0])] = reinterpret_cast<UINT_PTR>(t[1]);
    MessageTable[SLOT_MACHINE] = 7312;
}
