// The DirectX setup library. DirectXSetup installs the DirectX runtime of
// one source directory of the CD:
//
// The source directory holds a manifest, RUNTIME.INI, and the runtime files
// it lists:
//   [Runtime]
//   Version=<text>          the runtime's version, recorded as it stands
//   Restart=Yes|No          "Yes": the runtime replaces drivers that are in
//                           use, so Windows must restart (result 1)
//   [Files]
//   <file name>=<size in bytes>,<component bits, hex>
// A file belongs to the components whose bits it carries (DSETUP_DDRAW ...);
// it is installed when the caller's flags ask for one of them.
//
// The library checks every file the request needs: it must be a file of
// the listed size. When all are right it records the installation in the
// registry, under HKEY_LOCAL_MACHINE\Software\ORVA DirectX Runtime:
//   "Source"     REG_SZ        the source directory as passed
//   "Version"    REG_SZ        [Runtime] "Version"
//   "Components" REG_DWORD     the requested components the library knows
//   "Files"      REG_MULTI_SZ  the installed files, in manifest order
//   "Restart"    REG_DWORD     1 when the result asked for a restart
// A later installation replaces the record. Nothing is copied into the
// system: the runtime files of the sample CD are data, not drivers.
//
// Results (platform/dsetup.h): 0 installed; 1 installed, restart needed;
// DSETUPERR_BADPARAM no source directory (or one too long for a path), or
// no known component requested;
// DSETUPERR_NOMANIFEST the directory has no RUNTIME.INI (or does not
// exist); DSETUPERR_BADMANIFEST no [Files] entry or an entry without a
// valid size; DSETUPERR_SOURCEFILE a needed file is missing, a directory,
// or of another size; DSETUPERR_RECORD the record cannot be written.
// On the sample CD, DIRECTX\AT needs no restart (0) and DIRECTX\NEC asks
// for one (1), so that both successful results can be reached.
#include "platform/dsetup.h"
#include "common/text.h"

#define SECTION_CAP 4096

static const char ManifestName[] = "RUNTIME.INI";
static const char RecordKey[] = "Software\\ORVA DirectX Runtime";


// Reads an unsigned number in the given base (16 takes an optional "0x");
// 1 when at least one digit was read and nothing but blanks follows.
static int ParseNumber(const char *text, int base, DWORD *value)
{
    while (*text == ' ' || *text == '\t')
        text++;
    if (base == 16 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text += 2;
    DWORD n = 0;
    int digits = 0;
    for (;; text++, digits++) {
        int d;
        char c = *text;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        if (n > (0xFFFFFFFFu - d) / base)
            return 0;
        n = n * base + d;
    }
    while (*text == ' ' || *text == '\t')
        text++;
    *value = n;
    return digits > 0 && *text == '\0';
}

// Splits one [Files] entry "NAME=size,bits" into its parts; 1 when well
// formed. The name is cut into the caller's 13-byte buffer only if it fits.
static int ParseEntry(const char *entry, char *name, DWORD *size, DWORD *bits)
{
    char text[PATH_CAP];
    TextCopy(text, entry, PATH_CAP);
    char *equals = 0, *comma = 0;
    for (char *p = text; *p; p++) {
        if (*p == '=' && !equals) equals = p;
        else if (*p == ',' && equals && !comma) comma = p;
    }
    if (!equals || !comma || equals == text)
        return 0;
    *equals = '\0';
    *comma = '\0';
    return TextCopy(name, text, 13) && ParseNumber(equals + 1, 10, size) &&
           ParseNumber(comma + 1, 16, bits);
}

// 1 when path names a file (not a directory) of exactly the given size.
// The attributes come first: they refuse wildcards, which the directory
// search would take as a pattern; the search then gives the size without
// opening the file (GetFileAttributesExA is not in Windows 95).
static int IsFileOfSize(const char *path, DWORD size)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           found.nFileSizeHigh == 0 && found.nFileSizeLow == size;
}

// Checks the files of the manifest that the requested components need and
// lists their names, each followed by a zero, in files (a REG_MULTI_SZ
// without its final zero). Returns 0 or a DSETUPERR_ value.
static int CheckFiles(const char *dir, const char *manifest, DWORD flags,
                      char *files, int capacity, int *used)
{
    static char section[SECTION_CAP];
    DWORD length = GetPrivateProfileSectionA("Files", section, SECTION_CAP,
                                             manifest);
    if (length == 0 || length >= SECTION_CAP - 2)
        return DSETUPERR_BADMANIFEST;
    *used = 0;
    for (const char *entry = section; *entry; entry += lstrlenA(entry) + 1) {
        char name[13], path[PATH_CAP];
        DWORD size, bits;
        if (!ParseEntry(entry, name, &size, &bits))
            return DSETUPERR_BADMANIFEST;
        if (!(bits & flags))
            continue;
        if (!JoinPath(path, dir, name) || !IsFileOfSize(path, size))
            return DSETUPERR_SOURCEFILE;
        int n = lstrlenA(name) + 1;
        if (*used + n + 1 > capacity)
            return DSETUPERR_BADMANIFEST;
        TextCopy(files + *used, name, n);
        *used += n;
    }
    files[*used] = '\0';  // the list's final empty string
    return 0;
}

// Writes the installation record (see the top of this file); 1 on success.
static int WriteRecord(const char *dir, const char *version, DWORD components,
                       const char *files, int used, DWORD restart)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, RecordKey, 0, 0,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, 0, &key,
                        0) != ERROR_SUCCESS)
        return 0;
    const BYTE *none = reinterpret_cast<const BYTE *>("\0");
    LONG r = RegSetValueExA(key, "Source", 0, REG_SZ,
                            reinterpret_cast<const BYTE *>(dir),
                            lstrlenA(dir) + 1);
    if (r == ERROR_SUCCESS)
        r = RegSetValueExA(key, "Version", 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(version),
                           lstrlenA(version) + 1);
    if (r == ERROR_SUCCESS)
        r = RegSetValueExA(key, "Components", 0, REG_DWORD,
                           reinterpret_cast<const BYTE *>(&components),
                           sizeof components);
    // A list ends with an empty string; an empty list is just that.
    if (r == ERROR_SUCCESS)
        r = RegSetValueExA(key, "Files", 0, REG_MULTI_SZ,
                           used ? reinterpret_cast<const BYTE *>(files) : none,
                           used ? used + 1 : 2);
    if (r == ERROR_SUCCESS)
        r = RegSetValueExA(key, "Restart", 0, REG_DWORD,
                           reinterpret_cast<const BYTE *>(&restart),
                           sizeof restart);
    return RegCloseKey(key) == ERROR_SUCCESS && r == ERROR_SUCCESS;
}

// Installs the DirectX runtime of sourceDir for the requested components;
// owner is the window the installation belongs to (nothing is shown).
// Returns 0, 1 (restart needed) or a DSETUPERR_ value.
DSETUP_API int WINAPI DirectXSetup(HWND owner, LPSTR sourceDir, DWORD flags)
{
    (void)owner;
    DWORD components = flags & DSETUP_ALL_COMPONENTS;
    if (!sourceDir || !sourceDir[0] || !components)
        return DSETUPERR_BADPARAM;
    char manifest[PATH_CAP];
    if (!JoinPath(manifest, sourceDir, ManifestName))
        return DSETUPERR_BADPARAM;
    DWORD attributes = GetFileAttributesA(manifest);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DSETUPERR_NOMANIFEST;
    static char files[SECTION_CAP];
    int used = 0;
    int result = CheckFiles(sourceDir, manifest, components, files,
                            SECTION_CAP, &used);
    if (result != 0)
        return result;
    char version[64], restart[8];
    GetPrivateProfileStringA("Runtime", "Version", "", version, sizeof version,
                             manifest);
    GetPrivateProfileStringA("Runtime", "Restart", "No", restart,
                             sizeof restart, manifest);
    DWORD needsRestart = lstrcmpiA(restart, "Yes") == 0;
    if (!WriteRecord(sourceDir, version, components, files, used, needsRestart))
        return DSETUPERR_RECORD;
    return needsRestart ? DSETUP_RESTART : DSETUP_OK;
}
