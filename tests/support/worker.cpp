// The worker thread answered by the robot (see worker.h).
#include "worker.h"
#include <exception>

// The thread RunAnswered runs its body on, and how often AbortSetup ended it.
DWORD WorkerThread;
LONG WorkerAborts;

namespace {
struct Work {
    const std::function<void()> *body;
    std::exception_ptr error;
    bool finished = false;
};

DWORD WINAPI RunWork(void *p)
{
    auto *w = static_cast<Work *>(p);
    try {
        (*w->body)();
    } catch (...) {
        w->error = std::current_exception();
    }
    w->finished = true;
    return 0;
}
}  // namespace

Answered RunAnswered(const std::function<void()> &body, const OnWindow &answer)
{
    OnWindow act = answer ? answer : PressOnBoxes(IDOK);
    Answered o;
    Work w{&body, nullptr, false};
    LONG abortsBefore = WorkerAborts;
    HANDLE thread = CreateThread(nullptr, 0, RunWork, &w, CREATE_SUSPENDED, &WorkerThread);
    ResumeThread(thread);
    Robot robot;
    // Generous: a thread ended by force may hold a lock of the process (the
    // heap's, the window system's), so the limit is only for code that
    // really hangs, never for a slow machine (10,000 files under the 32-bit
    // Wine on a loaded machine take minutes).
    DWORD until = GetTickCount() + 300000;
    for (;;) {
        bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        auto seen = robot.Next(ended ? 0 : 50);
        if (seen) {
            o.windows.push_back(*seen);
            act(robot, *seen);
            continue;
        }
        if (ended || (LONG)(GetTickCount() - until) >= 0)
            break;
    }
    if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0)
        TerminateThread(thread, 1);
    CloseHandle(thread);
    WorkerThread = 0;
    o.finished = w.finished;
    o.aborted = WorkerAborts != abortsBefore;
    if (w.error)
        std::rethrow_exception(w.error);
    return o;
}

std::vector<SeenWindow> RunAnswering(const std::function<void()> &body, int press)
{
    Answered o = RunAnswered(body, PressOnBoxes(press));
    if (o.aborted)
        throw SetupAborted();
    return o.windows;
}

OnWindow PressOnBoxes(int press)
{
    return [press](Robot &robot, const SeenWindow &w) {
        if (w.kind == "box")
            robot.Press(w, press);
    };
}

std::string BoxLine(const std::string &caption, const std::string &text)
{
    return caption + "|" + text;
}

std::vector<std::string> BoxLines(const std::vector<SeenWindow> &windows)
{
    std::vector<std::string> lines;
    for (const SeenWindow &w : windows)
        if (w.kind == "box")
            lines.push_back(BoxLine(w.caption, w.text));
    return lines;
}
