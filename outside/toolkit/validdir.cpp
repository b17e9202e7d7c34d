// The toolkit's directory name check (mscomstf.dll). A valid directory is
// an absolute path on a drive: letter, colon, backslash, then components
// separated by single backslashes (one trailing backslash allowed). The
// check steps through the text by characters of the ANSI code page, so the
// second byte of a double-byte character (0x5C, 0x7C in code page 932) is
// never taken for a separator or a forbidden character.
#include "outside/toolkit/stf.h"

// Longest directory accepted: the directory, a backslash and an 8.3 file
// name still fit a MAX_PATH buffer with its terminating zero.
#define DIR_MAX (MAX_PATH - 14)

// 1 when c (a single-byte character) may not appear in a file name.
static int IsForbiddenChar(unsigned char c)
{
    if (c < 0x20)
        return 1;
    for (const char *f = "<>:\"/|?*"; *f; f++)
        if (c == static_cast<unsigned char>(*f))
            return 1;
    return 0;
}

// 1 when the base name (the component up to its first dot, without
// trailing blanks) is a device name: CON, PRN, AUX, NUL, COM1-9, LPT1-9.
static int IsDeviceName(const char *start, const char *end)
{
    const char *stop = start;
    while (stop < end && *stop != '.')
        stop++;
    while (stop > start && stop[-1] == ' ')
        stop--;
    int len = static_cast<int>(stop - start);
    char base[5];
    if (len < 3 || len > 4)
        return 0;
    for (int i = 0; i < len; i++) {
        char c = start[i];
        base[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    base[len] = '\0';
    if (len == 3)
        return lstrcmpA(base, "CON") == 0 || lstrcmpA(base, "PRN") == 0 ||
               lstrcmpA(base, "AUX") == 0 || lstrcmpA(base, "NUL") == 0;
    if (base[3] < '1' || base[3] > '9')
        return 0;
    base[3] = '\0';
    return lstrcmpA(base, "COM") == 0 || lstrcmpA(base, "LPT") == 0;
}

// 1 when [start, end) is an acceptable name: not empty, not only dots, not
// ending in a dot or blank, not a device name. lastSingle tells whether the
// last character is a single-byte one (a trail byte is never a dot).
static int IsGoodComponent(const char *start, const char *end, int lastSingle)
{
    if (start == end)
        return 0;
    const char *p = start;
    while (p < end && *p == '.')
        p++;
    if (p == end)
        return 0;
    if (lastSingle && (end[-1] == '.' || end[-1] == ' '))
        return 0;
    return !IsDeviceName(start, end);
}

// TRUE when dir is a valid directory name (see above).
BOOL WINAPI FValidDir(LPCSTR dir)
{
    if (dir == 0)
        return FALSE;
    int len = lstrlenA(dir);
    if (len < 3 || len > DIR_MAX)
        return FALSE;
    char drive = dir[0];
    if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) ||
        dir[1] != ':' || dir[2] != '\\')
        return FALSE;
    const char *start = dir + 3;
    const char *p = start;
    int lastSingle = 1;
    while (*p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (IsDBCSLeadByte(c)) {
            if (p[1] == '\0')
                return FALSE;  // a lead byte without its trail byte
            p += 2;
            lastSingle = 0;
            continue;
        }
        if (c == '\\') {
            if (!IsGoodComponent(start, p, lastSingle))
                return FALSE;
            start = ++p;
            lastSingle = 1;
            continue;
        }
        if (IsForbiddenChar(c))
            return FALSE;
        p++;
        lastSingle = 1;
    }
    // The last component, unless the path ends in its backslash.
    return p == start || IsGoodComponent(start, p, lastSingle);
}
