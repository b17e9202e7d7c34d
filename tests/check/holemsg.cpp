// A message library with holes: MsgSetup fills a text where a template
// number belongs, a number where a text belongs, a number the dialog
// library lacks, and nothing else; no dialog template of its own.
#include <windows.h>

static const char Text[] = "text";

extern "C" __declspec(dllexport) void WINAPI MsgSetup(UINT_PTR *table)
{
    table[2] = reinterpret_cast<UINT_PTR>(Text);
    table[3] = 9999;
    table[21] = 7;
}
