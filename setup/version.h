// The file version query (version.cpp).
#ifndef SETUP_VERSION_H
#define SETUP_VERSION_H

#include <windows.h>

int GetFileVersionString(const char *path, char *version);  // 32 bytes
// Any string of the version record by its key ("FileVersion").
int GetVersionText(const char *path, const char *key, char *text, int capacity);
// How an installed file's version stands to its source's: current when it
// is at least as new in every field; otherwise older, or one of the two
// versions could not be read. The caller decides what that means.
#define VERSION_CURRENT              1
#define VERSION_OLDER                0
#define VERSION_SOURCE_UNREADABLE    2
#define VERSION_INSTALLED_UNREADABLE 3
int CompareInstalledVersion(const char *source, const char *installed);
// 1 only when both versions are read and the installed one is the newer;
// never ends setup.
int IsInstalledFileNewer(const char *source, const char *installed);

#endif
