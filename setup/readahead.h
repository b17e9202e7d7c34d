// The source side of a copy (readahead.cpp).
#ifndef SETUP_READAHEAD_H
#define SETUP_READAHEAD_H

#include <windows.h>

// A copy's source: opened by OpenCopySource (on this thread, or taken from
// the reader that runs ahead of the tree copy), read by ReadCopySource in
// pieces of at most COPY_PIECE bytes, closed by CloseCopySource.
const DWORD COPY_PIECE = 64 * 1024;
// The size of the read after done bytes: the rest, at most a piece.
inline DWORD CopyPieceSize(ULONGLONG size, ULONGLONG done)
{
    return size - done < COPY_PIECE ? (DWORD)(size - done) : COPY_PIECE;
}
struct CopySource {
    ULONGLONG size;
    FILETIME written;   // last-write time
    HANDLE handle;      // read here (not queued)
    int queued;         // read ahead by the reader
    int held, unread;   // a queued source's slot in hand, its read not taken
};
// 0 with the error of the failing step (nothing to close then).
int OpenCopySource(const char *source, CopySource *from);
// One read of want bytes (the rest of the file, at most a piece): the
// bytes at *data, valid until the next call; 0 with the read's error.
int ReadCopySource(CopySource *from, DWORD want, const BYTE **data, DWORD *got);
void CloseCopySource(CopySource *from);
// The trees' listing as the count walks it, kept for the reader and the
// copy, which then list nothing themselves: each file and folder by its
// name in its listing's order (first: its listing's first entry, as
// WalkDirectory tells it), a folder's entries after it and then its end;
// the end of each tree (after its entries); a folder that could not be
// listed. At most 4 MB: of a longer listing the reader reads ahead what
// was kept, and the copy lists the trees itself.
enum ListedKind { LISTED_FILE = 'F', LISTED_FOLDER = 'D', LISTED_END = 'E', LISTED_UNLISTED = 'X' };
void KeepListed(ListedKind kind, const char *name = 0, int first = 0);
void ForgetListed();  // before a new count; StopReadAhead forgets it too
int ListedWhole();    // 1 when no entry of the count was left out
// The kept entry at *at, and *at moved past it; 0 at the end of what
// was kept. name is "" for an end or a folder not listed.
int NextListed(SIZE_T *at, ListedKind *kind, const char **name, int *first);
// The reader of the tree copy: reads the files of the trees at source1
// and source2 (0 for none) ahead of the copy, in the copy's order, by the
// kept listing, into 2 MB at most. Without it (no thread) the copy reads
// for itself.
void StartReadAhead(const char *source1, const char *source2);
void StopReadAhead();

#endif
