// Test helpers for files, directories and registry keys (see files.h).
#include "files.h"

#include <algorithm>

static std::string WithBackslash(std::string dir)
{
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    return dir;
}

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return WithBackslash(dir);
}

std::string SystemDir()
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return WithBackslash(dir);
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

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ForEachEntry(const std::string &dir,
                  const std::function<void(const WIN32_FIND_DATAA &)> &each)
{
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((WithBackslash(dir) + "*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = f.cFileName;
        if (name != "." && name != "..")
            each(f);
    } while (FindNextFileA(h, &f));
    FindClose(h);
}

int CountFiles(const std::string &dir)
{
    int n = 0;
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA &f) {
        n += (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                 ? CountFiles(WithBackslash(dir) + f.cFileName) : 1;
    });
    return n;
}

std::vector<std::string> Matches(const std::string &pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA(pattern.c_str(), &f);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = f.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(h, &f));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ReadWholeFile(const std::string &path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(f, buf, sizeof buf, &got, nullptr) && got)
        bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}

std::string ReadBytes(const std::string &path)
{
    return ReadWholeFile(path).value_or("");
}

bool WriteBytes(const std::string &path, const std::string &bytes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL ok = ::WriteFile(f, bytes.data(), (DWORD)bytes.size(), &put, nullptr);
    CloseHandle(f);
    return ok && put == bytes.size();
}

void SavedFile::Restore() const
{
    if (bytes) {
        WriteBytes(path, *bytes);
    } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

// Through "\\?\" paths where the path is absolute, so that names the
// Win32 calls would change (a device name, a trailing dot) go too.
static void RemoveTreeW(const std::wstring &dir)
{
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = f.cFileName, path = dir + L"\\" + name;
            if (name == L"." || name == L"..")
                continue;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &f));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

void RemoveTree(const std::string &dir)
{
    std::string base = dir;
    for (char &c : base)
        if (c == '/')
            c = '\\';
    while (!base.empty() && base.back() == '\\')
        base.pop_back();
    if (base.empty())
        return;
    std::wstring wide(base.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, base.c_str(), -1, &wide[0], (int)wide.size());
    if (n <= 0)
        return;
    wide.resize(n - 1);
    bool absolute = base.size() > 2 && base[1] == ':' && base[2] == '\\';
    RemoveTreeW(absolute ? L"\\\\?\\" + wide : wide);
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

static const char kSharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

int SharedCount(const std::string &path)
{
    std::string bytes;
    DWORD type = 0;
    if (!ReadValue(kSharedDlls, path, &bytes, &type) || type != REG_DWORD || bytes.size() != 4)
        return -1;
    return *reinterpret_cast<const int *>(bytes.data());
}

void SetSharedCount(const std::string &path, int count)
{
    HKEY h;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                        nullptr))
        return;
    DWORD value = static_cast<DWORD>(count);
    if (count < 0)
        RegDeleteValueA(h, path.c_str());
    else
        RegSetValueExA(h, path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                       sizeof value);
    RegCloseKey(h);
}
