// Whole round trips on the sample CD: Q:\Tql.exe installs, the uninstaller
// that Add/Remove Programs starts (or setup itself) removes, and the
// machine is checked in between. What the round trips share: the product
// as the CD's TQL.INI describes it in this system's language, the machine
// state saved before and put back after, the installation with ordinary
// answers, the uninstaller started from the Uninstall key's command line,
// and the simulated restart.
#ifndef TESTS_ROUNDTRIP_ROUNDTRIP_H
#define TESTS_ROUNDTRIP_ROUNDTRIP_H

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/scenarios/scenario.h"
#include "tests/uninst/installed.h"

namespace roundtrip {

// What the setup program of the CD installs on this system: the names of
// TQL.INI's [Option] section and of the language section the system's
// language selects ([Japanese] on code page 932, else [English]), with
// the destination proposed from DefaultPath ("C:\ORVA\").
struct CdProduct : Product {
    std::string language;    // "Japanese" or "English"
    std::string msgCaption;  // MsgDlgBoxTitle
    std::string gameTitle;   // the game item's name
    std::string helpTitle, textTitle;  // the documents' items
};
CdProduct TheCdProduct();

// Everything of the machine that a round trip touches, saved when made and
// put back when destroyed: files of the Windows and system directories
// (settings file, WININIT.INI and its backup, the copied uninstaller and
// message libraries, system.ini, the codec driver), the registry keys
// (product, Add/Remove Programs, App Paths, codec, DirectX record), the
// installation directories and the Start Menu group.
class MachineGuard {
public:
    explicit MachineGuard(const CdProduct &p, std::vector<std::string> dirs = {});
    ~MachineGuard();
    // Clears what an installation leaves: tree, group, keys, settings file,
    // WININIT.INI, the codec (file, key, system.ini entry) and the DirectX
    // record, so that the installation makes each of them anew.
    void ClearInstallation();
    // All the guarded state in one text (file bytes, key values, whether
    // the directories exist), to tell that a test put it back.
    static std::string Fingerprint(const CdProduct &p, std::vector<std::string> dirs = {});
    struct Saved;  // the files and keys as found
private:
    CdProduct p_;
    std::vector<std::string> dirs_;
    std::unique_ptr<Saved> saved_;
};

// A registry key below HKEY_LOCAL_MACHINE with every value and subkey,
// saved and written back exactly (the key deleted when it did not exist).
class SavedKey {
public:
    explicit SavedKey(const std::string &path);
    void Restore() const;
    // The key as saved: its subkeys and values, one a line.
    std::string Describe() const;
private:
    struct Value { std::string key, name; DWORD type; std::string data; };
    std::string path_;
    bool existed_ = false;
    std::vector<std::string> keys_;   // relative paths of the subkeys
    std::vector<Value> values_;
};

// One registry value as bytes ("type:data", data with its zero), or
// nullopt when it is absent.
std::optional<std::string> RegValue(const std::string &key, const std::string &name);
inline std::string Sz(const std::string &text) { return "1:" + text + std::string(1, '\0'); }

// Installs from the CD root with the ordinary answers: welcome go on (its
// template checked), the destination typed unless empty (proposed one
// checked against proposed), the new-directory notice continued when it
// comes, AT in the machine dialog, exit in the ending dialog; setup must
// end with 0. Returns false (after a failure was added) when any of this
// went otherwise.
bool Install(UINT welcome, const std::string &proposed, const std::string &typed = "");

// The Start Menu group that the shell made: the file names of the folder
// named by the group title below the Programs folder; nullopt when there
// is no such folder. Names in this process's code page.
std::optional<std::vector<std::string>> GroupItems(const CdProduct &p);
// The file that an item (a link file of the group) starts; "" when it
// cannot be read.
std::string GroupItemTarget(const CdProduct &p, const std::string &item);

// The installed tree: relative path -> "size attrs" for every file and
// "dir" for every directory (attributes without the archive bit).
std::map<std::string, std::string> TreeListing(const std::string &dir);
// The tree an installation from the CD must leave in its directory: the
// two product trees merged, the documents and the product settings file.
std::map<std::string, std::string> ExpectedTree(const CdProduct &p);
// The product settings file of a full installation: language, mode and
// the product's names, which prove the folder its installation.
std::string ProductSettingsText(const CdProduct &p);

// The uninstaller as Add/Remove Programs starts it: the UninstallString
// of the product's Uninstall key as the whole command line, the program
// taken from it. Its windows are answered through robot.
struct UninstallerRun {
    UninstallerRun();
    // Started with a command line read earlier (the entry may be gone).
    explicit UninstallerRun(const std::string &commandLine);
    ~UninstallerRun();
    std::string commandLine;
    Robot robot;
    Launched process;
    // The next window of the uninstaller (fails the test when none).
    std::optional<SeenWindow> Next(DWORD ms = 20000);
    // The next window must be a message box with this caption and text;
    // answered with OK.
    bool Box(const std::string &caption, const std::string &text);
    // The next window must be the confirmation dialog with the settings'
    // title and texts.
    std::optional<SeenWindow> Confirmation(const CdProduct &p);
    // Confirms the removal: OK clicked (posted; the removal runs while the
    // dialog stays, so the press shows only when its boxes are answered).
    void Confirm(const SeenWindow &dialog);
    // The program must end with 0 without another window.
    void Ends();
};

// Runs wineboot -r (Windows started again: WININIT.INI is processed) and
// waits for it.
bool Restart();

// The confirmation texts as the settings file holds them: TQL.INI's
// values cut to the uninstaller's capacities.
std::string Cut(const std::string &text, size_t capacity);

} // namespace roundtrip

#endif
