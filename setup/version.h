// The file version query (version.cpp).
#ifndef SETUP_VERSION_H
#define SETUP_VERSION_H

#include <windows.h>

int GetFileVersionString(const char *path, char *version);  // 32 bytes
// Any string of the version record by its key ("FileVersion").
int GetVersionText(const char *path, const char *key, char *text, int capacity);
int IsInstalledFileCurrent(const char *source, const char *installed);
// 1 only when both versions are read and the installed one is the newer;
// never ends setup.
int IsInstalledFileNewer(const char *source, const char *installed);

#endif
