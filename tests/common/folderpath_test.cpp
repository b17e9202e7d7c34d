// Path resolution of the removals on the real file system: one folder
// under its other spellings.
#include <gtest/gtest.h>
#include "common/folderpath.h"
#include "removal_support.h"

// The same folder under another spelling: letter case, trailing dots and
// blanks, a short name, the Unix path of Wine's drive Z:.
TEST(FolderPaths, SameFolderUnderAnySpelling)
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
