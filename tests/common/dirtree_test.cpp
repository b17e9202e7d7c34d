// Directory tree removal on the real file system: attributes, a file held
// open, missing and overlong paths, and the folders never to be removed.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "common/removal.h"
#include "removal_support.h"
#include "common/guard.h"

static const std::string kFile = "Delete|Cannot delete a file.";
static const std::string kDir = "Delete|Cannot remove a folder.";
static const std::string kList = "Delete|Cannot list a folder.";

static void MakeFile(const std::string &path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    DWORD written;
    WriteFile(h, "data", 4, &written, nullptr);
    CloseHandle(h);
    SetFileAttributesA(path.c_str(), attributes);
}

// A fresh directory name under base for one test.
static std::string Fresh(const std::string &base, const char *name)
{
    std::string dir = base + "\\" + name + std::to_string(GetTickCount());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

// A tree with read-only, hidden and system files at three depths.
static void MakeTree(const std::string &dir)
{
    CreateDirectoryA((dir + "\\SUB").c_str(), nullptr);
    CreateDirectoryA((dir + "\\SUB\\DEEP").c_str(), nullptr);
    CreateDirectoryA((dir + "\\EMPTY").c_str(), nullptr);
    MakeFile(dir + "\\ORVA.EXE", FILE_ATTRIBUTE_READONLY);
    MakeFile(dir + "\\SUB\\HIDDEN.DAT", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(dir + "\\SUB\\DEEP\\SYSTEM.DAT", FILE_ATTRIBUTE_SYSTEM);
    MakeFile(dir + "\\SUB\\DEEP\\ALL.DAT", FILE_ATTRIBUTE_READONLY |
             FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

TEST(DirectoryTree, RemovesWholeTreesWhateverTheAttributes)
{
    // Inside Program Files is allowed: only the folder itself is protected.
    char programs[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programs));
    for (const char *tail : {"", "\\"}) {
        std::string dir = Fresh(programs, "TREE");
        MakeTree(dir);
        Outcome o = RunRemoval([&] { return RemoveDirectoryTree((dir + tail).c_str()); });
        EXPECT_EQ(1, o.result) << tail;
        EXPECT_TRUE(o.boxes.empty()) << o.boxes[0];
        EXPECT_FALSE(Exists(dir));
    }
}

// Names in the order the file system lists them.
static std::vector<std::string> Listing(const std::string &dir)
{
    std::vector<std::string> names;
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA &f) { names.push_back(f.cFileName); });
    return names;
}

TEST(DirectoryTree, StopsAtAFileHeldOpenWithOneMessagePerLevel)
{
    std::string top = Fresh("C:", "HELD");
    std::string deep = top + "\\A\\B";
    CreateDirectoryA((top + "\\A").c_str(), nullptr);
    CreateDirectoryA(deep.c_str(), nullptr);
    for (const char *name : {"1.DAT", "2.DAT", "3.DAT", "4.DAT", "HELD.DAT", "5.DAT", "6.DAT"})
        MakeFile(deep + "\\" + name, FILE_ATTRIBUTE_READONLY);
    std::vector<std::string> order = Listing(deep);
    HANDLE held = CreateFileA((deep + "\\HELD.DAT").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Outcome o = RunRemoval([&] { return RemoveDirectoryTree(top.c_str()); });
    CloseHandle(held);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({kFile, kFile, kFile}), o.boxes);
    bool before = true;
    for (const std::string &name : order) {
        if (name == "HELD.DAT")
            before = false;
        EXPECT_EQ(!before || name == "HELD.DAT", Exists(deep + "\\" + name)) << name;
    }
}

TEST(DirectoryTree, TopFolderThatCannotBeRemoved)
{
    std::string top = Fresh("C:", "OPEN");
    MakeTree(top);
    HANDLE held = CreateFileA(top.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Outcome o = RunRemoval([&] { return RemoveDirectoryTree(top.c_str()); });
    CloseHandle(held);
    EXPECT_EQ(0, o.result);
    // "Remove Directory に失敗しました。" in code page 932.
    EXPECT_EQ(std::vector<std::string>({"Setup|Remove Directory "
              "\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42"}), o.boxes);
    EXPECT_TRUE(Exists(top));
    EXPECT_FALSE(Exists(top + "\\SUB"));
    RemoveDirectoryA(top.c_str());
}

TEST(DirectoryTree, MissingAndOverlongPaths)
{
    Outcome o = RunRemoval([] { return RemoveDirectoryTree("C:\\NO\\SUCH\\DIR"); });
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({kList}), o.boxes);

    std::string tooLong = "C:\\" + std::string(270, 'X');
    o = RunRemoval([&] { return RemoveDirectoryTree(tooLong.c_str()); });
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({kList}), o.boxes);

    // A directory whose path fits, holding a file whose full path does not.
    std::string top = Fresh("C:", "LONG");
    std::string dir = top + "\\" + std::string(200, 'D');
    std::string name(100, 'F');
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    std::wstring wide = L"\\\\?\\" + std::wstring(dir.begin(), dir.end()) + L"\\" +
                        std::wstring(name.begin(), name.end());
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    o = RunRemoval([&] { return RemoveDirectoryTree(top.c_str()); });
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({kFile, kFile}), o.boxes);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wide.c_str()));
}

TEST(DirectoryTree, RefusesDrivesAndSystemAndUserFolders)
{
    char windows[MAX_PATH], system[MAX_PATH], folder[MAX_PATH], shortName[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    std::vector<std::string> refused = {"C:\\", "C:", "", "c:\\windows", "C:\\WINDOWS\\",
        windows, system, std::string(system) + "\\..\\..\\", "C:\\users", ".."};
    // The folders of 64-bit programs, which the shell of a 32-bit program
    // on 64-bit Windows does not name (it answers "Program Files (x86)").
    refused.push_back("C:\\Program Files");
    refused.push_back("C:\\Program Files\\Common Files");
    for (int csidl : {CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS}) {
        ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, csidl, nullptr, 0, folder));
        std::string path(folder);  // the folder and the two above it
        for (int up = 0; up < 3; up++, path = path.substr(0, path.rfind('\\')))
            refused.push_back(path);
    }
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, folder);
    ASSERT_TRUE(GetShortPathNameA(folder, shortName, MAX_PATH));
    refused.push_back(shortName);
    SetCurrentDirectoryA(system);
    for (const std::string &dir : refused)
        ASSERT_EQ(1, IsProtectedDirectory(dir.c_str())) << dir;
    std::string inside = std::string(folder) + "\\ORVA";
    for (const char *dir : {"C:\\ORVA", "C:\\WINDOWSX", "..\\..\\ORVA\\", inside.c_str()})
        EXPECT_EQ(0, IsProtectedDirectory(dir)) << dir;
    for (const char *dir : {"", "C:\\", "..\\..\\"}) {
        Outcome o = RunRemoval([&] { return RemoveDirectoryTree(dir); });
        EXPECT_EQ(0, o.result) << dir;
        EXPECT_EQ(std::vector<std::string>({"Setup|Remove Directory refused: \"" +
                  std::string(dir) + "\"\nA drive, a Windows folder, a user folder or a "
                  "folder holding one is never removed."}), o.boxes) << dir;
    }
    SetCurrentDirectoryA("C:\\");
}

// The same folder under another spelling: letter case, trailing dots and
// blanks, a short name, the Unix path of Wine's drive Z:.
TEST(DirectoryTree, SameFolderUnderAnySpelling)
{
    std::string dir = Fresh("C:", "Same Folder");
    char shortName[MAX_PATH], unixName[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA(dir.c_str(), shortName, MAX_PATH));
    std::wstring wide(dir.begin(), dir.end());
    typedef char *(__cdecl * UnixNameProc)(const wchar_t *);
    auto unixOf = reinterpret_cast<UnixNameProc>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_TRUE(unixOf) << "not Wine?";
    lstrcpynA(unixName, unixOf(wide.c_str()), MAX_PATH);
    std::string z = std::string("Z:") + unixName;
    for (char &c : z)
        if (c == '/')
            c = '\\';
    for (const std::string &other : {dir + "\\", dir + ". \\", std::string(shortName), z})
        EXPECT_EQ(1, IsSameFolder(dir.c_str(), other.c_str())) << other;
    std::string next = Fresh("C:", "Other Folder");
    EXPECT_EQ(0, IsSameFolder(dir.c_str(), next.c_str()));
    EXPECT_EQ(0, IsSameFolder(dir.c_str(), (dir + "X").c_str()));
    RemoveDirectoryA(dir.c_str());
    RemoveDirectoryA(next.c_str());
}

// Other names of protected folders: device paths, administrative shares,
// trailing dots and blanks, a SUBST drive letter and, under Wine, the Unix
// folders behind drive Z:. A file in the user's Unix home survives the
// attempt to remove it.
TEST(DirectoryTree, RefusesOtherNamesOfProtectedFolders)
{
    char windows[MAX_PATH], home[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string w = windows;  // "C:\windows"
    std::vector<std::string> refused = {"\\\\?\\" + w, "\\\\.\\" + w, "//?/C:/ORVA",
        "\\\\?\\UNC\\localhost\\C$\\windows", "\\\\localhost\\C$\\windows",
        "\\\\127.0.0.1\\c$\\users", "\\\\localhost\\ADMIN$", w + ". ", w + ".\\system32",
        "C:\\users. \\", "Z:\\", "Z:\\usr", "Z:\\home"};
    ASSERT_TRUE(GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH)) << "not Wine?";
    std::string unixHome = std::string(home).substr(4);  // after "\??\"
    refused.push_back(unixHome);
    ASSERT_TRUE(DefineDosDeviceA(0, "S:", windows));
    refused.push_back("S:\\system32");
    for (const std::string &dir : refused)
        EXPECT_EQ(1, IsProtectedDirectory(dir.c_str())) << dir;
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, "S:", nullptr);
    // The removal itself, on the names of the Windows folder (only once
    // the check above has refused them): its files stay.
    std::string canary = w + "\\win.ini";
    ASSERT_TRUE(Exists(canary));
    for (const std::string &dir : {refused[0], refused[1], w + ". "}) {
        if (!IsProtectedDirectory(dir.c_str()))
            continue;
        Outcome o = RunRemoval([&] { return RemoveDirectoryTree(dir.c_str()); });
        EXPECT_EQ(0, o.result) << dir;
        EXPECT_TRUE(Exists(canary)) << dir;
    }

    CreateDirectoryA("C:\\tqlsubst", nullptr);
    ASSERT_TRUE(DefineDosDeviceA(0, "S:", "C:\\tqlsubst"));
    for (const char *dir : {"S:\\ORVA", "Z:\\tmp\\tqlguard\\ORVA", "C:\\ORVA. "})
        EXPECT_EQ(0, IsProtectedDirectory(dir)) << dir;
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, "S:", nullptr);
    RemoveDirectoryA("C:\\tqlsubst");

    // The host's home is real: it is only handed to the removal once the
    // check has refused it (the two builds' suites share it, hence a name
    // of this process's own).
    ASSERT_EQ(1, IsProtectedDirectory(unixHome.c_str()));
    std::string keep = unixHome + "\\tqlkeep" + std::to_string(GetCurrentProcessId()) + ".txt";
    MakeFile(keep);
    Outcome o = RunRemoval([&] { return RemoveDirectoryTree(unixHome.c_str()); });
    EXPECT_EQ(0, o.result);
    EXPECT_TRUE(Exists(keep));
    DeleteFileA(keep.c_str());
}

// Links made on the host by tests/common/with-links: a link inside a tree
// is not followed, nor is a tree's top folder that is itself a link; the
// user's files behind them stay. A top link to the Windows folder is
// refused. (Wine cannot remove a link to a folder that holds files: the
// removal then reports the folder it could not remove.)
TEST(Links, NeverFollowedInsideTheTreeNorAtTheTop)
{
    const std::string links = "C:\\tqllinks";
    if (!Exists(links + "\\tree\\LINK"))
        GTEST_SKIP() << "no host links: run through tests/common/with-links";
    ASSERT_EQ(FILE_ATTRIBUTE_REPARSE_POINT,
              GetFileAttributesA((links + "\\tree\\LINK").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    const std::string keep = links + "\\outside\\keep.txt";
    for (const char *dir : {"\\tree", "\\toplink"}) {
        Outcome o = RunRemoval([&] { return RemoveDirectoryTree((links + dir).c_str()); });
        EXPECT_TRUE(Exists(keep)) << dir;
        EXPECT_TRUE(Exists(links + "\\outside")) << dir;
        if (o.result) {
            EXPECT_FALSE(Exists(links + dir)) << dir;
        }
    }
    EXPECT_FALSE(Exists(links + "\\tree\\inner\\file.dat"));
    Outcome o = RunRemoval([&] { return RemoveDirectoryTree((links + "\\winlink").c_str()); });
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({"Setup|Remove Directory refused: \"" + links +
              "\\winlink\"\nA drive, a Windows folder, a user folder or a folder holding "
              "one is never removed."}), o.boxes);
    EXPECT_TRUE(Exists(links + "\\winlink\\system32"));
}
