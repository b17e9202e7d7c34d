// The setup program's program-wide state and the functions of its modules.
// Each variable is defined in the file of its concern (named beside it).
#ifndef SETUP_SETUP_H
#define SETUP_SETUP_H

#include <windows.h>
#include "common/ui.h"
#include "common/text.h"
#include "setup/rules.h"

// ---- settings store (config.cpp): one buffer per TQL.INI setting, named
// by its key, sized by its capacity.
struct SetupSettings {
    char ForceLanguage[17];
    char ProductName[33];
    char ProductVersion[33];
    char ApplicationName[33];
    char DisplayName[33];
    char UnInstExe[260];
    char UninstWinTitle[33];
    char UninstallMsg0[17];
    char UninstallMsg1[129];
    char UninstallMsg2[17];
    char SourcePath1[260];
    char SourcePath2[260];
    char LoadModule[13];
    char LoadMsgModule[13];
    char DocPath[260];
    char DefaultPath[260];
    char RequiresDskSpc[11];
    char RequiresDskSpc2[11];
    char ExecFileName[13];
    char IniFileName[13];
    char InfFileName[13];
    // [RunTime] and [Loader] switches: on unless "None".
    char DirectX[8];
    char Indeo41[8];
    char Quen[8];
    char CTL3DV2[8];
    char ZOLAM[8];
    // Component sections, read only while their switch is on.
    char Select[4];
    char SelectMachine[2];
    char DirectXAT[260];
    char DirectXNEC[260];
    char Indeo41LibPath[260];
    char QuenLibPath[260];
    char CTL3DV2LibPath[260];
    char ZOLAMLoaderPath[260];
    // Language section.
    char GroupTitle[33];
    char GameTitle[33];
    char HelpTitle[33];
    char HelpFileNameSrc[13];
    char HelpFileNameDst[13];
    char TextTitle[33];
    char TextFileNameSrc[13];
    char TextFileNameDst[13];
    char MainDlgBoxTitle[33];
    char MsgDlgBoxTitle[33];
    char ExecErrMsg[65];
    char CheckGameTitle[33];
    // Fixed at start-up, not read from TQL.INI.
    char LanguageName[17];   // section of the language texts
    char DrivePrefix[3];     // "Q:" of the start-up directory, or ""
};
extern SetupSettings Settings;

// ---- paths.cpp: path operations
// Fixes DrivePrefix ("Q:") from the current directory's drive letter; ""
// without one (a network path) or when it cannot be read.
void FixDrivePrefix();
// The drive prefix of a path by the same rule ("Q:", or "").
void DrivePrefixOf(const char *path, char (&prefix)[3]);
int ProbePath(const char *path);             // 0 none, 1 file, 2 directory
// Creates every missing directory of a full path; 1 when it is there.
int MakeDirectoryPath(const char *path);
// The same two for a path given as a name (common/filenames.h): a path
// below a destination that holds names from the CD.
int ProbeName(const char *name);
int MakeDirectoryName(const char *name);

// ---- config.cpp: configuration
int LoadSetupConfig();
int CheckSetupTitles();
void NormalizeDirectory(char *dir);          // capacity PATH_CAP
int IsNone(const char *value);               // "None" in any letter case
// The documents an installation copies, as the settings decide (setup's
// copy and the CD checker alike): DOC_HELP when DocPath, HelpTitle and
// both help file names are given, DOC_TEXT when DocPath and both text
// file names are, DOC_TEXT_ITEM besides when the text has a title (its
// program item). Given means other than "None", where letter case counts.
enum { DOC_HELP = 1, DOC_TEXT = 2, DOC_TEXT_ITEM = 4 };
int InstalledDocuments();
// A machine number ("1" to "3") as its choice: 149, 113, 147; 0 for another.
UINT MachineChoice(const char *text);
void ChooseLanguageName();                   // after ForceLanguage is read
int BindSetupMessages();                     // steps 4 to 6 of the sequence
// The directory of the earlier installation, as the uninstaller settings
// file in the Windows directory records it (read afresh at every call).
// 0 when no installation is recorded.
int ReadRecordedInstallPath(char *path);     // PATH_CAP
// Seams through which the CD checker watches the reading; null in setup.
// The read hook sees every setting right after the profile reader gave it
// (before any treatment); the missing hook replaces the message of a
// missing required setting and its result says whether reading goes on.
typedef void (*ConfigReadHookProc)(const char *section, const char *key,
                                   const char *fallback, const char *value,
                                   int capacity, int required);
typedef int (*ConfigMissingHookProc)(const char *section, const char *key,
                                     const char *message);
extern ConfigReadHookProc ConfigReadHook;
extern ConfigMissingHookProc ConfigMissingHook;
extern const char *ConfigLanguageOverride;   // language section to read
// texts.cpp: the text of a message box of the setup program's own (an
// IDS_ number of platform/templates.h) in the chosen language.
void SetupText(UINT id, char *text, int size);

// ---- state.cpp: the state the main sequence's steps share
extern HINSTANCE ProgramInstance;
extern HMODULE MsgModule;           // message library, loaded until the end
extern HWND FrameWindow;            // found by its title; owner of DirectX
extern UINT WelcomeTemplate;        // TPL_WELCOME or TPL_WELCOME_AGAIN
extern char StartupDir[PATH_CAP];   // the toolkit's start-up directory
extern char DestinationDir[PATH_CAP];
extern int MinimalInstall;          // minimal install flag
extern int ShowsWindows;            // 0 in a run without windows (unattended)

// ---- main.cpp: the main sequence and its ends
[[noreturn]] void AbortSetup();
// The ordinary end once the frame is up: closes every dialog and the
// toolkit and ends with the run's exit code for code (see RunStyle).
[[noreturn]] void EndSetup(int code = 0);
void ShutdownSetup();

// ---- dialogs.cpp: dialog invocation and events (the toolkit's own calls
// are wrapped in toolkit.cpp, declared in toolkit.h)
// Runs one dialog of the custom dialog library (LoadModule) modally over
// the frame and returns the event code of the button that ended it. Does
// not return when the toolkit cannot run the dialog.
UINT RunDialog(UINT templ, LPCSTR proc, UINT helpTempl = 0,
               LPCSTR helpProc = nullptr);
// While set (an unattended run), RunDialog shows no dialog: the hook gives
// the event code of the answer, as BoxHook does for message boxes.
typedef UINT (*DialogHookProc)(UINT templ);
extern DialogHookProc DialogHook;
void PumpMessages();
void ConfirmQuit();

// ---- welcome.cpp: welcome, destination and install-type dialogs
void ShowWelcome();
int ChooseDestination();
// Step 17 of a person's run: the welcome and destination dialogs until a
// destination is chosen (1).
int ChooseInstallation();
// Step 17 of an unattended run: the destination of /D=, or the proposed
// one as the destination dialog shows it, checked as a typed path (the
// dialog hook answers the check's notices). 0 when it is refused.
int AcceptGivenDestination();
int ConfirmRemoveOld();
int FormatFreeSpace(const char *path, char *text, int size);
int FreeSpaceText(ULONGLONG bytes, char *text, int size);  // "123M Bytes"

// ---- closing.cpp: closing dialogs, product launch, plain dialogs
// Asks for the restart that DirectX needs and starts it; returns whether
// setup ends with the end notice, which declining it decides.
int AskRestart(int endNotice);
// Step 26 of a person's run: the closing notice, or the ending dialog.
void ShowClosing(int endNotice);
int ShowEnding();
[[noreturn]] void LaunchProduct();

// ---- credits.cpp: the credits box of "SPECIAL THANKS"
// Shows it and returns once the user has closed it.
void ShowCredits();
INT_PTR CALLBACK CreditsDlgProc(HWND, UINT, WPARAM, LPARAM);

// ---- files.cpp: single-file copy, documents and program items
int CopyOneFile(const char *source, const char *dest);
// The one copy of a file that every copy uses: CopyFileA (overwrite
// allowed) and SetFileAttributesA(FILE_ATTRIBUTE_NORMAL) in one routine,
// complete or failed (every read checked, the size too), an existing dest
// replaced only by a complete copy; betweenReads (may be 0) runs between
// the reads of a long file. FALSE with the error for ReportCopyError.
BOOL CopyAsNormalFile(const char *source, const char *dest, void (*betweenReads)());
int CopyIfNewer(const char *source, const char *dest);  // 0, 1 copied, 2 current
// Tells why a copy failed: access, sharing and a full disk in their own
// texts (caption "Setup File Copy"), anything else as "File Copy Error"
// with the caller's caption; an unattended run's log names the error
// number and dest.
void ReportCopyError(DWORD error, const char *otherCaption, const char *dest);
// The documents and program items; 0 when one of them is missing (after
// its log line; a document that cannot be copied ends setup at once).
int InstallDocuments();

// ---- readahead.cpp: the source side of a copy
// A copy's source: opened by OpenCopySource (on this thread, or taken from
// the reader that runs ahead of the tree copy), read by ReadCopySource in
// pieces of at most COPY_PIECE bytes, closed by CloseCopySource.
const DWORD COPY_PIECE = 64 * 1024;
// The size of the read after done bytes: the rest, at most a piece.
inline DWORD CopyPieceSize(ULONGLONG size, ULONGLONG done)
{
    return size - done < COPY_PIECE ? (DWORD)(size - done) : COPY_PIECE;
}
struct CopySource {
    ULONGLONG size;
    FILETIME written;   // last-write time
    HANDLE handle;      // read here (not queued)
    int queued;         // read ahead by the reader
    int held, unread;   // a queued source's slot in hand, its read not taken
};
// 0 with the error of the failing step (nothing to close then).
int OpenCopySource(const char *source, CopySource *from);
// One read of want bytes (the rest of the file, at most a piece): the
// bytes at *data, valid until the next call; 0 with the read's error.
int ReadCopySource(CopySource *from, DWORD want, const BYTE **data, DWORD *got);
void CloseCopySource(CopySource *from);
// The reader of the tree copy: reads the files of the trees at source1
// and source2 (0 for none) ahead of the copy, in the copy's order, into
// 2 MB at most. Without it (no thread) the copy reads for itself.
void StartReadAhead(const char *source1, const char *source2);
void StopReadAhead();

// ---- treecopy.cpp: progress window and directory copy
// What the copy has done, read through CopyState(); each call of
// CopyProductTrees starts it afresh.
struct CopyProgress {
    UINT FileTotal;    // the trees' files, counted before the copy
    UINT Step;         // millionths of the whole per copied file
    int Accumulated;   // millionths copied so far
    UINT FilesDone;    // files copied so far
    int Percent;       // shown by the bar, 0 to 100
    RECT BarRect;      // the bar in the window's client coordinates
    HWND Window;       // the modeless progress window while it is open
    int Cancelled;     // 1 once the window got IDCANCEL or a quit came
};
const CopyProgress &CopyState();
// Copies the first tree and, when it exists, the second into their
// destinations under the progress window. 1 when both are copied and the
// window is closed; 0 after a message.
int CopyProductTrees(char *source1, char *dest1, char *source2, char *dest2);

// ---- runtime.cpp: DirectX and the video codec
// What the DirectX step leaves for the ending: 0 when it failed (after its
// messages), else DIRECTX_DONE with the flags that apply.
#define DIRECTX_DONE       1
#define DIRECTX_RESTART    2   // the library asks for a restart
#define DIRECTX_END_NOTICE 4   // setup ends with the end notice
int InstallDirectX();
int RunDirectXSetup(const char *sourceDir);
int InstallVideoCodec();

// ---- registry.cpp: registry access layer and uninstall registration
int LoadRegistryLibrary();
void FreeRegistryLibrary();
int CreateRegistry(HKEY root, const char *subKey, const char *valueName,
                   const char *text);
int RegisterUninstaller();
// The files, command line and keys of the uninstall registration.
struct UninstallPaths {
    char uninstSource[PATH_CAP], uninstTarget[PATH_CAP];
    char msgSource[PATH_CAP], msgTarget[PATH_CAP];
    char settingsFile[PATH_CAP], execPath[PATH_CAP], commandLine[PATH_CAP];
    char appPathsKey[256], productKey[256], uninstallKey[256];
    int appPathsOk, productOk, uninstallOk;  // 0: the key name is refused
};
int BuildUninstallPaths(const char *windowsDir, const char *sourceDir,
                        UninstallPaths *paths);

// ---- version.cpp: file version query
int GetFileVersionString(const char *path, char *version);  // 32 bytes
void ParseFileVersion(const char *version, int fields[4]);
int IsVersionAtLeast(const int candidate[4], const int reference[4]);
int IsInstalledFileCurrent(const char *source, const char *installed);

// ---- unattended.cpp: the run of "/S" (no window, no question)
// Exit codes of an unattended run; a person's run always ends with 0.
#define EXIT_DONE              0
#define EXIT_USAGE             1   // the command line is not understood
#define EXIT_STARTUP           2   // TQL.INI, the message library, the titles
#define EXIT_RUNNING           3   // setup or the product is running already
#define EXIT_DESTINATION       4   // the destination is refused
#define EXIT_COPY              5   // the earlier folder or the copy failed
#define EXIT_REGISTRATION      6   // the uninstaller's registration failed
#define EXIT_DIRECTX           7
#define EXIT_CODEC             8
#define EXIT_DOCUMENTS         9   // documents and program items
#define EXIT_RESTART_NEEDED 3010   // installed; DirectX needs a restart
extern char UnattendedDestination[255];      // "/D=", or "" to propose
// How a run meets its user. A person's run (PersonRun, main.cpp) shows the
// frame and its windows and asks; an unattended one (UnattendedRun) shows
// none, takes its answers from the command line and the dialog and box
// hooks, and ends with the exit code of its stage. The main sequence asks
// the run what to do, never which kind of run it is.
struct RunStyle {
    int (*chooseInstallation)();          // step 17; 0 when refused
    int (*askRestart)(int endNotice);     // step 25: the end notice after it
    void (*showClosing)(int endNotice);   // step 26
    void (*tellFailure)();                // the fatal exit's message
    void (*stepFailed)();                 // after a step a person's run passes over
    int (*exitCode)(int code);            // the process's, for a stage's code
};
#define RUN_ENDS       0
#define RUN_BY_PERSON  1
#define RUN_UNATTENDED 2
// Reads the command line: RUN_ENDS when setup is to end at once with the
// exit code in *exitCode (after /? or a line that an unattended run does
// not understand), else the kind of run it asks for.
int ReadCommandLine(const char *cmdLine, int *exitCode);
// Begins a stage of an unattended run: its log line, and the exit code of
// a failure from now on.
void Step(int stage, const char *what);
int StageCode();                              // that of the stage under way
// The parts of an unattended run (see UnattendedRun in main.cpp).
int LogRestartNeeded(int endNotice);
void LogClosing(int endNotice);
void LogFailure();
int LoggedExitCode(int code);

// ---- removeold.cpp: removal of an earlier installation
void RemoveInstallation();

#endif
