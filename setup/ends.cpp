// The setup program's ends (see ends.h): the one place that ends the
// process, with the exit code the run gives for the stage under way. The
// test programs put ends of their own in its place (tests/support).
#include "setup/ends.h"

static EndSteps Steps;           // none until StartEnds
static const RunStyle *Run;      // 0 until StartEnds: codes as they are
static int Aborting;             // set on the first entry into AbortSetup

void StartEnds(const EndSteps &steps, const RunStyle &run)
{
    Steps = steps;
    Run = &run;
}

const RunStyle &TheRun()
{
    return *Run;
}

[[noreturn]] static void EndProcess(int code)
{
    if (Steps.shutdown)
        Steps.shutdown();
    EndAtOnce(Run ? Run->exitCode(code) : code);
}

void AbortSetup()
{
    if (!Aborting && Run) {
        Aborting = 1;
        Run->tellFailure();
    }
    EndFailed(StageCode());
}

void EndFailed(int code)
{
    Aborting = 1;
    EndProcess(code);
}

void EndSetup(int code)
{
    if (Steps.closeDialogs)
        Steps.closeDialogs();
    EndProcess(code);
}

void EndAtOnce(int code)
{
    ExitProcess(static_cast<UINT>(code));
}
