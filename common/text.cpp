// Bounded text helpers (see text.h).
#include "text.h"
#include <stdarg.h>
#include <stdio.h>

int TextCopy(char *dst, const char *src, int capacity)
{
    if (capacity <= 0)
        return 0;
    int i = 0;
    for (; i < capacity - 1 && src[i]; i++)
        dst[i] = src[i];
    dst[i] = '\0';
    return src[i] == '\0';
}

int TextAppend(char *dst, const char *src, int capacity)
{
    int len = lstrlenA(dst);
    if (len >= capacity)
        return 0;
    return TextCopy(dst + len, src, capacity - len);
}

int TextFormat(char *dst, int capacity, const char *format, ...)
{
    if (capacity <= 0)
        return 0;
    va_list args;
    va_start(args, format);
    // msvcrt's _vsnprintf returns -1 (or capacity) and leaves the text
    // unterminated when it does not fit.
    int n = _vsnprintf(dst, capacity, format, args);
    va_end(args);
    dst[capacity - 1] = '\0';
    return n >= 0 && n < capacity;
}

// The start of the last character of text, or 0 for the empty text.
static const char *LastChar(const char *text)
{
    const char *last = 0;
    for (const char *p = text; *p; p = CharNextA(p))
        last = p;
    return last;
}

int EndsWithBackslash(const char *text)
{
    const char *last = LastChar(text);
    return last && last[0] == '\\' && CharNextA(last) == last + 1;
}

int AppendBackslash(char *text, int capacity)
{
    if (EndsWithBackslash(text))
        return 1;
    return TextAppend(text, "\\", capacity);
}

void RemoveBackslash(char *text)
{
    char *last = const_cast<char *>(LastChar(text));
    if (last && last[0] == '\\' && CharNextA(last) == last + 1)
        *last = '\0';
}
