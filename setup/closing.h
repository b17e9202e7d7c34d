// The end of an installation (closing.cpp): the restart question, the
// closing notice or the ending dialog, the start of the product.
#ifndef SETUP_CLOSING_H
#define SETUP_CLOSING_H

#include <windows.h>

// Asks for the restart that DirectX needs and starts it; returns whether
// setup ends with the end notice, which declining it decides.
int AskRestart(int endNotice);
// Step 26 of a person's run: the closing notice, or the ending dialog.
void ShowClosing(int endNotice);
[[noreturn]] void LaunchProduct();

#endif
