// A product installation as setup leaves it, made for the uninstaller's
// tests: the settings file in the Windows directory, the installed tree,
// the four registry keys and the Program Manager group; and a snapshot of
// all of it (and of WININIT.INI) to tell what a run changed.
#ifndef TESTS_UNINST_INSTALLED_H
#define TESTS_UNINST_INSTALLED_H

#include <windows.h>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include "tests/support/files.h"

// The names of the installation, in the test's language.
struct Product {
    bool japanese = false;
    std::string msgLibrary;      // "msg.dll" or "msgeng.dll"
    std::string installPath;     // "C:\ORVA\"
    std::string execFileName = "ORVA.EXE";
    std::string productName = "ORVA PC";
    std::string productVersion = "1.0";
    std::string applicationName = "ORVA PC App";
    std::string displayName = "ORVA PC GAME PRODUCT";
    std::string groupTitle, winTitle, msg0, msg1, msg2;
    std::string gameTitle = "ORVA";  // the running game's window title
};

// The product of this test run: Japanese texts (code page 932) on a
// Japanese system with msg.dll, English ones with msgeng.dll (TQL_MSGLIB).
Product TestProduct();

std::string SettingsFile();               // Windows directory + "ORVA.INI"
std::string WininitFile();                // Windows directory + "WININIT.INI"
// The Windows directory's files of these names, and whether the maker's
// key SOFTWARE\ORVA existed, kept for a test suite and put back after it.
struct KeptMachine {
    explicit KeptMachine(std::initializer_list<const char *> names);
    ~KeptMachine();
    std::vector<SavedFile> files;
    bool makerKeyExisted;
};
// The product's Program Manager group, as a Start Menu folder holding the
// test's item. Found by its item, since the shell converts the group name
// with its own code page, which need not be this process's.
bool GroupExists(const Product &p);
void DeleteGroupByHand(const Product &p);
// That folder's full path; empty when there is none.
std::wstring GroupFolder(const Product &p);
// Closes the folder window that the shell opens for a new group (as
// Program Manager shows a new group), so that it does not keep the
// foreground from the programs' dialogs.
void CloseGroupWindow(const std::string &title);

// The settings file as setup writes it: [UnInstall] with its thirteen keys
// in order, [Versions] with the version, [Directory] with InstallPath and
// ExePath. Keys mapped to
// nullopt are left out, others replace the product's value.
using KeyOverrides = std::map<std::string, std::optional<std::string>>;
std::string SettingsText(const Product &p, const KeyOverrides &over = {});

// Registry keys of the product (paths below HKEY_LOCAL_MACHINE).
std::string AppPathsKey(const Product &p);
std::string VersionKey(const Product &p);
std::string ProductKey(const Product &p);
std::string UninstallKey(const Product &p);
// Sets a string value, making the key (below HKEY_LOCAL_MACHINE).
void SetString(const std::string &key, const char *name, const std::string &data);

// Writes the installed tree, the keys, the settings file and the group.
void InstallProduct(const Product &p);
// Takes everything of the product away again (keys, tree, group, file).
void UninstallLeftovers(const Product &p);

// The [rename] entries of WININIT.INI, as "key=value" lines in order.
std::vector<std::string> RenameEntries();

// Everything a run may change: tree listing with contents, settings file,
// WININIT.INI, the registry values of the keys, the group folder.
struct MachineState {
    std::map<std::string, std::string> tree;   // relative path -> bytes
    std::optional<std::string> settings, wininit;
    std::map<std::string, std::string> registry;  // key\value -> data
    bool groupExists = false;
    bool operator==(const MachineState &o) const;
};
MachineState Snapshot(const Product &p);
std::string Describe(const MachineState &s);

// The texts of the message library's table, read by loading it from the CD.
std::string SlotText(const std::string &library, int slot);

#endif
