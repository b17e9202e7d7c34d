// DirectX and the video codec (runtime.cpp).
#ifndef SETUP_RUNTIME_H
#define SETUP_RUNTIME_H

#include <windows.h>

// What the DirectX step leaves for the ending: 0 when it failed (after its
// messages), else DIRECTX_DONE with the flags that apply.
#define DIRECTX_DONE       1
#define DIRECTX_RESTART    2   // the library asks for a restart
#define DIRECTX_END_NOTICE 4   // setup ends with the end notice
int InstallDirectX();
int InstallVideoCodec();

#endif
