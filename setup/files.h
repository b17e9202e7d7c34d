// Single-file copy, documents and program items (files.cpp).
#ifndef SETUP_FILES_H
#define SETUP_FILES_H

#include <windows.h>

int CopyOneFile(const char *source, const char *dest);
// The one copy of a file that every copy uses: CopyFileA (overwrite
// allowed) and SetFileAttributesA(FILE_ATTRIBUTE_NORMAL) in one routine,
// complete or failed (every read checked, the size too), an existing dest
// replaced only by a complete copy; betweenReads (may be 0) runs between
// the reads of a long file. FALSE with the error for ReportCopyError.
BOOL CopyAsNormalFile(const char *source, const char *dest, void (*betweenReads)());
int CopyIfNewer(const char *source, const char *dest);  // 0, 1 copied, 2 current
// Tells why a copy failed: access, sharing and a full disk in their own
// texts (caption "Setup File Copy"), anything else as "File Copy Error"
// with the caller's caption; an unattended run's log names the error
// number and dest.
void ReportCopyError(DWORD error, const char *otherCaption, const char *dest);
// The documents and program items; 0 when one of them is missing (after
// its log line; a document that cannot be copied ends setup at once).
int InstallDocuments();

#endif
