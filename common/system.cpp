// The Windows family and the functions looked up at run time.
#include "common/system.h"
#include <shlobj.h>

SystemPretence PretendSystem;

int IsNtFamily()
{
    return !PretendSystem.hideNtFamily && (GetVersion() & 0x80000000) == 0;
}

// The libraries of the rows, in the order of their numbers below (".dll"
// is what the system adds to a name without an extension).
static const char LibraryNames[] = "kernel32\0ntdll\0advapi32\0user32\0shell32\0shfolder";
enum { KERNEL32, NTDLL, ADVAPI32, USER32, SHELL32, SHFOLDER };

// The rows' names one after the other, each with its zero (a name that
// windows.h defines as a macro, SetWindowLongPtrW on 32-bit Windows, is
// the name it stands for).
#define SYSTEM_NAME_TEXT(name) #name
#define SYSTEM_NAME(library, name, since) SYSTEM_NAME_TEXT(name) "\0"
static const char FunctionNames[] = SYSTEM_FUNCTIONS(SYSTEM_NAME);

// The rows' libraries, which follow one another in that order: the program
// keeps only the row where each library's rows end.
#define SYSTEM_LIBRARY(library, name, since) library,
static constexpr unsigned char RowLibraries[] = {SYSTEM_FUNCTIONS(SYSTEM_LIBRARY)};
static constexpr int RowsBefore(int library)
{
    int row = 0;
    while (row < (int)sizeof RowLibraries && RowLibraries[row] < library)
        row++;
    return row;
}
static constexpr bool RowsInLibraryOrder()
{
    for (int row = 1; row < (int)sizeof RowLibraries; row++)
        if (RowLibraries[row] < RowLibraries[row - 1])
            return false;
    return true;
}
static_assert(RowsInLibraryOrder(), "the rows of a library follow one another");
static const unsigned char LibraryEnds[] = {RowsBefore(NTDLL), RowsBefore(ADVAPI32),
                                            RowsBefore(USER32), RowsBefore(SHELL32)};

// The index-th of texts that follow one another, each with its zero.
static const char *NthText(const char *texts, int index)
{
    while (index--)
        texts += lstrlenA(texts) + 1;
    return texts;
}

FARPROC SystemFunction(int row)
{
    if (row == SF_wine_get_version && PretendSystem.hideWine)
        return 0;
    const char *name = NthText(FunctionNames, row);
    int library = 0;
    while (library < SHELL32 && row >= LibraryEnds[library])
        library++;
    for (;; library = SHFOLDER) {
        const char *libraryName = NthText(LibraryNames, library);
        HMODULE module = GetModuleHandleA(libraryName);
        if (!module)
            module = LoadLibraryA(libraryName);
        FARPROC proc = module ? GetProcAddress(module, name) : 0;
        if (proc || library != SHELL32)
            return proc;
    }
}

static_assert(sizeof(WideFileProcs) == (SF_GetFinalPathNameByHandleW + 1) * sizeof(FARPROC),
              "one row per member");

const WideFileProcs *WideFileFunctions()
{
    static WideFileProcs procs;
    static int state;  // 0 not looked up, 1 complete, 2 missing
    if (!IsNtFamily())
        return 0;
    if (!state) {
        FARPROC *slot = reinterpret_cast<FARPROC *>(&procs);
        state = 1;
        for (int row = 0; row <= SF_GetFinalPathNameByHandleW; row++) {
            slot[row] = SystemFunction(row);
            if (!slot[row] && row < SF_GetLongPathNameW)  // the rest may be missing
                state = 2;
        }
    }
    return state == 1 ? &procs : 0;
}

int ShellFolderPath(int csidl, char *path)
{
    auto getFolder = SYSTEM_FUNCTION(SHGetFolderPathA);
    return getFolder && getFolder(0, csidl, 0, 0 /* SHGFP_TYPE_CURRENT */, path) == S_OK;
}
