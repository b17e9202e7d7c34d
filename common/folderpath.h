// Path resolution for the removals (folderpath.cpp): the aliases of a
// folder that a removal must see through, the one form of a path it acts
// on, and the comparison of folders. Paths are MAX_PATH buffers.
#ifndef COMMON_FOLDERPATH_H
#define COMMON_FOLDERPATH_H

#include <windows.h>

// The path after an NT prefix "\??\", or 0 when it has none.
const char *AfterNtPrefix(const char *path);
// 1 for "\\?\..." and "\\.\...": device paths, refused outright.
int IsDevicePath(const char *path);
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
// 1 and the Unix path of path under Wine, without a trailing "/" ("/"
// itself stays), in unix; 0 outside Wine or when the path has none.
int UnixPathOf(const char *path, char *unix);
// The full, long form of path without a trailing backslash (a drive root
// keeps its "X:\") and without the trailing dots and blanks of its
// components, in full; 0 when it cannot be resolved.
int ResolveDirectory(const char *path, char *full);

// The one form of a path that a removal acts on, in resolved (MAX_PATH
// bytes): absolute, the folder above it resolved (long names, trailing
// dots and blanks, links and SUBST drives on the way), its own long name,
// no trailing backslash. 0 for a relative path, a bare drive ("S:"), a
// path that is not at least one component below a drive or share root, or
// one that cannot be resolved.
int ResolveRemovalPath(const char *path, char *resolved);
// 1 when a and b name the same folder: the same file system object where
// both exist and the system can tell, else the same resolved path.
int IsSameFolder(const char *a, const char *b);
// 1 when one of the folders a and b (text of the system's code page) lies
// inside the other, or either cannot be resolved (the removal of one
// might then reach the other).
int FoldersNest(const char *a, const char *b);

#endif
