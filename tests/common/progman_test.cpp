// Program Manager groups through the shell's own DDE server: the group
// becomes a folder of the Start Menu's Programs folder, each item a link.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <fstream>
#include "common/removal.h"
#include "removal_support.h"

static std::string ProgramsFolder()
{
    char folder[MAX_PATH];
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, folder);
    return folder;
}

TEST(ProgramGroup, ShellMakesAndDeletesTheGroupAndItsItems)
{
    CreateDirectoryA("C:\\TQLGAME", nullptr);
    std::ofstream("C:\\TQLGAME\\README.TXT") << "x";
    std::ofstream("C:\\TQLGAME\\ORVA.EXE") << "x";
    std::string group = ProgramsFolder() + "\\Tql Test Group";

    Outcome o = RunRemoval([] {
        return AddProgramItem("Tql Test Group", "ORVA", "C:\\TQLGAME\\ORVA.EXE");
    });
    EXPECT_EQ(1, o.result);
    EXPECT_TRUE(o.boxes.empty());
    // The group exists now; the next item is added to it.
    EXPECT_EQ(1, AddProgramItem("Tql Test Group", "Read Me, First", "C:\\TQLGAME\\README.TXT"));
    EXPECT_TRUE(Exists(group + "\\ORVA.lnk"));
    EXPECT_TRUE(Exists(group + "\\Read Me, First.lnk"));
    // The shell refuses an item whose file does not exist.
    EXPECT_EQ(0, AddProgramItem("Tql Test Group", "Gone", "C:\\TQLGAME\\GONE.EXE"));

    // Names that would name the Programs folder or one above it (the system
    // strips trailing dots and blanks from a folder name).
    for (const char *name : {"", " ", "..", "..\\..", "Tql Test Group\\..", "\\", "...",
                             ". .", "Tql Test Group\\ ..."})
        EXPECT_EQ(0, DeleteProgramGroup(name)) << name;
    EXPECT_TRUE(Exists(group + "\\ORVA.lnk"));

    o = RunRemoval([] { return DeleteProgramGroup("Tql Test Group"); });
    EXPECT_EQ(1, o.result);
    EXPECT_TRUE(o.boxes.empty());
    EXPECT_FALSE(Exists(group));
    EXPECT_TRUE(Exists(ProgramsFolder()));
}
