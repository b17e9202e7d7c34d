// Runs code that shows windows (message boxes, the progress window) on a
// worker thread of its own, while the test thread answers those windows
// through the UI robot, as a user would.
#ifndef TESTS_SUPPORT_WORKER_H
#define TESTS_SUPPORT_WORKER_H

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>
#include "tests/robot/robot.h"

struct Answered {
    std::vector<SeenWindow> windows;  // every window seen, in order
    bool finished = false;            // the code returned
    bool aborted = false;             // AbortSetup ended the worker thread
};

// How the test answers one window. The default presses OK on every message
// box and leaves other windows (a wait window) alone.
using OnWindow = std::function<void(Robot &, const SeenWindow &)>;

// Runs body on a worker thread and hands every window seen to answer until
// body has returned or AbortSetup has ended the thread. What body throws
// is thrown again here. A worker that hangs is ended after five minutes.
Answered RunAnswered(const std::function<void()> &body, const OnWindow &answer = nullptr);

// Presses `press` on every message box, nothing else.
OnWindow PressOnBoxes(int press);

// Runs body on a worker thread and answers every message box it shows by
// pressing `press`; a call of AbortSetup throws SetupAborted here. Returns
// the windows seen in order.
std::vector<SeenWindow> RunAnswering(const std::function<void()> &body, int press = IDOK);

// The message boxes among the windows, as "caption|text".
std::vector<std::string> BoxLines(const std::vector<SeenWindow> &windows);
std::string BoxLine(const std::string &caption, const std::string &text);

// Thrown by AbortSetup when called outside a worker thread, so that the
// test fails instead of ending.
struct SetupAborted : std::runtime_error {
    SetupAborted() : std::runtime_error("AbortSetup called") {}
};

#endif
