// The log of an unattended run and the reading of the command-line options
// that ask for one (see log.h).
#include "common/log.h"
#include "common/text.h"

static HANDLE LogFile = INVALID_HANDLE_VALUE;
static char ProgramName[32];

int OpenLog(const char *path)
{
    LogFile = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (LogFile == INVALID_HANDLE_VALUE)
        return 0;
    SetFilePointer(LogFile, 0, nullptr, FILE_END);
    // The program's own file name, so that one log can serve both programs.
    char module[PATH_CAP];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    const char *name = module;
    for (DWORD i = 0; i < n && i < sizeof module; i++)
        if (module[i] == '\\' || module[i] == '/')
            name = module + i + 1;
    TextCopy(ProgramName, n && n < sizeof module ? name : "setup");
    return 1;
}

// Appends bytes to the log as they are.
static void Write(const char *text)
{
    DWORD written;
    WriteFile(LogFile, text, lstrlenA(text), &written, nullptr);
}

// Appends text with its line breaks made blanks: one message, one line.
static void WriteOneLine(const char *text)
{
    char part[256];
    int n = 0;
    for (const char *p = text; *p; p++) {
        part[n++] = (*p == '\r' || *p == '\n') ? ' ' : *p;
        if (n == sizeof part - 1) {
            part[n] = '\0';
            Write(part);
            n = 0;
        }
    }
    part[n] = '\0';
    Write(part);
}

// One line of the log: "<program>: [caption] text", without the caption
// part when there is none.
static void WriteEntry(const char *caption, const char *text)
{
    if (LogFile == INVALID_HANDLE_VALUE)
        return;
    Write(ProgramName);
    Write(": ");
    if (caption) {
        Write("[");
        WriteOneLine(caption);
        Write("] ");
    }
    WriteOneLine(text);
    Write("\r\n");
}

void LogLine(const char *text)
{
    WriteEntry(nullptr, text);
}

void LogMessage(const char *caption, const char *text)
{
    WriteEntry(caption, text);
}

// The text after name (any letter case) when text begins with it.
static const char *SkipName(const char *text, const char *name)
{
    int n = lstrlenA(name);
    char head[16];
    if (n >= (int)sizeof head)
        return nullptr;
    int i = 0;
    for (; i < n && text[i]; i++)
        head[i] = text[i];
    head[i] = '\0';
    return i == n && lstrcmpiA(head, name) == 0 ? text + n : nullptr;
}

static const char *SkipBlanks(const char *text)
{
    while (*text == ' ' || *text == '\t')
        text++;
    return text;
}

const char *SkipSwitch(const char *text, const char *name)
{
    const char *rest = SkipName(text, name);
    if (!rest || (*rest && *rest != ' ' && *rest != '\t'))
        return nullptr;
    return SkipBlanks(rest);
}

// 1 when the unquoted value ends at p.
static int ValueEnds(const char *p, int toNextOption)
{
    if (!toNextOption)
        return *p == ' ' || *p == '\t';
    const char *next = SkipBlanks(p);
    return next != p && *next == '/';
}

const char *SkipValue(const char *text, const char *name, char *value,
                      int capacity, int toNextOption)
{
    const char *p = SkipName(text, name);
    if (!p)
        return nullptr;
    int quoted = *p == '"';
    if (quoted)
        p++;
    int n = 0;
    for (; *p && (quoted ? *p != '"' : !ValueEnds(p, toNextOption)); p++) {
        if (n == capacity - 1)
            return nullptr;
        value[n++] = *p;
    }
    while (!quoted && n > 0 && (value[n - 1] == ' ' || value[n - 1] == '\t'))
        n--;
    value[n] = '\0';
    if (quoted && *p++ != '"')
        return nullptr;
    return SkipBlanks(p);
}
