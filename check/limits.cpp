// Install-time limits: the space a full and a minimal install need against
// RequiresDskSpc and RequiresDskSpc2, the longest installed path against
// the copy's 259 bytes, and names that no Windows accepts.
#include "check/check.h"
#include "setup/config.h"
#include "setup/paths.h"
#include "setup/rules.h"
#include "common/text.h"

static const LONGLONG Cluster = 4096;
static const int PathLimit = PATH_CAP - 1;
// The longest destination the destination dialog accepts: the toolkit's
// FValidDir takes up to MAX_PATH - 14 characters, and a "\" is added.
static const int LongestDestination = MAX_PATH - 14 + 1;

// One file that the installation puts into the destination.
struct Installed {
    std::string relative;   // below the destination, code page 932 bytes
    std::string utf8;       // the same as UTF-8, as the NT family's copy spends it
    std::string source;     // CD-relative source in UTF-8, for the findings
    LONGLONG size;
    int minimal;            // also copied by the minimal install
};

static std::vector<Installed> Files;

// The name in code page 932; 0 when it has no form there.
static int ToCp932(const wchar_t *name, std::string &out)
{
    BOOL lost = FALSE;
    char bytes[MAX_PATH * 2];
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, name, -1, bytes,
                                sizeof bytes, "?", &lost);
    out = n ? bytes : "";
    // A round trip tells a best-fit stand-in ("e" for an accented e) too.
    wchar_t back[MAX_PATH * 2];
    return n && !lost &&
           MultiByteToWideChar(932, 0, bytes, -1, back, MAX_PATH * 2) &&
           !wcscmp(back, name);
}

// 1 when bytes are whole code page 932 characters: every lead byte
// (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E, 0x80-0xFC),
// and the system's table of the code page knows each of them. Decided by
// the bytes themselves, whatever code page this process runs in.
int IsValidCp932(const char *bytes)
{
    for (const unsigned char *p = (const unsigned char *)bytes; *p; p++) {
        if (!IsCp932Lead(*p))
            continue;
        unsigned char trail = p[1];
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
            return 0;
        p++;
    }
    wchar_t wide[MAX_PATH * 2];
    return bytes[0] == '\0' ||
           MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, -1, wide,
                               MAX_PATH * 2) != 0;
}

// Why no Windows accepts a name: reserved device names, trailing dots or
// blanks, forbidden characters, and for code page 932 bytes (cp932 1)
// double-byte characters that code page does not have; 0 when it does.
const char *BadNameReason(const std::string &name, int cp932)
{
    if (cp932 && !IsValidCp932(name.c_str()))
        return "is not valid in code page 932 (a lead byte without a proper trail byte "
               "or a character the code page lacks)";
    const unsigned char *p = (const unsigned char *)name.c_str();
    for (; *p; p++) {
        if (cp932 && IsCp932Lead(*p)) {
            p++;   // a trail byte may be any of the forbidden ASCII codes
            continue;
        }
        if (*p < 0x20 || strchr("<>:\"/\\|?*", *p))
            return "holds a character that Windows forbids in names";
    }
    char last = name.empty() ? 0 : name.back();
    if (last == '.' || last == ' ')
        return "ends in a dot or a blank, which Windows strips";
    // The device names count with any extension and in any letter case.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char &c : base)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    const char *devices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char *d : devices)
        if (base == d)
            return "is a reserved device name";
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
        base[3] >= '1' && base[3] <= '9')
        return "is a reserved device name";
    return 0;
}

// The ANSI code pages of the systems Windows 95/98 came in: Thai,
// Japanese, Chinese (simplified, traditional), Korean, then Central
// European, Cyrillic, Western, Greek, Turkish, Hebrew, Arabic and Baltic.
static const UINT SystemCodePages[] = {874, 932, 936, 949, 950, 1250, 1251,
                                       1252, 1253, 1254, 1255, 1256, 1257};

// 1 when the code page holds every character of name (a round trip
// without a stand-in).
static int CodePageHolds(UINT codePage, const wchar_t *name)
{
    BOOL lost = FALSE;
    char bytes[MAX_PATH * 2];
    int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, name, -1, bytes,
                                sizeof bytes, "?", &lost);
    wchar_t back[MAX_PATH * 2];
    return n && !lost && MultiByteToWideChar(codePage, 0, bytes, -1, back, MAX_PATH * 2) &&
           !wcscmp(back, name);
}

// A name outside ASCII: the NT family (and Wine) install it on every
// system language through the wide file functions; Windows 95/98 only on
// a system whose code page holds it. Which ones those are is noted.
static void NoteSystemsFor(const wchar_t *name, const std::string &shown)
{
    std::string pages;
    for (UINT cp : SystemCodePages)
        if (CodePageHolds(cp, name))
            pages += (pages.empty() ? "" : ", ") + std::to_string(cp);
    Note(shown, pages.empty()
                    ? "the name is held by no system code page: no Windows 95/98 system can "
                      "install it (Windows NT and later, and Wine, install it on every language)"
                    : "the name is held by code page" +
                          std::string(pages.find(',') == std::string::npos ? " " : "s ") +
                          pages + ": a Windows 95/98 system of another language cannot "
                          "install it (Windows NT and later, and Wine, install it on every "
                          "language)");
}

// A name as UTF-8, for the findings and where no code page 932 form exists.
static std::string Utf8(const wchar_t *name)
{
    char bytes[MAX_PATH * 4];
    int n = WideCharToMultiByte(CP_UTF8, 0, name, -1, bytes, sizeof bytes, 0, 0);
    return n ? bytes : "";
}

// Lists a tree below dir (wide, full) into Files; cdPath is the
// source as seen from the CD's root drive, for the minimal-install rule
// (code page 932 where the names have such a form), shown the same path
// in UTF-8 for the findings, below the destination as utf8.
static void ListTree(const std::wstring &dir, const std::string &relative,
                     const std::string &utf8Relative, const std::string &cdPath,
                     const std::string &shown)
{
    for (const WIN32_FIND_DATAW &found : DirectoryEntries(dir)) {
        std::string name, utf8 = Utf8(found.cFileName);
        std::string where = CdRelative(shown.substr(3)) + utf8;
        int cp932 = ToCp932(found.cFileName, name);
        if (!cp932)
            name = utf8;
        for (const wchar_t *c = found.cFileName; *c; c++)
            if (*c > 0x7F) {
                NoteSystemsFor(found.cFileName, where);
                break;
            }
        if (const char *reason = BadNameReason(name, cp932))
            Error(where, std::string("the name ") + reason);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListTree(dir + found.cFileName + L"\\", relative + name + "\\",
                     utf8Relative + utf8 + "\\", cdPath + name + "\\", shown + utf8 + "\\");
            continue;
        }
        LONGLONG size = ((LONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow;
        std::string source = cdPath + name;
        Files.push_back({relative + name, utf8Relative + utf8, where, size,
                         !IsLeftOutOfMinimal(source.c_str())});
    }
}

static void ListSource(const char *fullDir)
{
    std::string relative = CdRelative(fullDir);
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, fullDir, -1, wide, MAX_PATH))
        return;
    // The CD as setup sees it: its root is a drive's root.
    ListTree(wide, "", "", "Q:\\" + relative, "Q:\\" + relative);
}

// Text of this process's code page as UTF-8.
static std::string SystemToUtf8(const char *text)
{
    wchar_t wide[MAX_PATH * 2];
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH * 2) ? Utf8(wide) : text;
}

static void AddDocument(const char *source, const char *dest)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    std::string path = std::string(Settings.DocPath) + source;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        Files.push_back({dest, SystemToUtf8(dest), CdRelative(path),
                         (LONGLONG)data.nFileSizeLow, 1});
}

static LONGLONG Needed(int minimal)
{
    LONGLONG total = 0;
    for (const Installed &f : Files)
        if (f.minimal || !minimal)
            total += (f.size + Cluster - 1) / Cluster * Cluster;
    return total;
}

static void CheckSpace(const char *key, const char *value, LONGLONG need,
                       const char *install, int error)
{
    if (IsNone(value) || ReadDecimal(value) >= need)
        return;
    std::string text = "[option] " + std::string(key) + " " + value +
                       " is below the " + std::to_string(need) + " bytes a " + install +
                       " install needs (files rounded up to 4 KB clusters)";
    if (error)
        Error(IniPlace("option", key), text + "; the copy could fill the disk");
    else
        Warning(IniPlace("option", key), text);
}

static void CheckPaths()
{
    const Installed *longest = 0;
    for (const Installed &f : Files) {
        if (!longest || f.relative.size() > longest->relative.size())
            longest = &f;
        std::string path = std::string(Settings.DefaultPath) + f.relative;
        std::string wide = SystemToUtf8(Settings.DefaultPath) + f.utf8;
        if ((int)path.size() > PathLimit)
            Error(f.source, "installed as " + Quoted(path) + " (" +
                                std::to_string(path.size()) + " bytes), over the " +
                                std::to_string(PathLimit) + " bytes of the copy; the copy stops here");
        else if ((int)wide.size() > PathLimit)
            Error(f.source, "installed as " + Quoted(wide) + " (" + std::to_string(wide.size()) +
                                " bytes as UTF-8), over the " + std::to_string(PathLimit) +
                                " bytes of the copy on Windows NT and later and Wine, which "
                                "spends UTF-8 bytes on a name; the copy stops here there");
    }
    if (!longest)
        return;
    int underDefault = lstrlenA(Settings.DefaultPath) + (int)longest->relative.size();
    int room = PathLimit - (int)longest->relative.size();
    Note(IniPlace("option", "DefaultPath"),
         "the longest installed path, " + longest->relative + ", is " +
             std::to_string(underDefault) + " bytes under DefaultPath (margin " +
             std::to_string(PathLimit - underDefault) + "); under the longest destination (" +
             std::to_string(LongestDestination) + " bytes) it would be " +
             std::to_string(LongestDestination + (int)longest->relative.size()) +
             "; destinations up to " + std::to_string(room) + " bytes keep every path within " +
             std::to_string(PathLimit));
}

// Every folder of DefaultPath below its drive must be a name Windows
// accepts; the parts are split by code page 932 characters, since a trail
// byte may be a backslash.
static void CheckDefaultPathNames()
{
    std::string path = Settings.DefaultPath, part;
    size_t start = path.size() > 2 && path[1] == ':' ? 3 : 0;
    for (size_t i = start; i <= path.size(); i++) {
        unsigned char c = i < path.size() ? (unsigned char)path[i] : 0;
        if (c && c != '\\') {
            part += (char)c;
            if (IsCp932Lead(c) && i + 1 < path.size())
                part += path[++i];
            continue;
        }
        const char *reason = part.empty() ? 0 : BadNameReason(part, 1);
        if (reason) {
            Error(IniPlace("option", "DefaultPath"),
                  "[option] DefaultPath " + Quoted(Settings.DefaultPath) + ": the folder " +
                      Quoted(part) + " " + reason);
            return;
        }
        part.clear();
    }
}

void CheckInstallLimits()
{
    CheckDefaultPathNames();
    Files.clear();
    if (ProbePath(CdRelative(Settings.SourcePath1).c_str()) == 2 || ProbePath(Settings.SourcePath1))
        ListSource(Settings.SourcePath1);
    if (Settings.SourcePath2[0] && ProbePath(Settings.SourcePath2) == 2) {
        char full[PATH_CAP];
        TextCopy(full, Settings.SourcePath2);
        NormalizeDirectory(full);   // the copy takes it relative to the CD
        ListSource(full);
    }
    int documents = InstalledDocuments();
    if (documents & DOC_HELP)
        AddDocument(Settings.HelpFileNameSrc, Settings.HelpFileNameDst);
    if (documents & DOC_TEXT)
        AddDocument(Settings.TextFileNameSrc, Settings.TextFileNameDst);
    CheckSpace("RequiresDskSpc", Settings.RequiresDskSpc, Needed(0), "full", 1);
    CheckSpace("RequiresDskSpc2", Settings.RequiresDskSpc2, Needed(1), "minimal", 0);
    CheckPaths();
}
