// Support for the file installation tests: the state the tested files
// take from other modules of the setup program (test stand-ins that record
// what they were asked) and paths of the test's files.
#ifndef TESTS_INSTALL_SUPPORT_H
#define TESTS_INSTALL_SUPPORT_H

#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "tests/support/files.h"
#include "tests/support/worker.h"

// ---- recorded by the stand-ins
struct ItemCall {
    std::string group, item, commandLine;
    bool fileExisted;  // the item's file existed when the item was added
};
extern std::vector<ItemCall> ItemCalls;
extern std::vector<int> KillDialogCalls;
extern std::vector<HCURSOR> RestoredCursors;
extern BOOL RestoreCursorResult;   // what FRestoreCursor answers
extern int WaitCursorShown;        // HShowWaitCursor calls
// Called with the path before each name the tree copy probes and before
// each file it copies (the destination), on the thread of the copy (fed by
// the copy's watch, CopyWatch).
extern std::function<void(const char *)> ProbeHook, CopyHook;

// Loads the English message library from the CD and fills the message
// table; resets the stand-ins' records, the copy's state and watch, and
// the system the tests pretend (common/system.h) to the real one.
void ResetInstallState();
const char *Slot(int slot);

// ---- files
std::string TestDir(const std::string &name);  // fresh C:\h6test\name\ (ends in "\")
DWORD Attributes(const std::string &path);
std::string ModuleDir();   // directory of the test program, ends in "\"
std::string CdPath(const std::string &relative);  // Q:\relative
// The read-only, immutable file LOCKED.TXT made by the drives set-up (a
// copy onto it is refused even for root), or "" with the reason in missing.
std::string LockedFile(std::string *missing);
// Why drive S:, the scratched CD whose reads fail past 64 KB
// (S:\TREE\SMALL.DAT, S:\TREE\BIG.DAT of 1 MB), is missing; "" when it is there.
std::string ScratchedMissing();
// The drives set-up's directory (ends in "\"), "" without it.
std::string DrivesDir();

// The fixture of the file installation's tests: the stand-ins reset, the
// message library loaded, and a folder of the test's own (dir), removed
// afterwards.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string dir;
};

#endif
