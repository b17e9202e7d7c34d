// What a program gives the removal code, as the tests' own program: message
// texts in slots 58 to 60 and for a link left.
#include "common/ui.h"

static const int filled = [] {
    MessageTable[SLOT_DELETE_FILE] = reinterpret_cast<UINT_PTR>("Cannot delete a file.");
    MessageTable[SLOT_DELETE_DIR] = reinterpret_cast<UINT_PTR>("Cannot remove a folder.");
    MessageTable[SLOT_DELETE_LIST] = reinterpret_cast<UINT_PTR>("Cannot list a folder.");
    MessageTable[SLOT_LINK_LEFT] = reinterpret_cast<UINT_PTR>("A link stays.");
    return 1;
}();
