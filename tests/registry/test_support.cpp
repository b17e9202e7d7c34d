// Generic test support (see setup_env.h): running code while the robot
// answers its windows, files, directories and registry values.
#include "setup_env.h"
#include <gtest/gtest.h>
#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

std::vector<SeenWindow> RunAnswering(const std::function<void()> &body,
                                     int press)
{
    std::atomic<bool> done{false};
    std::string ended;
    std::thread worker([&] {
        try {
            body();
        } catch (const SetupEnded &e) {
            ended = e.why;
        }
        done = true;
    });
    Robot robot;
    std::vector<SeenWindow> seen;
    while (!done) {
        auto w = robot.Next(200);
        if (!w)
            continue;
        seen.push_back(*w);
        if (w->kind == "box")  // other windows (the wait window) close by themselves
            robot.Press(*w, press);
    }
    worker.join();
    if (!ended.empty())
        ADD_FAILURE() << ended;
    return seen;
}

std::vector<std::string> BoxLines(const std::vector<SeenWindow> &seen)
{
    std::vector<std::string> lines;
    for (const auto &w : seen)
        if (w.kind == "box")
            lines.push_back(w.caption + "|" + w.text);
    return lines;
}

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string SystemDir()
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string MakeTempDir(const std::string &name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + name;
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void RemoveTree(const std::string &dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string &path, const std::string &bytes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadValue(const std::string &key, const std::string &name,
               std::string *bytes, DWORD *type)
{
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h))
        return false;
    char data[4096];
    DWORD size = sizeof data, t = 0;
    LONG r = RegQueryValueExA(h, name.c_str(), nullptr, &t,
                              reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS)
        return false;
    bytes->assign(data, size);
    if (type)
        *type = t;
    return true;
}

bool KeyExists(const std::string &key)
{
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h))
        return false;
    RegCloseKey(h);
    return true;
}

void DeleteKeyTree(const std::string &key)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

