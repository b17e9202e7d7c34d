// File version query: reads the "FileVersion" text of a file's version
// resource, turns it into four numbers and compares two versions field by
// field, so that an installed file is replaced only when it is older.
#include "setup/version.h"
#include "common/text.h"

#define VERSION_CAP 32   // version string buffer, 31 characters
#define FIELD_CAP 16     // one field of a version string, 15 characters

// The string block to read: the one named by a single translation entry
// (language and code page as eight lowercase hex digits), else 040904E4.
static void ChooseStringBlock(const void *info, char *block, int capacity)
{
    const BYTE *entry = 0;
    UINT length = 0;
    if (VerQueryValueA(info, "\\VarFileInfo\\Translation",
                       (LPVOID *)&entry, &length) &&
        entry && length == 4) {
        TextFormat(block, capacity, "\\StringFileInfo\\%02x%02x%02x%02x\\",
                   entry[1], entry[0], entry[3], entry[2]);
        return;
    }
    TextCopy(block, "\\StringFileInfo\\040904E4\\", capacity);
}

// Copies the text of a string of the file's version record (key, cut to
// capacity - 1) into text. 0 when the file has no readable version
// resource, or the chosen block holds no non-empty string of that key.
int GetVersionText(const char *path, const char *key, char *text, int capacity)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 100);
    if (!memory)
        return 0;
    void *info = GlobalLock(memory);
    if (!info) {
        GlobalFree(memory);
        return 0;
    }
    int result = 0;
    if (size && GetFileVersionInfoA(path, 0, size, info)) {
        char query[96];
        ChooseStringBlock(info, query, sizeof query);
        TextAppend(query, key);
        const char *value = 0;
        UINT length = 0;
        if (VerQueryValueA(info, query, (LPVOID *)&value, &length) && value &&
            length && value[0]) {
            TextCopy(text, value, capacity);
            result = 1;
        }
    }
    GlobalUnlock(memory);
    GlobalFree(memory);
    return result;
}

// Copies the file's "FileVersion" text (cut to 31 characters) into
// version: a version that cannot be read is reported as such rather than
// taken as 0.0.0.0.
int GetFileVersionString(const char *path, char *version)
{
    return GetVersionText(path, "FileVersion", version, VERSION_CAP);
}

// Converts one field: leading white space, an optional sign, the digits
// up to the first non-digit; no digits gives 0. Clamped to 32 bits.
static int FieldNumber(const char *text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' ||
           *text == '\v' || *text == '\f')
        text++;
    int negative = 0;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        value = value * 10 + (*text - '0');
        if (value > 2147483648LL)
            value = 2147483648LL;
    }
    if (negative)
        return (int)-value;
    return value > 2147483647LL ? 2147483647 : (int)value;
}

// Takes the field starting at text (up to ".", "," or the end) into
// field, cut to 15 characters, and returns where the next field starts.
static const char *TakeField(const char *text, char (&field)[FIELD_CAP])
{
    int n = 0;
    for (; *text && *text != '.' && *text != ','; text++) {
        if (n < FIELD_CAP - 1)
            field[n++] = *text;
    }
    field[n] = '\0';
    return *text ? text + 1 : text;
}

// Turns a version text into four numbers, most significant first. Fields
// are separated by "." or ","; the first field keeps only its digits
// (R4 is 4); missing fields are 0; text after the fourth is ignored.
static void ParseFileVersion(const char *version, int fields[4])
{
    const char *p = version;
    for (int i = 0; i < 4; i++) {
        char field[FIELD_CAP];
        p = TakeField(p, field);
        if (i == 0) {
            int n = 0;
            for (int j = 0; field[j]; j++)
                if (field[j] >= '0' && field[j] <= '9')
                    field[n++] = field[j];
            field[n] = '\0';
        }
        fields[i] = FieldNumber(field);
    }
}

// 1 when no field of candidate is smaller than the same field of
// reference. Not an ordering: 5.0.0.0 is not at least 4.11.15.60.
static int IsVersionAtLeast(const int candidate[4], const int reference[4])
{
    for (int i = 0; i < 4; i++)
        if (candidate[i] < reference[i])
            return 0;
    return 1;
}

// 1 when both versions can be read and the installed file's is newer than
// the source's: at least as new in every field and not the same.
int IsInstalledFileNewer(const char *source, const char *installed)
{
    char sourceVersion[VERSION_CAP], installedVersion[VERSION_CAP];
    if (!GetFileVersionString(source, sourceVersion) ||
        !GetFileVersionString(installed, installedVersion))
        return 0;
    int sourceFields[4], installedFields[4];
    ParseFileVersion(sourceVersion, sourceFields);
    ParseFileVersion(installedVersion, installedFields);
    return IsVersionAtLeast(installedFields, sourceFields) &&
           !IsVersionAtLeast(sourceFields, installedFields);
}

int CompareInstalledVersion(const char *source, const char *installed)
{
    char sourceVersion[VERSION_CAP], installedVersion[VERSION_CAP];
    if (!GetFileVersionString(source, sourceVersion))
        return VERSION_SOURCE_UNREADABLE;
    if (!GetFileVersionString(installed, installedVersion))
        return VERSION_INSTALLED_UNREADABLE;
    int sourceFields[4], installedFields[4];
    ParseFileVersion(sourceVersion, sourceFields);
    ParseFileVersion(installedVersion, installedFields);
    return IsVersionAtLeast(installedFields, sourceFields) ? VERSION_CURRENT
                                                           : VERSION_OLDER;
}
