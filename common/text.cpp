// Bounded text helpers (see text.h).
#include "text.h"
#include <stdarg.h>

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

// Appends one character at *pos unless the buffer is full; the count goes
// on, so the caller learns whether everything fitted.
static void PutChar(char *dst, int capacity, int *pos, char c)
{
    if (*pos < capacity - 1)
        dst[*pos] = c;
    (*pos)++;
}

// Appends text padded on the left to width with pad ('0' or ' '); the
// zeros of a number go after its minus sign.
static void PutField(char *dst, int capacity, int *pos, const char *text,
                     int width, char pad, int number)
{
    int n = lstrlenA(text);
    if (number && pad == '0' && *text == '-') {
        PutChar(dst, capacity, pos, *text++);
        width--;
        n--;
    }
    for (; n < width; n++)
        PutChar(dst, capacity, pos, pad);
    for (; *text; text++)
        PutChar(dst, capacity, pos, *text);
}

// The digits of value in base 10 or 16 (lower case), with a leading '-'
// when negative is set, written into digits (12 bytes at least).
static const char *NumberText(char *digits, unsigned value, unsigned base,
                              int negative)
{
    char *p = digits + 11;
    *p = '\0';
    do {
        *--p = "0123456789abcdef"[value % base];
        value /= base;
    } while (value);
    if (negative)
        *--p = '-';
    return p;
}

int TextFillIn(char *dst, int capacity, const char *pattern, const char *value)
{
    if (capacity <= 0)
        return 0;
    const char *at = pattern;
    while (*at && !(at[0] == '%' && at[1] == 's'))
        at = CharNextA(at);
    int head = static_cast<int>(at - pattern);
    int whole = head < capacity;
    TextCopy(dst, pattern, whole ? head + 1 : capacity);
    if (!*at)
        return whole;
    return TextAppend(dst, value, capacity) && TextAppend(dst, at + 2, capacity) &&
           whole;
}

// A formatter of our own, since the shipped modules have no C runtime and
// the system's wvsprintfA stops at 1024 bytes: %s, %c, %d, %u, %x with an
// optional '0' flag and width, and %%. That is all the programs format.
int TextFormat(char *dst, int capacity, const char *format, ...)
{
    if (capacity <= 0)
        return 0;
    va_list args;
    va_start(args, format);
    int pos = 0;
    for (const char *f = format; *f; f++) {
        if (*f != '%') {
            PutChar(dst, capacity, &pos, *f);
            continue;
        }
        char pad = ' ';
        int width = 0;
        if (*++f == '0') {
            pad = '0';
            f++;
        }
        for (; *f >= '0' && *f <= '9'; f++)
            width = width * 10 + (*f - '0');
        char digits[12];
        const char *text = "";
        int number = *f == 'd' || *f == 'u' || *f == 'x';
        switch (*f) {
        case 's':
            text = va_arg(args, const char *);
            if (!text)
                text = "(null)";
            break;
        case 'c':
            digits[0] = static_cast<char>(va_arg(args, int));
            digits[1] = '\0';
            text = digits;
            break;
        case '\0':  // a '%' that ends the format
            f--;
            continue;
        case 'd': {
            int value = va_arg(args, int);
            unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value)
                                           : static_cast<unsigned>(value);
            text = NumberText(digits, magnitude, 10, value < 0);
            break;
        }
        case 'u':
            text = NumberText(digits, va_arg(args, unsigned), 10, 0);
            break;
        case 'x':
            text = NumberText(digits, va_arg(args, unsigned), 16, 0);
            break;
        default:  // "%%", or a conversion not of ours: the character itself
            digits[0] = *f;
            digits[1] = '\0';
            text = digits;
            break;
        }
        PutField(dst, capacity, &pos, text, width, pad, number);
    }
    va_end(args);
    dst[pos < capacity - 1 ? pos : capacity - 1] = '\0';
    return pos < capacity;
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

int JoinPath(char *out, const char *dir, const char *name)
{
    return TextCopy(out, dir, PATH_CAP) && AppendBackslash(out, PATH_CAP) &&
           TextAppend(out, name, PATH_CAP);
}

int BytesEqual(const char *a, const char *b)
{
    while (*a && *a == *b)
        a++, b++;
    return *a == *b;
}

// An ASCII letter in lower case; every other byte as it is.
static char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

int BytesEqualNoCase(const char *a, const char *b)
{
    while (*a && FoldAscii(*a) == FoldAscii(*b))
        a++, b++;
    return FoldAscii(*a) == FoldAscii(*b);
}
