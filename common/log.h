// The log of an unattended run: one line per step and per message, appended
// to the file named by /LOG= (never truncated), in the bytes of the texts
// themselves (the language's code page). Without an open log nothing is
// written.
#ifndef COMMON_LOG_H
#define COMMON_LOG_H

#include <windows.h>

// Opens (or creates) the log for appending; 0 when it cannot be opened.
int OpenLog(const char *path);
// Writes one line: "<program>: <text>", line breaks in text made blanks.
void LogLine(const char *text);
// Writes one line of a message box: "<program>: [caption] text".
void LogMessage(const char *caption, const char *text);

#endif
