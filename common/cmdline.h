// The command lines of both programs, read by the Windows argument rules
// (those of the C runtime's start-up and of CommandLineToArgvW), so that an
// install script may quote an argument as every process library does:
// blanks and tabs separate arguments outside double quotes; 2n backslashes
// before a '"' give n backslashes and the '"' starts or ends the quoting;
// 2n+1 backslashes before a '"' give n backslashes and a literal '"';
// other backslashes are taken as they are; in a run of double quotes
// every third (counting an opening one) is a literal '"'. A double-byte character is
// taken whole, so that its second byte is never read as a backslash.
//
// Options begin with '/' or '-' (the same option either way) and their
// names are matched in any letter case: "/S", "-s", "/LOG=<file>".
#ifndef COMMON_CMDLINE_H
#define COMMON_CMDLINE_H

#include <windows.h>

#define ARGUMENT_CAP 1024

// One argument of a command line.
struct Argument {
    const char *start;        // its first byte in the line
    const char *end;          // just past its last byte in the line
    char text[ARGUMENT_CAP];  // its text, the quoting taken out
    int fits;                 // 0 when the text was cut to ARGUMENT_CAP - 1
};

// Reads the argument after *line (and the blanks and tabs before it) and
// moves *line past it. 0, with nothing read, at the end of the line.
int NextArgument(const char **line, Argument *argument);

// 1 when the argument is the switch "/name" or "-name".
int IsSwitch(const Argument &argument, const char *name);
// The value of an option "/name=value" or "-name=value" (name given with
// its "="); 0 when the argument is not that option.
const char *OptionValue(const Argument &argument, const char *name);

#endif
