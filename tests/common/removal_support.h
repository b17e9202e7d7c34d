// Test support: runs removal code on a worker thread while the test thread
// answers its message boxes through the UI robot.
#ifndef TESTS_COMMON_REMOVAL_SUPPORT_H
#define TESTS_COMMON_REMOVAL_SUPPORT_H

#include <gtest/gtest.h>
#include <windows.h>
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

// A file of four bytes with the given attributes.
inline void MakeFile(const std::string &path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    DWORD written;
    WriteFile(h, "data", 4, &written, nullptr);
    CloseHandle(h);
    SetFileAttributesA(path.c_str(), attributes);
}

// A fresh directory name under base for one test.
inline std::string Fresh(const std::string &base, const char *name)
{
    std::string dir = base + "\\" + name + std::to_string(GetTickCount());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

#endif
