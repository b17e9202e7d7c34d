// Runs code that shows message boxes on a worker thread and answers the
// boxes with the UI robot from the test thread, as a user would.
#ifndef TESTS_DIALOGS_ANSWER_BOXES_H
#define TESTS_DIALOGS_ANSWER_BOXES_H

#include "tests/support/files.h"
#include "tests/support/worker.h"

// Answers the windows body shows with presses, in order. Windows beyond
// them are recorded too and closed (IDCANCEL), so that a test sees them and
// fails instead of hanging. Rethrows what body threw.
inline std::vector<SeenWindow> AnswerBoxes(const std::function<void()> &body,
                                           const std::vector<int> &presses)
{
    size_t next = 0;
    return RunAnswered(body, [&](Robot &robot, const SeenWindow &w) {
               robot.Press(w, next < presses.size() ? presses[next++] : IDCANCEL);
           }).windows;
}

#endif
