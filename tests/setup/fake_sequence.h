// What the welcome and closing dialogs need of the rest of the setup
// program, for unit tests: the settings and state buffers and the removal
// of an earlier installation, counted, with the scripted dialog layer of
// tests/support (which also ends the sequence, counted). Files,
// drives and message boxes stay real; only the custom dialog library is
// scripted.
#ifndef TESTS_DIALOGS_FAKE_SEQUENCE_H
#define TESTS_DIALOGS_FAKE_SEQUENCE_H

#include <string>
#include <vector>
#include "tests/support/scripted_dialogs.h"

namespace fake {
extern std::string removedDestination;    // DestinationDir at RemoveInstallation
extern int removals;
// Resets the recordings and the state buffers to a fresh start-up:
// DestinationDir = destination, the message table of the sample library.
void Reset(const char *destination);
}

#endif
