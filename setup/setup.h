// The setup program's program-wide state and the functions of its modules.
// Each variable is defined in the file of its concern (named beside it).
#ifndef SETUP_SETUP_H
#define SETUP_SETUP_H

#include <windows.h>
#include "common/program.h"
#include "common/text.h"
#include "setup/rules.h"

#define PATH_CAP 260

// ---- settings store (config.cpp): one buffer per TQL.INI setting, named
// by its key, sized by its capacity.
extern char ForceLanguage[17];
extern char ProductName[33];
extern char ProductVersion[33];
extern char ApplicationName[33];
extern char DisplayName[33];
extern char UnInstExe[260];
extern char UninstWinTitle[33];
extern char UninstallMsg0[17];
extern char UninstallMsg1[129];
extern char UninstallMsg2[17];
extern char SourcePath1[260];
extern char SourcePath2[260];
// The LoadModule setting. Win32 declares a function LoadModule (winbase.h),
// so the buffer is named LoadModuleSetting and the key's name maps onto it.
#define LoadModule LoadModuleSetting
extern char LoadModule[13];
extern char LoadMsgModule[13];
extern char DocPath[260];
extern char DefaultPath[260];
extern char RequiresDskSpc[11];
extern char RequiresDskSpc2[11];
extern char ExecFileName[13];
extern char IniFileName[13];
extern char InfFileName[13];
// [RunTime] and [Loader] switches: on unless "None".
extern char DirectX[8];
extern char Indeo41[8];
extern char Quen[8];
extern char CTL3DV2[8];
extern char ZOLAM[8];
// Component sections, read only while their switch is on.
extern char Select[4];
extern char SelectMachine[2];
extern char DirectXAT[260];
extern char DirectXNEC[260];
extern char Indeo41LibPath[260];
extern char QuenLibPath[260];
extern char CTL3DV2LibPath[260];
extern char ZOLAMLoaderPath[260];
// Language section.
extern char GroupTitle[33];
extern char GameTitle[33];
extern char HelpTitle[33];
extern char HelpFileNameSrc[13];
extern char HelpFileNameDst[13];
extern char TextTitle[33];
extern char TextFileNameSrc[13];
extern char TextFileNameDst[13];
extern char MainDlgBoxTitle[33];
extern char MsgDlgBoxTitle[33];
extern char ExecErrMsg[65];
extern char CheckGameTitle[33];

extern char LanguageName[17];   // section of the language texts
extern char DrivePrefix[3];     // "Q:" of the start-up directory, or ""

// ---- config.cpp: configuration and path operations
int LoadSetupConfig();
int CheckSetupTitles();
void NormalizeDirectory(char *dir);          // capacity PATH_CAP
int ProbePath(const char *path);             // 0 none, 1 file, 2 directory
int IsNone(const char *value);               // "None" in any letter case
void ChooseLanguageName();                   // after ForceLanguage is read
int BindMessageLibrary();                    // steps 4 to 6 of the sequence
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

// ---- main.cpp: main sequence state
extern HINSTANCE ProgramInstance;
extern HMODULE MsgModule;           // message library, loaded until the end
extern HWND FrameWindow;            // found by its title; owner of DirectX
extern UINT WelcomeTemplate;        // TPL_WELCOME or TPL_WELCOME_AGAIN
extern char StartupDir[PATH_CAP];   // the toolkit's start-up directory
extern char DestinationDir[PATH_CAP];
extern int MinimalInstall;          // minimal install flag
extern int DirectXResult;
extern int EndNotice;               // end notice flag
[[noreturn]] void AbortSetup();
void ShutdownSetup();
HWND InitSetupFrame(LPCSTR cmdLine);

// ---- dialogs.cpp: dialog invocation and events
void RunDialog(LPCSTR library, UINT templ, LPCSTR proc, UINT helpTempl,
               LPCSTR helpProc, char *event, int size);
UINT EventCode(const char *event);
void KillDialogs(int count);
void PumpMessages();
char *GetSymbol(LPCSTR name, char *buffer, int size);
void SetSymbol(LPCSTR name, LPCSTR value);
void ConfirmQuit();

// ---- welcome.cpp: welcome, destination and install-type dialogs
void ShowWelcome();
int ChooseDestination();
int ShowNotice(UINT templ);
int ConfirmRemoveOld();
int ConfirmLowDisk();
int FormatFreeSpace(const char *path, char *text, int size);
int FreeSpaceText(ULONGLONG bytes, char *text, int size);  // "123M Bytes"
int MakeDirectoryPath(const char *path);

// ---- closing.cpp: closing dialogs, product launch, plain dialogs
void AskRestart();
int ShowEnding();
[[noreturn]] void LaunchProduct();
void CentreWindow(HWND window, HWND reference);
INT_PTR CALLBACK CreditsDlgProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WaitDlgProc(HWND, UINT, WPARAM, LPARAM);

// ---- files.cpp: single-file copy, documents and program items
int CopyOneFile(const char *source, const char *dest);
// CopyFileA (overwrite allowed) and SetFileAttributesA(FILE_ATTRIBUTE_NORMAL)
// in one routine; betweenReads (may be 0) runs between the reads of a long file.
BOOL CopyAsNormalFile(const char *source, const char *dest, void (*betweenReads)());
int CopyIfNewer(const char *source, const char *dest);  // 0, 1 copied, 2 current
void InstallDocuments();

// ---- treecopy.cpp: progress window and directory copy
extern UINT CopyFileTotal;       // running count of the trees' files
extern UINT CopyStep;            // millionths of the whole per copied file
extern int CopyAccumulated;      // millionths copied so far
extern UINT CopyFilesDone;       // files copied so far
extern int CopyPercent;          // shown by the bar, 0 to 100
extern RECT ProgressBarRect;     // bar in the window's client coordinates
extern HWND ProgressWindow;      // the modeless progress window
extern int CopyCancelled;        // 1 once the window got IDCANCEL
extern HBRUSH ProgressFillBrush; // blue brush of the last paint
int CopyProductTrees(char *source1, char *dest1, char *source2, char *dest2);
UINT CountTreeFiles(const char *directory);
int CopyTree(const char *source, const char *dest);
int CopyFileWithProgress(const char *source, const char *dest);
void PaintProgressBar(HDC dc);
INT_PTR CALLBACK ProgressDlgProc(HWND, UINT, WPARAM, LPARAM);

// ---- runtime.cpp: DirectX and the video codec
int InstallDirectX();
int RunDirectXSetup(const char *sourceDir);
UINT AskMachineType();                       // 113, 147 or 149
int ConfirmFmvInfo(UINT templ);              // TPL_FMVINFO_AT or _NEC
int InstallVideoCodec();
int RegisterVideoCodec();

// ---- registry.cpp: registry access layer and uninstall registration
int LoadRegistryLibrary();
void FreeRegistryLibrary();
int CreateRegistry(HKEY root, const char *subKey, const char *valueName,
                   const char *text);
int RegisterUninstaller();
int JoinPath(char *out, const char *dir, const char *name);  // PATH_CAP
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

// ---- removeold.cpp: removal of an earlier installation
void RemoveInstallation();

#endif
