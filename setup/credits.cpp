// The credits box, shown instead of an installation when setup is started
// with "SPECIAL THANKS".
#include "setup/credits.h"
#include "setup/state.h"
#include "common/ui.h"

#define CREDITS_TEMPLATE 771

// The credits box (template 771): centred on the screen, closed by OK.
static INT_PTR CALLBACK CreditsDlgProc(HWND dialog, UINT message, WPARAM wParam,
                                       LPARAM)
{
    if (message == WM_INITDIALOG)
        CentreWindow(dialog, GetDesktopWindow());
    else if (message == WM_COMMAND && wParam == IDOK)
        EndDialog(dialog, 1);
    return 0;
}

void ShowCredits()
{
    DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(CREDITS_TEMPLATE),
                    nullptr, CreditsDlgProc, 0);
}
