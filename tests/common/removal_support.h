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
    std::vector<std::string> boxes;  // "caption|text" of each window, in order
};

// Runs call on a worker thread, presses OK on every window it shows, and
// returns its result with the windows seen.
inline Outcome RunAnswering(const std::function<int()> &call)
{
    Outcome outcome;
    Answered a = RunAnswered(
        [&] { outcome.result = call(); },
        [](Robot &robot, const SeenWindow &w) { robot.Press(w, IDOK); });
    for (const SeenWindow &w : a.windows)
        outcome.boxes.push_back(BoxLine(w.caption, w.text));
    return outcome;
}

#endif
