// The start-up of the shipped programs and libraries, without the C
// runtime: Windows 95 as shipped has no msvcrt.dll. entry.cpp holds the
// entry points; the command-line rule lives here so that the tests, which
// keep the ordinary runtime, can check it.
#ifndef COMMON_ENTRY_H
#define COMMON_ENTRY_H

// WinMain's command line: the process command line past the program name
// and the blanks after it, read the way the runtime's start-up code did.
// The name ends at the first blank or control character outside double
// quotes; every '"' in it toggles the quoting. The comparisons are on
// signed chars, as that code's were, so a byte of 0x80 or above ends an
// unquoted name and is skipped with the blanks after it.
inline const char *ProgramArguments(const char *commandLine)
{
    const signed char *p = reinterpret_cast<const signed char *>(commandLine);
    int quoted = 0;
    while (*p > ' ' || (*p && quoted)) {
        if (*p == '"')
            quoted = !quoted;
        p++;
    }
    while (*p && *p <= ' ')
        p++;
    return reinterpret_cast<const char *>(p);
}

#endif
