// The disc's rules: what the CD's image can hold of every name and path.
// A Windows 95 CD carries two directory trees: ISO 9660 (level 1: 8.3
// names of A-Z, 0-9 and "_"), read by systems without Joliet, and Joliet
// (names in UCS-2), which Windows 95 and every later Windows read and
// setup therefore sees. What one of them cannot hold the image-making
// tool changes without a word: a long Joliet name cut, a refused
// character replaced, a path over the limit left out. So each of these is
// an error here, found before the image is made.
#include "check/check.h"
#include <algorithm>
#include <map>

static const size_t JolietNameLimit = 64;   // UCS-2 characters
static const size_t JolietPathLimit = 240;  // bytes, 2 a character
static const int LevelLimit = 8;            // directory levels, the root the first

static std::string Utf8(const std::wstring &text)
{
    char bytes[MAX_PATH * 4];
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, 0, 0);
    return n ? bytes : "?";
}

// The first character of name that Joliet refuses, as the finding shows
// it; "" when there is none. UCS-2 has no characters beyond 0xFFFF.
static std::string JolietRefused(const std::wstring &name)
{
    for (wchar_t c : name) {
        if (c < 0x20)
            return "the control character " + std::to_string((int)c);
        if (wcschr(L"*/:;?\\", c))
            return Quoted(std::string(1, (char)c));
        if (c >= 0xD800 && c <= 0xDFFF)
            return "a character beyond UCS-2";
    }
    return "";
}

// An ISO 9660 level 1 name: up to 8 characters and, for a file, an
// extension of up to 3, each of A-Z, 0-9 and "_".
static int IsLevel1Name(const std::wstring &name, int directory)
{
    size_t dot = name.find(L'.');
    if (directory && dot != std::wstring::npos)
        return 0;
    std::wstring base = name.substr(0, dot);
    std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3)
        return 0;
    for (wchar_t c : base + ext)
        if (!((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_'))
            return 0;
    return 1;
}

static int NotLevel1;
static std::string FirstNotLevel1;

// One directory of the CD (full path ending in "\"; relative: below the
// root, level: the directory's own, the root being 1).
static void CheckDiscDirectory(const std::wstring &dir, const std::wstring &relative,
                               int level)
{
    std::vector<std::pair<std::wstring, int>> entries;
    for (const WIN32_FIND_DATAW &found : DirectoryEntries(dir))
        entries.push_back({found.cFileName,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    std::sort(entries.begin(), entries.end());   // findings in a fixed order
    std::map<std::wstring, std::wstring> byFolded;
    for (const auto &[name, directory] : entries) {
        std::wstring path = relative + name;
        std::string where = Utf8(path);
        int fits = 1;
        if (name.size() > JolietNameLimit) {
            Error(where, "the name is " + std::to_string(name.size()) +
                             " characters long; Joliet holds " +
                             std::to_string(JolietNameLimit) + ", and the image would cut it");
            fits = 0;
        }
        std::string refused = JolietRefused(name);
        if (!refused.empty()) {
            Error(where, "the name holds " + refused +
                             ", which Joliet refuses; the image would put another in its place");
            fits = 0;
        }
        // As Joliet counts a path: from the root, each name after a
        // separator, two bytes a character.
        size_t bytes = 2 * (path.size() + 1);
        if (fits && bytes > JolietPathLimit) {
            Error(where, "the path is " + std::to_string(bytes) +
                             " bytes in Joliet (2 a character, the separators counted); "
                             "Joliet holds " + std::to_string(JolietPathLimit) +
                             ", and the image would leave it out");
            continue;   // what is below it is left out with it
        }
        std::wstring folded = name;
        CharUpperBuffW(&folded[0], (DWORD)folded.size());
        auto same = byFolded.emplace(folded, name);
        if (!same.second)
            Error(where, "differs from " + Quoted(Utf8(same.first->second)) +
                             " only in letter case; Windows reads the CD's names in either "
                             "case and finds one of them only");
        if (!IsLevel1Name(name, directory) && !NotLevel1++)
            FirstNotLevel1 = where;
        if (!directory)
            continue;
        if (level + 1 > LevelLimit) {
            Error(where, "is directory level " + std::to_string(level + 1) +
                             " (the CD's root is level 1); ISO 9660 and Joliet hold " +
                             std::to_string(LevelLimit));
            continue;
        }
        CheckDiscDirectory(dir + name + L"\\", path + L"\\", level + 1);
    }
}

void CheckDisc()
{
    wchar_t root[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, CdDir.c_str(), -1, root, MAX_PATH))
        return;
    NotLevel1 = 0;
    CheckDiscDirectory(root, L"", 1);
    if (NotLevel1)
        Note(FirstNotLevel1, "not an ISO 9660 level 1 name (8.3 of A-Z, 0-9 and _), nor are " +
                                 std::to_string(NotLevel1 - 1) + " more; the image's ISO 9660 "
                                 "tree, read only by systems without Joliet, holds 8.3 forms "
                                 "made of them, and setup reads the Joliet names");
}
