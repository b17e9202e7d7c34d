// The kind of the run: a person's, or the unattended mode of the setup
// program for install scripts:
//   Tql.exe /S [/D=<destination>] [/MINIMAL] [/MACHINE=1|2|3] [/LOG=<file>]
// which runs the installation with the choices a person makes by default,
// shows no window, and ends at the first message that would have needed an
// answer, with an exit code that names the stage (see ends.h). The line
// is read by the Windows argument rules (common/cmdline.h); a value runs
// on, unquoted, up to the next option. Without /S the command line is not
// looked at (but for /? and "SPECIAL THANKS", see WinMain). Every dialog
// and window of the run asks here whether the run shows it
// (RunAnswersDialog, OpenRunWindow), so that no step needs to know which
// kind of run it is in.
#include "setup/run.h"
#include "setup/config.h"
#include "setup/rules.h"
#include "setup/state.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/log.h"
#include "common/cmdline.h"
#include "platform/templates.h"

char UnattendedDestination[255];
// "/MACHINE=", "1" without it.
static char UnattendedMachine[2] = "1";

static int Unattended;  // the run of "/S"

static UINT AnswerDialog(UINT templ);

static const char Usage[] =
    "Usage: Tql.exe [/S [/D=<destination>] [/MINIMAL] [/MACHINE=1|2|3] "
    "[/LOG=<file>]]\n"
    "/S installs without asking: the proposed destination (or /D=), a full "
    "installation (or /MINIMAL), machine type 1 (or /MACHINE=), no restart. "
    "The exit code tells the stage that failed; /LOG= appends what was done "
    "and every message to a file.";

int LoggedExitCode(int code)
{
    char line[64];
    TextFormat(line, sizeof line, "exit code %d", code);
    LogLine(line);
    return code;
}

// Ends the run before it started anything, with code, logged.
[[noreturn]] static void EndUnattended(int code)
{
    EndAtOnce(LoggedExitCode(code));
}

// An unattended run ends at a message box: its text goes into the log, and
// that is the failure told.
static int EndAtMessage(const char *text, const char *caption, UINT)
{
    LogMessage(caption, text);
    EndFailed(StageCode());
}

int LogRestartNeeded(int endNotice)
{
    LogLine("DirectX asks for a restart; it is not carried out");
    return endNotice;
}

void LogClosing(int endNotice)
{
    if (endNotice)
        LogMessage(Settings.MsgDlgBoxTitle, MessageText(SLOT_END_NOTICE));
}

void LogFailure()
{
    LogLine("setup failed");
}

// 1 when the argument is one of this program's options.
static int IsOption(const Argument &a)
{
    return IsSwitch(a, "S") || IsSwitch(a, "MINIMAL") || IsSwitch(a, "?") ||
           OptionValue(a, "D=") || OptionValue(a, "MACHINE=") ||
           OptionValue(a, "LOG=");
}

// The value of an option: its own text and, as an unquoted path may hold
// blanks, every following argument up to the next option, with the blanks
// between them as the line has them. Moves *line past what it took; 0
// when the value does not fit.
static int ReadValue(const char **line, const Argument &option,
                     const char *value, char *out, int capacity)
{
    if (!option.fits || !TextCopy(out, value, capacity))
        return 0;
    const char *end = option.end;
    Argument next;
    for (const char *p = end; NextArgument(&p, &next) && !IsOption(next);
         p = end = next.end) {
        int used = lstrlenA(out);
        int blanks = static_cast<int>(next.start - end);
        if (!next.fits || used + blanks >= capacity)
            return 0;
        TextCopy(out + used, end, blanks + 1);
        if (!TextAppend(out, next.text, capacity))
            return 0;
    }
    *line = end;
    return 1;
}

// Reads the option that begins the rest of the line and moves *line past
// it; 0 when it is not understood.
static int ReadOption(const char **line, const Argument &a, int *minimal)
{
    char log[PATH_CAP];
    const char *value;
    if (IsSwitch(a, "S"))
        return 1;
    if (IsSwitch(a, "MINIMAL")) {
        *minimal = 1;
        return 1;
    }
    if ((value = OptionValue(a, "D=")))
        return ReadValue(line, a, value, UnattendedDestination,
                         sizeof UnattendedDestination);
    if ((value = OptionValue(a, "MACHINE=")))
        return ReadValue(line, a, value, UnattendedMachine,
                         sizeof UnattendedMachine) &&
               *UnattendedMachine >= '1' && *UnattendedMachine <= '3';
    if ((value = OptionValue(a, "LOG=")))  // opened before the options were read
        return ReadValue(line, a, value, log, sizeof log);
    return 0;
}

// Opens the log that the command line names, first of all, so that the
// log also tells about an option that is not understood. 0 when it names
// one that cannot be opened.
static int OpenNamedLog(const char *line)
{
    Argument a;
    while (NextArgument(&line, &a)) {
        char log[PATH_CAP];
        const char *value = OptionValue(a, "LOG=");
        if (value)
            return ReadValue(&line, a, value, log, sizeof log) && OpenLog(log);
    }
    return 1;
}

// 1 when one of the command line's arguments is the switch of that name.
static int HasSwitch(const char *line, const char *name)
{
    Argument a;
    while (NextArgument(&line, &a))
        if (IsSwitch(a, name))
            return 1;
    return 0;
}

// An unattended run ends at an option it does not understand: the rest of
// the line from that option, and the usage, go into the log.
[[noreturn]] static void EndNotUnderstood(const char *rest)
{
    LogLine("the command line is not understood:");
    LogLine(rest);
    LogLine(Usage);
    EndUnattended(EXIT_USAGE);
}

int ReadCommandLine(const char *cmdLine, int *exitCode)
{
    Argument a;
    const char *first = cmdLine;
    *exitCode = EXIT_DONE;
    Unattended = 0;
    if (!HasSwitch(cmdLine, "S")) {
        if (!NextArgument(&first, &a) || !IsSwitch(a, "?"))
            return RUN_BY_PERSON;  // whatever else the line holds
        ShowBox(Usage, "Setup", BOX_NOTICE);
        return RUN_ENDS;
    }
    Unattended = 1;
    SilenceBoxes(EndAtMessage);
    if (!OpenNamedLog(cmdLine))
        EndUnattended(EXIT_USAGE);
    int minimal = 0;
    for (const char *p = cmdLine; NextArgument(&p, &a);)
        if (!a.fits || !ReadOption(&p, a, &minimal))
            EndNotUnderstood(a.start);
    MinimalInstall = minimal;
    LogLine("unattended installation");
    return RUN_UNATTENDED;
}

int RunAnswersDialog(UINT templ, UINT *code)
{
    if (!Unattended)
        return 0;
    *code = AnswerDialog(templ);
    return 1;
}

int OpenRunWindow(HMODULE module, UINT templ, DLGPROC proc, HWND *window)
{
    *window = nullptr;
    if (Unattended)
        return 1;
    *window = CreateDialogParamA(reinterpret_cast<HINSTANCE>(module),
                                 MAKEINTRESOURCEA(templ), nullptr, proc, 0);
    return *window != nullptr;
}

// The answers of an unattended run to the dialogs (see RunDialog): the
// choices a person makes by default, where there is one; a dialog that
// refuses the destination, or any other, ends the run.
static UINT AnswerDialog(UINT templ)
{
    if (templ == MessageTemplate(SLOT_NOTICE_CREATE)) {
        LogLine("the destination folder is created");
        return EV_CONTINUE;
    }
    if (templ == MessageTemplate(SLOT_MACHINE))
        return MachineChoice(UnattendedMachine);
    if (templ == TPL_FMVINFO_AT || templ == TPL_FMVINFO_NEC) {
        LogLine("video information: continue");
        return EV_CONTINUE;
    }
    struct Refusal { int slot; const char *text; };
    static const Refusal refusals[] = {
        {SLOT_NOTICE_EMPTY, "no destination was given"},
        {SLOT_NOTICE_BADNAME, "the destination is not a valid folder name"},
        {SLOT_NOTICE_SOURCE, "the destination is the source folder"},
        {SLOT_NOTICE_ROOT, "the destination is the root of a drive"},
        {SLOT_NOTICE_ISFILE, "the destination is a file"},
        {SLOT_LOW_DISK, "the destination drive has less free space than "
                        "the installation needs"},
    };
    for (const Refusal &r : refusals) {
        if (templ == MessageTemplate(r.slot)) {
            LogLine(r.text);
            EndFailed(EXIT_DESTINATION);
        }
    }
    char line[64];
    TextFormat(line, sizeof line, "a dialog (template %u) would have asked", templ);
    LogLine(line);
    AbortSetup();
}
