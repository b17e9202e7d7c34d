// Deletion at the next Windows start: entries "nul=<path>" in the section
// [rename] of WININIT.INI in the Windows directory. The profile functions
// keep one value per key, so a second entry is added, and any entry taken
// out, by rewriting the whole section as a block. Windows 95/98 (and Wine)
// read WININIT.INI; the NT family reads only its pending operations, so
// there the deletion is registered with the system as well.
#include "common/removal.h"
#include "common/system.h"
#include "common/text.h"
#include "common/record.h"

static const char WininitFile[] = "WININIT.INI";
static const char RenameSection[] = "rename";
static const char NulKey[] = "nul";

// Largest [rename] block read; a section beyond it is left untouched.
static const DWORD MaxBlockSize = 4 * 1024 * 1024;

int SectionBlockLength(const char *block)
{
    if (!block[0])
        return 0;
    int offset = 0;
    while (block[offset] || block[offset + 1])
        offset++;
    return offset + 1;
}

int FindSectionEntry(const char *block, const char *entry)
{
    for (int offset = 0; block[offset]; offset += lstrlenA(block + offset) + 1) {
        if (!lstrcmpiA(block + offset, entry))
            return offset;
    }
    return -1;
}

// 1 when the section holds a "nul" entry at all.
static int HasNulEntry()
{
    char value[1024];
    GetPrivateProfileStringA(RenameSection, NulKey, "None", value, sizeof value,
                             WininitFile);
    return lstrcmpiA(value, "None") != 0;
}

// Reads the whole [rename] section into a block on the process heap, with
// room for extra more bytes. Grows the buffer until the section fits, so
// that writing it back never drops entries. 0 when it cannot.
static char *ReadRenameBlock(DWORD extra)
{
    HANDLE heap = GetProcessHeap();
    for (DWORD size = 1024; size <= MaxBlockSize; size *= 2) {
        char *block = static_cast<char *>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size + extra));
        if (!block)
            return 0;
        DWORD read = GetPrivateProfileSectionA(RenameSection, block, size, WininitFile);
        if (read < size - 2)
            return block;
        HeapFree(heap, 0, block);
    }
    return 0;
}

// Builds "nul=<path>" in entry (1024 bytes); 0 when it does not fit.
static int BuildEntry(char *entry, const char *path)
{
    return TextFormat(entry, 1024, "%s=%s", NulKey, path);
}

// Adds "nul=path" to [rename]; 1 when written, 0 when it was there.
static int ScheduleWininitDelete(const char *path)
{
    char entry[1024];
    if (!BuildEntry(entry, path))
        return 0;
    if (!HasNulEntry()) {
        WritePrivateProfileStringA(RenameSection, NulKey, path, WininitFile);
        return 1;
    }
    int entryLength = lstrlenA(entry);
    char *block = ReadRenameBlock(entryLength + 2);
    if (!block)
        return 0;
    int result = 0;
    if (FindSectionEntry(block, entry) < 0) {
        // The new entry goes last, then the final zero byte (the buffer is
        // zeroed and has room for both).
        int length = SectionBlockLength(block);
        CopyMemory(block + length, entry, entryLength + 1);
        block[length + entryLength + 1] = '\0';
        WritePrivateProfileSectionA(RenameSection, block, WininitFile);
        result = 1;
    }
    HeapFree(GetProcessHeap(), 0, block);
    return result;
}

// Takes the first "nul=path" out of [rename]; 1 when there was one.
static int CancelWininitDelete(const char *path)
{
    char entry[1024];
    if (!HasNulEntry() || !BuildEntry(entry, path))
        return 0;
    char *block = ReadRenameBlock(0);
    if (!block)
        return 0;
    int result = 0;
    int offset = FindSectionEntry(block, entry);
    if (offset >= 0) {
        // Move the later entries and the final zero byte up over it.
        int length = SectionBlockLength(block);
        int next = offset + lstrlenA(block + offset) + 1;
        MoveMemory(block + offset, block + next, length + 1 - next);
        WritePrivateProfileSectionA(RenameSection, block, WininitFile);
        result = 1;
    }
    HeapFree(GetProcessHeap(), 0, block);
    return result;
}

int ScheduleDeleteAtRestart(const char *path)
{
    SchedulePendingDelete(path);
    return ScheduleWininitDelete(path);
}

int CancelScheduledDelete(const char *path)
{
    int pending = CancelPendingDelete(path);
    return CancelWininitDelete(path) | pending;
}

int IsWindowsDirectoryFile(const char *path)
{
    char full[MAX_PATH], windows[MAX_PATH];
    char *name = 0;
    DWORD n = GetFullPathNameA(path, MAX_PATH, full, &name);
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !name || name == full || length == 0 ||
        length >= MAX_PATH)
        return 0;
    name[-1] = '\0';
    RemoveBackslash(windows);
    return !lstrcmpiA(full, windows);
}

int ReleaseWindowsFile(const char *path, int stays)
{
    if (!path[0] || !IsWindowsDirectoryFile(path))
        return 0;
    if (ReleaseSharedFile(path, stays) && !stays)
        ScheduleDeleteAtRestart(path);
    return 1;
}
