// The registry access layer and the uninstall registration (registry.cpp).
#ifndef SETUP_REGISTRY_H
#define SETUP_REGISTRY_H

#include <windows.h>
#include "common/text.h"

int LoadRegistryLibrary();
void FreeRegistryLibrary();
int CreateRegistry(HKEY root, const char *subKey, const char *valueName,
                   const char *text);
int RegisterUninstaller();
// The files, command line and keys of the uninstall registration.
struct UninstallPaths {
    char uninstSource[PATH_CAP], uninstTarget[PATH_CAP];
    char msgSource[PATH_CAP], msgTarget[PATH_CAP];
    char settingsFile[PATH_CAP], execPath[PATH_CAP], commandLine[PATH_CAP];
    char appPathsKey[256], productKey[256], uninstallKey[256];
    int appPathsOk, productOk, uninstallOk;  // 0: the key name is refused
};
int BuildUninstallPaths(const char *windowsDir, const char *sourceDir,
                        UninstallPaths *paths);

#endif
