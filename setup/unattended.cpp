// The unattended mode of the setup program, for install scripts:
//   Tql.exe /S [/D=<destination>] [/MINIMAL] [/MACHINE=1|2|3] [/LOG=<file>]
// runs the installation with the choices a person makes by default, shows
// no window, and ends at the first message that would have needed an
// answer, with an exit code that names the stage (see setup.h). Without /S
// the command line is not looked at (but for /?).
#include "setup/setup.h"
#include "common/log.h"

int Unattended;
int ExitCode;
char UnattendedDestination[255];
char UnattendedMachine[2] = "1";

// The exit code of a run that ends now: that of the stage under way.
static int Stage = EXIT_STARTUP;

static const char Usage[] =
    "Usage: Tql.exe [/S [/D=<destination>] [/MINIMAL] [/MACHINE=1|2|3] "
    "[/LOG=<file>]]\n"
    "/S installs without asking: the proposed destination (or /D=), a full "
    "installation (or /MINIMAL), machine type 1 (or /MACHINE=), no restart. "
    "The exit code tells the stage that failed; /LOG= appends what was done "
    "and every message to a file.";

// An unattended run ends at a message box: its text goes into the log.
static int EndAtMessage(const char *text, const char *caption, UINT)
{
    LogMessage(caption, text);
    EndUnattended(Stage);
}

void EndUnattended(int code)
{
    char line[64];
    TextFormat(line, sizeof line, "exit code %d", code);
    LogLine(line);
    ExitProcess(static_cast<UINT>(code));
}

void Step(int stage, const char *what)
{
    Stage = stage;
    LogLine(what);
}

// The usage, as a box, or into the log of an unattended run.
static void ShowUsage()
{
    if (Unattended)
        LogLine(Usage);
    else
        ShowBox(Usage, "Setup", BOX_NOTICE);
}

// Reads one option of an unattended run; the text after it, or 0 when the
// option is not understood.
static const char *ReadOption(const char *p, int *minimal)
{
    char log[PATH_CAP];
    const char *next;
    if ((next = SkipSwitch(p, "/S")))
        return next;
    if ((next = SkipSwitch(p, "/MINIMAL"))) {
        *minimal = 1;
        return next;
    }
    if ((next = SkipValue(p, "/D=", UnattendedDestination,
                          sizeof UnattendedDestination, 1)))
        return next;
    if ((next = SkipValue(p, "/MACHINE=", UnattendedMachine,
                          sizeof UnattendedMachine, 0)))
        return *UnattendedMachine >= '1' && *UnattendedMachine <= '3' ? next
                                                                      : nullptr;
    if ((next = SkipValue(p, "/LOG=", log, sizeof log, 0)))
        return next;  // opened before the options were read
    return nullptr;
}

// Opens the log that the command line names, first of all, so that the
// log also tells about an option that is not understood. 0 when it names
// one that cannot be opened.
static int OpenNamedLog(const char *p)
{
    char log[PATH_CAP];
    for (const char *at = p; *at; at++) {
        if (at != p && at[-1] != ' ' && at[-1] != '\t')
            continue;
        if (SkipValue(at, "/LOG=", log, sizeof log, 0))
            return OpenLog(log);
    }
    return 1;
}

// 1 when the command line asks for an unattended run: it holds "/S" as an
// option of its own.
static int AsksForUnattended(const char *p)
{
    for (; *p; p++)
        if ((p[0] == '/' || p[0] == '-') && (p[1] == 'S' || p[1] == 's') &&
            (p[2] == '\0' || p[2] == ' ' || p[2] == '\t'))
            return 1;
    return 0;
}

int ReadCommandLine(const char *cmdLine)
{
    const char *p = cmdLine;
    while (*p == ' ' || *p == '\t')
        p++;
    if (SkipSwitch(p, "/?")) {
        ShowUsage();
        return 0;
    }
    if (!AsksForUnattended(p))
        return 1;  // a person's run, whatever else the line holds
    Unattended = 1;
    BoxHook = EndAtMessage;
    if (!OpenNamedLog(p))
        EndUnattended(EXIT_USAGE);
    int minimal = 0;
    while (*p) {
        const char *next = SkipSwitch(p, "/?") ? nullptr : ReadOption(p, &minimal);
        if (!next) {
            LogLine("the command line is not understood:");
            LogLine(p);
            ShowUsage();
            EndUnattended(EXIT_USAGE);
        }
        p = next;
    }
    MinimalInstall = minimal;
    LogLine("unattended installation");
    return 1;
}

int AnswerNotice(UINT templ)
{
    if (templ == MessageTemplate(SLOT_NOTICE_CREATE)) {
        LogLine("the destination folder is created");
        return 1;
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
    const char *text = "the destination is refused";
    for (const Refusal &r : refusals)
        if (templ == MessageTemplate(r.slot))
            text = r.text;
    LogLine(text);
    EndUnattended(EXIT_DESTINATION);
}

void AbortUnattended()
{
    LogLine("setup failed");
    EndUnattended(Stage);
}
