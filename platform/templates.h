// Dialog template numbers shared by the message library (outside/msg), the
// custom dialog library (outside/cui) and the programs that run them.
// Resource scripts include this header too, so it holds only #defines.
#ifndef PLATFORM_TEMPLATES_H
#define PLATFORM_TEMPLATES_H

// Templates of the message library, created by the programs through its
// module handle.
#define TPL_WAIT_WINDOW      2     // DirectX wait window
#define TPL_PROGRESS         7     // copy progress window
#define TPL_UNINST_CONFIRM   7080  // uninstaller confirmation

// Controls of the message library's templates.
#define IDC_PROGRESS_SOURCE  1005
#define IDC_PROGRESS_DEST    1006
#define IDC_UNINST_MSG0      7081
#define IDC_UNINST_MSG1      7082
#define IDC_UNINST_MSG2      7083
// Its string table: texts of the setup program's message boxes.
#define IDS_DEST_HOLDS_FILES    7401  // the destination holds files (%s: it)
#define IDS_NO_RECORDED_INSTALL 7402  // no InstallPath recorded: nothing removed
#define IDS_OTHER_PRODUCT_RECORD 7403 // another product's record (%s: it)
#define IDS_DEST_OTHER_PRODUCT  7404  // the destination holds another product (%s: it)

// Templates of the custom dialog library with fixed numbers.
#define TPL_HELP             7000
#define TPL_WELCOME          7270  // no earlier installation recorded
#define TPL_WELCOME_AGAIN    7271  // an earlier installation is recorded
#define TPL_FMVINFO_AT       7290
#define TPL_FMVINFO_NEC      7291

// Templates of the custom dialog library that the message library hands
// out through its message table (one per dialog slot).
#define TPL_NOTICE_BADNAME   7302  // slot 2: not a valid directory name
#define TPL_NOTICE_ISFILE    7303  // slot 3: the destination is a file
#define TPL_NOTICE_CREATE    7304  // slot 4: the directory will be created
#define TPL_NOTICE_ROOT      7305  // slot 5: a drive root
#define TPL_NOTICE_SOURCE    7306  // slot 6: the first source directory
#define TPL_NOTICE_EMPTY     7308  // slot 8: nothing typed
#define TPL_QUIT             7309  // slot 9: quit confirmation
#define TPL_FAILURE          7310  // slot 10: failure dialog
#define TPL_MACHINE          7312  // slot 12: machine type
#define TPL_REMOVE_OLD       7313  // slot 13: remove the earlier installation
#define TPL_LOW_DISK         7314  // slot 14: free space below the need
#define TPL_ENDING           7315  // slot 15: ending dialog
#define TPL_DESTINATION      7319  // slot 19: destination dialog

// Frame background bitmap of the custom dialog library.
#define BMP_FRAME            1

// Automation contract: buttons that end a dialog with an event carry the
// control ID 1000 + event code; the destination edit control is 1200; the
// Help button is 1999.
#define IDC_EVENT_BASE       1000
#define IDC_DEST_EDIT        1200
#define IDC_HELP_BUTTON      1999

// Event codes: the 16-bit sum of the first two characters of "DLGEVENT".
#define EV_MACHINE_NEC       113  // NEC PC-9800 series
#define EV_MINIMAL           116
#define EV_BACK              131
#define EV_CANCEL            132
#define EV_START_PRODUCT     136
#define EV_CONTINUE          146
#define EV_MACHINE_FMV       147  // PC/AT with video information (FMV)
#define EV_MACHINE_AT        149  // PC/AT compatible
#define EV_GO_ON             151
#define EV_EXIT              157
#define EV_REMOVE_OLD        163

#endif
