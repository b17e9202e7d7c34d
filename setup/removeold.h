// The removal of an earlier installation (removeold.cpp).
#ifndef SETUP_REMOVEOLD_H
#define SETUP_REMOVEOLD_H

#include <windows.h>

void RemoveInstallation();

#endif
