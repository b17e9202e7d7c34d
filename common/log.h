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

// The leading options of a command line. Each returns the text after the
// option and its blanks, or 0 when the text does not begin with it.
// "/S", "/MINIMAL": a switch, matched in any letter case.
const char *SkipSwitch(const char *text, const char *name);
// "/LOG=", "/D=", "/MACHINE=": the value, quoted ("...") or else up to the
// next blank (or, with toNextOption, up to the next " /" or the end, so
// that an unquoted path may hold blanks), copied into value (capacity
// bytes); 0 also when it does not fit.
const char *SkipValue(const char *text, const char *name, char *value,
                      int capacity, int toNextOption);

#endif
