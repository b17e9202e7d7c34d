// The setup program's entry point and main sequence: start-up checks, the
// toolkit frame, the dialogs, the installation steps and the ending, one
// straight sequence on one thread. Every failure after start-up ends in the
// one fatal exit AbortSetup (ends.cpp), every end in ShutdownSetup.
#include "setup/ends.h"
#include "setup/closing.h"
#include "setup/config.h"
#include "setup/credits.h"
#include "setup/dialogs.h"
#include "setup/documents.h"
#include "setup/language.h"
#include "setup/paths.h"
#include "setup/registry.h"
#include "setup/run.h"
#include "setup/runtime.h"
#include "setup/state.h"
#include "setup/treecopy.h"
#include "setup/welcome.h"
#include "setup/windowsfiles.h"
#include "setup/texts.h"
#include "common/text.h"
#include "common/ui.h"
#include "platform/msglib.h"
#include "platform/templates.h"
#include "setup/toolkit.h"
#include "common/log.h"
#include "common/folderpath.h"
#include "common/removal.h"

static HWND StartedFrame;   // the frame's handle once started

// Closes the toolkit frame and installer and frees the registry library.
static void ShutdownSetup()
{
    TkTerminateFrame();
    TkTerminateInstall();
    FreeRegistryLibrary();
}

// ---- start-up

// Brings a running window of this title to the front. 1 when there was one:
// then this setup ends without a word (an unattended one says why in its
// log and exit code).
static int BringToFront(const char *title)
{
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr)
        return 0;
    SetForegroundWindow(window);
    SetFocus(window);
    LogLine("setup or the product is running already");
    return 1;
}

// The uninstaller settings file of the Windows folder is this product's
// record, or there is none: setup installs by it and may remove what it
// records. Another product's record of the same name ends setup before
// anything is touched (an unattended run with EXIT_OTHER_PRODUCT), and so
// does a file of that name that is no product's record.
static int CheckEarlierRecord()
{
    char windowsDir[PATH_CAP], path[PATH_CAP], other[33], shown[80], text[512], pattern[400];
    UINT n = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (n == 0 || n >= sizeof windowsDir || !JoinPath(path, windowsDir, Settings.IniFileName))
        return 1;  // no such file can be opened: the record reads as absent
    switch (RecordOwner(path, TheProductNames(), other)) {
    case RECORD_OTHER:
        Step(EXIT_OTHER_PRODUCT, "another product's record has the settings file's name");
        TextFormat(shown, sizeof shown, "\"%s\"", other);
        SetupText(IDS_OTHER_PRODUCT_RECORD, pattern, sizeof pattern);
        TextFillIn(text, sizeof text, pattern, shown);
        ShowBox(text, Settings.MsgDlgBoxTitle, BOX_ALERT);
        return 0;
    case RECORD_UNKNOWN:
        ShowWindowsNameFault("IniFileName", Settings.IniFileName, NAME_NOT_A_RECORD);
        return 0;
    default:
        return 1;
    }
}

// The welcome dialog of an earlier installation, or of a first one.
static UINT ChooseWelcomeTemplate()
{
    char installPath[PATH_CAP];
    return ReadRecordedInstallPath(installPath) ? TPL_WELCOME_AGAIN : TPL_WELCOME;
}

// A frame that cannot be started leaves nothing to show dialogs over: setup
// says so in a start-up message and ends before it touches the machine.
// InitSetupFrame has already shut the toolkit down after a result of 0.
[[noreturn]] static void EndWithoutFrame(HWND frame)
{
    ShowBox("Can't initialize Setup frame", "Setup Initialize Error",
            BOX_ALERT);
    if (frame != nullptr)
        ShutdownSetup();
    EndAtOnce(0);
}

// ---- the frame

static void ReadStartupDir();

// Starts the toolkit frame once. Returns the frame's handle, -1 when the
// toolkit returned -1, 0 on any other failure (the toolkit closed again).
static HWND InitSetupFrame(LPCSTR cmdLine)
{
    if (StartedFrame != nullptr)
        return nullptr;
    HWND frame = TkInitializeFrame(cmdLine);
    if (frame == reinterpret_cast<HWND>(-1))
        return frame;
    if (frame == nullptr) {
        ShutdownSetup();
        return nullptr;
    }
    if (!TkInitializeInstall(TkHinstFrame(), TkHwndFrame())) {
        ShutdownSetup();
        return nullptr;
    }
    StartedFrame = frame;
    ReadStartupDir();
    return frame;
}

// The toolkit's start-up directory: no critical-error box while the
// current directory is read (a CD drive may be empty), as ANSI text, ending
// in "\". A directory longer than 255 characters is not taken.
static void ReadStartupDir()
{
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD length = GetCurrentDirectoryA(256, StartupDir);
    SetErrorMode(previous);
    if (length == 0 || length >= 256)
        StartupDir[0] = '\0';
    // The file functions hand out OEM text only in a process that switched
    // them to it (SetFileApisToOEM), which this one never does: the text is
    // ANSI already, and converting it would turn an accented name into
    // another folder's.
    AppendBackslash(StartupDir);
}

// Starts the frame, or ends setup when it cannot (a person's run; an
// unattended one only reads the start-up directory).
static void StartFrame()
{
    HWND frame = InitSetupFrame("");
    if (frame == nullptr || frame == reinterpret_cast<HWND>(-1))
        EndWithoutFrame(frame);
}

// Gives the frame its background, title and look: found again by that
// title, all window styles removed and shown maximised, it covers the
// screen without caption or border.
static void ShowFrame()
{
    TkSetBitmap(Settings.LoadModule, BMP_FRAME);
    SetWindowTextA(TkHwndFrame(), Settings.MainDlgBoxTitle);
    FrameWindow = FindWindowA(nullptr, Settings.MainDlgBoxTitle);
    if (FrameWindow == nullptr)
        FrameWindow = TkHwndFrame();
    SetWindowLongA(FrameWindow, GWL_STYLE, 0);
    // The system caches the frame of a window: without this the old
    // caption and border would still count when it is maximised.
    SetWindowPos(FrameWindow, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                 SWP_NOACTIVATE);
    ShowWindow(FrameWindow, SW_SHOWMAXIMIZED);
}

// Opens the INF file from the toolkit's start-up directory.
static void OpenInfFile()
{
    char infPath[PATH_CAP];
    TextCopy(infPath, StartupDir);
    TextAppend(infPath, Settings.InfFileName);
    TkOpenInf(infPath, 1, 0);
}

// ---- installation steps

// Proposes the destination: the folder of an installation that a copy cut
// off left (setup completes it), else the recorded installation
// directory, else the DefaultPath setting.
static void ProposeDestination()
{
    char recorded[PATH_CAP];
    if (ReadRecordedPendingPath(recorded) || ReadRecordedInstallPath(recorded))
        TextCopy(DestinationDir, recorded);
    else
        TextCopy(DestinationDir, Settings.DefaultPath);
}

// Removes a folder of the product's recorded by key of the record, unless
// it is the destination (the same folder under any spelling, link or
// drive letter) or, when nested is 0, one of the two holds the other.
// One already gone is nothing to remove; one that is not proven the
// product's is left, with a message, and setup goes on.
static void RemoveRecordedFolder(int (*read)(char *), int nested)
{
    char dir[PATH_CAP];
    if (!read(dir) || IsSameFolder(dir, DestinationDir) ||
        FoldersNest(dir, DestinationDir) != nested)
        return;
    if (RemoveProductTree(dir, Settings.IniFileName, TheProductNames(),
                          Settings.MsgDlgBoxTitle) == TREE_FAILED)
        AbortSetup();
}

// The earlier installation in another folder goes once the new copy is
// complete (RemoveEarlierDirectory(0) after the copy), so that a copy
// cancelled or failed leaves it as it was. Where one of the folders holds
// the other, its removal would take the new copy with it: there it goes
// before the copy (RemoveEarlierDirectory(1)), and the destination it
// held is made again.
static void RemoveEarlierDirectory(int nested)
{
    RemoveRecordedFolder(ReadRecordedInstallPath, nested);
}

// The folder of an installation in progress that is not the recorded
// installation's own (a reinstall into it cut off): a copy given up.
static int ReadAbandonedCopy(char *dir)
{
    char installPath[PATH_CAP];
    return ReadRecordedPendingPath(dir) &&
           !(ReadRecordedInstallPath(installPath) && IsSameFolder(dir, installPath));
}

// Records the language, the install mode and the product's names (the
// proof that the folder is its installation) in the product settings file
// of the destination; 0 (after its log line) when it was not written.
static int WriteProductSettings()
{
    char settingsFile[PATH_CAP];
    TextCopy(settingsFile, DestinationDir);
    AppendBackslash(settingsFile);
    TextAppend(settingsFile, Settings.IniFileName);
    const char *language =
        lstrcmpiA(Settings.LanguageName, "Japanese") == 0 ? "Japanese" : "English";
    if (!WritePrivateProfileStringA("Country", "Language", language, settingsFile) ||
        !WritePrivateProfileStringA("Install", "Mode",
                                    MinimalInstall ? "MINI" : "FULL", settingsFile) ||
        !WriteProductProof(settingsFile, TheProductNames())) {
        char line[PATH_CAP + 48];
        TextFormat(line, sizeof line, "the product settings file %s was not written",
                   settingsFile);
        LogLine(line);
        return 0;
    }
    return 1;
}

// Step 18: before the first file is copied, the destination is recorded
// as the installation in progress, and the proof that it is the
// product's goes into it, so that a copy cut off at any moment leaves a
// folder that the next run recognises as its own and completes, and that
// the removal takes. The record holds one installation in progress: one
// that an earlier run left in another folder is given up first.
static void RecordInstallationInProgress()
{
    RemoveEarlierDirectory(1);
    MakeDirectoryPath(DestinationDir);
    RemoveRecordedFolder(ReadAbandonedCopy, 0);
    if (!RecordPendingInstallation(Settings.IniFileName, DestinationDir, TheProductNames())) {
        LogLine("the installation in progress was not recorded");
        AbortSetup();
    }
    if (!WriteProductSettings())
        AbortSetup();
}

// Copies both product trees into the destination, each path a private copy.
static void CopyProducts()
{
    char source1[PATH_CAP], dest1[PATH_CAP];
    char source2[PATH_CAP], dest2[PATH_CAP];
    TextCopy(source1, Settings.SourcePath1);
    TextCopy(dest1, DestinationDir);
    TextCopy(source2, Settings.SourcePath2);
    TextCopy(dest2, DestinationDir);
    if (!CopyProductTrees(source1, dest1, source2, dest2)) {
        UpdateWindow(FrameWindow);
        AbortSetup();
    }
}

// Registers the uninstaller; a failure is told in its own box first.
static void RegisterUninstallerOrAbort()
{
    if (!RegisterUninstaller()) {
        ShowBox("Uninstaller setup faild.", "Setup", BOX_NOTICE);
        AbortSetup();
    }
}

static void PassOver() {}

static int AlwaysZero(int)
{
    return 0;
}

static const RunStyle PersonRun = {StartFrame, ShowFrame, ChooseInstallation,
                                   AskRestart, ShowClosing, ShowFailure,
                                   PassOver, AlwaysZero};
static const RunStyle UnattendedRun = {ReadStartupDir, PassOver,
                                       AcceptGivenDestination, LogRestartNeeded,
                                       LogClosing, LogFailure, AbortSetup,
                                       LoggedExitCode};

static void CloseAllDialogs()
{
    KillDialogs(-1);
}

// Steps 21 to 27: DirectX, the video codec, the documents and items, the
// restart question and the ending. A run that
// ends with 0 has done them all: a step a person's run passes over ends an
// unattended one (see RunStyle).
[[noreturn]] static void FinishInstallation()
{
    Step(EXIT_DIRECTX, "DirectX");
    int directX = InstallDirectX();                              // 21
    if (!directX)
        AbortSetup();
    Step(EXIT_CODEC, "video codec");
    if (!InstallVideoCodec())                                    // 22
        AbortSetup();
    Step(EXIT_DOCUMENTS, "settings file, documents and program items");
    if (!InstallDocuments())                                     // 23, 24
        TheRun().stepFailed();
    int endNotice = (directX & DIRECTX_END_NOTICE) != 0;
    int restart = (directX & DIRECTX_RESTART) != 0;
    if (restart)                                                 // 25
        endNotice = TheRun().askRestart(endNotice);
    TheRun().showClosing(endNotice);                             // 26
    LogLine("installed");
    EndSetup(restart ? EXIT_RESTART_NEEDED : EXIT_DONE);         // 27
}

// ---- the entry point

// The main sequence. Start-up failures end with 0 after their message;
// from the frame on, every end goes through ShutdownSetup with status 0.
// An unattended run ends with the exit code of the stage that failed.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    ProgramInstance = instance;                                  // 1
    int exitCode, kind = RUN_BY_PERSON;
    if (lstrcmpiA(cmdLine, "SPECIAL THANKS") == 0)
        ShowCredits();
    else if ((kind = ReadCommandLine(cmdLine, &exitCode)) == RUN_ENDS)
        return exitCode;
    StartEnds({CloseAllDialogs, ShutdownSetup},
              kind == RUN_UNATTENDED ? UnattendedRun : PersonRun);
    Step(EXIT_STARTUP, "start-up");
    FixDrivePrefix();                                            // 2
    if (!LoadSetupConfig() || !CheckWindowsFileNames())          // 3
        return 0;
    if (!BindSetupMessages())                                    // 4 to 6
        return 0;
    if (!CheckSetupTitles())                                     // 7
        return 0;
    if (BringToFront(Settings.MainDlgBoxTitle) ||                // 8
        BringToFront(Settings.CheckGameTitle))                   // 9
        return TheRun().exitCode(EXIT_RUNNING);
    if (!CheckEarlierRecord())                                   // 10
        return TheRun().exitCode(StageCode());
    WelcomeTemplate = ChooseWelcomeTemplate();
    TheRun().startFrame();                                       // 11

    if (LoadRegistryLibrary()) {                                 // 12
        TheRun().showFrame();                                    // 13, 14
        OpenInfFile();                                           // 15
        ProposeDestination();                                    // 16
        Step(EXIT_DESTINATION, "destination");
        if (!TheRun().chooseInstallation())                      // 17
            AbortSetup();
        Step(EXIT_COPY, "copying the product's files");
        RecordInstallationInProgress();                          // 18
        CopyProducts();                                          // 19
        // A file of the proof's name in the CD's tree has replaced it.
        if (!WriteProductSettings())
            AbortSetup();
        RemoveEarlierDirectory(0);
    }
    Step(EXIT_REGISTRATION, "registering the uninstaller");
    RegisterUninstallerOrAbort();                                // 20
    FinishInstallation();                                        // 21 to 27
}
