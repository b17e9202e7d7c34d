// The toolkit's dialogs (msuilstf.dll): runs the dialogs of a custom dialog
// library by template number and procedure name, over the frame, and keeps
// them in a stack until FKillNDialogs closes them.
//
// A dialog is created modeless and waited for in a message loop of our own
// until its procedure reports an event (StfDialogEvent, see stf.h). While
// it waits it carries the window property "TemplateNumber", the frame and
// every other dialog of the stack are disabled, and the Help button (1999)
// is shown only when a help dialog was given. After its event the dialog
// stays on screen, disabled; running the same template again while it is
// the topmost dialog waits on that same window again, with what the user
// typed into it kept.
#include "outside/toolkit/stf.h"
#include "platform/templates.h"

#define DIALOG_STACK 16

struct OpenDialog {
    HWND window;
    HMODULE library;      // one reference held while the dialog is open
    DLGPROC proc;
    UINT templ;
    HMODULE helpLibrary;  // 0: no help
    DLGPROC helpProc;
    UINT helpTempl;
    HWND owner;
    HWND focus;           // the control that had the focus at the event
    int waiting;
};

static OpenDialog Dialogs[DIALOG_STACK];
static int DialogCount;

// The open dialog of that window, or 0.
static OpenDialog *FindDialog(HWND window)
{
    for (int i = 0; i < DialogCount; i++)
        if (Dialogs[i].window == window)
            return &Dialogs[i];
    return 0;
}

// Loads a library and finds a dialog procedure in it by its exported
// name; 0 (nothing kept loaded) when either is missing.
static DLGPROC LoadProc(LPCSTR library, LPCSTR procName, HMODULE *module)
{
    *module = 0;
    if (library == 0 || *library == '\0' || procName == 0 || *procName == '\0')
        return 0;
    HMODULE loaded = LoadLibraryA(library);
    if (loaded == 0)
        return 0;
    DLGPROC proc = reinterpret_cast<DLGPROC>(
        reinterpret_cast<void *>(GetProcAddress(loaded, procName)));
    if (proc == 0) {
        FreeLibrary(loaded);
        return 0;
    }
    *module = loaded;
    return proc;
}

// 1 when the module holds dialog template `templ`.
static int HasTemplate(HMODULE module, UINT templ)
{
    return FindResourceA(module, MAKEINTRESOURCEA(templ),
                         MAKEINTRESOURCEA(5) /* RT_DIALOG */) != 0;
}

// Drops the help dialog of an open dialog.
static void ForgetHelp(OpenDialog *dialog)
{
    if (dialog->helpLibrary)
        FreeLibrary(dialog->helpLibrary);
    dialog->helpLibrary = 0;
    dialog->helpProc = 0;
    dialog->helpTempl = 0;
}

// Makes the dialog the one waiting for the user: the others and the owner
// disabled, the Help button shown when there is help, the focus back where
// it was, and last the "TemplateNumber" property.
static void ArmDialog(OpenDialog *dialog)
{
    HWND help = GetDlgItem(dialog->window, IDC_HELP_BUTTON);
    if (help) {
        ShowWindow(help, dialog->helpTempl ? SW_SHOW : SW_HIDE);
        EnableWindow(help, dialog->helpTempl != 0);
    }
    for (int i = 0; i < DialogCount; i++)
        if (&Dialogs[i] != dialog)
            EnableWindow(Dialogs[i].window, FALSE);
    if (dialog->owner)
        EnableWindow(dialog->owner, FALSE);
    EnableWindow(dialog->window, TRUE);
    ShowWindow(dialog->window, SW_SHOW);
    SetForegroundWindow(dialog->window);
    if (dialog->focus && IsChild(dialog->window, dialog->focus) &&
        IsWindowEnabled(dialog->focus) && IsWindowVisible(dialog->focus))
        SetFocus(dialog->focus);
    dialog->waiting = 1;
    SetPropA(dialog->window, STF_TEMPLATE_PROP,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dialog->templ)));
}

// Ends a dialog's wait without an event (its window is gone, or the
// program is being ended).
static void DisarmDialog(OpenDialog *dialog)
{
    dialog->waiting = 0;
    if (IsWindow(dialog->window))
        RemovePropA(dialog->window, STF_TEMPLATE_PROP);
}

// Hands one message to the dialog (keyboard: Tab, Enter, Esc) or to its
// window procedure.
static void DispatchTo(HWND dialog, MSG *msg)
{
    if (IsWindow(dialog) && IsDialogMessageA(dialog, msg))
        return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
}

// Runs messages until the dialog has reported its event. FALSE when its
// window disappears or WM_QUIT arrives (which is posted again, so that the
// program's own loop sees it).
static BOOL WaitForEvent(HWND window)
{
    for (;;) {
        OpenDialog *dialog = FindDialog(window);
        if (dialog == 0)
            return FALSE;
        if (!dialog->waiting)
            return TRUE;
        if (!IsWindow(window)) {
            DisarmDialog(dialog);
            return FALSE;
        }
        MSG msg;
        BOOL got = GetMessageA(&msg, 0, 0, 0);
        if (got == 0 || got == -1) {
            DisarmDialog(dialog);
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        DispatchTo(window, &msg);
    }
}

// Runs dialog `templ` of `library` with the procedure `procName` over the
// frame, with help dialog `helpTempl` (procedure `helpProcName` of
// `helpLibrary`) when helpTempl is not 0, and waits until it has reported
// its event, which is then in the symbol "DLGEVENT". FALSE when the
// library, a procedure or a template is missing, the window cannot be
// created, the stack is full, or the wait is broken.
BOOL WINAPI FDoDialogExt(HWND frame, LPCSTR library, UINT templ,
                         LPCSTR procName, LPCSTR helpLibrary, UINT helpTempl,
                         LPCSTR helpProcName)
{
    HMODULE module;
    DLGPROC proc = LoadProc(library, procName, &module);
    if (proc == 0)
        return FALSE;
    HMODULE helpModule = 0;
    DLGPROC helpProc = 0;
    if (helpTempl != 0) {
        helpProc = LoadProc(helpLibrary, helpProcName, &helpModule);
        if (helpProc == 0 || !HasTemplate(helpModule, helpTempl)) {
            if (helpModule)
                FreeLibrary(helpModule);
            FreeLibrary(module);
            return FALSE;
        }
    }
    OpenDialog *dialog = DialogCount ? &Dialogs[DialogCount - 1] : 0;
    if (dialog && dialog->library == module && dialog->proc == proc &&
        dialog->templ == templ && !dialog->waiting && IsWindow(dialog->window)) {
        FreeLibrary(module);  // the open dialog holds its own reference
    } else {
        if (DialogCount == DIALOG_STACK || !HasTemplate(module, templ)) {
            if (helpModule)
                FreeLibrary(helpModule);
            FreeLibrary(module);
            return FALSE;
        }
        HWND window = CreateDialogParamA(module, MAKEINTRESOURCEA(templ),
                                         frame, proc, templ);
        if (window == 0) {
            if (helpModule)
                FreeLibrary(helpModule);
            FreeLibrary(module);
            return FALSE;
        }
        dialog = &Dialogs[DialogCount++];
        ZeroMemory(dialog, sizeof *dialog);
        dialog->window = window;
        dialog->library = module;
        dialog->proc = proc;
        dialog->templ = templ;
    }
    ForgetHelp(dialog);
    dialog->helpLibrary = helpModule;
    dialog->helpProc = helpProc;
    dialog->helpTempl = helpTempl;
    dialog->owner = frame;
    ArmDialog(dialog);
    return WaitForEvent(dialog->window);
}

// Called by a dialog procedure: its event word goes into "DLGEVENT" and
// the dialog stops waiting (property removed, window disabled). FALSE,
// and nothing changed, when the dialog is not waiting.
BOOL WINAPI StfDialogEvent(HWND window, LPCSTR word)
{
    OpenDialog *dialog = FindDialog(window);
    if (dialog == 0 || !dialog->waiting || word == 0)
        return FALSE;
    if (!StfSetSymbol(STF_EVENT_SYMBOL, word))
        return FALSE;
    HWND focus = GetFocus();
    dialog->focus = IsChild(window, focus) ? focus : 0;
    DisarmDialog(dialog);
    EnableWindow(window, FALSE);
    return TRUE;
}

// Called by a dialog procedure for its Help button: runs the help dialog
// over it, modally, until the help procedure destroys its window. The
// help dialog carries "TemplateNumber" (its template) while it is open.
BOOL WINAPI StfDialogHelp(HWND window)
{
    OpenDialog *dialog = FindDialog(window);
    if (dialog == 0 || !dialog->waiting || dialog->helpTempl == 0)
        return FALSE;
    HWND help = CreateDialogParamA(dialog->helpLibrary,
                                   MAKEINTRESOURCEA(dialog->helpTempl), window,
                                   dialog->helpProc, dialog->helpTempl);
    if (help == 0)
        return FALSE;
    EnableWindow(window, FALSE);
    ShowWindow(help, SW_SHOW);
    SetForegroundWindow(help);
    SetPropA(help, STF_TEMPLATE_PROP,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dialog->helpTempl)));
    while (IsWindow(help)) {
        MSG msg;
        BOOL got = GetMessageA(&msg, 0, 0, 0);
        if (got == 0 || got == -1) {
            DestroyWindow(help);
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchTo(help, &msg);
    }
    EnableWindow(window, TRUE);
    SetForegroundWindow(window);
    return TRUE;
}

// Closes the topmost dialog: the owner is enabled first, so that it, not
// another program, becomes active when the dialog goes.
static void CloseTopDialog()
{
    OpenDialog *dialog = &Dialogs[--DialogCount];
    if (dialog->owner)
        EnableWindow(dialog->owner, TRUE);
    if (IsWindow(dialog->window)) {
        RemovePropA(dialog->window, STF_TEMPLATE_PROP);
        DestroyWindow(dialog->window);
    }
    ForgetHelp(dialog);
    FreeLibrary(dialog->library);
    ZeroMemory(dialog, sizeof *dialog);
}

// Closes the topmost `count` open dialogs; -1 closes all. FALSE only for a
// count below -1.
BOOL WINAPI FKillNDialogs(int count)
{
    if (count < -1)
        return FALSE;
    // Asking for more dialogs than are open closes all there are: the setup
    // program closes "the topmost one" also after steps that opened none.
    if (count == -1 || count > DialogCount)
        count = DialogCount;
    while (count-- > 0)
        CloseTopDialog();
    return TRUE;
}
