// Files, directories and registry keys as the tests make, read and clear
// them: byte-exact, without messages, never failing a test by themselves.
#ifndef TESTS_SUPPORT_FILES_H
#define TESTS_SUPPORT_FILES_H

#include <windows.h>
#include <functional>
#include <optional>
#include <string>
#include <vector>

std::string WindowsDir();  // "C:\windows\", with its backslash
std::string SystemDir();   // with its backslash
// A fresh empty directory under the Windows temp directory (no backslash).
std::string MakeTempDir(const std::string &name);

bool Exists(const std::string &path);
bool IsDirectory(const std::string &path);
// Calls each for every entry of dir (a trailing backslash or none) but "."
// and "..", in the order the file system lists them; none when dir cannot
// be listed.
void ForEachEntry(const std::string &dir,
                  const std::function<void(const WIN32_FIND_DATAA &)> &each);
// The number of files below dir, in all its subdirectories.
int CountFiles(const std::string &dir);
// The names a search pattern ("C:\dir\*", "C:\dir\TQL*.TMP") finds, but
// "." and "..", sorted.
std::vector<std::string> Matches(const std::string &pattern);
// The whole file, byte-exact; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string &path);
// The same, "" when it cannot be opened.
std::string ReadBytes(const std::string &path);
// Replaces the file (a read-only one too) by exactly these bytes; false
// when that failed.
bool WriteBytes(const std::string &path, const std::string &bytes);
// A file saved now and put back by Restore (deleted when it was missing).
struct SavedFile {
    std::string path;
    std::optional<std::string> bytes;
    explicit SavedFile(const std::string &p) : path(p), bytes(ReadWholeFile(p)) {}
    void Restore() const;
};
// Deletes a directory with everything below it, read-only files and names
// the Win32 calls would change (a device name, a trailing dot) too.
void RemoveTree(const std::string &dir);

// Keys below HKEY_LOCAL_MACHINE.
bool KeyExists(const std::string &key);
void DeleteKeyTree(const std::string &key);
// A value's raw bytes and type; false when the key or value is missing.
bool ReadValue(const std::string &key, const std::string &name,
               std::string *bytes, DWORD *type = nullptr);
// The shared-file count of a full path (-1: none); a count below 0 removes it.
int SharedCount(const std::string &path);
void SetSharedCount(const std::string &path, int count);

#endif
