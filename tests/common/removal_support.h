// Test support: runs removal code on a thread of its own while the test
// thread answers its message boxes through the UI robot.
#ifndef TESTS_COMMON_REMOVAL_SUPPORT_H
#define TESTS_COMMON_REMOVAL_SUPPORT_H

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "tests/robot/robot.h"

struct Outcome {
    int result = -1;
    std::vector<std::string> boxes;  // "caption|text" of each box, in order
    DWORD ms = 0;                    // how long the call took
};

// Runs call on a thread, presses OK on every box it shows, and returns its
// result with the boxes seen.
inline Outcome RunAnswering(const std::function<int()> &call)
{
    Robot robot;
    Outcome outcome;
    std::atomic<bool> done{false};
    DWORD start = GetTickCount();
    std::thread worker([&] {
        outcome.result = call();
        outcome.ms = GetTickCount() - start;
        done = true;
    });
    while (!done) {
        if (auto w = robot.Next(100)) {
            outcome.boxes.push_back(w->caption + "|" + w->text);
            robot.Press(*w, IDOK);
        }
    }
    worker.join();
    return outcome;
}

#endif
