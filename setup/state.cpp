// The state the main sequence's steps share (declared in state.h), kept
// apart from main.cpp so that a test of one step links the program's own.
#include "setup/state.h"
#include "common/text.h"

HINSTANCE ProgramInstance;
HMODULE MsgModule;
HWND FrameWindow;
UINT WelcomeTemplate;
char StartupDir[PATH_CAP];
char DestinationDir[PATH_CAP];
int MinimalInstall;
