// Directory tree removal on the real file system: attributes, a file held
// open, missing and overlong paths, links.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "common/removal.h"
#include "removal_support.h"
#include "common/text.h"

static const std::string kFile = "Delete|Cannot delete a file.";
static const std::string kDir = "Delete|Cannot remove a folder.";
static const std::string kList = "Delete|Cannot list a folder.";

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
    EXPECT_EQ(std::vector<std::string>({kFile + "\n" + dir + "\\" + name, kFile}), o.boxes);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wide.c_str()));
    DeleteFileW(wide.c_str());
    RemoveDirectoryW((L"\\\\?\\" + std::wstring(dir.begin(), dir.end())).c_str());

    // Under 260 UTF-16 units, a folder and a file of Japanese names whose
    // UTF-8 forms are longer than 259 bytes each: they go.
    std::wstring jdir = std::wstring(top.begin(), top.end()) + L"\\";
    for (int i = 0; i < 90; i++)
        jdir += L"\u30c7";  // デ
    std::wstring jfile = jdir + L"\\" + std::wstring(100, L'\u30d5') + L".SAV";  // フ
    ASSERT_TRUE(CreateDirectoryW(jdir.c_str(), nullptr));
    h = CreateFileW(jfile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    o = RunRemoval([&] { return RemoveDirectoryTree(top.c_str()); });
    EXPECT_EQ(1, o.result);
    EXPECT_TRUE(o.boxes.empty());
    EXPECT_FALSE(Exists(top));
}

// Links made on the host by tests/common/with-links: a link inside a tree
// is not followed, nor is a tree's top folder that is itself a link; the
// user's files behind them stay. A link to a file goes as a link; Wine
// acts on a folder link's target whatever it is asked, so such a link
// stays, named. A top link to the Windows folder is refused.
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
        } else if (!BytesEqual(dir, "\\toplink")) {
            EXPECT_EQ(std::vector<std::string>({"Delete|A link stays.\n" + links +
                                                "\\tree\\LINK"}),
                      o.boxes);
            EXPECT_TRUE(Exists(links + "\\tree\\LINK"));
        }
    }
    EXPECT_FALSE(Exists(links + "\\tree\\inner\\file.dat"));
    EXPECT_FALSE(Exists(links + "\\tree\\FILELINK"));
    Outcome o = RunRemoval([&] { return RemoveDirectoryTree((links + "\\winlink").c_str()); });
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(std::vector<std::string>({"Setup|Remove Directory refused: \"" + links +
              "\\winlink\"\nA drive, a Windows folder, a user folder or a folder holding "
              "one is never removed."}), o.boxes);
    EXPECT_TRUE(Exists(links + "\\winlink\\system32"));
}

// A product's folder goes whole, however many entries a folder below it
// lists, but for a folder below it that holds another product's settings
// file (of any letter case): that one stays as it is, named.
TEST(ProductTree, GoesWholeButForAFolderOfAnotherProduct)
{
    const ProductNames names = {"ORVA.EXE", "ORVA PC", "1.0", "ORVA PC App"};
    std::string top = Fresh("C:", "PRODUCT");
    std::string proof = top + "\\ORVA.INI", other = top + "\\OTHER";
    WritePrivateProfileStringA("Install", "Mode", "1", proof.c_str());
    ASSERT_TRUE(WriteProductProof(proof.c_str(), names));
    ASSERT_TRUE(CreateDirectoryA((top + "\\MANY").c_str(), nullptr));
    for (int i = 0; i < 600; i++)  // a listing longer than its first buffer
        MakeFile(top + "\\MANY\\FILE" + std::to_string(i) + ".DAT");
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    MakeFile(other + "\\SAVE.DAT");
    WritePrivateProfileStringA("Install", "Mode", "1", (other + "\\other.ini").c_str());
    WritePrivateProfileStringA("Install", "ProductName", "Another", (other + "\\other.ini").c_str());

    Outcome o = RunRemoval([&] { return RemoveProductTree(top.c_str(), "ORVA.INI", names, "Remove"); });
    EXPECT_EQ(TREE_LEFT, o.result);
    EXPECT_EQ(std::vector<std::string>({"Setup|Remove Directory refused: \"" + other +
                                        "\"\nIt holds the installation of another product, "
                                        "which stays."}),
              o.boxes);
    EXPECT_TRUE(Exists(other + "\\SAVE.DAT"));
    EXPECT_FALSE(Exists(top + "\\MANY"));
    EXPECT_FALSE(Exists(proof));
    EXPECT_EQ(1, RunRemoval([&] { return RemoveDirectoryTree(top.c_str()); }).result);
}
