// A custom dialog library of the scenarios: its dialogs report event words
// that the real libraries never use, so that a scenario can see what setup
// does with them. Every button reports the word of its control ID:
//   1146 "CONTINUE", 1157 "EXIT", 1132 "CANCEL" (codes 146, 157, 132)
//   1401 "A"                  one character: code 65 with its zero
//   1402 "EXIT-EXIT-EXIT"     14 characters, the longest that fits (157)
//   1403 "CONTINUE-EXIT-X"    15 characters: one too many
//   1404 "CONTINUE-CONTINUE"  17 characters
// Built four times: tqlwords.dll (everything), tqlnoprc.dll (no welcome
// procedure), tqlnotpl.dll (no welcome template) and tqlbare.dll (neither a
// welcome nor a failure template).
#include <windows.h>
#include "outside/toolkit/stf.h"

// The event word of a button, or nullptr for a control without one.
static const char *EventWord(int id)
{
    switch (id) {
    case 1146: return "CONTINUE";
    case 1157: return "EXIT";
    case 1132: return "CANCEL";
    case IDCANCEL: return "CANCEL";
    case 1401: return "A";
    case 1402: return "EXIT-EXIT-EXIT";
    case 1403: return "CONTINUE-EXIT-X";
    case 1404: return "CONTINUE-CONTINUE";
    }
    return nullptr;
}

// The static control where a dialog shows the last word it reported, so
// that a scenario sees a report even when setup shows the same dialog again
// at once.
#define IDC_REPORTED 1500

// Every dialog of the library: a press reports its word to the toolkit.
static INT_PTR ReportPresses(HWND dialog, UINT message, WPARAM wParam)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (const char *word = EventWord(LOWORD(wParam))) {
            char shown[64] = "Reported: ";
            lstrcatA(shown, word);
            SetDlgItemTextA(dialog, IDC_REPORTED, shown);
            StfDialogEvent(dialog, word);
        }
        return TRUE;
    }
    return FALSE;
}

#define EXPORT extern "C" __declspec(dllexport)

#ifndef NO_WELCOME_PROC
EXPORT INT_PTR CALLBACK FInfoDlgProc(HWND dialog, UINT message, WPARAM wParam,
                                     LPARAM)
{
    return ReportPresses(dialog, message, wParam);
}
#endif

EXPORT INT_PTR CALLBACK FInfo0DlgProc(HWND dialog, UINT message, WPARAM wParam,
                                      LPARAM)
{
    return ReportPresses(dialog, message, wParam);
}

EXPORT INT_PTR CALLBACK FQuitDlgProc(HWND dialog, UINT message, WPARAM wParam,
                                     LPARAM)
{
    return ReportPresses(dialog, message, wParam);
}

// The help dialog closes itself on OK.
EXPORT INT_PTR CALLBACK FHelpDlgProc(HWND dialog, UINT message, WPARAM wParam,
                                     LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        DestroyWindow(dialog);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}
