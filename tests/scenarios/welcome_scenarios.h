// Steps shared by the welcome and closing scenarios: the rest of an
// installation after the destination, and the record of an installation
// in the uninstaller settings file of the Windows directory.
#ifndef TESTS_SCENARIOS_WELCOME_SCENARIOS_H
#define TESTS_SCENARIOS_WELCOME_SCENARIOS_H

#include <filesystem>
#include "scenario.h"

namespace scenario {

// After the destination is accepted: the copy's progress window passes by,
// the machine type dialog is answered with the given choice (113 NEC with
// its video information continued, 149 AT). Returns the next window of
// setup that is neither the progress window nor one of those dialogs
// (kind "" when setup showed nothing more within a minute).
inline SeenWindow FinishInstallation(SetupRun &setup, UINT machine)
{
    for (;;) {
        DWORD until = GetTickCount() + 60000;
        std::optional<SeenWindow> w;
        while (!w && (LONG)(GetTickCount() - until) < 0) {
            w = setup.robot.Next(500);
            if (w && w->pid != setup.process.pid)
                w.reset();
        }
        if (!w) {
            ADD_FAILURE() << "setup showed nothing more";
            return SeenWindow();
        }
        if (w->kind == "window")
            continue;  // the progress window, the wait window
        if (w->kind == "dialog" && w->templ == TPL_MACHINE) {
            EXPECT_TRUE(setup.robot.Press(*w, EventButton(machine)));
            continue;
        }
        if (w->kind == "dialog" &&
            (w->templ == TPL_FMVINFO_AT || w->templ == TPL_FMVINFO_NEC)) {
            EXPECT_TRUE(setup.robot.Press(*w, EventButton(EV_CONTINUE)));
            continue;
        }
        return *w;
    }
}

// What the user saw so far, one window a line, for a failure message.
inline std::string Transcript(const SetupRun &setup)
{
    std::string all;
    for (auto &line : setup.robot.transcript)
        all += "\n  " + line;
    return all;
}

// Records an installation of the CD's product in C:\windows\ORVA.INI:
// [UnInstall] its names, [Directory] InstallPath, and ExePath unless null.
inline void RecordInstallation(const char *installPath, const char *exePath)
{
    char ini[MAX_PATH];
    GetWindowsDirectoryA(ini, MAX_PATH);
    lstrcatA(ini, "\\ORVA.INI");
    WritePrivateProfileStringA("UnInstall", "ApplicationName", "ORVA PC App", ini);
    WritePrivateProfileStringA("UnInstall", "ProductName", "ORVA PC", ini);
    WritePrivateProfileStringA("Directory", "InstallPath", installPath, ini);
    WritePrivateProfileStringA("Directory", "ExePath", exePath, ini);
}

// Removes what an installation into dir left: the directory, the
// uninstaller and message libraries copied into the Windows directory and
// the product's registry keys (the settings file is NoEarlierInstallation's
// to put back), so that the next test finds a machine without the product.
inline void ForgetInstallation(const std::string &dir)
{
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    for (const char *name : {"UNINST.EXE", "msg.dll", "msgeng.dll"})
        DeleteFileA((std::string(windows) + "\\" + name).c_str());
    for (const char *key : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ORVA.EXE",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ORVA PC App",
                            "SOFTWARE\\ORVA"})
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
}

} // namespace scenario

#endif
