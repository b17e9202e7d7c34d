// The texts of the setup program's own message boxes (texts.cpp).
#ifndef SETUP_TEXTS_H
#define SETUP_TEXTS_H

#include <windows.h>

// The text of a message box of the setup program's own (an
// IDS_ number of platform/templates.h) in the chosen language.
void SetupText(UINT id, char *text, int size);

#endif
