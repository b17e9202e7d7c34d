// For test programs that need a machine without the product: checks at the
// start that no installation of the sample product is on it (the files that
// setup puts into the Windows directory, its Add/Remove Programs entry) and
// stops every test with what it found, rather than letting a test fail on a
// side effect steps later. A test program opts in by including this header.
#ifndef TESTS_SUPPORT_CLEAN_MACHINE_H
#define TESTS_SUPPORT_CLEAN_MACHINE_H

#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace clean_machine {

// What of an installation is on the machine, one item per line; "" when
// nothing.
inline std::string ProductTraces()
{
    std::string found;
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    for (const char *name : {"ORVA.INI", "UNINST.EXE", "msg.dll", "msgeng.dll"}) {
        std::string path = std::string(dir) + "\\" + name;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            found += "  the file " + path + "\n";
    }
    const char *key =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ORVA PC App";
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &h) == ERROR_SUCCESS) {
        RegCloseKey(h);
        found += std::string("  the registry key HKLM\\") + key + "\n";
    }
    return found;
}

class WithoutProduct : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string found = ProductTraces();
        if (!found.empty())
            FAIL() << "These tests need a machine without the product, but "
                      "this prefix holds an installation of it:\n"
                   << found << "Remove it (or the prefix) and run them again.";
    }
};

inline ::testing::Environment *const registered =
    ::testing::AddGlobalTestEnvironment(new WithoutProduct);

} // namespace clean_machine

#endif
