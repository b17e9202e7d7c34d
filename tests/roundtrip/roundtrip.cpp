// Helpers of the round trips (roundtrip.h).
#include "roundtrip.h"
#include "tests/scenarios/welcome_scenarios.h"
#include "common/removal.h"

#include <shlobj.h>
#include <algorithm>
#include <stdexcept>

namespace roundtrip {

using namespace scenario;

namespace {

const char kCodecKey[] =
    "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV41";
const char kRuntimeRecordKey[] = "Software\\ORVA DirectX Runtime";

// A value of TQL.INI on the CD, as the profile reader returns it.
std::string CdSetting(const std::string &section, const std::string &key)
{
    char value[1024] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                             "Q:\\TQL.INI");
    return value;
}

// Adds the files (size) and directories ("dir") below dir to the listing.
void ListInto(const std::string &dir, const std::string &rel,
              std::map<std::string, std::string> &out)
{
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA &fd) {
        std::string name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[rel + name + "\\"] = "dir";
            ListInto(dir + "\\" + name, rel + name + "\\", out);
        } else {
            DWORD attrs = fd.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE;
            out[rel + name] = std::to_string(fd.nFileSizeLow) +
                              (attrs & ~(DWORD)FILE_ATTRIBUTE_NORMAL
                                   ? " attrs=" + std::to_string(attrs) : "");
        }
    });
}

} // namespace

CdProduct TheCdProduct()
{
    CdProduct p;
    p.japanese = GetACP() == 932;
    p.language = p.japanese ? "Japanese" : "English";
    std::string lang = p.language;
    p.msgLibrary = CdSetting(lang, "LoadMsgModule");
    p.installPath = "C:\\ORVA\\";
    p.execFileName = CdSetting("Option", "ExecFileName");
    p.productName = CdSetting("Option", "ProductName");
    p.productVersion = CdSetting("Option", "ProductVersion");
    p.applicationName = CdSetting("Option", "ApplicationName");
    p.displayName = CdSetting("Option", "DisplayName");
    p.groupTitle = CdSetting(lang, "GroupTitle");
    p.winTitle = CdSetting(lang, "UninstWinTitle");
    p.msg0 = CdSetting(lang, "UninstallMsg0");
    p.msg1 = CdSetting(lang, "UninstallMsg1");
    p.msg2 = CdSetting(lang, "UninstallMsg2");
    p.msgCaption = CdSetting(lang, "MsgDlgBoxTitle");
    p.gameTitle = CdSetting(lang, "GameTitle");
    p.helpTitle = CdSetting(lang, "HelpTitle");
    p.textTitle = CdSetting(lang, "TextTitle");
    return p;
}

std::string Cut(const std::string &text, size_t capacity)
{
    return text.substr(0, capacity - 1);
}

// ---- registry

SavedKey::SavedKey(const std::string &path) : path_(path)
{
    std::vector<std::string> pending = {""};
    while (!pending.empty()) {
        std::string rel = pending.back();
        pending.pop_back();
        HKEY k;
        std::string full = rel.empty() ? path_ : path_ + "\\" + rel;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, full.c_str(), 0, KEY_READ, &k))
            continue;
        if (rel.empty())
            existed_ = true;
        else
            keys_.push_back(rel);
        for (DWORD i = 0;; i++) {
            char name[512];
            BYTE data[8192];
            DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
            if (RegEnumValueA(k, i, name, &nameLen, nullptr, &type, data, &dataLen))
                break;
            values_.push_back({rel, name, type, std::string((char *)data, dataLen)});
        }
        for (DWORD i = 0;; i++) {
            char name[512];
            DWORD nameLen = sizeof name;
            if (RegEnumKeyExA(k, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr))
                break;
            pending.push_back(rel.empty() ? name : rel + "\\" + name);
        }
        RegCloseKey(k);
    }
}

void SavedKey::Restore() const
{
    DeleteKeyTree(path_);
    if (!existed_)
        return;
    auto create = [&](const std::string &rel) {
        HKEY k = nullptr;
        std::string full = rel.empty() ? path_ : path_ + "\\" + rel;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, full.c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &k, nullptr);
        return k;
    };
    if (HKEY k = create(""))
        RegCloseKey(k);
    for (auto &rel : keys_)
        if (HKEY k = create(rel))
            RegCloseKey(k);
    for (auto &v : values_)
        if (HKEY k = create(v.key)) {
            RegSetValueExA(k, v.name.c_str(), 0, v.type, (const BYTE *)v.data.data(),
                           (DWORD)v.data.size());
            RegCloseKey(k);
        }
}

std::string SavedKey::Describe() const
{
    if (!existed_)
        return path_ + " (none)\n";
    std::string out = path_ + "\n";
    for (auto &k : keys_)
        out += "  [" + k + "]\n";
    for (auto &v : values_)
        out += "  " + v.key + "\\" + v.name + " = " + std::to_string(v.type) + ":" +
               v.data + "\n";
    return out;
}

std::optional<std::string> RegValue(const std::string &key, const std::string &name)
{
    std::string bytes;
    DWORD type = 0;
    if (!ReadValue(key, name, &bytes, &type))
        return std::nullopt;
    return std::to_string(type) + ":" + bytes;
}

// ---- the machine

struct MachineGuard::Saved {
    std::vector<SavedFile> files;
    std::vector<SavedKey> keys;
};

// The files and keys a round trip may change.
static void SaveAll(const CdProduct &p, MachineGuard::Saved &saved)
{
    std::string w = WindowsDir();
    for (const char *name : {"ORVA.INI", "WININIT.INI", "wininit.bak", "UNINST.EXE",
                             "msg.dll", "msgeng.dll", "system.ini"})
        saved.files.emplace_back(w + name);
    saved.files.emplace_back(SystemDir() + "IR41_32.DLL");
    for (const std::string &key : {AppPathsKey(p), std::string("SOFTWARE\\ORVA"),
                                   UninstallKey(p), std::string(kCodecKey),
                                   std::string(kRuntimeRecordKey)})
        saved.keys.emplace_back(key);
}

MachineGuard::MachineGuard(const CdProduct &p, std::vector<std::string> dirs)
    : p_(p), dirs_(std::move(dirs)), saved_(new Saved)
{
    SaveAll(p, *saved_);
    dirs_.push_back(p.installPath);
    ClearInstallation();
}

std::string MachineGuard::Fingerprint(const CdProduct &p, std::vector<std::string> dirs)
{
    Saved now;
    SaveAll(p, now);
    std::string out;
    for (auto &f : now.files) {
        out += f.path + ": ";
        if (!f.bytes) {
            out += "(none)\n";
        } else {
            size_t hash = std::hash<std::string>()(*f.bytes);
            out += std::to_string(f.bytes->size()) + " bytes #" + std::to_string(hash) + "\n";
        }
    }
    for (auto &k : now.keys)
        out += k.Describe();
    dirs.push_back(p.installPath);
    for (auto &d : dirs)
        out += d + (GetFileAttributesA(d.c_str()) == INVALID_FILE_ATTRIBUTES
                        ? " absent\n" : " exists\n");
    return out;
}

MachineGuard::~MachineGuard()
{
    ClearInstallation();
    for (auto &f : saved_->files)
        f.Restore();
    for (auto &k : saved_->keys)
        k.Restore();
}

void MachineGuard::ClearInstallation()
{
    CloseGroupWindow(p_.groupTitle);
    DeleteGroupByHand(p_);
    for (std::string d : dirs_) {
        if (!d.empty() && d.back() == '\\')
            d.pop_back();
        RemoveTree(d);
    }
    for (const std::string &key : {AppPathsKey(p_), ProductKey(p_), UninstallKey(p_),
                                   std::string(kCodecKey), std::string(kRuntimeRecordKey)})
        DeleteKeyTree(key);
    std::string w = WindowsDir();
    for (const std::string &f : {SettingsFile(), WininitFile(), w + "wininit.bak",
                                 SystemDir() + "IR41_32.DLL"}) {
        SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(f.c_str());
    }
    WritePrivateProfileStringA("drivers32", "VIDC.IV41", nullptr,
                               (w + "system.ini").c_str());
}

// ---- installing

bool Install(UINT welcome, const std::string &proposed, const std::string &typed)
{
    try {
        SetupRun setup(kCd);
        setup.Press(setup.Dialog(welcome), EventButton(EV_GO_ON));
        SeenWindow dest = setup.Dialog(TPL_DESTINATION);
        EXPECT_EQ(proposed, Robot::ControlText(dest.hwnd, IDC_DEST_EDIT));
        if (!typed.empty())
            setup.robot.SetText(dest, IDC_DEST_EDIT, typed);
        setup.Press(dest, EventButton(EV_CONTINUE));
        // The new directory's notice comes before the copy; any other first
        // window (the progress window) is left to FinishInstallation.
        DWORD until = GetTickCount() + 30000;
        for (;;) {
            auto w = setup.robot.Next(500);
            if (w && w->pid == setup.process.pid) {
                if (w->kind == "dialog" && w->templ == TPL_NOTICE_CREATE)
                    setup.Press(*w, EventButton(EV_CONTINUE));
                else if (w->kind == "dialog" && w->templ == TPL_MACHINE)
                    setup.Press(*w, EventButton(EV_MACHINE_AT));
                else if (w->kind != "window")
                    throw std::runtime_error("unexpected window: " + Describe(*w));
                break;
            }
            if ((LONG)(GetTickCount() - until) >= 0)
                throw std::runtime_error("nothing after the destination");
        }
        SeenWindow ending = FinishInstallation(setup, EV_MACHINE_AT);
        if (ending.kind != "dialog" || ending.templ != TPL_ENDING)
            throw std::runtime_error("no ending dialog:" + Transcript(setup));
        // Only a Japanese system asks for the machine type (answered AT);
        // either way DirectX came from the CD's AT directory.
        bool asked = false;
        for (auto &line : setup.robot.transcript)
            asked |= line.rfind("dialog " + std::to_string(TPL_MACHINE), 0) == 0;
        EXPECT_EQ(TheCdProduct().japanese, asked) << Transcript(setup);
        auto source = RegValue(kRuntimeRecordKey, "Source").value_or("");
        EXPECT_NE(std::string::npos, source.find("DIRECTX\\AT")) << source;
        setup.Press(ending, EventButton(EV_EXIT));
        setup.EndsQuietly();
    } catch (const std::exception &e) {
        ADD_FAILURE() << "installation: " << e.what();
        return false;
    }
    CloseGroupWindow(TheCdProduct().groupTitle);
    return !::testing::Test::HasFailure();
}

std::optional<std::vector<std::string>> GroupItems(const CdProduct &p)
{
    std::wstring dir = GroupFolder(p);
    if (dir.empty())
        return std::nullopt;
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (fd.cFileName[0] == L'.')
                continue;
            char name[MAX_PATH * 2] = "";
            WideCharToMultiByte(CP_ACP, 0, fd.cFileName, -1, name, sizeof name,
                                nullptr, nullptr);
            names.push_back(name);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string GroupItemTarget(const CdProduct &p, const std::string &item)
{
    std::wstring dir = GroupFolder(p);
    wchar_t name[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, item.c_str(), -1, name, MAX_PATH);
    std::string target;
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (!dir.empty() &&
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellLinkA, (void **)&link))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
            char path[MAX_PATH] = "";
            if (SUCCEEDED(file->Load((dir + L"\\" + name).c_str(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

std::map<std::string, std::string> TreeListing(const std::string &dir)
{
    std::map<std::string, std::string> out;
    std::string d = dir;
    if (!d.empty() && d.back() == '\\')
        d.pop_back();
    ListInto(d, "", out);
    return out;
}

std::map<std::string, std::string> ExpectedTree(const CdProduct &p)
{
    std::map<std::string, std::string> out;
    std::map<std::string, std::string> cd;
    for (const char *tree : {"Q:\\GAME", "Q:\\DATA"}) {
        cd.clear();
        ListInto(tree, "", cd);
        for (auto &[name, what] : cd)  // copied files lose their attributes
            out[name] = what.substr(0, what.find(' '));
    }
    for (const char *doc : {"ORVA.HLP", "ORVA.CNT", "README.TXT"}) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA((std::string("Q:\\DOCS\\") + doc).c_str(),
                                 GetFileExInfoStandard, &data))
            out[doc] = std::to_string(data.nFileSizeLow);
    }
    out[CdSetting("Option", "IniFileName")] = std::to_string(ProductSettingsText(p).size());
    return out;
}

std::string ProductSettingsText(const CdProduct &p)
{
    return "[Country]\r\nLanguage=" + p.language + "\r\n[Install]\r\nMode=FULL\r\n"
           "ApplicationName=" + p.applicationName + "\r\nProductName=" + p.productName +
           "\r\n";
}

// ---- the uninstaller

// The command line of the product's Add/Remove Programs entry.
static std::string UninstallString()
{
    auto value = RegValue(UninstallKey(TheCdProduct()), "UninstallString");
    if (!value || value->compare(0, 2, "1:") || value->back() != '\0') {
        ADD_FAILURE() << "no UninstallString in the product's Uninstall key";
        return "";
    }
    return value->substr(2, value->size() - 3);
}

UninstallerRun::UninstallerRun() : UninstallerRun(UninstallString()) {}

UninstallerRun::UninstallerRun(const std::string &line_) : commandLine(line_)
{
    if (commandLine.empty())
        return;
    process = Start(commandLine);
    if (!process.process)
        ADD_FAILURE() << "cannot start " << commandLine;
}

UninstallerRun::~UninstallerRun()
{
    process.Kill();
    if (process.process)
        CloseHandle(process.process);
}

std::optional<SeenWindow> UninstallerRun::Next(DWORD ms)
{
    DWORD until = GetTickCount() + ms;
    while (process.process) {
        auto w = robot.Next(200);
        if (w && w->pid == process.pid)
            return w;
        if ((LONG)(GetTickCount() - until) >= 0)
            break;
    }
    ADD_FAILURE() << "the uninstaller showed no window (exit code "
                  << (process.process ? process.Wait(0) : -2) << ")";
    return std::nullopt;
}

bool UninstallerRun::Box(const std::string &caption, const std::string &text)
{
    auto w = Next();
    if (!w)
        return false;
    EXPECT_EQ("box", w->kind) << Describe(*w);
    EXPECT_EQ(caption, w->caption);
    EXPECT_EQ(text, w->text);
    EXPECT_TRUE(robot.Press(*w, IDOK));
    return w->kind == "box" && w->caption == caption && w->text == text;
}

std::optional<SeenWindow> UninstallerRun::Confirmation(const CdProduct &p)
{
    auto w = Next();
    if (!w)
        return std::nullopt;
    EXPECT_EQ("window", w->kind) << Describe(*w);
    EXPECT_EQ(Cut(p.winTitle, 33), w->caption);
    EXPECT_EQ(Cut(p.msg0, 17), Robot::ControlText(w->hwnd, IDC_UNINST_MSG0));
    EXPECT_EQ(Cut(p.msg1, 129), Robot::ControlText(w->hwnd, IDC_UNINST_MSG1));
    EXPECT_EQ(Cut(p.msg2, 17), Robot::ControlText(w->hwnd, IDC_UNINST_MSG2));
    if (!GetDlgItem(w->hwnd, IDOK) || !GetDlgItem(w->hwnd, IDCANCEL)) {
        ADD_FAILURE() << "not the confirmation dialog: " << Describe(*w);
        return std::nullopt;
    }
    return w;
}

void UninstallerRun::Confirm(const SeenWindow &dialog)
{
    PostMessageA(GetDlgItem(dialog.hwnd, IDOK), BM_CLICK, 0, 0);
}

void UninstallerRun::Ends()
{
    EXPECT_EQ(0, process.Wait(20000)) << "exit code of " << commandLine;
    auto w = robot.Next(200);
    if (w && w->pid == process.pid)
        ADD_FAILURE() << "one more window: " << Describe(*w);
}

bool Restart()
{
    Launched boot = Launch("C:\\windows\\system32\\wineboot.exe", "-r", "C:\\");
    int code = boot.Wait(120000);
    if (boot.process)
        CloseHandle(boot.process);
    EXPECT_EQ(0, code) << "wineboot -r";
    return code == 0;
}

} // namespace roundtrip
