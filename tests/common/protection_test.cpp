// The protection decision of the removals on the real file system: the
// folders never to be removed under any of their names, and the removal
// handed them, whose files stay. W: is a SUBST drive letter of this test
// alone.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "common/removal.h"
#include "common/protection.h"
#include "removal_support.h"

TEST(ProtectedFolders, DrivesAndSystemAndUserFolders)
{
    char windows[MAX_PATH], system[MAX_PATH], folder[MAX_PATH], shortName[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    std::vector<std::string> refused = {"C:\\", "C:", "", "c:\\windows", "C:\\WINDOWS\\",
        windows, system, std::string(system) + "\\..\\..\\", "C:\\users", ".."};
    // The folders of 64-bit programs, which the shell of a 32-bit program
    // on 64-bit Windows does not name (it answers "Program Files (x86)").
    refused.push_back("C:\\Program Files");
    refused.push_back("C:\\Program Files\\Common Files");
    for (int csidl : {CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS}) {
        ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, csidl, nullptr, 0, folder));
        std::string path(folder);  // the folder and the two above it
        for (int up = 0; up < 3; up++, path = path.substr(0, path.rfind('\\')))
            refused.push_back(path);
    }
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, folder);
    ASSERT_TRUE(GetShortPathNameA(folder, shortName, MAX_PATH));
    refused.push_back(shortName);
    SetCurrentDirectoryA(system);
    for (const std::string &dir : refused)
        ASSERT_EQ(1, IsProtectedDirectory(dir.c_str())) << dir;
    std::string inside = std::string(folder) + "\\ORVA";
    for (const char *dir : {"C:\\ORVA", "C:\\WINDOWSX", "..\\..\\ORVA\\", inside.c_str()})
        EXPECT_EQ(0, IsProtectedDirectory(dir)) << dir;
    for (const char *dir : {"", "C:\\", "..\\..\\"}) {
        Outcome o = RunRemoval([&] { return RemoveDirectoryTree(dir); });
        EXPECT_EQ(0, o.result) << dir;
        EXPECT_EQ(std::vector<std::string>({"Setup|Remove Directory refused: \"" +
                  std::string(dir) + "\"\nA drive, a Windows folder, a user folder or a "
                  "folder holding one is never removed."}), o.boxes) << dir;
    }
    SetCurrentDirectoryA("C:\\");
}

// Other names of protected folders: device paths, administrative shares,
// trailing dots and blanks, a SUBST drive letter and, under Wine, the Unix
// folders behind drive Z:. A file in the user's Unix home survives the
// attempt to remove it.
TEST(ProtectedFolders, OtherNamesOfProtectedFolders)
{
    char windows[MAX_PATH], home[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string w = windows;  // "C:\windows"
    std::vector<std::string> refused = {"\\\\?\\" + w, "\\\\.\\" + w, "//?/C:/ORVA",
        "\\\\?\\UNC\\localhost\\C$\\windows", "\\\\localhost\\C$\\windows",
        "\\\\127.0.0.1\\c$\\users", "\\\\localhost\\ADMIN$", w + ". ", w + ".\\system32",
        "C:\\users. \\", "Z:\\", "Z:\\usr", "Z:\\home"};
    ASSERT_TRUE(GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH)) << "not Wine?";
    std::string unixHome = std::string(home).substr(4);  // after "\??\"
    refused.push_back(unixHome);
    ASSERT_TRUE(DefineDosDeviceA(0, "W:", windows));
    refused.push_back("W:\\system32");
    for (const std::string &dir : refused)
        EXPECT_EQ(1, IsProtectedDirectory(dir.c_str())) << dir;
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, "W:", nullptr);
    // The removal itself, on the names of the Windows folder (only once
    // the check above has refused them): its files stay.
    std::string canary = w + "\\win.ini";
    ASSERT_TRUE(Exists(canary));
    for (const std::string &dir : {refused[0], refused[1], w + ". "}) {
        if (!IsProtectedDirectory(dir.c_str()))
            continue;
        Outcome o = RunRemoval([&] { return RemoveDirectoryTree(dir.c_str()); });
        EXPECT_EQ(0, o.result) << dir;
        EXPECT_TRUE(Exists(canary)) << dir;
    }

    CreateDirectoryA("C:\\tqlsubst", nullptr);
    ASSERT_TRUE(DefineDosDeviceA(0, "W:", "C:\\tqlsubst"));
    for (const char *dir : {"W:\\ORVA", "Z:\\tmp\\tqlguard\\ORVA", "C:\\ORVA. "})
        EXPECT_EQ(0, IsProtectedDirectory(dir)) << dir;
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, "W:", nullptr);
    RemoveDirectoryA("C:\\tqlsubst");

    // The host's home is real: it is only handed to the removal once the
    // check has refused it (the two builds' suites share it, hence a name
    // of this process's own).
    ASSERT_EQ(1, IsProtectedDirectory(unixHome.c_str()));
    std::string keep = unixHome + "\\tqlkeep" + std::to_string(GetCurrentProcessId()) + ".txt";
    MakeFile(keep);
    Outcome o = RunRemoval([&] { return RemoveDirectoryTree(unixHome.c_str()); });
    EXPECT_EQ(0, o.result);
    EXPECT_TRUE(Exists(keep));
    DeleteFileA(keep.c_str());
}
