// Bounded text helpers: every copy into a fixed buffer goes through these.
// A text that does not fit is cut at capacity minus one bytes, as the
// profile reader does, and always terminated; nothing is written past the
// buffer. Each returns 1 when the whole text fitted, 0 when it was cut.
#ifndef COMMON_TEXT_H
#define COMMON_TEXT_H

#include <windows.h>

// Capacity of every path buffer of the programs and libraries: the longest
// path Win32 takes, with its terminating zero.
#define PATH_CAP 260

int TextCopy(char *dst, const char *src, int capacity);
int TextAppend(char *dst, const char *src, int capacity);
// Formats %s, %c, %d, %u, %x (with an optional '0' flag and width) and %%.
int TextFormat(char *dst, int capacity, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

// A text of a message library with a value put in: the first "%s" of
// pattern is replaced by value, and every other byte is taken as it is, so
// that a translation with more (or other) '%' signs than ours cannot read
// an argument that does not exist. Double-byte aware.
int TextFillIn(char *dst, int capacity, const char *pattern, const char *value);

// Appends "\" unless the text already ends in a single-byte backslash.
// Steps with CharNextA, so the second byte of a double-byte character
// (0x5C in code page 932) is never taken for a backslash. "" becomes "\".
int AppendBackslash(char *text, int capacity);
// Removes the last character if it is a single-byte backslash.
void RemoveBackslash(char *text);
// 1 when the text ends in a single-byte backslash (double-byte aware).
int EndsWithBackslash(const char *text);

// Two texts compared as the bytes they are: 1 when equal. Names kept as
// UTF-8 (common/filenames.h) are no text of the system's code page, and
// the locale's comparison (lstrcmp) could take two different names for one.
// The NoCase form folds only the letters of ASCII (for UTF-8, whose
// multi-byte characters hold no ASCII byte; see SameName for a name).
int BytesEqual(const char *a, const char *b);
int BytesEqualNoCase(const char *a, const char *b);

// dir + "\" (unless dir ends with one) + name into a PATH_CAP buffer.
// 1 when the whole path fitted; a path that does not fit is never used.
int JoinPath(char *out, const char *dir, const char *name);

// Array forms: the capacity is the array's size.
template <int N> inline int TextCopy(char (&dst)[N], const char *src)
{ return TextCopy(dst, src, N); }
template <int N> inline int TextAppend(char (&dst)[N], const char *src)
{ return TextAppend(dst, src, N); }
template <int N> inline int AppendBackslash(char (&text)[N])
{ return AppendBackslash(text, N); }

#endif
