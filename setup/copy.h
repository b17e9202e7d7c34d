// The copy of one file, complete or not at all (copy.cpp).
#ifndef SETUP_COPY_H
#define SETUP_COPY_H

#include <windows.h>

int CopyOneFile(const char *source, const char *dest);
// The one copy of a file that every copy uses: CopyFileA (overwrite
// allowed) and SetFileAttributesA(FILE_ATTRIBUTE_NORMAL) in one routine,
// complete or failed (every read checked, the size too), an existing dest
// replaced only by a complete copy; betweenReads (may be 0) runs between
// the reads of a long file. FALSE with the error for ReportCopyError.
BOOL CopyAsNormalFile(const char *source, const char *dest, void (*betweenReads)());
int CopyIfNewer(const char *source, const char *dest);  // 0, 1 copied, 2 current
// 1 when the installed file is at least as new as the source in every
// field and need not be replaced. Ends setup when a version is unreadable.
int IsInstalledFileCurrent(const char *source, const char *installed);
// Shows a file copy failure (caption "Setup File Copy", warning icon).
void ShowCopyWarning(const char *text);
// Tells why a copy failed: access, sharing and a full disk in their own
// texts (caption "Setup File Copy"), anything else as "File Copy Error"
// with the caller's caption; an unattended run's log names the error
// number and dest.
void ReportCopyError(DWORD error, const char *otherCaption, const char *dest);

#endif
