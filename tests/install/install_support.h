// Support for the file installation tests: the state the tested files
// take from other modules of the setup program (test stand-ins that record
// what they were asked), a worker thread for code that shows message
// boxes or may end setup, answered by the UI robot, and file helpers.
#ifndef TESTS_INSTALL_SUPPORT_H
#define TESTS_INSTALL_SUPPORT_H

#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "tests/robot/robot.h"

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
extern bool MakeDirectoryFails;    // MakeDirectoryPath answers 0
// Called by ProbePath before it probes (on the thread of the copy).
extern std::function<void(const char *)> ProbeHook;

// Loads the English message library from the CD and fills the message
// table; resets the stand-ins' records and the copy's state.
void ResetInstallState();
const char *Slot(int slot);

// ---- code run on a worker thread while the robot answers its windows
struct Seen {
    std::string kind, caption, text;
};
struct Outcome {
    bool aborted = false;  // AbortSetup was called
    bool finished = false; // the work returned
    std::vector<Seen> windows;  // boxes and windows in order of appearance
};
// Runs work on its own thread. Every message box is answered with OK;
// onWindow, when given, sees every other window first (the progress
// window) and may act on it.
Outcome RunAnswered(std::function<void()> work,
                    std::function<void(Robot &, const SeenWindow &)> onWindow = nullptr);
// The boxes only, as "caption|text".
std::vector<std::string> Boxes(const Outcome &o);
std::string BoxLine(const char *caption, const char *text);

// ---- files
std::string TestDir(const std::string &name);  // fresh C:\h6test\name\ (ends in "\")
void RemoveTree(const std::string &dir);
void WriteFile(const std::string &path, const std::string &content);
std::string ReadFile(const std::string &path);
bool Exists(const std::string &path);
DWORD Attributes(const std::string &path);
std::string ModuleDir();   // directory of the test program, ends in "\"
std::string CdPath(const std::string &relative);  // Q:\relative
// The read-only, immutable file LOCKED.TXT made by the drives set-up (a
// copy onto it is refused even for root), or "" with the reason in missing.
std::string LockedFile(std::string *missing);
// Counts the files below a directory (recursively).
int CountFiles(const std::string &dir);

#endif
