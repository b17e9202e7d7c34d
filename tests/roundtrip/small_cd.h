// A small CD of its own for whole unattended runs of the real programs: a
// folder with the CD's TQL.INF, uninstaller and message libraries and one
// tree (TREE\ORVA.EXE), no documents, DirectX or codec, in this system's
// language. The machine is guarded for the folders the test names (the
// first one the destination), and no deletion at the restart but the
// test's own is carried out.
#ifndef TESTS_ROUNDTRIP_SMALL_CD_H
#define TESTS_ROUNDTRIP_SMALL_CD_H

#include "roundtrip.h"
#include "tests/support/pending.h"

#include <gtest/gtest.h>

namespace roundtrip {

class SmallCdTest : public ::testing::Test {
protected:
    explicit SmallCdTest(std::vector<std::string> dirs) : dirs_(std::move(dirs)) {}
    void SetUp() override
    {
        p = TheCdProduct();
        guard.reset(new MachineGuard(p, dirs_));
        guard->ClearInstallation();
        pending::Write(std::nullopt);
        CreateDirectoryA((cd.path() + "\\TREE").c_str(), nullptr);
        cd.Write("TREE\\ORVA.EXE", "game");
        for (const char *file : {"TQL.INF", "UNINST.EXE", "msg.dll", "msgeng.dll"})
            cd.Copy(std::string("Q:\\") + file, file);
        log = cd.path() + "\\SETUP.LOG";
    }
    void TearDown() override { guard.reset(); }
    // TQL.INI of the small CD with these edits besides.
    void WriteIni(std::vector<scenario::IniEdit> edits)
    {
        edits.insert(edits.end(), {{"option", "SourcePath1", cd.path() + "\\TREE"},
                                   {"option", "SourcePath2", "None"},
                                   {"option", "DocPath", "None"},
                                   {"RunTime", "DirectX", "None"},
                                   {"RunTime", "Indeo41", "None"}});
        cd.Write("TQL.INI", scenario::CdIniWith(edits));
    }
    // The arguments of an unattended install into dest, with the log.
    std::string InstallArgs(const std::string &dest) const
    {
        return "/S /D=" + dest + " /LOG=" + log;
    }
    // Tql.exe /S into dest (the first folder unless given), ending with
    // code; the log's text.
    std::string Install(int code, std::string dest = "")
    {
        DeleteFileA(log.c_str());
        scenario::SetupRun(cd.path(), InstallArgs(dest.empty() ? dirs_[0] : dest))
            .EndsQuietly(code, 120000);
        return ReadBytes(log);
    }
    // The command line of an Add/Remove Programs entry with /S and the
    // log; "" when there is no entry.
    std::string RemovalCommand(const std::string &uninstallKey) const
    {
        auto line = RegValue(uninstallKey, "UninstallString");
        if (!line || line->size() < 3)
            return "";
        std::string command = line->substr(2, line->size() - 3);
        size_t blank = command.find(' ');
        return command.substr(0, blank) + " /S /LOG=" + log + command.substr(blank);
    }
    // The removal by an entry's command line, unattended; its exit code
    // (-2 without an entry).
    int RemoveBy(const std::string &uninstallKey)
    {
        std::string command = RemovalCommand(uninstallKey);
        if (command.empty())
            return -2;
        DeleteFileA(log.c_str());
        UninstallerRun run(command);
        return run.process.Wait(60000);
    }

    pending::Keep keepPending;
    CdProduct p;
    std::string log;  // of the last run, in the CD's folder
    std::unique_ptr<MachineGuard> guard;
    scenario::StartupDir cd;

private:
    std::vector<std::string> dirs_;
};

} // namespace roundtrip

#endif
