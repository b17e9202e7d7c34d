// The custom dialog library: the dialog procedures that the Setup Toolkit
// runs by name (FDoDialogExt) over the setup frame. One source for every
// language; mscuistf.rc (Japanese) and mscuieng.rc (English) hold the
// templates. A procedure reads its input symbols when its dialog is
// created, and on a button press writes its output symbols and reports the
// button's event word to the toolkit (stf.h).
//
// Every button that ends a dialog has the ID 1000 + its event code, and
// the event word reported for it has its first two characters summing to
// that code (the setup program compares only that sum).
#include "outside/toolkit/stf.h"
#include "outside/cui/cui.h"
#include "platform/templates.h"
#include "common/text.h"

#define CUI_PROC extern "C" __declspec(dllexport) INT_PTR CALLBACK

// Event words, one per event code.
struct EventWord {
    int code;
    const char *word;
};

static const EventWord EventWords[] = {
    {EV_MACHINE_NEC, "98"},        // '9' + '8' = 113: PC-9800 series
    {EV_MINIMAL, "(LITE)"},        // '(' + 'L' = 116: minimal install
    {EV_BACK, "BACK"},             // 'B' + 'A' = 131
    {EV_CANCEL, "CANCEL"},         // 'C' + 'A' = 132
    {EV_START_PRODUCT, "GAME"},    // 'G' + 'A' = 136: start the product
    {EV_CONTINUE, "CONTINUE"},     // 'C' + 'O' = 146
    {EV_MACHINE_FMV, "FMV"},       // 'F' + 'M' = 147: FMV series
    {EV_MACHINE_AT, "AT"},         // 'A' + 'T' = 149: PC/AT compatible
    {EV_GO_ON, "INSTALL"},         // 'I' + 'N' = 151: go on
    {EV_EXIT, "EXIT"},             // 'E' + 'X' = 157
    {EV_REMOVE_OLD, "UNINSTALL"},  // 'U' + 'N' = 163: remove the earlier one
};

// The word for an event code, or 0 when no button reports that code.
static const char *WordOf(int code)
{
    for (unsigned i = 0; i < sizeof EventWords / sizeof EventWords[0]; i++)
        if (EventWords[i].code == code)
            return EventWords[i].word;
    return 0;
}

// 1 when the control is a push button that ends the dialog with an event.
static int IsEventButton(HWND control)
{
    int id = GetDlgCtrlID(control);
    return id > IDC_EVENT_BASE && id < IDC_HELP_BUTTON &&
           WordOf(id - IDC_EVENT_BASE) != 0;
}

// Reads a symbol into a buffer; "" when it is unknown or does not fit.
static void ReadSymbol(LPCSTR name, char *buffer, int size)
{
    if (CbGetSymbolValue(name, buffer, size) >= static_cast<UINT>(size))
        buffer[0] = '\0';
}

// The button the Esc key and the close box stand for: the dialog's cancel
// button, else its exit button; 0 when it has neither.
static int EscapeButton(HWND dialog)
{
    if (GetDlgItem(dialog, IDB_CANCEL))
        return IDB_CANCEL;
    if (GetDlgItem(dialog, IDB_EXIT))
        return IDB_EXIT;
    return 0;
}

// WM_COMMAND of every dialog: an event button reports its word, Help runs
// the help dialog, IDCANCEL (Esc, close box) acts as EscapeButton. Other
// notifications (an edit control's EN_CHANGE) are no button presses.
static INT_PTR HandleCommand(HWND dialog, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        id = EscapeButton(dialog);
        if (id == 0)
            return TRUE;
    } else if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    if (id == IDC_HELP_BUTTON) {
        StfDialogHelp(dialog);
        return TRUE;
    }
    HWND button = GetDlgItem(dialog, id);
    if (button == 0 || !IsEventButton(button) || !IsWindowEnabled(button))
        return FALSE;
    StfDialogEvent(dialog, WordOf(id - IDC_EVENT_BASE));
    return TRUE;
}

// Makes the n-th event button (1 = first, in the template's order) the
// default button with the focus. FALSE when there is no such button.
static BOOL MakeDefaultButton(HWND dialog, int n)
{
    int seen = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsEventButton(child) || ++seen != n)
            continue;
        SendMessageA(dialog, DM_SETDEFID, GetDlgCtrlID(child), 0);
        SetFocus(child);
        return TRUE;
    }
    return FALSE;
}

// Gives the focus to the default button, so that Enter presses the button
// that looks pressable (the first tab stop may be "Exit"). FALSE when the
// template has no default button.
static BOOL FocusDefaultButton(HWND dialog)
{
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    HWND button = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(def)) : 0;
    if (button == 0)
        return FALSE;
    SetFocus(button);
    return TRUE;
}

// The procedure of dialogs that only report which button was pressed.
static INT_PTR ButtonDialog(HWND dialog, UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return !FocusDefaultButton(dialog);  // FALSE: the focus is set
    case WM_COMMAND:
        return HandleCommand(dialog, wParam);
    }
    return FALSE;
}

// Welcome (7270: go on, exit; 7271 also start the product, remove the
// earlier installation).
CUI_PROC FInfoDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    return ButtonDialog(dialog, msg, wParam);
}

// Notices and the failure dialog.
CUI_PROC FInfo0DlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    return ButtonDialog(dialog, msg, wParam);
}

// Quit confirmation.
CUI_PROC FQuitDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    return ButtonDialog(dialog, msg, wParam);
}

// Ending dialog.
CUI_PROC FEndingDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    return ButtonDialog(dialog, msg, wParam);
}

// Machine type: three machine buttons and cancel.
CUI_PROC FSelectXDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    return ButtonDialog(dialog, msg, wParam);
}

// Video playback information before DirectX (7290 FMV, 7291 PC-9800).
CUI_PROC FFMVInfoDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    return ButtonDialog(dialog, msg, wParam);
}

// Confirmations (removal of the earlier installation, low disk space).
// Symbol read: "ActiveButton", the number of the event button that is the
// default (1 = first); "2" puts the default on the second, the safe one.
CUI_PROC FGPDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        char active[8];
        ReadSymbol("ActiveButton", active, sizeof active);
        int n = 0;
        for (const char *p = active; *p >= '0' && *p <= '9'; p++)
            n = n * 10 + (*p - '0');
        if (n >= 1 && MakeDefaultButton(dialog, n))
            return FALSE;  // the focus is set
        return !FocusDefaultButton(dialog);
    }
    return ButtonDialog(dialog, msg, wParam);
}

// Destination. Symbols read: "EditTextIn" (the proposed path), "EditFocus"
// ("END": caret at the end of the path, otherwise the path selected),
// "DiskInfo" (free space text). Written with every event: "EditTextOut",
// the path as typed (at most 254 bytes, the edit control's limit).
CUI_PROC FEditDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    char text[STF_VALUE_CAP];
    HWND edit = GetDlgItem(dialog, IDC_DEST_EDIT);
    switch (msg) {
    case WM_INITDIALOG: {
        SendMessageA(edit, EM_LIMITTEXT, 254, 0);
        ReadSymbol("DiskInfo", text, sizeof text);
        SetDlgItemTextA(dialog, IDC_DISKINFO, text);
        ReadSymbol("EditTextIn", text, 255);
        SetWindowTextA(edit, text);
        int len = GetWindowTextLengthA(edit);
        ReadSymbol("EditFocus", text, sizeof text);
        if (lstrcmpiA(text, "END") == 0)
            SendMessageA(edit, EM_SETSEL, len, len);
        else
            SendMessageA(edit, EM_SETSEL, 0, len);
        SetFocus(edit);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_HELP_BUTTON &&
            (LOWORD(wParam) == IDCANCEL || HIWORD(wParam) == BN_CLICKED)) {
            GetWindowTextA(edit, text, 255);
            FSetSymbolValue("EditTextOut", text);
        }
        return HandleCommand(dialog, wParam);
    }
    return FALSE;
}

// Help dialog (7000), run by the toolkit over a dialog with a Help
// button; OK (or Esc, or the close box) closes it.
CUI_PROC FHelpDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        RemovePropA(dialog, STF_TEMPLATE_PROP);
        break;
    }
    return FALSE;
}
