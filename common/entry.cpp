// Entry points of the shipped programs and libraries, in place of the C
// runtime's start-up code. Compiled twice (see CMakeLists.txt): with
// ENTRY_PROGRAM for the programs, with ENTRY_LIBRARY for the DLLs. The
// names are the linker's default entry names, so no option picks them.
// The shipped code has no static constructors today; should one come, it
// is run here as the runtime would have (one with a destructor would need
// the runtime's atexit and so does not link).
#include <windows.h>
#include "common/entry.h"

// On i686 the system enters with the stack aligned to 4 bytes only; the
// compiler's code expects 16.
#if defined(__i386__)
#define ENTRY_ALIGN __attribute__((force_align_arg_pointer))
#else
#define ENTRY_ALIGN
#endif

// The static constructors, listed by the linker script between a -1 and
// a 0 entry; run from the last to the first, as the runtime did.
extern "C" void (*__CTOR_LIST__[])();

static void RunConstructors()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        count++;
    for (; count >= 1; count--)
        __CTOR_LIST__[count]();
}

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
    RunConstructors();
    ExitProcess(static_cast<UINT>(
        WinMain(GetModuleHandleA(nullptr), nullptr, arguments, show)));
}

#elif defined(ENTRY_LIBRARY)

// None of our DLLs has a DllMain: every attach succeeds, as with the
// runtime's default one; the constructors (if any) run at the first.
extern "C" ENTRY_ALIGN BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason,
                                                     LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        RunConstructors();
    return TRUE;
}

#else
#error "compile with ENTRY_PROGRAM or ENTRY_LIBRARY"
#endif
