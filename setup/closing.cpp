// The end of an installation: the restart question, the closing notice or
// the ending dialog, the start of the installed product.
#include "setup/closing.h"
#include "setup/config.h"
#include "setup/dialogs.h"
#include "setup/ends.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/system.h"
#include "common/record.h"
#include "setup/toolkit.h"
#include "common/log.h"
#include "platform/templates.h"

// On the NT family a process may restart the system only with the shutdown
// privilege enabled in its token; without it ExitWindowsEx is refused and
// the restart the user asked for would not happen. Windows 95 has no
// tokens and needs nothing.
static void EnableShutdownPrivilege()
{
    if (!IsNtFamily())
        return;
    // The token functions, which Windows 95 lacks, are looked up.
    auto openToken = SYSTEM_FUNCTION(OpenProcessToken);
    auto lookupPrivilege = SYSTEM_FUNCTION(LookupPrivilegeValueA);
    auto adjustPrivileges = SYSTEM_FUNCTION(AdjustTokenPrivileges);
    HANDLE token;
    if (!openToken || !lookupPrivilege || !adjustPrivileges ||
        !openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                   &token))
        return;
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookupPrivilege(NULL, SE_SHUTDOWN_NAME,
                        &privileges.Privileges[0].Luid))
        adjustPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
    CloseHandle(token);
}

// Asks for the restart that DirectX needs and starts it. Declining it (or a
// refused restart) decides whether setup ends with the closing notice; a
// restart under way keeps what the DirectX step decided.
int AskRestart(int endNotice)
{
    const char *caption = Settings.MsgDlgBoxTitle;
    if (ShowSlot(SLOT_RESTART_ASK, caption, BOX_ALERT | MB_YESNO) == IDYES) {
        EnableShutdownPrivilege();
        if (!ExitWindowsEx(EWX_REBOOT, 0)) {
            ShowSlot(SLOT_RESTART_FAILED, caption, BOX_ALERT);
            return 0;
        }
        return endNotice;
    }
    ShowSlot(SLOT_RESTART_DECLINED, caption, BOX_ALERT);
    return 1;
}

// The ending dialog: exit closes it, start the product launches it,
// cancel asks whether to quit.
static void ShowEnding()
{
    for (;;) {
        switch (RunDialog(MessageTemplate(SLOT_ENDING), "FEndingDlgProc")) {
        case EV_CANCEL:
            ConfirmQuit();
            break;
        case EV_START_PRODUCT:
            LaunchProduct();
        case EV_EXIT:
            KillDialogs(1);
            return;
        default:
            break;
        }
    }
}

void ShowClosing(int endNotice)
{
    if (endNotice)
        ShowSlot(SLOT_END_NOTICE, Settings.MsgDlgBoxTitle, BOX_NOTICE);
    else
        ShowEnding();
}

// Starts the installed product from the directory recorded as ExePath in
// the uninstaller settings file, and ends setup at once. When it cannot be
// started, the ExecErrMsg text and the ordinary end of setup.
void LaunchProduct()
{
    char exePath[PATH_CAP];
    char program[PATH_CAP];
    char commandLine[PATH_CAP];
    int recorded = ReadRecordedDirectory(Settings.IniFileName, ExePathKey, exePath);
    // CreateProcessA may write into the command line: a copy of its own.
    TextCopy(commandLine, Settings.ExecFileName);
    // "None" means no installation recorded where to start it: never try a
    // relative "None\" path. A program path that does not fit would name
    // another file: it is not started either.
    if (recorded && JoinPath(program, exePath, Settings.ExecFileName)) {
        SetCurrentDirectoryA(exePath);
        STARTUPINFOA startup;
        PROCESS_INFORMATION process;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        if (CreateProcessA(program, commandLine, NULL, NULL, TRUE, 0, NULL,
                           NULL, &startup, &process))
            EndAtOnce(0);
    }
    ShowBox(Settings.ExecErrMsg, Settings.MsgDlgBoxTitle, BOX_ALERT);
    EndSetup();
}
