// The welcome, destination and install-type dialogs (welcome.cpp).
#ifndef SETUP_WELCOME_H
#define SETUP_WELCOME_H

#include <windows.h>

// Step 17 of a person's run: the welcome and destination dialogs until a
// destination is chosen (1).
int ChooseInstallation();
// Step 17 of an unattended run: the destination of /D=, or the proposed
// one as the destination dialog shows it, checked as a typed path (the
// dialog hook answers the check's notices). 0 when it is refused.
int AcceptGivenDestination();
// The destination dialog's free-space text of a byte count ("123M
// Bytes"). Declared here for its tests: the figures they check (2 and 4
// GiB, the largest count) are not the free space of any test drive.
int FreeSpaceText(ULONGLONG bytes, char *text, int size);

#endif
