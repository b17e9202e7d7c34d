// The credits box of "SPECIAL THANKS" (credits.cpp).
#ifndef SETUP_CREDITS_H
#define SETUP_CREDITS_H

#include <windows.h>

// Shows it and returns once the user has closed it.
void ShowCredits();

#endif
