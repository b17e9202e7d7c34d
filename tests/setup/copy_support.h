// Support for the tree copy's tests and its progress window's: the copy
// run on the worker thread under the robot, with the bar watched and read
// from the window's pixels.
#ifndef TESTS_COPY_SUPPORT_H
#define TESTS_COPY_SUPPORT_H

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "install_support.h"

extern const char *kTree;  // the tree copy's caption

// The percentage the bar shows, read from the window's pixels: the blue
// fill is 2 pixels per per cent inside a 1-pixel outline. -1: no window.
int BarOnScreen();

// Seen on the copy's own thread: the bar before each probe of a path and
// each file's copy (the fixture's hooks) and when the progress window is
// destroyed, with the red text's horizontal centre and top row then, and
// whether the bar lay inside the window and clear of its controls.
extern std::vector<int> BarSeen;
extern int RedCentre, RedTop;
extern bool RedSeen, BarClear;
// When set, the destination path control (1006) gets a procedure as it is
// made, before the copy puts its own on it, that notes kMarker.
extern const UINT kMarker;
extern bool MarkDestination, MarkerReached;

// A failed copy's boxes: its message, then the tree copy's own (slot 53).
std::vector<std::string> Failure(const std::string &caption, const std::string &text);
// The values of v that are not -1, each run of equal values once.
std::vector<int> Distinct(const std::vector<int> &v);

class TreeCopyTest : public InstallTest {
protected:
    void SetUp() override;

public:
    // CopyProductTrees with private 260-byte copies, on the worker thread,
    // watched by the CBT hook. OK on every box; the progress window goes
    // to onWindow.
    Answered Copy(const std::string &s1, const std::string &d1, const std::string &s2,
                  const std::string &d2, int *result, const OnWindow &onWindow = nullptr);

protected:
    // Files under root, each holding "content of " and its name.
    void Tree(const std::string &root, std::initializer_list<const char *> files);
};

#endif
