// The system's pending file operations (the REG_MULTI_SZ value
// PendingFileRenameOperations, read at the next start by Windows of the NT
// family and by Wine), and the Windows version Wine shows a program.
#ifndef TESTS_SUPPORT_PENDING_H
#define TESTS_SUPPORT_PENDING_H

#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace pending {

inline const char *SessionManager()
{
    return "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
}

// The value as stored (wide characters, every zero included), or none.
inline std::optional<std::wstring> Read()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManager(), 0, KEY_READ, &key))
        return std::nullopt;
    std::wstring data(32768, L'\0');
    DWORD type = 0, size = static_cast<DWORD>(data.size() * sizeof(WCHAR));
    LONG r = RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, &type,
                              reinterpret_cast<BYTE *>(&data[0]), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size / sizeof(WCHAR));
    return data;
}

// Stores the value as given (none deletes it).
inline void Write(const std::optional<std::wstring> &data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManager(), 0, KEY_SET_VALUE, &key))
        return;
    if (data)
        RegSetValueExW(key, L"PendingFileRenameOperations", 0, REG_MULTI_SZ,
                       reinterpret_cast<const BYTE *>(data->data()),
                       static_cast<DWORD>(data->size() * sizeof(WCHAR)));
    else
        RegDeleteValueW(key, L"PendingFileRenameOperations");
    RegCloseKey(key);
}

// The paths whose deletion is pending (pairs with an empty target), in
// their order, without the "\??\" prefix, in the ANSI code page.
inline std::vector<std::string> Deletions()
{
    std::vector<std::string> paths;
    auto data = Read();
    if (!data)
        return paths;
    std::vector<std::wstring> strings;
    for (size_t at = 0; at < data->size();) {
        size_t end = data->find(L'\0', at);
        if (end == std::wstring::npos)
            end = data->size();
        strings.push_back(data->substr(at, end - at));
        at = end + 1;
    }
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (!strings[i + 1].empty() || strings[i].compare(0, 4, L"\\??\\"))
            continue;
        char path[1024];
        WideCharToMultiByte(CP_ACP, 0, strings[i].c_str() + 4, -1, path, sizeof path,
                            nullptr, nullptr);
        paths.push_back(path);
    }
    return paths;
}

// Keeps the value as it was for the scope's time.
class Keep {
public:
    Keep() : saved_(Read()) {}
    ~Keep() { Write(saved_); }
private:
    std::optional<std::wstring> saved_;
};

// Makes Wine show these programs another Windows version ("win98",
// "win10") for the scope's time (HKCU\Software\Wine\AppDefaults).
class WindowsVersion {
public:
    WindowsVersion(const std::string &version, std::vector<std::string> programs)
        : programs_(std::move(programs))
    {
        for (auto &exe : programs_) {
            HKEY key;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, Key(exe).c_str(), 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
                RegSetValueExA(key, "Version", 0, REG_SZ,
                               reinterpret_cast<const BYTE *>(version.c_str()),
                               static_cast<DWORD>(version.size() + 1));
                RegCloseKey(key);
            }
        }
    }
    ~WindowsVersion()
    {
        for (auto &exe : programs_)
            RegDeleteKeyA(HKEY_CURRENT_USER, Key(exe).c_str());
    }
private:
    static std::string Key(const std::string &exe)
    {
        return "Software\\Wine\\AppDefaults\\" + exe;
    }
    std::vector<std::string> programs_;
};

} // namespace pending

#endif
