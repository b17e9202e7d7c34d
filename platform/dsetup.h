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

// Returns 0 on success, 1 on success with a restart needed, a negative
// value on error. Exported undecorated.
extern "C" int WINAPI DirectXSetup(HWND owner, LPSTR sourceDir, DWORD flags);

#endif
