// The language of the installation: the section of TQL.INI whose texts
// setup shows, and the message library bound for it, with the built-in
// texts of that language where the library leaves a slot empty.
#include "setup/language.h"
#include "setup/config.h"
#include "setup/state.h"
#include "common/text.h"
#include "common/ui.h"
#include "platform/msgtexts.h"

void ChooseLanguageName()
{
    if (lstrcmpiA(Settings.ForceLanguage, "No") != 0) {
        TextCopy(Settings.LanguageName, Settings.ForceLanguage);
        return;
    }
    const char *name;
    switch (GetSystemDefaultLangID() & 0xFF) {
    case LANG_GERMAN:   name = "German"; break;
    case LANG_SPANISH:  name = "Spanish"; break;
    case LANG_FRENCH:   name = "French"; break;
    case LANG_JAPANESE: name = "Japanese"; break;
    default:            name = "English"; break;   // LANG_ENGLISH too
    }
    TextCopy(Settings.LanguageName, name);
}

int BindSetupMessages()
{
    MsgModule = BindMessageLibrary(Settings.LoadMsgModule,
                                   "Setup Initialize Error");
    if (!MsgModule)
        return 0;
    for (const MessageSlotTemplate &t : SlotTemplates)
        if (!MessageTable[t.slot])
            MessageTable[t.slot] = t.templ;
    if (lstrcmpiA(Settings.LanguageName, "Japanese") == 0) {
        FillEmptySlots(SetupTextsJa, SLOT_COUNT(SetupTextsJa));
        FillEmptySlots(RemovalTextsJa, SLOT_COUNT(RemovalTextsJa));
    } else {
        FillEmptySlots(SetupTextsEn, SLOT_COUNT(SetupTextsEn));
        FillEmptySlots(RemovalTextsEn, SLOT_COUNT(RemovalTextsEn));
    }
    return 1;
}
