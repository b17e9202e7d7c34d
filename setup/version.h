// The file version query (version.cpp).
#ifndef SETUP_VERSION_H
#define SETUP_VERSION_H

#include <windows.h>

int GetFileVersionString(const char *path, char *version);  // 32 bytes
int IsInstalledFileCurrent(const char *source, const char *installed);

#endif
