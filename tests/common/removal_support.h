// Test support: runs removal code on a worker thread while the test thread
// answers its message boxes through the UI robot.
#ifndef TESTS_COMMON_REMOVAL_SUPPORT_H
#define TESTS_COMMON_REMOVAL_SUPPORT_H

#include <functional>
#include <string>
#include <vector>
#include "tests/support/files.h"
#include "tests/support/worker.h"

struct Outcome {
    int result = -1;
    std::vector<std::string> boxes;  // "caption|text" of each message box, in order
};

// Runs call on a worker thread, presses OK on every message box it shows,
// and returns its result with the boxes seen.
inline Outcome RunRemoval(const std::function<int()> &call)
{
    Outcome outcome;
    outcome.boxes = BoxLines(RunAnswering([&] { outcome.result = call(); }));
    return outcome;
}

#endif
