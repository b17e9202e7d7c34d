// The progress window of the tree copy (progress.cpp).
#ifndef SETUP_PROGRESS_H
#define SETUP_PROGRESS_H

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

// Starts a copy's progress: progress is cleared and becomes the record
// that the window shows and its procedure keeps (the window, the bar's
// place, a cancel). No window is open yet; the path texts of a window
// left open by an earlier copy are no longer followed.
void StartProgress(CopyProgress *progress);
// Creates and shows the progress window; 0 after a message.
int OpenProgressWindow();
// Shows the bar at percent after its short pause, painted at once.
void ShowPercent(int percent);
// Leaves the full bar in sight for a moment, then destroys the window; 1,
// or 0 after a message.
int CloseProgressWindow();
// Takes at most one waiting message before the next file, so that the
// window stays responsive and a cancel or a quit request is seen.
void TakeOneMessage();

// The current file's source and destination (names) as the window's path
// texts; drawn at the next frame.
void SetPathTexts(const char *source, const char *dest);
// Draws pending path texts now, or once a frame's time has passed.
void DrawPathTexts();
void DrawPathTextsOnTime();
// A message box of the copy, without owner, over the window that names
// the file concerned; ShowTreeMessage's caption is "Copy".
void ShowCopyBox(const char *text, const char *caption, UINT style);
void ShowTreeMessage(const char *text, UINT style);

// Paints the bar (bar in window's client coordinates) at percent at once
// on window's device context, as the window paints it: a white frame, a
// pure blue fill of 2 pixels per per cent and the percentage in red,
// centred, as exactly four characters.
void PaintBarOnWindow(HWND window, const RECT &bar, int percent);

#endif
