// The exact commands sent to the Program Manager and the conversations
// they travel in, read by a recording server, and the behaviour without any server. Runs in a Wine session of
// its own whose shell has no Program Manager (null display driver).
#include <gtest/gtest.h>
#include <fstream>
#include "common/removal.h"
#include "removal_support.h"

// The command's bytes with its terminating zero, as the recorder logs them.
static std::string Hex(const std::string &command)
{
    std::string hex;
    char two[3];
    for (unsigned char c : command + std::string(1, '\0')) {
        snprintf(two, sizeof two, "%02x", c);
        hex += two;
    }
    return hex;
}

TEST(ProgramGroupCommands, WithoutAServerNothingIsShownAndNothingSucceeds)
{
    Outcome o = RunRemoval([] {
        return AddProgramItem("ORVA", "ORVA", "C:\\ORVA\\ORVA.EXE") +
               DeleteProgramGroup("ORVA");
    });
    EXPECT_EQ(0, o.result);
    EXPECT_TRUE(o.boxes.empty());
}

TEST(ProgramGroupCommands, ExactBytesReachTheServer)
{
    char exe[MAX_PATH], temp[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string recorder(exe);
    recorder = recorder.substr(0, recorder.rfind('\\')) + "\\progman_recorder.exe";
    GetTempPathA(MAX_PATH, temp);
    std::string log = std::string(temp) + "progman.log";
    DeleteFileA(log.c_str());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "TqlRecorderReady");
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "TqlRecorderQuit");
    Launched server = Launch(recorder, "\"" + log + "\"", temp);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 30000));

    std::string name112(112, 'G'), name113(113, 'G');
    // "[AddItem(" + line + "," + "ORVA" + ")]" fills the 1024 bytes exactly.
    std::string longLine = "C:\\" + std::string(1000, 'L') + ".EXE";
    // Items that share a conversation get the same commands.
    OpenProgramItems();
    EXPECT_EQ(1, AddProgramItem("ORVA PC", "ORVA", "C:\\ORVA\\ORVA.EXE"));
    EXPECT_EQ(1, AddProgramItem("ORVA PC", "Read Me, First", "C:\\GAME\\README.TXT"));
    CloseProgramItems();
    EXPECT_EQ(1, AddProgramItem("A (B)", "[x]", "C:\\Program Files (x86)\\ORVA\\ORVA.EXE"));
    EXPECT_EQ(1, DeleteProgramGroup(name112.c_str()));
    EXPECT_EQ(1, AddProgramItem("ORVA", "ORVA", longLine.c_str()));
    // Refused by the server: tried three times in all.
    EXPECT_EQ(0, DeleteProgramGroup("Busy"));
    // A refusal ends the shared conversation: the next item opens its own.
    OpenProgramItems();
    EXPECT_EQ(0, AddProgramItem("Busy", "ORVA", "C:\\ORVA\\ORVA.EXE"));
    EXPECT_EQ(1, AddProgramItem("ORVA", "ORVA", "C:\\ORVA\\ORVA.EXE"));
    CloseProgramItems();
    // Refused: nothing is sent.
    EXPECT_EQ(0, DeleteProgramGroup(name113.c_str()));
    EXPECT_EQ(0, DeleteProgramGroup(""));
    EXPECT_EQ(0, DeleteProgramGroup("ORVA\")][DeleteGroup(Accessories"));
    EXPECT_EQ(0, AddProgramItem("ORVA", "Say \"hi\"", "C:\\ORVA\\ORVA.EXE"));
    EXPECT_EQ(0, AddProgramItem("ORVA", "ORVA", (longLine + "X").c_str()));
    EXPECT_EQ(0, AddProgramItem("", "ORVA", "C:\\ORVA\\ORVA.EXE"));
    EXPECT_EQ(0, AddProgramItem(name113.c_str(), "ORVA", "C:\\ORVA\\ORVA.EXE"));

    SetEvent(quit);
    EXPECT_EQ(0, server.Wait(10000));
    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const std::string c = "connect";
    std::vector<std::string> expected = {
        c, Hex("[CreateGroup(ORVA PC)]"), Hex("[AddItem(C:\\ORVA\\ORVA.EXE,ORVA)]"),
        Hex("[CreateGroup(ORVA PC)]"), Hex("[AddItem(C:\\GAME\\README.TXT,\"Read Me, First\")]"),
        c, Hex("[CreateGroup(\"A (B)\")]"),
        Hex("[AddItem(\"C:\\Program Files (x86)\\ORVA\\ORVA.EXE\",\"[x]\")]"),
        c, Hex("[DeleteGroup(" + name112 + ")]"), c, Hex("[CreateGroup(ORVA)]"),
        Hex("[AddItem(" + longLine + ",ORVA)]"), c, Hex("[DeleteGroup(Busy)]"),
        Hex("[DeleteGroup(Busy)]"), Hex("[DeleteGroup(Busy)]"),
        c, Hex("[CreateGroup(Busy)]"), Hex("[CreateGroup(Busy)]"), Hex("[CreateGroup(Busy)]"),
        c, Hex("[CreateGroup(ORVA)]"), Hex("[AddItem(C:\\ORVA\\ORVA.EXE,ORVA)]")};
    EXPECT_EQ(expected, lines);
}
