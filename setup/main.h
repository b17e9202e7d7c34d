// The setup program's main sequence and its ends (main.cpp).
#ifndef SETUP_MAIN_H
#define SETUP_MAIN_H

#include <windows.h>

[[noreturn]] void AbortSetup();
// The ordinary end once the frame is up: closes every dialog and the
// toolkit and ends with the run's exit code for code (see RunStyle).
[[noreturn]] void EndSetup(int code = 0);

#endif
