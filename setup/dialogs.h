// The quit question and the failure dialog (dialogs.cpp). Every dialog is
// run by RunDialog (run.h).
#ifndef SETUP_DIALOGS_H
#define SETUP_DIALOGS_H

#include <windows.h>
#include "setup/run.h"

void ConfirmQuit();
// The failure dialog of a person's run (the fatal exit's message).
void ShowFailure();

#endif
