// Test support for the setup program's registration and runtime modules:
// running code that shows message boxes while the robot answers them, with
// the scripted dialog layer of tests/support in place of the toolkit's
// dialogs.
#ifndef TESTS_REGISTRY_SETUP_ENV_H
#define TESTS_REGISTRY_SETUP_ENV_H

#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "tests/support/files.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/worker.h"
#include "setup/ends.h"

// Puts the settings store and the program state into a known state: the
// TQL.INI defaults of the sample CD, English, caption "ORVA Setup".
void ResetSetupState();

#endif
