// Path operations of the setup program (paths.cpp).
#ifndef SETUP_PATHS_H
#define SETUP_PATHS_H

#include <windows.h>

// Fixes DrivePrefix ("Q:") from the current directory's drive letter; ""
// without one (a network path) or when it cannot be read.
void FixDrivePrefix();
// The drive prefix of a path by the same rule ("Q:", or "").
void DrivePrefixOf(const char *path, char (&prefix)[3]);
int ProbePath(const char *path);             // 0 none, 1 file, 2 directory
// Creates every missing directory of a full path; 1 when it is there.
int MakeDirectoryPath(const char *path);
// The same two for a path given as a name (common/filenames.h): a path
// below a destination that holds names from the CD.
int ProbeName(const char *name);
int MakeDirectoryName(const char *name);

#endif
