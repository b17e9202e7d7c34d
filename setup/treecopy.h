// The count and the copy of the product trees (treecopy.cpp).
#ifndef SETUP_TREECOPY_H
#define SETUP_TREECOPY_H

#include <windows.h>
#include "setup/progress.h"

// What the copy has done (progress.h); each call of CopyProductTrees
// starts it afresh.
const CopyProgress &CopyState();
// A watch on the copy for tests, which look at the window and its bar at
// each step and act there (press, quit, wait) on the copy's own thread.
// When set it is called with the path before each name the copy probes
// and with the destination before each file it copies. The setup program
// leaves it 0.
enum CopyWatchStep { WATCH_PROBE, WATCH_FILE };
typedef void (*CopyWatchProc)(CopyWatchStep step, const char *path);
extern CopyWatchProc CopyWatch;
// Copies the first tree and, when it exists, the second into their
// destinations under the progress window. 1 when both are copied and the
// window is closed; 0 after a message.
int CopyProductTrees(char *source1, char *dest1, char *source2, char *dest2);

#endif
