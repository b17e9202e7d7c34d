// The welcome, destination and install-type dialogs (welcome.cpp).
#ifndef SETUP_WELCOME_H
#define SETUP_WELCOME_H

#include <windows.h>

void ShowWelcome();
int ChooseDestination();
// Step 17 of a person's run: the welcome and destination dialogs until a
// destination is chosen (1).
int ChooseInstallation();
// Step 17 of an unattended run: the destination of /D=, or the proposed
// one as the destination dialog shows it, checked as a typed path (the
// dialog hook answers the check's notices). 0 when it is refused.
int AcceptGivenDestination();
int ConfirmRemoveOld();
int FormatFreeSpace(const char *path, char *text, int size);
int FreeSpaceText(ULONGLONG bytes, char *text, int size);  // "123M Bytes"

#endif
