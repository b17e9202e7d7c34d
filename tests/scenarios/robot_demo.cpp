// robot-demo: runs the setup program from the CD as a user would and
// answers every window with the ordinary choice, printing one transcript
// line per window and saving a screenshot of each into a directory.
//   robot-demo.exe OUTDIR [program [arguments]]
// program defaults to Q:\Tql.exe, started in its own directory.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/templates.h"
#include "tests/robot/robot.h"

namespace {

// Another window: the credits box closes with OK; the progress window is
// left alone (its only button cancels the copy).
int OrdinaryWindowChoice(const SeenWindow &w)
{
    if (GetDlgItem(w.hwnd, IDC_PROGRESS_SOURCE))
        return 0;
    return GetDlgItem(w.hwnd, IDOK) ? IDOK : 0;
}

std::string DirectoryOf(const std::string &path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: robot-demo OUTDIR [program [arguments]]\n");
        return 2;
    }
    std::string outDir = argv[1];
    std::string program = argc > 2 ? argv[2] : "Q:\\Tql.exe";
    std::string arguments = argc > 3 ? argv[3] : "";

    Robot robot;
    Launched setup = Launch(program, arguments, DirectoryOf(program));
    if (!setup.process) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return 1;
    }
    int shot = 0;
    DWORD quietSince = GetTickCount();
    while (setup.Wait(0) < 0) {
        auto w = robot.Next(500);
        if (!w) {
            if (GetTickCount() - quietSince > 300000) {
                std::fprintf(stderr, "no window for five minutes: giving up\n");
                setup.Kill();
                return 1;
            }
            continue;
        }
        quietSince = GetTickCount();
        Sleep(300);  // let the window paint before it is photographed
        char name[64];
        std::snprintf(name, sizeof name, "%02d-%s-%u.bmp", ++shot,
                      w->kind.c_str(), w->templ);
        SaveScreenshot(outDir + "\\" + name);
        int press = w->kind == "dialog" ? OrdinaryDialogChoice(*w)
                  : w->kind == "box"    ? OrdinaryBoxChoice(*w)
                                        : OrdinaryWindowChoice(*w);
        std::printf("%s%s\n", Describe(*w).c_str(),
                    press ? (" -> " + std::to_string(press)).c_str() : "");
        std::fflush(stdout);
        if (press)
            robot.Press(*w, press);
    }
    int code = setup.Wait(0);
    std::printf("exit code %d\n", code);
    return code == 0 ? 0 : 1;
}
