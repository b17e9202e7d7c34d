// Message boxes, the message library and dialog centring of both programs.
#include "common/ui.h"

UINT_PTR MessageTable[MSG_TABLE_SLOTS];
BoxHookProc BoxHook;

int ShowBox(const char *text, const char *caption, UINT style)
{
    if (BoxHook)
        return BoxHook(text, caption, style);
    return MessageBoxA(nullptr, text, caption, style);
}

void SilenceBoxes(BoxHookProc hook)
{
    BoxHook = hook;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
                 SEM_NOOPENFILEERRORBOX);
}

int ShowSlot(int slot, const char *caption, UINT style)
{
    return ShowBox(MessageText(slot), caption, style);
}

HMODULE BindMessageLibrary(const char *name, const char *caption)
{
    HMODULE library = LoadLibraryA(name);
    if (!library) {
        ShowBox("Can't load Msg Library", caption, BOX_ALERT);
        return nullptr;
    }
    // Through a generic function pointer: FARPROC and the entry's own type
    // are deliberately different.
    MsgSetupProc msgSetup = reinterpret_cast<MsgSetupProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "MsgSetup")));
    if (!msgSetup) {
        ShowBox("Can't GetProcAddress() for Msg.DLL MsgSetup()", caption,
                BOX_ALERT);
        return nullptr;  // the library stays loaded until the process ends
    }
    msgSetup(MessageTable);
    return library;
}

void FillEmptySlots(const MessageSlotText *texts, int count)
{
    for (int i = 0; i < count; i++)
        if (!MessageTable[texts[i].slot])
            MessageTable[texts[i].slot] = reinterpret_cast<UINT_PTR>(texts[i].text);
}

int SystemIsJapanese()
{
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE;
}

void CentreWindow(HWND window, HWND reference)
{
    RECT own, ref;
    GetWindowRect(window, &own);
    GetWindowRect(reference, &ref);
    int x = ((ref.right - ref.left) - (own.right - own.left)) / 2;
    int y = ((ref.bottom - ref.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
