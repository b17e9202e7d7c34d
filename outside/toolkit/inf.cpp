// The toolkit's INF file (mscomstf.dll): a small profile file that names
// the product to be installed. Format (version 1):
//   [Setup]
//   Format=1         format version; checked when FOpenInf's check is set
//   Title=<product>  required, not empty
// The open INF's path and title are kept for the rest of the installation.
#include "outside/toolkit/stf.h"
#include "common/text.h"

static char InfPath[MAX_PATH];
static char InfTitle[256];

// Opens the INF file: TRUE when it exists, is a file, and has a non-empty
// [Setup] Title; with check set, also its [Setup] Format must be 1. The
// last argument is reserved. A failed open leaves no INF open.
BOOL WINAPI FOpenInf(LPCSTR infPath, BOOL check, BOOL reserved)
{
    (void)reserved;
    InfPath[0] = '\0';
    InfTitle[0] = '\0';
    if (infPath == 0 || *infPath == '\0' || lstrlenA(infPath) >= MAX_PATH)
        return FALSE;
    DWORD attributes = GetFileAttributesA(infPath);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    char title[256];
    GetPrivateProfileStringA("Setup", "Title", "", title, sizeof title, infPath);
    if (title[0] == '\0')
        return FALSE;
    if (check && GetPrivateProfileIntA("Setup", "Format", 0, infPath) != 1)
        return FALSE;
    TextCopy(InfPath, infPath);
    TextCopy(InfTitle, title);
    return TRUE;
}
