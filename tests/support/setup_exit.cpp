// The setup program's fatal exit (setup/ends.cpp), for tests that link the
// modules calling it: every end of a failure, and an end at once, act as
// AbortSetup does here: on a worker thread of RunAnswered it is counted and ends that thread
// (also from inside a window procedure, where nothing may be thrown); on
// any other thread it throws, so that the test fails instead of ending.
#include "setup/ends.h"
#include "worker.h"

extern DWORD WorkerThread;
extern LONG WorkerAborts;

void AbortSetup()
{
    if (WorkerThread == 0 || GetCurrentThreadId() != WorkerThread)
        throw SetupAborted{};
    InterlockedIncrement(&WorkerAborts);
    ExitThread(0);
}

void EndFailed(int)
{
    AbortSetup();
}

void EndAtOnce(int)
{
    AbortSetup();
}
