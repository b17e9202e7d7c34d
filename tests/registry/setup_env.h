// Test support for the setup program's registration and runtime modules:
// running code that shows message boxes while the robot answers them, the
// real registry and files read byte by byte, and a scripted dialog layer
// (RunDialog and its companions) standing in for the toolkit's dialogs.
#ifndef TESTS_REGISTRY_SETUP_ENV_H
#define TESTS_REGISTRY_SETUP_ENV_H

#include <windows.h>
#include <deque>
#include <functional>
#include <string>
#include <vector>
#include "tests/robot/robot.h"

// Thrown by AbortSetup and by a dialog without a scripted event; caught
// by RunAnswering, which reports the test as failed.
struct SetupEnded {
    std::string why;
};

// Runs body on its own thread and answers every message box it shows by
// pressing `press` (IDOK by default); returns the windows seen in order.
std::vector<SeenWindow> RunAnswering(const std::function<void()> &body,
                                     int press = IDOK);
// "caption|text" of each message box, for exact comparison.
std::vector<std::string> BoxLines(const std::vector<SeenWindow> &seen);

std::string WindowsDir();   // without trailing backslash
std::string SystemDir();    // without trailing backslash
// A fresh empty directory under the Windows temp directory.
std::string MakeTempDir(const std::string &name);
void RemoveTree(const std::string &dir);

std::string ReadBytes(const std::string &path);  // "" when missing
void WriteBytes(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);

// A value under HKEY_LOCAL_MACHINE: its raw bytes and type; false when
// the key or value is missing.
bool ReadValue(const std::string &key, const std::string &name,
               std::string *bytes, DWORD *type = nullptr);
bool KeyExists(const std::string &key);
void DeleteKeyTree(const std::string &key);

// The scripted dialog layer: RunDialog takes the next event word from
// ScriptedEvents (failing the test when none is left) and logs
// "run <template> <procedure> <help template> <help procedure>";
// KillDialogs logs "kill <count>", ConfirmQuit logs "quit".
extern std::deque<std::string> ScriptedEvents;
extern std::vector<std::string> DialogLog;

// Puts the settings store and the program state into a known state: the
// TQL.INI defaults of the sample CD, English, caption "ORVA Setup".
void ResetSetupState();

#endif
