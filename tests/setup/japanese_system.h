// A Japanese system for the tests of names with double-byte characters:
// 0x95 0x5C is one character (U+8868), whose second byte is the
// backslash's.
#ifndef TESTS_SETUP_JAPANESE_SYSTEM_H
#define TESTS_SETUP_JAPANESE_SYSTEM_H

#include <gtest/gtest.h>
#include <windows.h>
#include <string>

inline const char kHyo[] = "\x95\x5c";  // 表 in code page 932

// Wine names host files in the host locale's character set: without a
// ja_JP.UTF-8 locale on the host (tests/setup/dialog-drives makes one) it
// cannot name them.
inline bool CanNameJapaneseFiles()
{
    std::wstring dir = L"C:\\h8japanese\\\u8868probe";
    CreateDirectoryA("C:\\h8japanese", nullptr);
    bool ok = CreateDirectoryW(dir.c_str(), nullptr) ||
              GetLastError() == ERROR_ALREADY_EXISTS;
    RemoveDirectoryW(dir.c_str());
    return ok;
}
#define NEED_JAPANESE()                                                      \
    if (GetACP() != 932)                                                     \
        GTEST_SKIP() << "needs a Japanese system (LC_ALL=ja_JP.UTF-8)";      \
    if (!CanNameJapaneseFiles())                                             \
    GTEST_SKIP() << "the host has no ja_JP.UTF-8 locale for Wine's file names"

#endif
