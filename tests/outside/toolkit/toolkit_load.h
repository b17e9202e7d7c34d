// Test helpers: the toolkit DLLs of the CD image (drive Q:), bound by name
// as the setup program binds them, and a driver that answers the toolkit's
// dialogs from a second thread by the automation contract.
#ifndef TESTS_TOOLKIT_TOOLKIT_LOAD_H
#define TESTS_TOOLKIT_TOOLKIT_LOAD_H

#include <windows.h>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "platform/toolkit.h"
#include "setup/toolkit.h"

// The exported function `name` of a DLL of the CD image, loaded by its bare
// name with Q:\ as the DLL directory; the test fails when it is missing.
inline FARPROC CdProc(const char *dll, const char *name)
{
    SetDllDirectoryA("Q:\\");
    HMODULE module = LoadLibraryA(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}

// A toolkit function by its exported, undecorated name, with the type its
// declaration in platform/toolkit.h gives it.
#define TK(dll, fn) reinterpret_cast<decltype(&fn)>( \
    reinterpret_cast<void *>(CdProc(dll, #fn)))

struct Toolkit {
    decltype(&InitializeFrame) initializeFrame = TK("msshlstf.dll", InitializeFrame);
    decltype(&HwndFrame) hwndFrame = TK("msshlstf.dll", HwndFrame);
    decltype(&HinstFrame) hinstFrame = TK("msshlstf.dll", HinstFrame);
    decltype(&FSetBitmap) setBitmap = TK("msshlstf.dll", FSetBitmap);
    decltype(&FSetSymbolValue) setSymbol = TK("msshlstf.dll", FSetSymbolValue);
    decltype(&HShowWaitCursor) showWaitCursor = TK("msshlstf.dll", HShowWaitCursor);
    decltype(&FRestoreCursor) restoreCursor = TK("msshlstf.dll", FRestoreCursor);
    decltype(&TerminateFrame) terminateFrame = TK("msshlstf.dll", TerminateFrame);
    decltype(&FInitializeInstall) initializeInstall = TK("msinsstf.dll", FInitializeInstall);
    decltype(&TerminateInstall) terminateInstall = TK("msinsstf.dll", TerminateInstall);
    decltype(&FOpenInf) openInf = TK("mscomstf.dll", FOpenInf);
    decltype(&CbGetSymbolValue) getSymbol = TK("mscomstf.dll", CbGetSymbolValue);
    decltype(&FValidDir) validDir = TK("mscomstf.dll", FValidDir);
    decltype(&DoMsgBox) doMsgBox = TK("mscomstf.dll", DoMsgBox);
    decltype(&FDoDialogExt) doDialog = TK("msuilstf.dll", FDoDialogExt);
    decltype(&FKillNDialogs) killDialogs = TK("msuilstf.dll", FKillNDialogs);

    bool complete() const
    {
        return initializeFrame && hwndFrame && hinstFrame && setBitmap &&
               setSymbol && showWaitCursor && restoreCursor && terminateFrame &&
               initializeInstall && terminateInstall && openInf && getSymbol &&
               validDir && doMsgBox && doDialog && killDialogs;
    }

    // A symbol's value as a string.
    std::string symbol(const char *name) const
    {
        char buffer[1100];
        getSymbol(name, buffer, sizeof buffer);
        return buffer;
    }
};

// The template number a window carries in "TemplateNumber" (0: none).
inline UINT TemplateOf(HWND window)
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(
        GetPropA(window, "TemplateNumber")));
}

// A visible, enabled top-level window of this process that carries
// "TemplateNumber" == templ: a dialog ready for input. Waits up to
// timeoutMs; nullptr when none comes.
struct DialogSearch { UINT templ; HWND found; };

// EnumWindows callback of WaitForDialog (a CALLBACK function: a lambda
// cannot become one on i686).
inline BOOL CALLBACK FindReadyDialog(HWND window, LPARAM lp)
{
    auto *s = reinterpret_cast<DialogSearch *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && TemplateOf(window) == s->templ &&
        IsWindowVisible(window) && IsWindowEnabled(window)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND WaitForDialog(UINT templ, DWORD timeoutMs = 10000)
{
    DialogSearch search = {templ, nullptr};
    for (DWORD waited = 0; waited <= timeoutMs; waited += 20) {
        EnumWindows(FindReadyDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    }
    return nullptr;
}

// Waits until the window no longer carries "TemplateNumber" (its event is
// taken) or is gone; false on time-out.
inline bool WaitTaken(HWND window, DWORD timeoutMs = 5000)
{
    for (DWORD waited = 0; waited <= timeoutMs; waited += 10) {
        if (!IsWindow(window) || TemplateOf(window) == 0)
            return true;
        Sleep(10);
    }
    return false;
}

// Presses a button of a dialog by posting BM_CLICK, as a user's click;
// true when the button exists and the press was taken.
inline bool Press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr)
        return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return WaitTaken(dialog);
}

// Runs `call` (which runs a toolkit dialog) on this thread while `drive`
// answers it from another. When the call has not returned 5 seconds after
// `drive` ended, WM_QUIT is posted to break the toolkit's wait (the call
// then fails). Returns the call's result.
inline BOOL Driven(const std::function<BOOL()> &call,
                   const std::function<void()> &drive)
{
    std::atomic<bool> done(false);
    DWORD self = GetCurrentThreadId();
    std::thread driver([&] {
        drive();
        for (int i = 0; i < 500 && !done; i++)
            Sleep(10);
        if (!done)
            PostThreadMessageA(self, WM_QUIT, 0, 0);
    });
    BOOL result = call();
    done = true;
    driver.join();
    MSG msg;  // a WM_QUIT the toolkit posted again
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    return result;
}

// The setup program's EventCode of a symbol's value, read from a buffer
// padded with zeros as GetSymbol pads its own.
inline int EventCode(const std::string &word)
{
    return (int)EventCode((word + std::string(2, '\0')).c_str());
}

#endif
