// The Setup Toolkit: the functions the setup program calls, declared once
// with their calling convention. The toolkit DLLs include this header when
// they define them and export them undecorated.
#ifndef PLATFORM_TOOLKIT_H
#define PLATFORM_TOOLKIT_H

#include <windows.h>

// Each library defines its own XXX_BUILD and so exports its functions and
// imports the others'. Every DLL is linked with --kill-at: names undecorated.
#ifdef MSSHLSTF_BUILD
#define SHL_API extern "C" __declspec(dllexport)
#else
#define SHL_API extern "C" __declspec(dllimport)
#endif
#ifdef MSINSSTF_BUILD
#define INS_API extern "C" __declspec(dllexport)
#else
#define INS_API extern "C" __declspec(dllimport)
#endif
#ifdef MSCOMSTF_BUILD
#define COM_API extern "C" __declspec(dllexport)
#else
#define COM_API extern "C" __declspec(dllimport)
#endif
#ifdef MSUILSTF_BUILD
#define UIL_API extern "C" __declspec(dllexport)
#else
#define UIL_API extern "C" __declspec(dllimport)
#endif
#ifdef MSDETSTF_BUILD
#define DET_API extern "C" __declspec(dllexport)
#else
#define DET_API extern "C" __declspec(dllimport)
#endif

// msshlstf.dll: frame, symbols, cursor
SHL_API HWND WINAPI InitializeFrame(LPCSTR cmdLine);  // frame, or 0 / (HWND)-1
SHL_API HWND WINAPI HwndFrame(void);
SHL_API HINSTANCE WINAPI HinstFrame(void);
SHL_API BOOL WINAPI FSetBitmap(LPCSTR library, UINT bitmap);
SHL_API BOOL WINAPI FSetSymbolValue(LPCSTR name, LPCSTR value);
SHL_API HCURSOR WINAPI HShowWaitCursor(void);
SHL_API BOOL WINAPI FRestoreCursor(HCURSOR previous);
SHL_API void WINAPI TerminateFrame(void);

// msinsstf.dll: installer state
INS_API BOOL WINAPI FInitializeInstall(HINSTANCE frameInstance, HWND frame);
INS_API void WINAPI TerminateInstall(void);

// mscomstf.dll: INF file, symbol reading, path check, message box
COM_API BOOL WINAPI FOpenInf(LPCSTR infPath, BOOL check, BOOL reserved);
COM_API UINT WINAPI CbGetSymbolValue(LPCSTR name, LPSTR buffer, UINT capacity);
COM_API BOOL WINAPI FValidDir(LPCSTR dir);
COM_API int WINAPI DoMsgBox(LPCSTR text, LPCSTR caption, UINT style);

// msuilstf.dll: dialogs of a custom dialog library
UIL_API BOOL WINAPI FDoDialogExt(HWND frame, LPCSTR library, UINT templ,
                                     LPCSTR procName, LPCSTR helpLibrary,
                                     UINT helpTempl, LPCSTR helpProcName);
UIL_API BOOL WINAPI FKillNDialogs(int count);  // -1: all

// msdetstf.dll: detection
DET_API BOOL WINAPI FDirExists(LPCSTR dir);  // an existing directory

#endif
