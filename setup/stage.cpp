// The stage of the installation under way (see ends.h), apart from the
// ends themselves so that a test's own ends keep the program's stages.
#include "setup/ends.h"
#include "common/log.h"

static int Stage = EXIT_STARTUP;  // the exit code of a run that fails now

void Step(int stage, const char *what)
{
    Stage = stage;
    LogLine(what);
}

int StageCode()
{
    return Stage;
}
