// What a program provides to the removal code, as the tests' own program:
// message texts in slots 58 to 60, the caption and the product names.
#include "common/program.h"

UINT_PTR MessageTable[MSG_TABLE_SLOTS];
const char *ProgramCaption = "Uninstall";
char ExecFileName[512];
char ProductName[512];
char ProductVersion[512];
char ApplicationName[512];

static const int filled = [] {
    MessageTable[SLOT_DELETE_FILE] = reinterpret_cast<UINT_PTR>("Cannot delete a file.");
    MessageTable[SLOT_DELETE_DIR] = reinterpret_cast<UINT_PTR>("Cannot remove a folder.");
    MessageTable[SLOT_DELETE_LIST] = reinterpret_cast<UINT_PTR>("Cannot list a folder.");
    return 1;
}();
