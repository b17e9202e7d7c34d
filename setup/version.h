// The file version query (version.cpp).
#ifndef SETUP_VERSION_H
#define SETUP_VERSION_H

#include <windows.h>

int GetFileVersionString(const char *path, char *version);  // 32 bytes
void ParseFileVersion(const char *version, int fields[4]);
int IsVersionAtLeast(const int candidate[4], const int reference[4]);
int IsInstalledFileCurrent(const char *source, const char *installed);

#endif
