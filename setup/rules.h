// Rules by which setup reads a figure and chooses the files of a minimal
// install. Inline here so that the CD checker (check/) applies the very
// same rules without linking the copy and the dialogs.
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

#endif
