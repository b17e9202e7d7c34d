// The uninstaller's program-wide state and the functions of its modules.
// Each variable is defined in the file of its concern (named beside it).
#ifndef UNINST_UNINST_H
#define UNINST_UNINST_H

#include <windows.h>
#include "common/text.h"
#include "common/ui.h"

// ---- settings.cpp: the uninstaller settings, read once from the settings
// file named on the command line; one buffer per key, sized by capacity.
extern char SettingsPath[PATH_CAP];
extern char InstallPath[PATH_CAP];
extern char PendingInstallPath[PATH_CAP];  // "": no installation in progress
extern char ProductName[33];
extern char ProductVersion[33];
extern char ApplicationName[33];
extern char ExecFileName[PATH_CAP];
extern char UninstWinTitle[33];
extern char UninstallMsg0[17];
extern char UninstallMsg1[129];
extern char UninstallMsg2[17];
extern char LoadMsgModule[13];
extern char UnInstExe[PATH_CAP];
extern char GroupTitle[PATH_CAP];
extern char CheckGameTitle[33];  // the running game's window title
int LoadUninstallSettings();

// ---- main.cpp: start-up, confirmation dialog and removal
void ShowMessage(const char *text);          // caption "Uninstall", BOX_ALERT
const char *CommandLineText(const char *commandLine);
int UninstallAll();
INT_PTR CALLBACK ConfirmDlgProc(HWND, UINT, WPARAM, LPARAM);

#endif
