// UNINST: started by Add/Remove Programs with the path of the uninstaller
// settings file; asks for confirmation in the message library's dialog and
// removes the product's group, directory, registry keys and settings file.
#include "uninst.h"
#include "common/removal.h"
#include "platform/templates.h"

UINT_PTR MessageTable[MSG_TABLE_SLOTS];
const char *ProgramCaption;

// Shows a message with the program caption, exclamation, system modal and
// in the foreground, without owner window.
void ShowMessage(const char *text)
{
    MessageBoxA(NULL, text, ProgramCaption, UNINST_MB_STYLE);
}

// The command line without the program name and the blanks and control
// characters after it. A quoted name ends at its closing quote, any other
// at the first blank or control character.
const char *CommandLineText(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        for (p++; *p && *p != '"'; p++)
            ;
        if (*p == '"')
            p++;
    } else {
        while ((unsigned char)*p > ' ')
            p++;
    }
    while (*p && (unsigned char)*p <= ' ')
        p++;
    return p;
}

// The removal, run from the confirmation dialog's OK handler. No step stops
// the later ones; one final message tells whether any of them failed.
int UninstallAll()
{
    int failed = 0;
    DeleteProgramGroup(GroupTitle);
    if (!RemoveDirectoryTree(InstallPath))
        failed = 1;
    if (!DeleteProductRegistry())
        failed = 1;

    // The running uninstaller and its loaded message library cannot go now.
    ScheduleWindowsFileDelete(UnInstExe);
    ScheduleWindowsFileDelete(LoadMsgModule);

    if (!DeleteFileA(SettingsPath)) {
        ShowMessage(MessageText(SLOT_INI_NOT_DELETED));
        failed = 1;
    }
    ShowMessage(MessageText(failed ? SLOT_REMOVE_FAILED : SLOT_REMOVED));
    return 1;
}

// Centres the dialog on the desktop window, keeping its size and Z order.
static void CentreOnDesktop(HWND dialog)
{
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &own);
    int left = ((desktop.right - desktop.left) - (own.right - own.left)) / 2;
    int top = ((desktop.bottom - desktop.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(dialog, NULL, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

// The confirmation dialog (template 7080 of the message library): OK runs
// the removal, Cancel, Esc and the close box leave everything in place.
INT_PTR CALLBACK ConfirmDlgProc(HWND dialog, UINT message, WPARAM wParam,
                                LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, UninstWinTitle);
        SetDlgItemTextA(dialog, IDC_UNINST_MSG0, UninstallMsg0);
        SetDlgItemTextA(dialog, IDC_UNINST_MSG1, UninstallMsg1);
        SetDlgItemTextA(dialog, IDC_UNINST_MSG2, UninstallMsg2);
        CentreOnDesktop(dialog);
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE;  // the focus was set here
    case WM_COMMAND:
        if (wParam == IDOK) {
            UninstallAll();
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (wParam == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// Binds the message library named in the settings, fills the message table
// and runs the confirmation dialog; the library is freed after the dialog.
static void RunConfirmation()
{
    HMODULE library = LoadLibraryA(LoadMsgModule);
    if (!library) {
        ShowMessage("Can't load Msg Library");
        return;
    }
    // Through a generic function pointer: FARPROC and the entry's own type
    // are deliberately different.
    MsgSetupProc setup = reinterpret_cast<MsgSetupProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "MsgSetup")));
    if (!setup) {
        ShowMessage("Can't GetProcAddress() for Msg.DLL MsgSetup()");
        return;  // the library stays loaded until the process ends
    }
    setup(MessageTable);
    DialogBoxParamA(library, MAKEINTRESOURCEA(TPL_UNINST_CONFIRM), NULL,
                    ConfirmDlgProc, 0);
    FreeLibrary(library);
}

// Program entry: the command line is the settings file path, taken whole.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ProgramCaption = "Uninstall";
    const char *text = CommandLineText(GetCommandLineA());
    if (lstrcmpA(text, "") == 0) {
        ShowMessage("Execute form [Add/Remove Programs].");
        return 0;
    }
    if (!TextCopy(SettingsPath, text)) {
        ShowMessage("The uninstaller settings file path is longer than "
                    "259 characters.");
        return 0;
    }
    if (!LoadUninstallSettings())
        return 0;
    RunConfirmation();
    return 0;
}
