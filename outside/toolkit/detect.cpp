// The toolkit's detection library (msdetstf.dll).
#include "outside/toolkit/stf.h"

// TRUE when the path names an existing directory.
BOOL WINAPI FDirExists(LPCSTR dir)
{
    if (dir == 0 || *dir == '\0')
        return FALSE;
    DWORD attributes = GetFileAttributesA(dir);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
