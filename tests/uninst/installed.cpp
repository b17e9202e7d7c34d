// The uninstaller tests' installation and snapshot helpers (installed.h).
#include "installed.h"
#include "common/removal.h"
#include "tests/support/msg_table.h"

#include <shlobj.h>
#include <cstdlib>
#include <sstream>

Product TestProduct()
{
    Product p;
    const char *lib = getenv("TQL_MSGLIB");
    p.msgLibrary = lib && *lib ? lib : "msgeng.dll";
    p.japanese = GetACP() == 932;
    p.installPath = "C:\\ORVA\\";
    if (p.japanese) {
        // The group title stays ASCII: the shell's Program Manager server
        // of the test session converts it with the session's code page,
        // which is not 932 unless the session itself runs in Japanese.
        p.groupTitle = "ORVA Japanese Group";
        // オルバのアンインストール
        p.winTitle = "\x83\x49\x83\x8B\x83\x6F\x82\xCC\x83\x41\x83\x93\x83\x43"
                     "\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B";
        // よろしいですか？ (16 bytes, the capacity of the first text)
        p.msg0 = "\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81\x48";
        // すべてのファイルを削除します。
        p.msg1 = "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B"
                 "\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82\xB7\x81\x42";
        // オルバを削除します
        p.msg2 = "\x83\x49\x83\x8B\x83\x6F\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82\xB7";
        p.msg2 = p.msg2.substr(0, 16);
    } else {
        p.groupTitle = "ORVA Test Group";
        p.winTitle = "ORVA PC Uninstall";
        p.msg0 = "Remove ORVA PC?";
        p.msg1 = "Every file of ORVA PC GAME PRODUCT will be deleted.";
        p.msg2 = "Really remove?";
    }
    return p;
}

std::string SettingsFile() { return WindowsDir() + "ORVA.INI"; }
std::string WininitFile() { return WindowsDir() + "WININIT.INI"; }

KeptMachine::KeptMachine(std::initializer_list<const char *> names)
    : makerKeyExisted(KeyExists("SOFTWARE\\ORVA"))
{
    for (const char *name : names)
        files.emplace_back(WindowsDir() + name);
}

KeptMachine::~KeptMachine()
{
    for (auto &f : files)
        f.Restore();
    if (!makerKeyExisted)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ORVA");
}

static const wchar_t kItemLink[] = L"ORVA Uninstall Test.lnk";

// The Start Menu folder of the group: the one named by the group title in
// this process's code page, else any folder of Programs holding the item.
std::wstring GroupFolder(const Product &p)
{
    wchar_t programs[MAX_PATH] = L"", title[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    MultiByteToWideChar(CP_ACP, 0, p.groupTitle.c_str(), -1, title, MAX_PATH);
    std::wstring named = std::wstring(programs) + L"\\" + title;
    if (GetFileAttributesW(named.c_str()) != INVALID_FILE_ATTRIBUTES)
        return named;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((std::wstring(programs) + L"\\*").c_str(), &fd);
    std::wstring found;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring dir = std::wstring(programs) + L"\\" + fd.cFileName;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != L'.' &&
                GetFileAttributesW((dir + L"\\" + kItemLink).c_str()) != INVALID_FILE_ATTRIBUTES)
                found = dir;
        } while (found.empty() && FindNextFileW(h, &fd));
        FindClose(h);
    }
    return found;
}

bool GroupExists(const Product &p)
{
    return !GroupFolder(p).empty();
}

void DeleteGroupByHand(const Product &p)
{
    std::wstring dir = GroupFolder(p);
    if (dir.empty())
        return;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((dir + L"\\" + fd.cFileName).c_str());
        while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

std::string SettingsText(const Product &p, const KeyOverrides &over)
{
    std::vector<std::pair<std::string, std::string>> keys = {
        {"UnInstExe", "UNINST.EXE"}, {"LoadMsgModule", p.msgLibrary},
        {"ExecFileName", p.execFileName}, {"ProductName", p.productName},
        {"ProductVersion", p.productVersion},
        {"ApplicationName", p.applicationName}, {"GroupTitle", p.groupTitle},
        {"UninstWinTitle", p.winTitle}, {"UninstallMsg0", p.msg0},
        {"UninstallMsg1", p.msg1}, {"UninstallMsg2", p.msg2},
        {"CheckGameTitle", p.gameTitle}, {"CodePage", std::to_string(GetACP())}};
    std::string text = "[UnInstall]\r\n";
    for (auto &[key, value] : keys) {
        auto o = over.find(key);
        if (o == over.end())
            text += key + "=" + value + "\r\n";
        else if (o->second)
            text += key + "=" + *o->second + "\r\n";
    }
    text += "[Versions]\r\n" + p.productVersion + "=1\r\n[Directory]\r\n";
    for (const char *key : {"InstallPath", "ExePath"}) {
        auto o = over.find(key);
        if (o == over.end())
            text += std::string(key) + "=" + p.installPath + "\r\n";
        else if (o->second)
            text += std::string(key) + "=" + *o->second + "\r\n";
    }
    return text;
}

std::string AppPathsKey(const Product &p)
{
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + p.execFileName;
}
std::string VersionKey(const Product &p)
{
    return ProductKey(p) + "\\" + p.productVersion;
}
std::string ProductKey(const Product &p)
{
    return "SOFTWARE\\ORVA\\" + p.productName;
}
std::string UninstallKey(const Product &p)
{
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + p.applicationName;
}

// Writes one string value (REG_SZ) as setup's registration does.
void SetString(const std::string &key, const char *name, const std::string &data)
{
    HKEY k;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &k, nullptr))
        return;
    RegSetValueExA(k, name, 0, REG_SZ, (const BYTE *)data.c_str(),
                   (DWORD)data.size() + 1);
    RegCloseKey(k);
}

// The shell opens a folder window for a group it creates, as Program
// Manager shows a new group; closed again so that it does not keep the
// foreground from the uninstaller's dialog.
void CloseGroupWindow(const std::string &title)
{
    for (int i = 0; i < 50; i++) {
        HWND w = FindWindowA("ExplorerWClass", title.c_str());
        if (w) {
            PostMessageA(w, WM_CLOSE, 0, 0);
            for (int j = 0; j < 100 && IsWindow(w); j++)
                Sleep(20);
            return;
        }
        Sleep(20);
    }
}

void InstallProduct(const Product &p)
{
    std::string d = p.installPath;
    CreateDirectoryA(d.c_str(), nullptr);
    CreateDirectoryA((d + "DATA").c_str(), nullptr);
    CreateDirectoryA((d + "DATA\\STAGE1").c_str(), nullptr);
    CreateDirectoryA((d + "SAVE").c_str(), nullptr);
    WriteBytes(d + p.execFileName, std::string("MZ game\0\1", 9));
    WriteBytes(d + "ORVA.INI", "[Country]\r\nLanguage=1\r\n[Install]\r\nMode=0\r\n");
    WriteBytes(d + "DATA\\MAP.DAT", std::string(5000, 'm'));
    WriteBytes(d + "DATA\\STAGE1\\ENEMY.DAT", "enemy");
    WriteBytes(d + "DATA\\STAGE1\\READONLY.DAT", "read-only");
    SetFileAttributesA((d + "DATA\\STAGE1\\READONLY.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(d + "SAVE\\HIDDEN.SAV", "hidden");
    SetFileAttributesA((d + "SAVE\\HIDDEN.SAV").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    SetString(AppPathsKey(p), "", d + p.execFileName);
    SetString(AppPathsKey(p), "Path", d);
    SetString(VersionKey(p) + "\\", "", "");
    SetString(UninstallKey(p), "DisplayName", p.displayName);
    SetString(UninstallKey(p), "UninstallString",
              WindowsDir() + "UNINST.EXE " + SettingsFile());

    WriteBytes(SettingsFile(), SettingsText(p));
    AddProgramItem(p.groupTitle.c_str(), "ORVA Uninstall Test", (d + p.execFileName).c_str());
    CloseGroupWindow(p.groupTitle);
}

void UninstallLeftovers(const Product &p)
{
    DeleteProgramGroup(p.groupTitle.c_str());
    DeleteGroupByHand(p);
    std::string d = p.installPath;
    d.pop_back();
    RemoveTree(d);
    for (const std::string &key : {AppPathsKey(p), VersionKey(p), ProductKey(p),
                                   UninstallKey(p)})
        DeleteKeyTree(key);
    SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(SettingsFile().c_str());
    for (const std::string &name : {std::string("UNINST.EXE"), std::string("ORVAUN.EXE"),
                                    p.msgLibrary})
        SetSharedCount(WindowsDir() + name, -1);
}

std::vector<std::string> RenameEntries()
{
    std::vector<std::string> entries;
    auto text = ReadWholeFile(WininitFile());
    if (!text)
        return entries;
    std::istringstream in(*text);
    std::string line;
    bool inRename = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inRename = lstrcmpiA(line.c_str(), "[rename]") == 0;
        else if (inRename && !line.empty())
            entries.push_back(line);
    }
    return entries;
}

// Adds every file below dir (relative names) with its bytes and attributes.
static void ListTree(const std::string &dir, const std::string &rel,
                     std::map<std::string, std::string> &tree)
{
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA &fd) {
        std::string name = fd.cFileName;
        std::string attrs = " attrs=" + std::to_string(fd.dwFileAttributes) + " ";
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[rel + name + "\\"] = attrs;
            ListTree(dir + "\\" + name, rel + name + "\\", tree);
        } else {
            tree[rel + name] = attrs + ReadWholeFile(dir + "\\" + name).value_or("?");
        }
    });
}

// Adds every value of key (and of its subkeys) to the map.
static void ListKey(const std::string &key, std::map<std::string, std::string> &out)
{
    HKEY k;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &k))
        return;
    out[key] = "(key)";
    for (DWORD i = 0;; i++) {
        char name[512], data[2048];
        DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
        if (RegEnumValueA(k, i, name, &nameLen, nullptr, &type, (BYTE *)data, &dataLen))
            break;
        out[key + "\\" + name] = std::to_string(type) + ":" + std::string(data, dataLen);
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; i++) {
        char name[512];
        DWORD nameLen = sizeof name;
        if (RegEnumKeyExA(k, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr))
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(k);
    for (auto &s : subkeys)
        ListKey(key + "\\" + s, out);
}

MachineState Snapshot(const Product &p)
{
    MachineState s;
    std::string d = p.installPath;
    d.pop_back();
    ListTree(d, "", s.tree);
    s.settings = ReadWholeFile(SettingsFile());
    s.wininit = ReadWholeFile(WininitFile());
    ListKey(AppPathsKey(p), s.registry);
    ListKey(ProductKey(p), s.registry);
    ListKey(UninstallKey(p), s.registry);
    s.groupExists = GroupExists(p);
    return s;
}

bool MachineState::operator==(const MachineState &o) const
{
    return tree == o.tree && settings == o.settings && wininit == o.wininit &&
           registry == o.registry && groupExists == o.groupExists;
}

std::string Describe(const MachineState &s)
{
    std::string out = "tree:";
    for (auto &[k, v] : s.tree)
        out += " " + k;
    out += "\nsettings: " + s.settings.value_or("(none)");
    out += "\nwininit: " + s.wininit.value_or("(none)");
    out += "\nregistry:";
    for (auto &[k, v] : s.registry)
        out += "\n  " + k + " = " + v;
    out += std::string("\ngroup: ") + (s.groupExists ? "yes" : "no");
    return out;
}

std::string SlotText(const std::string &library, int slot)
{
    static UINT_PTR table[MSG_TABLE_SLOTS];
    if (!LoadMessageTable(library, table))
        return "(no library " + library + " or no MsgSetup)";
    return reinterpret_cast<const char *>(table[slot]);
}
