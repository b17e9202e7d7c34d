// The progress window and the copy of the product trees (treecopy.cpp).
#ifndef SETUP_TREECOPY_H
#define SETUP_TREECOPY_H

#include <windows.h>

// What the copy has done; each call of CopyProductTrees starts it afresh.
// The tests read it through CopyState(): the window, where its bar lies
// and the counts are not to be learnt otherwise.
struct CopyProgress {
    UINT FileTotal;    // the trees' files, counted before the copy
    UINT Step;         // millionths of the whole per copied file
    int Accumulated;   // millionths copied so far
    UINT FilesDone;    // files copied so far
    int Percent;       // shown by the bar, 0 to 100
    RECT BarRect;      // the bar in the window's client coordinates
    HWND Window;       // the modeless progress window while it is open
    int Cancelled;     // 1 once the window got IDCANCEL or a quit came
};
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
