// Test support (see setup_env.h) and the parts of the setup program that
// these tests do not link: the toolkit's wait cursor.
#include "setup_env.h"
#include <gtest/gtest.h>
#include "setup/config.h"
#include "setup/ends.h"
#include "setup/state.h"
#include "common/ui.h"
#include "common/text.h"
#include "setup/toolkit.h"
#include "platform/templates.h"

// ---- the toolkit's wait cursor (toolkit.cpp)
HCURSOR TkShowWaitCursor()
{
    return SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void TkRestoreCursor(HCURSOR previous)
{
    SetCursor(previous);
}

void ResetSetupState()
{
    TextCopy(Settings.ProductName, "ORVA PC");
    TextCopy(Settings.ProductVersion, "1.0");
    TextCopy(Settings.ApplicationName, "ORVA PC App");
    TextCopy(Settings.DisplayName, "ORVA PC GAME PRODUCT");
    TextCopy(Settings.UnInstExe, "UNINST.EXE");
    TextCopy(Settings.UninstWinTitle, "ORVA Uninstall");
    TextCopy(Settings.UninstallMsg0, "Remove ORVA?");
    TextCopy(Settings.UninstallMsg1, "All files of ORVA will be removed.");
    TextCopy(Settings.UninstallMsg2, "Continue?");
    TextCopy(Settings.LoadMsgModule, "msgeng.dll");
    TextCopy(Settings.IniFileName, "ORVA.INI");
    TextCopy(Settings.GroupTitle, "ORVA PC");
    TextCopy(Settings.LanguageName, "English");
    TextCopy(Settings.DirectX, "Yes");
    TextCopy(Settings.Indeo41, "Yes");
    TextCopy(Settings.Select, "Yes");
    TextCopy(Settings.SelectMachine, "1");
    TextCopy(DestinationDir, "C:\\ORVA\\");
    FrameWindow = nullptr;
    fake::ResetDialogs("mscuieng.dll");
    static const char *const texts[][2] = {
        {"43", "The source file is missing."},
        {"44", "The file is in use."},
        {"45", "Access denied."},
        {"46", "The disk is full."},
        {"47", "The new file is missing."},
        {"48", "The new file is a directory."},
        {"49", "The installed file is a directory."},
        {"50", "No version in the new file."},
        {"51", "No version in the installed file."},
        {"24", "Setup ends without DirectX."},
    };
    for (const auto &t : texts)
        MessageTable[atoi(t[0])] = reinterpret_cast<UINT_PTR>(t[1]);
    MessageTable[SLOT_MACHINE] = 7312;
}
