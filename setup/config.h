// The configuration of the setup program (config.cpp): the settings read
// from TQL.INI (the rules read from them are in rules.h, the language and
// its messages in language.h).
#ifndef SETUP_CONFIG_H
#define SETUP_CONFIG_H

#include <windows.h>
#include "common/text.h"
#include "common/record.h"

// The settings store: one buffer per TQL.INI setting, named
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

int LoadSetupConfig();
// The section of the language texts: ForceLanguage, or the system's
// language when it is "No" (language.cpp).
void ChooseLanguageName();
int CheckSetupTitles();
void NormalizeDirectory(char *dir);          // capacity PATH_CAP
int IsNone(const char *value);               // "None" in any letter case
// The product's names as the settings give them, for its keys, its record
// and the proof of its folder.
ProductNames TheProductNames();
// The directory of the earlier installation, as the uninstaller settings
// file in the Windows directory records it (read afresh at every call).
// 0 when no installation is recorded.
int ReadRecordedInstallPath(char *path);     // PATH_CAP
// The installation in progress the record holds (common/record.h); 0 for
// none.
int ReadRecordedPendingPath(char *path);     // PATH_CAP
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

#endif
