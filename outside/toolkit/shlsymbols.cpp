// msshlstf.dll's entry to the toolkit's one symbol store (mscomstf.dll).
#include "outside/toolkit/stf.h"

// Sets a symbol for the next dialog to read; FALSE when the store refuses
// it (no name, name or value too long, store full).
BOOL WINAPI FSetSymbolValue(LPCSTR name, LPCSTR value)
{
    return StfSetSymbol(name, value);
}
