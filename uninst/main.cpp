// UNINST: started by Add/Remove Programs with the path of the uninstaller
// settings file; asks for confirmation in the message library's dialog and
// removes the product's group, directory, registry keys and settings file.
#include "uninst.h"
#include "common/log.h"
#include "common/cmdline.h"
#include "common/removal.h"
#include "platform/templates.h"
#include "platform/msgtexts.h"

static const char UninstCaption[] = "Uninstall";

// Exit codes of an unattended removal ("/S"); a person's run ends with 0.
#define EXIT_REMOVED     0
#define EXIT_STEP_FAILED 1   // a step of the removal failed
#define EXIT_NOT_STARTED 2   // command line, settings file, message library
#define EXIT_GAME_RUNNING 3  // the game runs: nothing removed

static int Unattended;  // 1 in a run of "/S": no dialog, no box

static const char Usage[] =
    "Usage: UNINST.EXE [/S] [/LOG=<file>] <settings file>\n"
    "/S removes the product without asking and without a message box; "
    "the exit code is 0 when every step succeeded, 1 when a step failed, "
    "2 when the removal could not start and 3 when the game is running "
    "(nothing removed). /LOG= appends what was done and every message to "
    "a file.";

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

// The file a module was loaded from, in path (MAX_PATH bytes); "" when
// there is none.
static void ModulePath(HMODULE module, char *path)
{
    DWORD n = module ? GetModuleFileNameA(module, path, MAX_PATH) : 0;
    if (n == 0 || n >= MAX_PATH)
        path[0] = '\0';
}

// The removal, run from the confirmation dialog's OK handler: what the
// settings file names, and in the Windows directory the files this
// process runs from (never a name the settings file alone gives).
// RemoveProduct's result.
int UninstallAll()
{
    char uninstPath[MAX_PATH], msgLibraryPath[MAX_PATH];
    ModulePath(GetModuleHandleA(0), uninstPath);
    ModulePath(GetModuleHandleA(Settings.LoadMsgModule), msgLibraryPath);
    const UninstallSettings &s = Settings;
    InstalledProduct product = {
        s.GroupTitle, s.InstallPath, s.SettingsPath, uninstPath, msgLibraryPath, 0,
        {s.ExecFileName, s.ProductName, s.ProductVersion, s.ApplicationName},
        UninstCaption, s.CheckGameTitle, RecordCodePage(s.SettingsPath), s.PendingInstallPath};
    return RemoveProduct(product);
}

// The confirmation dialog (template 7080 of the message library): OK runs
// the removal, Cancel, Esc and the close box leave everything in place.
INT_PTR CALLBACK ConfirmDlgProc(HWND dialog, UINT message, WPARAM wParam,
                                LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, Settings.UninstWinTitle);
        SetDlgItemTextA(dialog, IDC_UNINST_MSG0, Settings.UninstallMsg0);
        SetDlgItemTextA(dialog, IDC_UNINST_MSG1, Settings.UninstallMsg1);
        SetDlgItemTextA(dialog, IDC_UNINST_MSG2, Settings.UninstallMsg2);
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

// Binds the message library named in the settings and fills the message
// table; a slot the library leaves empty gets the built-in text of the
// system's language. 0 after a message when there is no library.
static HMODULE BindUninstMessages()
{
    HMODULE library = BindMessageLibrary(Settings.LoadMsgModule, UninstCaption);
    if (library && SystemIsJapanese())
        FillEmptySlots(RemovalTextsJa, SLOT_COUNT(RemovalTextsJa));
    else if (library)
        FillEmptySlots(RemovalTextsEn, SLOT_COUNT(RemovalTextsEn));
    return library;
}

// Runs the confirmation dialog of the message library; the library is
// freed after the dialog.
static void RunConfirmation()
{
    HMODULE library = BindUninstMessages();
    if (!library)
        return;
    DialogBoxParamA(library, MAKEINTRESOURCEA(TPL_UNINST_CONFIRM), NULL,
                    ConfirmDlgProc, 0);
    FreeLibrary(library);
}

// An unattended removal puts its messages into the log and goes on.
static int LogBox(const char *text, const char *caption, UINT)
{
    LogMessage(caption, text);
    return IDOK;
}

// The settings file path when options precede it: the rest of the line,
// one argument by the Windows rules (so that a quoted path loses its
// quotes), or, when the rest is more than one argument, taken whole as a
// line without options is.
static const char *SettingsPathAfterOptions(const Argument &first)
{
    static char path[PATH_CAP];
    const char *rest = first.end;
    Argument more;
    if (first.fits && !NextArgument(&rest, &more) && TextCopy(path, first.text))
        return path;
    return first.start;
}

// Reads the options of an unattended removal ("/S", "/LOG=<file>", "/?",
// each also with "-") in front of the settings file path; returns the
// path's text, or 0 when the program is to end at once (after the usage).
// A command line that does not begin with one of them is the path, taken
// whole, as Add/Remove Programs passes it (unquoted, blanks and all).
static const char *ReadOptions(const char *line)
{
    int usage = 0, options = 0;
    const char *log = nullptr;
    char logPath[PATH_CAP];
    const char *path = line;
    Argument a;
    for (const char *p = line; NextArgument(&p, &a); options++) {
        const char *value = OptionValue(a, "LOG=");
        if (IsSwitch(a, "?")) {
            usage = 1;
        } else if (IsSwitch(a, "S")) {
            Unattended = 1;
            SilenceBoxes(LogBox);
        } else if (value && a.fits) {
            log = TextCopy(logPath, value) ? logPath : nullptr;
        } else {
            path = options ? SettingsPathAfterOptions(a) : a.start;
            break;
        }
        path = p;
    }
    while (*path == ' ' || *path == '\t')
        path++;  // after the options, nothing but blanks is no path
    if (log)
        OpenLog(log);
    if (usage) {
        ShowMessage(Usage);  // an unattended run's goes into the log
        return nullptr;
    }
    return path;
}

// The removal as after OK in the confirmation dialog, without it.
static int RemoveUnattended()
{
    LogLine("unattended removal");
    if (!BindUninstMessages())
        return EXIT_NOT_STARTED;
    switch (UninstallAll()) {
    case REMOVAL_DONE:
        LogLine("removed");
        return EXIT_REMOVED;
    case REMOVAL_GAME_RUNNING:
        LogLine("the game is running: nothing removed");
        return EXIT_GAME_RUNNING;
    }
    LogLine("a step of the removal failed");
    return EXIT_STEP_FAILED;
}

// Program entry: the command line is the settings file path, taken whole,
// after the options of an unattended removal.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char *text = ReadOptions(CommandLineText(GetCommandLineA()));
    int notStarted = Unattended ? EXIT_NOT_STARTED : 0;
    if (!text)
        return notStarted;  // the usage asked for: nothing removed
    if (lstrcmpA(text, "") == 0) {
        ShowMessage("Execute form [Add/Remove Programs].");
        return notStarted;
    }
    if (!TextCopy(Settings.SettingsPath, text)) {
        ShowMessage("The uninstaller settings file path is longer than "
                    "259 characters.");
        return notStarted;
    }
    if (!LoadUninstallSettings())
        return notStarted;
    if (Unattended)
        return RemoveUnattended();
    RunConfirmation();
    return 0;
}
