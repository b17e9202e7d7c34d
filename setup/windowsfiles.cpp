// The files setup puts into the Windows folder: the uninstaller, the
// message library and the uninstaller settings file. Their names come from
// the CD, and the Windows folder holds the system's own files and other
// programs' files of the same names: a name is used only when it is a
// plain file name of no system file, and a file already there is replaced
// only when it is this system's own (its version record's mark, or the
// very bytes setup would put there). Beside another program's file setup
// takes a free name, which the record and the Add/Remove Programs entry
// then carry, so that the other program keeps its file.
#include "setup/windowsfiles.h"
#include "setup/config.h"
#include "setup/version.h"
#include "common/text.h"
#include "common/ui.h"
#include "platform/component.h"

// The system's own INI files of the Windows folder: settings of every
// program (WIN.INI), the ones Windows starts with (SYSTEM.INI, and
// PROTOCOL.INI for its network), the operations pending at the next start
// (WININIT.INI) and those of the Control Panel and the Program Manager.
static const char *const SystemIniFiles[] = {
    "WIN.INI", "SYSTEM.INI", "WININIT.INI", "CONTROL.INI", "PROGMAN.INI", "PROTOCOL.INI",
};

// Device names, which name no file with any extension.
static const char *const DeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};

// 1 when the stem of name (up to its first dot, blanks at its end not
// counted) is a device's name: CON, COM1 to COM9, LPT1 to LPT9 ...
static int IsDeviceName(const char *name)
{
    char stem[16];
    int n = 0;
    while (name[n] && name[n] != '.' && n < (int)sizeof stem - 1) {
        stem[n] = name[n];
        n++;
    }
    if (name[n] && name[n] != '.')
        return 0;  // longer than any device name
    while (n > 0 && stem[n - 1] == ' ')
        n--;
    stem[n] = '\0';
    for (const char *device : DeviceNames)
        if (!lstrcmpiA(stem, device))
            return 1;
    if (n != 4 || stem[3] < '1' || stem[3] > '9')
        return 0;
    stem[3] = '\0';
    return !lstrcmpiA(stem, "COM") || !lstrcmpiA(stem, "LPT");
}

// 1 for the characters that no file name holds.
static int IsForbiddenInName(unsigned char c)
{
    for (const char *p = "<>:\"/\\|?*"; *p; p++)
        if (c == (unsigned char)*p)
            return 1;
    return c < 0x20;
}

int FileNameFault(const char *name, LeadByteTest isLead)
{
    if (!name[0])
        return NAME_NOT_PLAIN;
    int dotsOnly = 1;
    unsigned char last = 0;
    for (const unsigned char *p = (const unsigned char *)name; *p; p++) {
        last = *p;
        if (isLead(*p) && p[1]) {
            p++;  // a trail byte may have any value, a backslash's too
            dotsOnly = 0;
            last = 'x';
            continue;
        }
        if (IsForbiddenInName(*p))
            return NAME_NOT_PLAIN;
        if (*p != '.')
            dotsOnly = 0;
    }
    if (dotsOnly || last == '.' || last == ' ' || IsDeviceName(name))
        return NAME_NOT_PLAIN;
    return NAME_GOOD;
}

// Lead bytes of the system's code page.
static int IsSystemLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte);
}

int WindowsNameFault(const char *name, int blankFree)
{
    int fault = FileNameFault(name, IsSystemLeadByte);
    if (fault)
        return fault;
    for (const char *system : SystemIniFiles)
        if (!lstrcmpiA(name, system))
            return NAME_OF_SYSTEM;
    if (blankFree)
        for (const char *p = name; *p; p = CharNextA(p))
            if (*p == ' ')
                return NAME_BLANK;
    return NAME_GOOD;
}

const char *WindowsNameFaultText(int fault)
{
    switch (fault) {
    case NAME_NOT_PLAIN:
        return "is not a plain file name of the Windows folder.";
    case NAME_BLANK:
        return "holds a blank, where the uninstall command line would split.";
    case NAME_OF_SYSTEM:
        return "names a file of the system.";
    case NAME_TAKEN:
        return "is the name of another file that setup puts into the Windows folder.";
    case NAME_NOT_A_RECORD:
        return "names a file in the Windows folder that is no installation record.";
    default:
        return "";
    }
}

int WindowsNameFaultAmong(const WindowsName *names, int index)
{
    int fault = WindowsNameFault(names[index].value, names[index].blankFree);
    for (int j = 0; j < index && !fault; j++)
        if (!lstrcmpiA(names[index].value, names[j].value))
            fault = NAME_TAKEN;
    return fault;
}

void SettingsWindowsNames(WindowsName (&names)[WINDOWS_NAMES])
{
    names[0] = {"UnInstExe", Settings.UnInstExe, 1};
    names[1] = {"IniFileName", Settings.IniFileName, 0};
    names[2] = {"LoadMsgModule", Settings.LoadMsgModule, 0};
}

void ShowWindowsNameFault(const char *key, const char *value, int fault)
{
    char text[PATH_CAP + 160];
    TextFormat(text, sizeof text, "%s \"%s\" %s", key, value, WindowsNameFaultText(fault));
    ShowBox(text, "Setup Initialize error", BOX_ALERT);
}

int CheckWindowsFileNames()
{
    WindowsName names[WINDOWS_NAMES];
    SettingsWindowsNames(names);
    for (int i = 0; i < WINDOWS_NAMES; i++) {
        int fault = WindowsNameFaultAmong(names, i);
        if (fault) {
            ShowWindowsNameFault(names[i].key, names[i].value, fault);
            return 0;
        }
    }
    return 1;
}

// ---- the proof of a file

// 1 when the file a holds the same bytes as b, or (whole 0) the bytes b
// begins with.
static int SameBytes(const char *a, const char *b, int whole = 1)
{
    HANDLE fa = CreateFileA(a, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    HANDLE fb = CreateFileA(b, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    int same = fa != INVALID_HANDLE_VALUE && fb != INVALID_HANDLE_VALUE &&
               (whole ? GetFileSize(fa, 0) == GetFileSize(fb, 0)
                      : GetFileSize(fa, 0) <= GetFileSize(fb, 0));
    char bufferA[4096], bufferB[4096];
    DWORD readA = 0, readB = 0;
    while (same && ReadFile(fa, bufferA, sizeof bufferA, &readA, 0) &&
           ReadFile(fb, bufferB, sizeof bufferB, &readB, 0) && readA) {
        same = readA == readB || (!whole && readA < readB);
        for (DWORD i = 0; same && i < readA; i++)
            same = bufferA[i] == bufferB[i];
    }
    same = same && readA == 0 && (!whole || readB == 0);
    if (fa != INVALID_HANDLE_VALUE)
        CloseHandle(fa);
    if (fb != INVALID_HANDLE_VALUE)
        CloseHandle(fb);
    return same;
}

int IsOwnWindowsFile(const char *path, const char *component, const char *source)
{
    char mark[32];
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    if (GetVersionText(path, COMPONENT_KEY, mark, sizeof mark) && !lstrcmpA(mark, component))
        return 1;
    return SameBytes(path, source);
}

int TakeBackUnfinishedCopy(const char *dir, const char *name, const char *source)
{
    char path[PATH_CAP];
    return JoinPath(path, dir, name) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES &&
           SameBytes(path, source, 0) && DeleteFileA(path);
}

// The index-th name beside wanted (1 to 9): the digit after the stem, the
// stem cut to whole characters so that the name fits capacity. 0 when no
// character of the stem is left.
static int CandidateName(const char *wanted, int index, char *out, int capacity)
{
    const char *extension = wanted + lstrlenA(wanted);
    for (const char *p = wanted; *p; p = CharNextA(p))
        if (*p == '.')
            extension = p;
    int room = capacity - 2 - lstrlenA(extension);  // the digit and the zero
    const char *end = wanted;
    while (end < extension && CharNextA(end) - wanted <= room)
        end = CharNextA(end);
    if (end == wanted)
        return 0;
    TextCopy(out, wanted, (int)(end - wanted) + 1);
    char digit[2] = {(char)('0' + index), '\0'};
    return TextAppend(out, digit, capacity) && TextAppend(out, extension, capacity);
}

int ChooseWindowsFileName(const char *dir, const char *wanted, const char *component,
                          const char *source, char *chosen, int capacity)
{
    char path[PATH_CAP];
    for (int index = 0; index <= 9; index++) {
        if (index == 0 ? !TextCopy(chosen, wanted, capacity)
                       : !CandidateName(wanted, index, chosen, capacity))
            return 0;
        if (!JoinPath(path, dir, chosen))
            return 0;
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ||
            IsOwnWindowsFile(path, component, source))
            return 1;
    }
    return 0;
}
