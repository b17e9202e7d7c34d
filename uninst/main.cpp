// UNINST: started by Add/Remove Programs with the path of the uninstaller
// settings file; asks for confirmation in the message library's dialog and
// removes the product's group, directory, registry keys and settings file.
#include "uninst.h"
#include "common/removal.h"
#include "platform/templates.h"

static const char UninstCaption[] = "Uninstall";

// Shows a message with the program caption, system modal and in front.
void ShowMessage(const char *text)
{
    ShowBox(text, UninstCaption, BOX_ALERT);
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

// The removal, run from the confirmation dialog's OK handler: everything
// the settings file names, the registry keys before the settings file.
// 1 when every step succeeded.
int UninstallAll()
{
    InstalledProduct product = {
        GroupTitle, InstallPath, SettingsPath, UnInstExe, LoadMsgModule,
        {ExecFileName, ProductName, ProductVersion, ApplicationName},
        UninstCaption};
    return RemoveProduct(product, 0);
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
        CentreWindow(dialog, GetDesktopWindow());
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
    HMODULE library = BindMessageLibrary(LoadMsgModule, UninstCaption);
    if (!library)
        return;
    DialogBoxParamA(library, MAKEINTRESOURCEA(TPL_UNINST_CONFIRM), NULL,
                    ConfirmDlgProc, 0);
    FreeLibrary(library);
}

// Program entry: the command line is the settings file path, taken whole.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
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
