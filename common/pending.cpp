// Deletion at the next start on Windows of the NT family. Those systems
// never read WININIT.INI; MoveFileExA(path, 0, MOVEFILE_DELAY_UNTIL_REBOOT)
// registers the deletion instead, as the pair "\??\<path>", "" in the
// REG_MULTI_SZ value PendingFileRenameOperations, which the system carries
// out and clears at its next start. The value is read and written with the
// wide functions so that every other entry stays byte for byte as it was;
// they and MoveFileExA are looked up at run time (Windows 95 lacks them).
#include "common/system.h"

static const char SessionManagerKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
static const WCHAR PendingValue[] = L"PendingFileRenameOperations";

// The pending operations as read from the registry: count characters of
// pairs (source, target) with the value's final zero.
struct PendingList {
    HKEY key;
    WCHAR *text;
    DWORD count;
};

// Opens the Session Manager key and reads the value. 0 when there is no
// such value (or it is not a REG_MULTI_SZ); the key is then closed.
static int ReadPendingList(PendingList *list, REGSAM access)
{
    auto query = SYSTEM_FUNCTION(RegQueryValueExW);
    list->text = 0;
    if (!query || RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManagerKey, 0,
                                access, &list->key) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0, size = 0;
    if (query(list->key, PendingValue, 0, &type, 0, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size >= sizeof(WCHAR)) {
        list->text = static_cast<WCHAR *>(
            HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + sizeof(WCHAR)));
        if (list->text &&
            query(list->key, PendingValue, 0, &type,
                  reinterpret_cast<BYTE *>(list->text), &size) == ERROR_SUCCESS) {
            list->count = size / sizeof(WCHAR);
            return 1;
        }
    }
    if (list->text)
        HeapFree(GetProcessHeap(), 0, list->text);
    RegCloseKey(list->key);
    return 0;
}

static void FreePendingList(PendingList *list)
{
    HeapFree(GetProcessHeap(), 0, list->text);
    RegCloseKey(list->key);
}

// Length of the string at offset, within the list (without its zero).
static DWORD StringLength(const PendingList *list, DWORD offset)
{
    DWORD end = offset;
    while (end < list->count && list->text[end])
        end++;
    return end - offset;
}

// 1 when the wide source equals "\??\" + path without regard to case
// (compared in the ANSI code page, as the path was given).
static int IsSourceOf(const WCHAR *source, const char *path)
{
    char ansi[1024];
    int n = WideCharToMultiByte(CP_ACP, 0, source, -1, ansi, sizeof ansi, 0, 0);
    return n > 4 && ansi[0] == '\\' && ansi[1] == '?' && ansi[2] == '?' &&
           ansi[3] == '\\' && !lstrcmpiA(ansi + 4, path);
}

// Offset of the pair that deletes path (a source "\??\<path>" with an empty
// target), or -1; *end gets the offset just past the pair.
static int FindPendingDelete(const PendingList *list, const char *path,
                             DWORD *end)
{
    DWORD offset = 0;
    // Pairs until only the value's final zero is left.
    while (offset + 1 < list->count) {
        DWORD target = offset + StringLength(list, offset) + 1;
        if (target >= list->count)
            break;
        DWORD next = target + StringLength(list, target) + 1;
        if (list->text[target] == 0 && IsSourceOf(list->text + offset, path)) {
            *end = next;
            return static_cast<int>(offset);
        }
        offset = next;
    }
    return -1;
}

int SchedulePendingDelete(const char *path)
{
    if (!IsNtFamily())
        return 0;
    PendingList list;
    DWORD end;
    if (ReadPendingList(&list, KEY_READ)) {
        int found = FindPendingDelete(&list, path, &end) >= 0;
        FreePendingList(&list);
        if (found)
            return 0;
    }
    auto moveFileEx = SYSTEM_FUNCTION(MoveFileExA);
    return moveFileEx && moveFileEx(path, 0, MOVEFILE_DELAY_UNTIL_REBOOT);
}

int CancelPendingDelete(const char *path)
{
    PendingList list;
    DWORD end;
    if (!IsNtFamily() || !ReadPendingList(&list, KEY_READ | KEY_SET_VALUE))
        return 0;
    int offset = FindPendingDelete(&list, path, &end);
    int result = 0;
    if (offset >= 0) {
        // The later pairs and the final zero move up over the pair; a
        // value left without pairs goes, as the system's own clearing does.
        MoveMemory(list.text + offset, list.text + end,
                   (list.count - end) * sizeof(WCHAR));
        DWORD count = list.count - (end - offset);
        if (count <= 1) {
            auto remove = SYSTEM_FUNCTION(RegDeleteValueW);
            result = remove && remove(list.key, PendingValue) == ERROR_SUCCESS;
        } else {
            auto set = SYSTEM_FUNCTION(RegSetValueExW);
            result = set && set(list.key, PendingValue, 0, REG_MULTI_SZ,
                                reinterpret_cast<const BYTE *>(list.text),
                                count * sizeof(WCHAR)) == ERROR_SUCCESS;
        }
    }
    FreePendingList(&list);
    return result;
}
