// The registry access layer and the uninstall registration (registry.cpp).
#ifndef SETUP_REGISTRY_H
#define SETUP_REGISTRY_H

#include <windows.h>

int LoadRegistryLibrary();
void FreeRegistryLibrary();
int RegisterUninstaller();

#endif
