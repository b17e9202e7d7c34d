// A string value of HKEY_LOCAL_MACHINE as the system holds it, in Unicode
// (what the byte-string functions would turn into the code page of the
// reading process).
#ifndef TESTS_SUPPORT_WIDE_VALUE_H
#define TESTS_SUPPORT_WIDE_VALUE_H

#include <windows.h>
#include <string>

inline std::wstring WideValue(const char *key, const wchar_t *name)
{
    HKEY h;
    wchar_t data[256] = L"<missing>";
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &h) == ERROR_SUCCESS) {
        RegQueryValueExW(h, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
        RegCloseKey(h);
    }
    return data;
}

#endif
