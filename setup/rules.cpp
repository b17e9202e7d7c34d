// The rules read from the settings that setup and the CD checker apply
// alike (see rules.h).
#include "setup/rules.h"
#include "setup/config.h"
#include "platform/templates.h"

static const char NoneText[] = "None";

// 0 for "None" as written, the mark of an absent document key.
static int IsDocumentKeyGiven(const char *value)
{
    return lstrcmpA(value, NoneText) != 0;
}

int InstalledDocuments()
{
    if (!IsDocumentKeyGiven(Settings.DocPath))
        return 0;
    int documents = 0;
    if (IsDocumentKeyGiven(Settings.HelpTitle) && IsDocumentKeyGiven(Settings.HelpFileNameSrc) &&
        IsDocumentKeyGiven(Settings.HelpFileNameDst))
        documents = DOC_HELP;
    if (IsDocumentKeyGiven(Settings.TextFileNameSrc) && IsDocumentKeyGiven(Settings.TextFileNameDst))
        documents |= IsDocumentKeyGiven(Settings.TextTitle) ? DOC_TEXT | DOC_TEXT_ITEM : DOC_TEXT;
    return documents;
}

// 1 AT (149), 2 NEC (113), 3 AT with video information (147), 0 for any
// other number. Leading blanks and tabs are skipped; no digit reads as 0.
UINT MachineChoice(const char *text)
{
    while (*text == ' ' || *text == '\t')
        text++;
    unsigned number = 0;
    for (; *text >= '0' && *text <= '9' && number < 1000; text++)
        number = number * 10 + (*text - '0');
    switch (number) {
    case 1: return EV_MACHINE_AT;
    case 2: return EV_MACHINE_NEC;
    case 3: return EV_MACHINE_FMV;
    default: return 0;
    }
}
