// tqlcheck: checks a product CD for every problem setup would meet.
//   tqlcheck [--disc] CD-DIRECTORY
// --disc: only what the CD's image can hold (disc.cpp), as the image
// maker asks before it makes one.
// Exit code 0 without errors, 1 with errors, 2 when the check cannot run.
#include "check/check.h"
#include "setup/config.h"
#include "setup/paths.h"
#include <cstdio>
#include <cstring>

std::string CdDir;
int ErrorCount, WarningCount;

static void Finding(const std::string &where, const char *kind,
                    const std::string &text)
{
    printf("%s: %s: %s\n", where.c_str(), kind, text.c_str());
    fflush(stdout);
}

void Error(const std::string &where, const std::string &text)
{
    ErrorCount++;
    Finding(where, "error", text);
}

void Warning(const std::string &where, const std::string &text)
{
    WarningCount++;
    Finding(where, "warning", text);
}

void Note(const std::string &where, const std::string &text)
{
    Finding(where, "note", text);
}

void CannotRun(const std::string &text)
{
    printf("tqlcheck: fatal: %s\n", text.c_str());
    fflush(stdout);
    ExitProcess(2);
}

std::string Quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

std::vector<WIN32_FIND_DATAW> DirectoryEntries(const std::wstring &dir)
{
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
            entries.push_back(found);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::string CdRelative(const std::string &path)
{
    if (path.size() >= CdDir.size() &&
        !lstrcmpiA(path.substr(0, CdDir.size()).c_str(), CdDir.c_str()))
        return path.substr(CdDir.size());
    return path;
}

// The line of a key: the first section of that name (as the profile
// reader takes it) and in it the first line "key=". Only locates; the
// values themselves are read by the setup program's code.
static int KeyLine(const std::string &section, const std::string &key)
{
    FILE *f = fopen((CdDir + "TQL.INI").c_str(), "rb");
    if (!f)
        return 0;
    char line[4096];
    int number = 0, inSection = 0, seen = 0, found = 0;
    while (!found && fgets(line, sizeof line, f)) {
        number++;
        char *p = line;
        while (*p == ' ' || *p == '\t')
            p++;
        if (*p == '[') {
            char *end = strchr(p, ']');
            if (end)
                *end = '\0';
            if (inSection)
                break;  // the profile reader stops at the first section
            inSection = !seen && !lstrcmpiA(p + 1, section.c_str());
            seen = seen || inSection;
            continue;
        }
        char *eq = strchr(p, '=');
        if (!inSection || !eq)
            continue;
        char *end = eq;
        while (end > p && (end[-1] == ' ' || end[-1] == '\t'))
            end--;
        *end = '\0';
        found = !lstrcmpiA(p, key.c_str()) ? number : 0;
    }
    fclose(f);
    return found;
}

std::string IniPlace(const std::string &section, const std::string &key)
{
    int line = KeyLine(section, key);
    return line ? "TQL.INI:" + std::to_string(line) : std::string("TQL.INI");
}

// The CD directory as a full path ending in "\"; it becomes the current
// directory, as setup's start-up directory is.
static void OpenCd(const char *argument)
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(argument, MAX_PATH, full, 0);
    if (!n || n >= MAX_PATH)
        CannotRun(std::string("cannot use the directory ") + Quoted(argument));
    DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_DIRECTORY) || !SetCurrentDirectoryA(full))
        CannotRun(std::string("cannot read the directory ") + Quoted(argument));
    CdDir = full;
    if (CdDir.back() != '\\')
        CdDir += '\\';
    std::string ini = CdDir + "TQL.INI";
    HANDLE file = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, 0,
                              OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE)
        CannotRun("no TQL.INI in " + Quoted(CdDir) + ": not a product CD");
    char head[512];
    DWORD got = 0;
    ReadFile(file, head, sizeof head, &got, 0);
    CloseHandle(file);
    // A profile file is text of a code page: a NUL byte says it is
    // something else (binary data, or UTF-16 text, which the profile
    // reader of Windows 95 does not read), taken as a file without any
    // setting.
    if (memchr(head, 0, got))
        CannotRun("TQL.INI is not a text file of a code page (it holds NUL bytes, "
                  "as binary data and UTF-16 text do)");
    // The drive prefix as the main sequence fixes it, of the CD's folder.
    DrivePrefixOf(CdDir.c_str(), Settings.DrivePrefix);
}

int main(int argc, char **argv)
{
    // No dialog of the system's may stop the check: not a missing disk,
    // not a crash in a library under test.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
                 SEM_NOOPENFILEERRORBOX);
    if (argc == 4 && !strcmp(argv[1], "--msgsetup"))
        return RunMsgSetupChild(argv[2], argv[3]);
    int discOnly = argc == 3 && !strcmp(argv[1], "--disc");
    if (argc != 2 && !discOnly) {
        printf("usage: tqlcheck [--disc] CD-DIRECTORY\n");
        return 2;
    }
    OpenCd(argv[argc - 1]);
    CheckDisc();
    std::vector<std::string> languages;
    if (!discOnly)
        languages = ChoosableLanguages();
    int first = 1;
    for (const std::string &language : languages) {
        if (CheckSettings(language, first)) {
            CheckNames(language, first);
            CheckLanguageLibraries(language);
        }
        if (first) {
            CheckCommonFiles();
            CheckInstallLimits();
        }
        first = 0;
    }
    printf("%d error%s, %d warning%s\n", ErrorCount, ErrorCount == 1 ? "" : "s",
           WarningCount, WarningCount == 1 ? "" : "s");
    return ErrorCount ? 1 : 0;
}
