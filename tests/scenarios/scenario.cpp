// Helpers of the end-to-end scenarios (see scenario.h).
#include "scenario.h"
#include "tests/support/files.h"

#include <sstream>
#include <stdexcept>

namespace scenario {

const char *const kSetup = "Q:\\Tql.exe";
const char *const kCd = "Q:\\";
const char *const kFrameTitle = "ORVA PC Setup";
const char *const kInitError = "Setup Initialize error";
const char *const kInitErrorCap = "Setup Initialize Error";

namespace {

// Stops the scenario: what the user saw is not what was expected.
[[noreturn]] void Fail(const std::string &what)
{
    ADD_FAILURE() << what;
    throw std::runtime_error(what);
}

std::string Lower(std::string s)
{
    if (!s.empty())
        CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

std::string ReadFile(const std::string &path)
{
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        Fail("cannot read " + path);
    return *bytes;
}

} // namespace

StartupDir::StartupDir(const std::string &suffix)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int count;
    path_ = std::string(temp) + "tqlscn" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(++count) + suffix;
    CreateDirectoryA(path_.c_str(), nullptr);
}

StartupDir::~StartupDir()
{
    RemoveTree(path_);
}

void StartupDir::Write(const std::string &name, const std::string &bytes) const
{
    if (!WriteBytes(path_ + "\\" + name, bytes))
        Fail("cannot write " + name);
}

void StartupDir::Copy(const std::string &from, const std::string &name) const
{
    std::string to = path_ + "\\" + name;
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        Fail("cannot copy " + from);
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void StartupDir::EnglishCd(std::vector<IniEdit> edits,
                           std::initializer_list<const char *> files) const
{
    Copy("Q:\\TQL.INF", "TQL.INF");
    for (const char *name : files)
        Copy(std::string("Q:\\") + name, name);
    edits.insert(edits.begin(), {"Debug", "ForceLanguage", "English"});
    Write("TQL.INI", CdIniWith(edits));
}

std::string CdIniWith(const std::vector<IniEdit> &edits)
{
    std::istringstream in(ReadFile("Q:\\TQL.INI"));
    std::vector<bool> done(edits.size());
    std::string out, line, section;
    // Adds the edited keys of a section that did not hold them yet.
    auto addMissing = [&](const std::string &sect) {
        for (size_t i = 0; i < edits.size(); ++i)
            if (!done[i] && Lower(edits[i].section) == Lower(sect)) {
                done[i] = true;
                if (edits[i].value)
                    out += edits[i].key + "=" + *edits[i].value + "\r\n";
            }
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            addMissing(section);
            section = line.substr(1, line.find(']') - 1);
            out += line + "\r\n";
            continue;
        }
        size_t eq = line.find('=');
        bool kept = true;
        if (eq != std::string::npos && line[0] != ';')
            for (size_t i = 0; i < edits.size(); ++i)
                if (Lower(edits[i].section) == Lower(section) &&
                    Lower(edits[i].key) == Lower(line.substr(0, eq))) {
                    done[i] = true;
                    kept = false;
                    if (edits[i].value)
                        out += edits[i].key + "=" + *edits[i].value + "\r\n";
                }
        if (kept)
            out += line + "\r\n";
    }
    addMissing(section);
    for (size_t i = 0; i < edits.size(); ++i)
        if (!done[i] && edits[i].value) {
            out += "[" + edits[i].section + "]\r\n";
            addMissing(edits[i].section);
        }
    return out;
}

std::string BesideMe(const std::string &name)
{
    char me[MAX_PATH];
    GetModuleFileNameA(nullptr, me, sizeof me);
    std::string dir = me;
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

NoEarlierInstallation::NoEarlierInstallation()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    file_ = std::string(windows) + "\\ORVA.INI";
    aside_ = file_ + ".scenario";
    // A file still aside is the one found before a run that was ended.
    MoveFileExA(aside_.c_str(), file_.c_str(), MOVEFILE_REPLACE_EXISTING);
    moved_ = MoveFileA(file_.c_str(), aside_.c_str()) != 0;
}

// The settings file a scenario's installation wrote goes; the one found
// before comes back.
NoEarlierInstallation::~NoEarlierInstallation()
{
    DeleteFileA(file_.c_str());
    if (moved_)
        MoveFileA(aside_.c_str(), file_.c_str());
}

SetupRun::SetupRun(const std::string &cwd, const std::string &args)
    : process(Launch(kSetup, args, cwd))
{
    if (!process.process)
        Fail("cannot start Q:\\Tql.exe");
}

SetupRun::~SetupRun()
{
    process.Kill();
    if (process.process)
        CloseHandle(process.process);
}

SeenWindow SetupRun::NextOfMine()
{
    for (;;) {
        auto w = robot.Next(15000);
        if (!w)
            Fail("setup showed no further window (exit code " +
                 std::to_string(process.Wait(0)) + ")");
        if (w->pid == process.pid)
            return *w;
        // A window of another program (the game, a first setup): not ours.
    }
}

SeenWindow SetupRun::Box(const std::string &caption, const std::string &text)
{
    SeenWindow w = NextOfMine();
    EXPECT_EQ("box", w.kind);
    EXPECT_EQ(caption, w.caption);
    EXPECT_EQ(text, w.text);
    if (w.kind != "box" || w.caption != caption || w.text != text)
        Fail("unexpected window: " + Describe(w));
    return w;
}

SeenWindow SetupRun::Dialog(UINT templ)
{
    SeenWindow w = NextOfMine();
    if (w.kind != "dialog" || w.templ != templ)
        Fail("expected dialog " + std::to_string(templ) + ", saw " + Describe(w));
    return w;
}

SeenWindow SetupRun::Window(const std::string &caption, const std::string &text)
{
    SeenWindow w = NextOfMine();
    EXPECT_EQ("window", w.kind);
    EXPECT_EQ(caption, w.caption);
    EXPECT_EQ(text, w.text);
    if (w.kind != "window" || w.caption != caption || w.text != text)
        Fail("unexpected window: " + Describe(w));
    return w;
}

void SetupRun::Press(const SeenWindow &w, int controlId)
{
    if (!robot.Press(w, controlId))
        Fail("press " + std::to_string(controlId) + " not taken by " + Describe(w));
}

void SetupRun::EndsQuietly(int exitCode, DWORD ms)
{
    DWORD until = GetTickCount() + ms;
    while (process.Wait(0) < 0) {
        if ((LONG)(GetTickCount() - until) >= 0)
            Fail("setup did not end");
        auto w = robot.Next(100);
        if (w && w->pid == process.pid)
            Fail("setup showed one more window: " + Describe(*w));
    }
    EXPECT_EQ(exitCode, process.Wait(0)) << "exit code";
}

HWND WaitForTitle(const std::string &title, DWORD ms)
{
    DWORD until = GetTickCount() + ms;
    for (;;) {
        if (HWND w = FindWindowA(nullptr, title.c_str()))
            return w;
        if ((LONG)(GetTickCount() - until) >= 0)
            return nullptr;
        Sleep(20);
    }
}

} // namespace scenario
