// The sample CD's video codec driver. It answers the driver messages a
// multimedia system sends while loading and unloading an installable
// driver, and opens no decompression instance: it is there to be copied,
// version-checked and registered by setup.
#include <windows.h>

#define CODEC_DRV_LOAD 0x0001
#define CODEC_DRV_ENABLE 0x0002
#define CODEC_DRV_OPEN 0x0003
#define CODEC_DRV_CLOSE 0x0004
#define CODEC_DRV_DISABLE 0x0005
#define CODEC_DRV_FREE 0x0006

// The installable driver's entry point, looked up by name.
extern "C" __declspec(dllexport) LRESULT WINAPI
DriverProc(DWORD_PTR, HANDLE, UINT message, LPARAM, LPARAM)
{
    switch (message) {
    case CODEC_DRV_LOAD:
    case CODEC_DRV_ENABLE:
    case CODEC_DRV_CLOSE:
    case CODEC_DRV_DISABLE:
    case CODEC_DRV_FREE:
        return 1;
    case CODEC_DRV_OPEN:
    default:
        return 0;
    }
}
