// The state the setup program's main sequence and its steps share
// (state.cpp).
#ifndef SETUP_STATE_H
#define SETUP_STATE_H

#include <windows.h>
#include "common/text.h"

extern HINSTANCE ProgramInstance;
extern HMODULE MsgModule;           // message library, loaded until the end
extern HWND FrameWindow;            // found by its title; owner of DirectX
extern UINT WelcomeTemplate;        // TPL_WELCOME or TPL_WELCOME_AGAIN
extern char StartupDir[PATH_CAP];   // the toolkit's start-up directory
extern char DestinationDir[PATH_CAP];
extern int MinimalInstall;          // minimal install flag

#endif
