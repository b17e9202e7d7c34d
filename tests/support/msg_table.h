// The message table as the programs fill it: the message library of the
// CD (drive Q:) loaded and its MsgSetup called.
#ifndef TESTS_SUPPORT_MSG_TABLE_H
#define TESTS_SUPPORT_MSG_TABLE_H

#include <string>
#include "platform/msglib.h"

// Fills table from Q:\library; the library stays loaded (the table points
// into it). Returns it, or null when it or its MsgSetup is missing.
inline HMODULE LoadMessageTable(const std::string &library, UINT_PTR *table)
{
    HMODULE m = LoadLibraryA(("Q:\\" + library).c_str());
    auto setup = m ? reinterpret_cast<MsgSetupProc>(reinterpret_cast<void (*)()>(
                         GetProcAddress(m, "MsgSetup")))
                   : nullptr;
    if (!setup)
        return nullptr;
    setup(table);
    return m;
}

#endif
