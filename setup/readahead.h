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
// The reader of the tree copy: reads the files of the trees at source1
// and source2 (0 for none) ahead of the copy, by the copy's walk of the
// kept listing (treewalk.h), into 2 MB at most. Without it (no thread)
// the copy reads for itself.
void StartReadAhead(const char *source1, const char *source2);
void StopReadAhead();

#endif
