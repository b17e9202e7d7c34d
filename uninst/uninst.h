// The uninstaller's program-wide state and the functions of its modules.
// Each variable is defined in the file of its concern (named beside it).
#ifndef UNINST_UNINST_H
#define UNINST_UNINST_H

#include <windows.h>
#include "common/text.h"
#include "common/ui.h"
#include "common/record.h"

// ---- settings.cpp: the uninstaller settings (common/record.h), read once
// from the settings file named on the command line.
extern UninstallSettings Settings;
int LoadUninstallSettings();

// ---- main.cpp: start-up, confirmation dialog and removal
void ShowMessage(const char *text);          // caption "Uninstall", BOX_ALERT
const char *CommandLineText(const char *commandLine);
int UninstallAll();
INT_PTR CALLBACK ConfirmDlgProc(HWND, UINT, WPARAM, LPARAM);

#endif
