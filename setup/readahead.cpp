// The source side of every copy: a source file opened and read, either
// here on the copy's own thread or ahead of the tree copy by a reader on a
// thread of its own. The reader goes through the product trees by the
// copy's own walk (treewalk.h) over the listing that the count kept, opens
// each file and reads it in the copy's pieces into a bounded ring of
// slots, so that the CD is read while the copy writes the files before.
// Each slot holds the outcome of one step on the source as it happened
// (the open with the size and time, or one read with its bytes or its
// error); the copy takes the steps in the same order and meets each
// outcome where it would have met it reading itself, a failing read
// included. The reader only reads: every file is written, and every
// message shown, by the copy on its own thread. A file that is not the
// next the reader holds (the trees changed while the copy ran) ends the
// reader; the copy then reads the rest itself.
#include "setup/readahead.h"
#include "setup/treewalk.h"
#include "common/text.h"
#include "common/filenames.h"

// ---- one source file, read here
// Opens source (a name, common/filenames.h) for reading, with its size and
// last-write time; 0 with the error of the failing step.
static int OpenSourceFile(const char *source, HANDLE *handle, ULONGLONG *size,
                          FILETIME *written)
{
    HANDLE opened = OpenNamed(source, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN);
    if (opened == INVALID_HANDLE_VALUE)
        return 0;
    DWORD high = 0, low = GetFileSize(opened, &high);
    if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ||
        !GetFileTime(opened, 0, 0, written)) {
        DWORD error = GetLastError();
        CloseHandle(opened);
        SetLastError(error);
        return 0;
    }
    *handle = opened;
    *size = ((ULONGLONG)high << 32) | low;
    return 1;
}

// ---- the ring of slots between the reader and the copy
// One step on a source file: its open (first) or one read (hasRead; the
// first slot of a file holds its first read as well).
struct ReadSlot {
    char path[PATH_CAP];  // the source file
    int first;            // the file's first slot: the open's outcome
    int opened;           // first: the file opened, size and time known
    ULONGLONG size;
    FILETIME written;
    int hasRead;          // a read was made: readOk, got, data
    int readOk;
    DWORD got;
    DWORD error;          // of a failed open or read
    BYTE data[COPY_PIECE];
};

// 32 slots of 64 KB: 2 MB, whatever the size of the trees; 32 small files
// ahead, or 2 MB of a large one. A side that waits is woken in batches
// (each wake costs the system a request or two): the copy once a batch of
// slots is filled, the reader once half the slots are free. The copy waits
// at most a frame's time for its batch (from a slow CD 8 slots take
// seconds), then takes what there is.
static const int SlotCount = 32, WakeBatch = 8;
static const DWORD CopyWaitMs = 50;
static ReadSlot *Slots;          // from HeapAlloc while the reader runs
static int Head, Count;          // the copy's next slot; slots filled
static CRITICAL_SECTION Lock;    // guards Head, Count and the flags below
static HANDLE SlotFilled, SlotFreed;  // auto-reset, set only for a waiter
static int CopyWaits, ReaderWaits;    // a side waits for its event
static int ReaderDone, StopReader;
static HANDLE Reader;            // the reader's thread, 0 when none runs
static int Started;              // StartReadAhead made the lock and events
static int Abandoned;            // the copy left the reader: read here

// The reader's next empty slot, waiting while all are full; 0 once the
// reader is told to stop.
static ReadSlot *EmptySlot()
{
    EnterCriticalSection(&Lock);
    while (Count == SlotCount && !StopReader) {
        ReaderWaits = 1;
        LeaveCriticalSection(&Lock);
        WaitForSingleObject(SlotFreed, INFINITE);
        EnterCriticalSection(&Lock);
    }
    ReadSlot *slot = StopReader ? 0 : &Slots[(Head + Count) % SlotCount];
    LeaveCriticalSection(&Lock);
    return slot;
}

// Hands the filled slot to the copy, or (done) tells it that the reader
// has finished.
static void SlotReady(int done)
{
    EnterCriticalSection(&Lock);
    if (done)
        ReaderDone = 1;
    else
        Count++;
    int wake = CopyWaits && (done || Count >= WakeBatch);
    if (wake)
        CopyWaits = 0;
    LeaveCriticalSection(&Lock);
    if (wake)
        SetEvent(SlotFilled);
}

// The copy's next slot, waiting while the reader is at it; 0 when the
// reader has finished and nothing is left.
static ReadSlot *FilledSlot()
{
    EnterCriticalSection(&Lock);
    while (Count == 0 && !ReaderDone) {
        CopyWaits = 1;
        LeaveCriticalSection(&Lock);
        WaitForSingleObject(SlotFilled, CopyWaitMs);
        EnterCriticalSection(&Lock);
    }
    CopyWaits = 0;
    ReadSlot *slot = Count ? &Slots[Head] : 0;
    LeaveCriticalSection(&Lock);
    return slot;
}

// Gives the copy's current slot back to the reader.
static void FreeSlot()
{
    EnterCriticalSection(&Lock);
    Head = (Head + 1) % SlotCount;
    Count--;
    int wake = ReaderWaits && Count <= SlotCount / 2;
    if (wake)
        ReaderWaits = 0;
    LeaveCriticalSection(&Lock);
    if (wake)
        SetEvent(SlotFreed);
}

// ---- the reader
// Reads the file at path into slots: its open, then each read of the
// size the copy makes, up to a failing or empty read or the end. 0 once
// the reader is told to stop.
static int ReadAheadFile(const char *path)
{
    ReadSlot *slot = EmptySlot();
    if (!slot)
        return 0;
    HANDLE handle = INVALID_HANDLE_VALUE;
    TextCopy(slot->path, path);
    slot->first = 1;
    slot->opened = OpenSourceFile(path, &handle, &slot->size, &slot->written);
    slot->error = slot->opened ? 0 : GetLastError();
    ULONGLONG size = slot->opened ? slot->size : 0, done = 0;
    int more = size > 0;
    for (;;) {
        slot->hasRead = more;
        if (more) {
            slot->got = 0;
            slot->readOk = ReadFile(handle, slot->data, CopyPieceSize(size, done),
                                    &slot->got, 0);
            slot->error = slot->readOk ? 0 : GetLastError();
            done += slot->got;
            more = slot->readOk && slot->got && done < size;
        }
        SlotReady(0);
        if (!more)
            break;
        slot = EmptySlot();
        if (!slot)
            break;
        TextCopy(slot->path, path);
        slot->first = 0;
    }
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return slot != 0;
}

static const char *ReaderRoots[2];
static int ReaderRootCount;

// One step of the reader's walk: a file is read ahead unless the install
// leaves it out. The reader ends where the copy stops (a folder not
// listed, a path that does not fit) and where the kept listing was cut.
static int ReadAheadStep(void *, TreeStep step, const TreeEntry &entry)
{
    switch (step) {
    case STEP_FOLDER:
        return 1;
    case STEP_FILE:
        return entry.path && (LeftOutOfInstall(entry.path) || ReadAheadFile(entry.path));
    default:
        return 0;
    }
}

// Reads ahead the files of the trees in the copy's order, by the kept
// listing, until the walk ends or the reader is told to stop.
static void ReadAheadTrees()
{
    TreeWalk walk;
    StartTreeWalk(walk, KEPT_LISTING, ReadAheadStep, 0);
    for (int root = 0; root < ReaderRootCount; root++)
        if (WalkTree(walk, ReaderRoots[root]) != 1)
            return;
}

static DWORD WINAPI ReaderThread(void *)
{
    ReadAheadTrees();
    SlotReady(1);
    return 0;
}

void StartReadAhead(const char *source1, const char *source2)
{
    ReaderRoots[0] = source1;
    ReaderRoots[1] = source2;
    ReaderRootCount = source2 ? 2 : 1;
    Head = Count = CopyWaits = ReaderWaits = ReaderDone = StopReader = 0;
    Abandoned = 0;
    InitializeCriticalSection(&Lock);
    Started = 1;
    Slots = (ReadSlot *)HeapAlloc(GetProcessHeap(), 0, SlotCount * sizeof(ReadSlot));
    SlotFilled = CreateEventA(0, FALSE, FALSE, 0);
    SlotFreed = CreateEventA(0, FALSE, FALSE, 0);
    DWORD id;
    if (Slots && SlotFilled && SlotFreed)
        Reader = CreateThread(0, 0, ReaderThread, 0, 0, &id);
    // Without a reader the copy reads for itself.
}

void StopReadAhead()
{
    if (!Started)
        return;
    if (Reader) {
        EnterCriticalSection(&Lock);
        StopReader = 1;
        LeaveCriticalSection(&Lock);
        SetEvent(SlotFreed);
        WaitForSingleObject(Reader, INFINITE);
        CloseHandle(Reader);
        Reader = 0;
    }
    if (SlotFilled)
        CloseHandle(SlotFilled);
    if (SlotFreed)
        CloseHandle(SlotFreed);
    SlotFilled = SlotFreed = 0;
    if (Slots)
        HeapFree(GetProcessHeap(), 0, Slots);
    Slots = 0;
    DeleteCriticalSection(&Lock);
    Started = 0;
}

// ---- the copy's side
// The slot of source's open, when the reader holds it next. What is left
// of a file the copy gave up is passed over; any other file ends the
// reader's part for the rest of the copy.
static ReadSlot *QueuedOpen(const char *source)
{
    if (!Reader || Abandoned)
        return 0;
    ReadSlot *slot;
    while ((slot = FilledSlot()) != 0 && !slot->first)
        FreeSlot();
    if (slot && BytesEqual(slot->path, source))
        return slot;
    Abandoned = 1;
    return 0;
}

int OpenCopySource(const char *source, CopySource *from)
{
    from->queued = from->held = from->unread = 0;
    from->handle = INVALID_HANDLE_VALUE;
    ReadSlot *slot = QueuedOpen(source);
    if (!slot)
        return OpenSourceFile(source, &from->handle, &from->size, &from->written);
    if (!slot->opened) {
        DWORD error = slot->error;
        FreeSlot();
        SetLastError(error);
        return 0;
    }
    from->queued = from->held = 1;
    from->unread = slot->hasRead;
    from->size = slot->size;
    from->written = slot->written;
    return 1;
}

int ReadCopySource(CopySource *from, DWORD want, const BYTE **data, DWORD *got)
{
    static BYTE buffer[COPY_PIECE];
    *got = 0;
    if (!from->queued) {
        *data = buffer;
        return ReadFile(from->handle, buffer, want, got, 0);
    }
    // The next read is in the slot of the open, or in the next slot.
    if (!from->unread && from->held) {
        FreeSlot();
        from->held = 0;
    }
    ReadSlot *slot = from->held ? &Slots[Head] : FilledSlot();
    from->unread = 0;
    if (!slot || (!from->held && slot->first)) {
        SetLastError(ERROR_READ_FAULT);  // never: the reader reads as far
        return 0;
    }
    from->held = 1;
    *data = slot->data;
    *got = slot->got;
    SetLastError(slot->error);
    return slot->readOk;
}

void CloseCopySource(CopySource *from)
{
    if (!from->queued)
        CloseHandle(from->handle);
    else if (from->held)
        FreeSlot();
    from->held = 0;
}
