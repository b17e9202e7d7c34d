// Runs code that shows message boxes on a thread of its own and answers
// the boxes with the UI robot from the test thread, as a user would.
#ifndef TESTS_DIALOGS_ANSWER_BOXES_H
#define TESTS_DIALOGS_ANSWER_BOXES_H

#include <atomic>
#include <exception>
#include <functional>
#include <thread>
#include <vector>
#include "tests/robot/robot.h"

// Answers the boxes body shows with presses, in order. Boxes beyond them
// are recorded too and closed (IDCANCEL), so that a test sees them and
// fails instead of hanging. Rethrows what body threw.
inline std::vector<SeenWindow> AnswerBoxes(const std::function<void()> &body,
                                           const std::vector<int> &presses)
{
    std::atomic<bool> done{false};
    std::exception_ptr error;
    std::thread t([&] {
        try {
            body();
        } catch (...) {
            error = std::current_exception();
        }
        done = true;
    });
    Robot robot;
    std::vector<SeenWindow> seen;
    for (int press : presses) {
        std::optional<SeenWindow> w;
        while (!w && !done)
            w = robot.Next(200);
        if (!w)
            break;
        seen.push_back(*w);
        robot.Press(*w, press);
    }
    while (!done) {
        auto w = robot.Next(200);
        if (w) {
            seen.push_back(*w);
            robot.Press(*w, IDCANCEL);
        }
    }
    t.join();
    if (error)
        std::rethrow_exception(error);
    return seen;
}

#endif
