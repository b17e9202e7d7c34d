// The symbol store of the toolkit (mscomstf.dll): named text values through
// which the setup program and the dialogs of a custom dialog library talk.
// One fixed table serves every caller; msshlstf.dll's FSetSymbolValue
// stores through StfSetSymbol here.
#include "outside/toolkit/stf.h"
#include "common/text.h"

struct Symbol {
    char name[STF_NAME_CAP];
    char value[STF_VALUE_CAP];
};

static Symbol Symbols[STF_SYMBOLS];
static int SymbolCount;

// The stored symbol of that name (compared ignoring case), or 0.
static Symbol *FindSymbol(LPCSTR name)
{
    for (int i = 0; i < SymbolCount; i++)
        if (lstrcmpiA(Symbols[i].name, name) == 0)
            return &Symbols[i];
    return 0;
}

// Stores or replaces a symbol. Refused (FALSE): no name, a name or value
// too long for the store, a full store. A missing value stores "".
BOOL WINAPI StfSetSymbol(LPCSTR name, LPCSTR value)
{
    if (name == 0 || *name == '\0' || lstrlenA(name) >= STF_NAME_CAP)
        return FALSE;
    if (value == 0)
        value = "";
    if (lstrlenA(value) >= STF_VALUE_CAP)
        return FALSE;
    Symbol *symbol = FindSymbol(name);
    if (symbol == 0) {
        if (SymbolCount == STF_SYMBOLS)
            return FALSE;
        symbol = &Symbols[SymbolCount++];
        TextCopy(symbol->name, name);
    }
    TextCopy(symbol->value, value);
    return TRUE;
}

// Copies a symbol's value into the buffer, cut at capacity minus one, and
// returns the value's full length, so that the caller sees when it did not
// fit (length >= capacity). An unknown symbol reads as "" (length 0).
UINT WINAPI CbGetSymbolValue(LPCSTR name, LPSTR buffer, UINT capacity)
{
    Symbol *symbol = 0;
    if (name != 0 && *name != '\0')
        symbol = FindSymbol(name);
    LPCSTR value = symbol ? symbol->value : "";
    if (buffer != 0 && capacity > 0)
        TextCopy(buffer, value, capacity > 0x7fffffff ? 0x7fffffff
                                                      : static_cast<int>(capacity));
    return static_cast<UINT>(lstrlenA(value));
}
