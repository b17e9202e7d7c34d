// The rest of the setup program as the welcome and closing dialogs see it,
// for unit tests (see fake_sequence.h).
#include "fake_sequence.h"
#include "platform/templates.h"
#include "setup/toolkit.h"
#include "setup/config.h"
#include "setup/ends.h"
#include "setup/removeold.h"
#include "setup/state.h"
#include "common/text.h"
#include "common/ui.h"
#include <cstdlib>

namespace fake {
std::string removedDestination;
int removals;

void Reset(const char *destination)
{
    ResetDialogs("mscuistf.dll");
    removals = 0;
    removedDestination.clear();
    TextCopy(Settings.SourcePath1, "Q:\\GAME\\");
    TextCopy(Settings.DefaultPath, "C:\\ORVA\\");
    TextCopy(Settings.RequiresDskSpc, "1000000");
    TextCopy(Settings.ExecErrMsg, "Cannot start ORVA.");
    TextCopy(Settings.IniFileName, "H8DLGTST.INI");  // in the Windows directory
    WelcomeTemplate = TPL_WELCOME_AGAIN;
    TextCopy(DestinationDir, destination);
    MinimalInstall = 0;
    MessageTable[SLOT_NOTICE_BADNAME] = TPL_NOTICE_BADNAME;
    MessageTable[SLOT_NOTICE_ISFILE] = TPL_NOTICE_ISFILE;
    MessageTable[SLOT_NOTICE_CREATE] = TPL_NOTICE_CREATE;
    MessageTable[SLOT_NOTICE_ROOT] = TPL_NOTICE_ROOT;
    MessageTable[SLOT_NOTICE_SOURCE] = TPL_NOTICE_SOURCE;
    MessageTable[SLOT_NOTICE_EMPTY] = TPL_NOTICE_EMPTY;
    MessageTable[SLOT_REMOVE_OLD] = TPL_REMOVE_OLD;
    MessageTable[SLOT_LOW_DISK] = TPL_LOW_DISK;
    MessageTable[SLOT_ENDING] = TPL_ENDING;
    MessageTable[SLOT_DESTINATION] = TPL_DESTINATION;
    static const char ask[] = "Restart now?";
    static const char failed[] = "Restart failed.";
    static const char declined[] = "Restart later.";
    static const char notice[] = "Setup is complete.";
    MessageTable[SLOT_RESTART_ASK] = (UINT_PTR)ask;
    MessageTable[SLOT_RESTART_FAILED] = (UINT_PTR)failed;
    MessageTable[SLOT_RESTART_DECLINED] = (UINT_PTR)declined;
    MessageTable[SLOT_END_NOTICE] = (UINT_PTR)notice;
}
}  // namespace fake

void RemoveInstallation()
{
    fake::removals++;
    fake::removedDestination = DestinationDir;
}

// ---- the toolkit's path check: the shipped toolkit's own FValidDir, from
// the CD image of this build.
int TkValidDir(LPCSTR path)
{
    typedef BOOL(WINAPI * ValidDirProc)(LPCSTR);
    static ValidDirProc validDir = [] {
        std::string library = std::string(getenv("TQL_CD")) + "\\mscomstf.dll";
        HMODULE toolkit = LoadLibraryA(library.c_str());
        return toolkit ? (ValidDirProc)(void *)GetProcAddress(toolkit, "FValidDir")
                       : nullptr;
    }();
    if (!validDir)
        throw ScriptBroken("the toolkit's FValidDir cannot be loaded");
    return validDir(path) ? 1 : 0;
}
