// The CD checker: every problem setup would meet on a product CD, found
// before the CD ships. Each finding is one line in the form compilers use
// ("FILE:LINE: error: text"), so that editors jump to it.
#ifndef CHECK_CHECK_H
#define CHECK_CHECK_H

#include <windows.h>
#include <string>
#include <vector>

// ---- main.cpp: findings and the CD
extern std::string CdDir;          // the CD directory, ending in "\"
extern int ErrorCount, WarningCount;
void Error(const std::string &where, const std::string &text);
void Warning(const std::string &where, const std::string &text);
void Note(const std::string &where, const std::string &text);
[[noreturn]] void CannotRun(const std::string &text);   // exit code 2
// "TQL.INI:23" for a key of TQL.INI, "TQL.INI" when the key is not there.
std::string IniPlace(const std::string &section, const std::string &key);
// A path below the CD as the findings name it ("DATA\MOVIE\X.AVI").
std::string CdRelative(const std::string &path);
std::string Quoted(const std::string &text);
// The entries of a directory (full path ending in "\") but "." and "..",
// in the order the file system lists them; none when it cannot be listed.
std::vector<WIN32_FIND_DATAW> DirectoryEntries(const std::wstring &dir);

// ---- settings.cpp: TQL.INI through the setup program's own reading
// The languages that setup may choose with this TQL.INI.
std::vector<std::string> ChoosableLanguages();
// Reads TQL.INI as setup does for one language and reports what setup
// would cut, miss or misread. 1 when the language section is usable.
int CheckSettings(const std::string &language, int first);

// ---- names.cpp: names that reach the Program Manager and the registry
void CheckNames(const std::string &language, int first);

// ---- files.cpp: files on the CD (after CheckSettings for the language)
void CheckCommonFiles();
void CheckLanguageLibraries(const std::string &language);
// Runs MsgSetup of a library in this process and writes what it filled
// into a report file (the child side of the guarded call).
int RunMsgSetupChild(const char *library, const char *report);

// ---- limits.cpp: install-time limits of the trees and documents
void CheckInstallLimits();
// Names as the installed files get them, in code page 932 bytes.
inline int IsCp932Lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
int IsValidCp932(const char *bytes);
const char *BadNameReason(const std::string &name, int cp932);   // 0: good

// ---- disc.cpp: what the CD's image (ISO 9660 and Joliet) can hold of
// every name and path on the CD
void CheckDisc();

#endif
