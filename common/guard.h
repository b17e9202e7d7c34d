// The protected-folder guard of the removals (guard.cpp): the aliases of a
// folder that it must see through, and the judgement of a name. Paths are
// MAX_PATH buffers.
#ifndef COMMON_GUARD_H
#define COMMON_GUARD_H

#include <windows.h>

// 1 for "\\?\..." and "\\.\...": device paths, refused outright.
int IsDevicePath(const char *path);
// 1 for "\\server\share$\...": administrative shares, refused outright.
int IsAdministrativeShare(const char *path);
// Takes trailing dots and blanks off every component of a full path.
void StripTrailingDotsAndBlanks(char *path);
// The long form of an absolute path (GetLongPathNameA where the system has
// it, else component by component). 0 when it does not fit.
int LongPathOf(const char *absolute, char *full);
// 1 and the folder a SUBST drive letter of full stands for (with the rest
// of full) in alias; 0 for an ordinary drive.
int DriveAliasOf(const char *full, char *alias);
// 1 and the path the system reaches when it opens full, links followed.
int FinalPathOf(const char *full, char *final);
// 1 under Wine for the Unix root, its top-level folders, and the user's
// Unix home and every folder above it.
int IsWineHostFolder(const char *path);

// The one form of a path that a removal acts on, in resolved (MAX_PATH
// bytes): absolute, the folder above it resolved (long names, trailing
// dots and blanks, links and SUBST drives on the way), its own long name,
// no trailing backslash. 0 for a relative path, a bare drive ("S:"), a
// path that is not at least one component below a drive or share root, or
// one that cannot be resolved.
int ResolveRemovalPath(const char *path, char *resolved);
// IsProtectedDirectory (common/removal.h) of a path given as a name.
int IsProtectedName(const char *dir);
// 1 when a and b name the same folder: the same file system object where
// both exist and the system can tell, else the same resolved path.
int IsSameFolder(const char *a, const char *b);
// 1 when one of the folders a and b (text of the system's code page) lies
// inside the other, or either cannot be resolved (the removal of one
// might then reach the other).
int FoldersNest(const char *a, const char *b);

#endif
