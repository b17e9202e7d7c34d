// The message library: MsgSetup fills the message table of the setup
// program and of the uninstaller with the template numbers of the custom
// dialog library's dialogs and the addresses of this library's texts. One
// source, two builds: msg.dll (Japanese, code page 932, MSG_JAPANESE) and
// msgeng.dll (English). The texts (platform/msgtexts.h) live as long as the
// library is loaded.
#include "platform/msgtexts.h"

#ifdef MSG_JAPANESE
#define LANGUAGE_TEXTS(kind) kind##TextsJa
#else
#define LANGUAGE_TEXTS(kind) kind##TextsEn
#endif

static void Fill(UINT_PTR *table, const MessageSlotText *texts, int count)
{
    for (int i = 0; i < count; i++)
        table[texts[i].slot] = reinterpret_cast<UINT_PTR>(texts[i].text);
}

// Fills every slot that the two programs read. Slots no program reads stay
// as the caller left them.
extern "C" __declspec(dllexport) void WINAPI MsgSetup(UINT_PTR *table)
{
    for (const MessageSlotTemplate &t : SlotTemplates)
        table[t.slot] = t.templ;
    Fill(table, LANGUAGE_TEXTS(Setup), SLOT_COUNT(LANGUAGE_TEXTS(Setup)));
    Fill(table, LANGUAGE_TEXTS(Removal), SLOT_COUNT(LANGUAGE_TEXTS(Removal)));
}
