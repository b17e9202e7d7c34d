// The protection decision of the removals (protection.cpp): the folders
// that no removal may take, under any of their names. Paths are MAX_PATH
// buffers.
#ifndef COMMON_PROTECTION_H
#define COMMON_PROTECTION_H

#include <windows.h>

// 1 for "\\server\share$\...": administrative shares, refused outright.
int IsAdministrativeShare(const char *path);
// 1 under Wine for the Unix root, its top-level folders, and the user's
// Unix home and every folder above it.
int IsWineHostFolder(const char *path);
// IsProtectedDirectory (common/removal.h) of a path given as a name.
int IsProtectedName(const char *dir);

#endif
