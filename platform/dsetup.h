// The DirectX setup library, linked at load time by the setup program.
#ifndef PLATFORM_DSETUP_H
#define PLATFORM_DSETUP_H

#include <windows.h>

// Component bits the setup program passes together (0x23F).
#define DSETUP_DDRAW       0x00000001
#define DSETUP_DSOUND      0x00000002
#define DSETUP_DPLAY       0x00000004
#define DSETUP_DDRAWDRV    0x00000008
#define DSETUP_DSOUNDDRV   0x00000010
#define DSETUP_DPLAYSP     0x00000020
#define DSETUP_D3D         0x00000200
// Every component the library offers: what the setup program asks for.
#define DSETUP_ALL_COMPONENTS                                               \
    (DSETUP_DDRAW | DSETUP_DSOUND | DSETUP_DPLAY | DSETUP_DDRAWDRV |        \
     DSETUP_DSOUNDDRV | DSETUP_DPLAYSP | DSETUP_D3D)

// Results of DirectXSetup (outside/dsetup/dsetup.cpp says when each comes).
#define DSETUP_OK               0
#define DSETUP_RESTART          1
#define DSETUPERR_BADPARAM    (-1)  // no source directory, or no component
#define DSETUPERR_NOMANIFEST  (-2)  // the directory holds no RUNTIME.INI
#define DSETUPERR_BADMANIFEST (-3)  // the manifest lists nothing or garbage
#define DSETUPERR_SOURCEFILE  (-4)  // a listed file is missing or damaged
#define DSETUPERR_RECORD      (-5)  // the installation cannot be recorded

// Returns 0 on success, 1 on success with a restart needed, a negative
// value on error. Exported undecorated, and the library's only export.
#ifdef DSETUP_BUILD
#define DSETUP_API extern "C" __declspec(dllexport)
#else
#define DSETUP_API extern "C" __declspec(dllimport)
#endif
DSETUP_API int WINAPI DirectXSetup(HWND owner, LPSTR sourceDir, DWORD flags);

#endif
