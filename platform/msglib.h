// The message library's entry point and the layout of the message table it
// fills, with its slots by kind. Both programs, the message library and
// the CD checker include this header.
#ifndef PLATFORM_MSGLIB_H
#define PLATFORM_MSGLIB_H

#include <windows.h>

// 63 slots; each holds a dialog template number of the custom dialog
// library or the address of a text owned by the message library. UINT_PTR:
// 32 bits in the shipping build, wide enough for an address in the 64-bit one.
#define MSG_TABLE_SLOTS 63
typedef UINT_PTR MessageTable_t[MSG_TABLE_SLOTS];

// Slots holding dialog template numbers.
#define SLOT_NOTICE_BADNAME   2
#define SLOT_NOTICE_ISFILE    3
#define SLOT_NOTICE_CREATE    4
#define SLOT_NOTICE_ROOT      5
#define SLOT_NOTICE_SOURCE    6
#define SLOT_NOTICE_EMPTY     8
#define SLOT_QUIT             9
#define SLOT_FAILURE          10
#define SLOT_MACHINE          12
#define SLOT_REMOVE_OLD       13
#define SLOT_LOW_DISK         14
#define SLOT_ENDING           15
#define SLOT_DESTINATION      19

// Slots holding texts.
#define SLOT_RESTART_ASK      21
#define SLOT_RESTART_FAILED   22
#define SLOT_RESTART_DECLINED 23
#define SLOT_END_NOTICE       24
#define SLOT_REMOVED          28  // removal ended without a failure
#define SLOT_INI_NOT_DELETED  32  // the settings file cannot be deleted
#define SLOT_REMOVE_FAILED    33  // removal ended with a failure
#define SLOT_NOT_REACHED      34  // a folder whose drive or share does not answer
#define SLOT_GAME_RUNNING     35  // the game runs: nothing is removed
#define SLOT_LINK_LEFT        36  // a link the system cannot remove by itself
#define SLOT_COPY_NO_SOURCE   43
#define SLOT_COPY_SHARING     44
#define SLOT_COPY_ACCESS      45
#define SLOT_COPY_DISK_FULL   46
#define SLOT_NEWER_NO_SOURCE  47
#define SLOT_NEWER_SOURCE_DIR 48
#define SLOT_NEWER_DEST_DIR   49
#define SLOT_VERSION_SOURCE   50
#define SLOT_VERSION_TARGET   51
#define SLOT_TREE_MKDIR       52
#define SLOT_TREE_FAILED      53
#define SLOT_TREE_LIST        54
#define SLOT_TREE_DIR_IS_FILE 55
#define SLOT_TREE_FILE_IS_DIR_FIRST 56
#define SLOT_TREE_FILE_IS_DIR_LATER 57
#define SLOT_DELETE_FILE      58  // a file or a subdirectory's content
#define SLOT_DELETE_DIR       59  // an emptied subdirectory
#define SLOT_DELETE_LIST      60  // a directory cannot be listed
#define SLOT_NOT_OWNED        61  // a folder not shown to be the product's

// The slots above by kind, as the CD checker and the tests go through them
// (the removal's own additions, SLOT_NOT_OWNED, SLOT_NOT_REACHED,
// SLOT_GAME_RUNNING and SLOT_LINK_LEFT, are checked on their own: a program fills them with
// its built-in text where an older library leaves them empty).
static const int MessageDialogSlots[] = {
    SLOT_NOTICE_BADNAME, SLOT_NOTICE_ISFILE, SLOT_NOTICE_CREATE, SLOT_NOTICE_ROOT,
    SLOT_NOTICE_SOURCE,  SLOT_NOTICE_EMPTY,  SLOT_QUIT,          SLOT_FAILURE,
    SLOT_MACHINE,        SLOT_REMOVE_OLD,    SLOT_LOW_DISK,      SLOT_ENDING,
    SLOT_DESTINATION};
static const int MessageTextSlots[] = {
    SLOT_RESTART_ASK,      SLOT_RESTART_FAILED,   SLOT_RESTART_DECLINED,
    SLOT_END_NOTICE,       SLOT_REMOVED,          SLOT_INI_NOT_DELETED,
    SLOT_REMOVE_FAILED,    SLOT_COPY_NO_SOURCE,   SLOT_COPY_SHARING,
    SLOT_COPY_ACCESS,      SLOT_COPY_DISK_FULL,   SLOT_NEWER_NO_SOURCE,
    SLOT_NEWER_SOURCE_DIR, SLOT_NEWER_DEST_DIR,   SLOT_VERSION_SOURCE,
    SLOT_VERSION_TARGET,   SLOT_TREE_MKDIR,       SLOT_TREE_FAILED,
    SLOT_TREE_LIST,        SLOT_TREE_DIR_IS_FILE, SLOT_TREE_FILE_IS_DIR_FIRST,
    SLOT_TREE_FILE_IS_DIR_LATER, SLOT_DELETE_FILE, SLOT_DELETE_DIR,
    SLOT_DELETE_LIST};

// A slot with the text or the template number it holds.
struct MessageSlotText {
    int slot;
    const char *text;
};
struct MessageSlotTemplate {
    int slot;
    UINT templ;
};

// MsgSetup(table): fills every slot above. Exported undecorated.
extern "C" void WINAPI MsgSetup(UINT_PTR *table);
typedef void (WINAPI *MsgSetupProc)(UINT_PTR *table);

#endif
