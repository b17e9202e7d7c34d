// Controls of the custom dialog library's templates beyond those of
// platform/templates.h (event buttons 1000 + code, edit 1200, Help 1999).
// Included by the resource scripts: #defines only.
#ifndef OUTSIDE_CUI_CUI_H
#define OUTSIDE_CUI_CUI_H

#define IDC_DISKINFO   1201  // destination dialog: free space text
#define IDC_TEXT       1300  // the main text of a dialog

// Event buttons by name (IDC_EVENT_BASE + event code).
#define IDB_MACHINE_98   1113
#define IDB_MINIMAL      1116
#define IDB_BACK         1131
#define IDB_CANCEL       1132
#define IDB_START        1136
#define IDB_CONTINUE     1146
#define IDB_MACHINE_FMV  1147
#define IDB_MACHINE_AT   1149
#define IDB_GO_ON        1151
#define IDB_EXIT         1157
#define IDB_REMOVE_OLD   1163

// Dialog styles shared by every template.
#define CUI_STYLE  (DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | \
                    WS_CAPTION | WS_SYSMENU)

#endif
