// The log of an unattended run (see log.h).
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
    if (!text)
        text = "";  // never a null text, whatever a library hands over
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
