// Rules by which setup reads the settings: a figure, the files of a
// minimal install, the documents and the machine choice. The CD checker
// (check/) applies the very same ones.
#ifndef SETUP_RULES_H
#define SETUP_RULES_H

#include <windows.h>

// A decimal figure such as RequiresDskSpc: leading blanks skipped, an
// optional sign, digits up to the first non-digit (ten digits exceed 32
// bits, so the figure is taken in 64).
inline LONGLONG ReadDecimal(const char *text)
{
    const char *p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    int negative = 0;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    LONGLONG value = 0;
    for (; *p >= '0' && *p <= '9'; p++)
        value = value * 10 + (*p - '0');
    return negative ? -value : value;
}

// Both minimal-install rules: the text after the first "." of the whole
// source path is exactly "AVI" or "TEX" (letter case counts).
inline int IsLeftOutOfMinimal(const char *source)
{
    const char *p = source;
    while (*p && *p != '.')
        p++;
    if (!*p)
        return 0;
    p++;
    return (p[0] == 'A' && p[1] == 'V' && p[2] == 'I' && !p[3]) ||
           (p[0] == 'T' && p[1] == 'E' && p[2] == 'X' && !p[3]);
}

// The documents an installation copies, as the settings decide (setup's
// copy and the CD checker alike): DOC_HELP when DocPath, HelpTitle and
// both help file names are given, DOC_TEXT when DocPath and both text
// file names are, DOC_TEXT_ITEM besides when the text has a title (its
// program item). Given means other than "None", where letter case counts.
enum { DOC_HELP = 1, DOC_TEXT = 2, DOC_TEXT_ITEM = 4 };
int InstalledDocuments();
// A machine number (the SelectMachine setting, the /MACHINE= option) as
// its choice: "1" to "3" give 149, 113, 147; 0 for another.
UINT MachineChoice(const char *text);

#endif
