// What every end-to-end scenario of the setup program needs: the robot, the
// setup program started from a directory as a user would start it, what
// the user sees checked window by window, and TQL.INI variants in start-up
// directories of their own.
#ifndef TESTS_SCENARIOS_SCENARIO_H
#define TESTS_SCENARIOS_SCENARIO_H

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/templates.h"
#include "tests/robot/robot.h"

namespace scenario {

extern const char *const kSetup;        // Q:\Tql.exe
extern const char *const kCd;           // Q:\ (the CD's root)
extern const char *const kFrameTitle;   // MainDlgBoxTitle of the English setup
extern const char *const kInitError;    // "Setup Initialize error"
extern const char *const kInitErrorCap; // "Setup Initialize Error"

// Press for the button of an event in a dialog of the custom dialog library.
inline int EventButton(int code) { return IDC_EVENT_BASE + code; }

// The CD's TQL.INI with edits: value std::nullopt deletes the key.
struct IniEdit {
    std::string section, key;
    std::optional<std::string> value;
};

// A start-up directory of its own (removed with its files at the end).
class StartupDir {
public:
    // Its name ends in suffix (text of this process's code page).
    explicit StartupDir(const std::string &suffix = "");
    ~StartupDir();
    const std::string &path() const { return path_; }
    // Writes a file of the directory, byte for byte.
    void Write(const std::string &name, const std::string &bytes) const;
    // Copies a file into the directory under the given name.
    void Copy(const std::string &from, const std::string &name) const;
    // The CD's TQL.INF, the CD's files named, and its TQL.INI (English)
    // with edits: the CD as setup started from here reads it.
    void EnglishCd(std::vector<IniEdit> edits,
                   std::initializer_list<const char *> files = {}) const;
private:
    std::string path_;
};

std::string CdIniWith(const std::vector<IniEdit> &edits);

// A file next to the scenario program (the test dialog libraries).
std::string BesideMe(const std::string &name);

// Moves the uninstaller settings file of the Windows directory aside for
// the scenario's time, so that setup sees no earlier installation.
class NoEarlierInstallation {
public:
    NoEarlierInstallation();
    ~NoEarlierInstallation();
private:
    std::string file_, aside_;
    bool moved_ = false;
};

// The setup program started from a directory, watched by the robot.
class SetupRun {
public:
    explicit SetupRun(const std::string &cwd, const std::string &args = "");
    ~SetupRun();
    // The next window must be a message box with this caption and text.
    SeenWindow Box(const std::string &caption, const std::string &text);
    // The next window must be a dialog of the dialog library with this
    // template number.
    SeenWindow Dialog(UINT templ);
    // The next window must be a plain dialog with this caption and these
    // static texts.
    SeenWindow Window(const std::string &caption, const std::string &text);
    // Presses a control and checks that the press was taken.
    void Press(const SeenWindow &w, int controlId);
    // The program must end with this exit code (0 unless said) within ms,
    // without showing anything more.
    void EndsQuietly(int exitCode = 0, DWORD ms = 20000);
    Robot robot;
    Launched process;
private:
    SeenWindow NextOfMine();
};

// The window of a program by its exact title, waiting up to ms.
HWND WaitForTitle(const std::string &title, DWORD ms = 10000);

} // namespace scenario

#endif
