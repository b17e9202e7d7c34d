// Entry points of the shipped programs and libraries, in place of the C
// runtime's start-up code. Compiled twice (see CMakeLists.txt): with
// ENTRY_PROGRAM for the programs, with ENTRY_LIBRARY for the DLLs. The
// names are the linker's default entry names, so no option picks them.
// Nothing here relies on static constructors: the shipped code has none
// (there is no runtime to run them).
#include <windows.h>
#include "common/entry.h"

// On i686 the system enters with the stack aligned to 4 bytes only; the
// compiler's code expects 16.
#if defined(__i386__)
#define ENTRY_ALIGN __attribute__((force_align_arg_pointer))
#else
#define ENTRY_ALIGN
#endif

#if defined(ENTRY_PROGRAM)

// Calls WinMain as the runtime did: the module's handle, the command line
// past the program name, the show state the starter asked for (else
// SW_SHOWDEFAULT); WinMain's result is the exit status.
extern "C" ENTRY_ALIGN void WinMainCRTStartup()
{
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow
                                                        : SW_SHOWDEFAULT;
    LPSTR arguments = const_cast<LPSTR>(ProgramArguments(GetCommandLineA()));
    ExitProcess(static_cast<UINT>(
        WinMain(GetModuleHandleA(nullptr), nullptr, arguments, show)));
}

#elif defined(ENTRY_LIBRARY)

// None of our DLLs has per-process or per-thread set-up: every attach
// succeeds, as the runtime's default DllMain did.
extern "C" ENTRY_ALIGN BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

#else
#error "compile with ENTRY_PROGRAM or ENTRY_LIBRARY"
#endif
