// The dialogs that open an installation: the welcome dialog, the
// destination dialog with its checks, the notices and confirmations run on
// top of it, the free-space text and the creation of the destination.
// Every dialog runs through RunDialog and dispatches on its event code.
#include "setup/welcome.h"
#include "setup/closing.h"
#include "setup/config.h"
#include "setup/dialogs.h"
#include "setup/ends.h"
#include "setup/paths.h"
#include "setup/removeold.h"
#include "setup/state.h"
#include "setup/texts.h"
#include "setup/run.h"
#include "common/text.h"
#include "common/ui.h"
#include "setup/rules.h"
#include "common/system.h"
#include "common/filenames.h"
#include "common/folderpath.h"
#include "setup/toolkit.h"
#include "common/log.h"
#include "platform/templates.h"

// Confirmation of the removal of the earlier installation. Back returns 0,
// cancel 1; continue removes the installation recorded at start-up and ends
// setup.
static int ConfirmRemoveOld()
{
    SetSymbol("ActiveButton", "2");
    for (;;) {
        switch (RunDialog(MessageTemplate(SLOT_REMOVE_OLD), "FGPDlgProc",
                          TPL_HELP, "FHelpDlgProc")) {
        case EV_BACK:
            KillDialogs(1);
            return 0;
        case EV_CANCEL:
            KillDialogs(1);
            return 1;
        case EV_CONTINUE: {
            // Only what the settings file records is removed: never a
            // default or typed directory that may hold the user's files.
            // The destination dialog may have changed DestinationDir since.
            char recorded[PATH_CAP];
            if (ReadRecordedInstallPath(recorded)) {
                TextCopy(DestinationDir, recorded);
                RemoveInstallation();
            } else {
                char text[256];
                SetupText(IDS_NO_RECORDED_INSTALL, text, sizeof text);
                ShowBox(text, Settings.MsgDlgBoxTitle, BOX_ALERT);
            }
            EndSetup();
        }
        case EV_EXIT:
            ConfirmQuit();
            break;
        default:
            break;
        }
    }
}

// The welcome dialog: go on, start the installed product, remove the
// earlier installation or quit. Returns when the user goes on.
static void ShowWelcome()
{
    for (;;) {
        switch (RunDialog(WelcomeTemplate, "FInfoDlgProc")) {
        case EV_CANCEL:
        case EV_EXIT:
            ConfirmQuit();
            break;
        case EV_START_PRODUCT:
            LaunchProduct();
        case EV_GO_ON:
            KillDialogs(1);
            return;
        case EV_REMOVE_OLD:
            ConfirmRemoveOld();
            break;
        default:
            break;
        }
    }
}

// The loop shared by the notices and the low disk space confirmation:
// continue returns 1, cancel 0, exit asks whether to quit.
static int RunAnswerLoop(UINT templ, LPCSTR procName)
{
    for (;;) {
        switch (RunDialog(templ, procName)) {
        case EV_CANCEL:
            KillDialogs(1);
            return 0;
        case EV_CONTINUE:
            KillDialogs(1);
            return 1;
        case EV_EXIT:
            ConfirmQuit();
            break;
        default:
            break;
        }
    }
}

// A notice of the destination dialog (template number given); 1 continue,
// 0 cancel.
static int ShowNotice(UINT templ)
{
    return RunAnswerLoop(templ, "FInfo0DlgProc");
}

// The free space is below the requirement: 1 to install anyway, 0 to
// choose again.
static int ConfirmLowDisk()
{
    return RunAnswerLoop(MessageTemplate(SLOT_LOW_DISK), "FGPDlgProc");
}

// Free bytes on the drive of path (its first 3 characters, the root), in
// 64 bits: drives of 2 GB and more do not fit the 32-bit product of the
// cluster figures. GetDiskFreeSpaceExA is looked up, since the first
// Windows 95 release lacks it; there the cluster figures (which it caps
// below 2 GB) are multiplied in 64 bits. Returns 0 when the drive cannot
// be asked.
static int QueryFreeSpace(const char *path, ULONGLONG *bytes)
{
    char root[4];
    TextCopy(root, path, sizeof root);
    auto freeSpaceEx = SYSTEM_FUNCTION(GetDiskFreeSpaceExA);
    if (freeSpaceEx) {
        ULARGE_INTEGER available, total, totalFree;
        if (!freeSpaceEx(root, &available, &total, &totalFree))
            return 0;
        *bytes = available.QuadPart;
        return 1;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &clusters))
        return 0;
    *bytes = (ULONGLONG)freeClusters * bytesPerSector * sectorsPerCluster;
    return 1;
}

// The free-space text of a byte count: the whole millions followed at once
// by "M Bytes" ("123M Bytes"), or "0 M Bytes" below one million.
int FreeSpaceText(ULONGLONG bytes, char *text, int size)
{
    ULONGLONG millions = bytes / 1000000;
    if (millions == 0)
        return TextCopy(text, "0 M Bytes", size);
    char digits[24];
    int n = sizeof digits - 1;
    digits[n] = '\0';
    do {
        digits[--n] = (char)('0' + millions % 10);
        millions /= 10;
    } while (millions);
    TextCopy(text, digits + n, size);
    return TextAppend(text, "M Bytes", size);
}

// The free-space text of the drive of path for the destination dialog.
// Returns 1, or 0 with "0 M Bytes" when the drive cannot be asked.
static int FormatFreeSpace(const char *path, char *text, int size)
{
    ULONGLONG bytes;
    if (!QueryFreeSpace(path, &bytes)) {
        TextCopy(text, "0 M Bytes", size);
        return 0;
    }
    FreeSpaceText(bytes, text, size);
    return 1;
}

// 1 when the destination drive holds the required space. A drive whose
// free space cannot be asked counts as short, so that the user is asked.
static int EnoughFreeSpace()
{
    ULONGLONG bytes;
    LONGLONG required = ReadDecimal(Settings.RequiresDskSpc);
    if (!QueryFreeSpace(DestinationDir, &bytes))
        return 0;
    return required <= 0 || bytes >= (ULONGLONG)required;
}

// Ends a walk at its first entry.
static int StopAtEntry(void *, const FoundName &, int)
{
    return 0;
}

// 1 when the directory dir (text of the system's code page) holds any
// entry, or cannot be asked for its length: then the user is asked rather
// than the folder assumed empty. 0 for an empty or missing folder.
static int HoldsEntries(const char *dir)
{
    char name[PATH_CAP];
    if (!NameFromSystem(name, dir))
        return 1;
    int walked = WalkDirectory(name, StopAtEntry, 0);
    return walked == 0 || walked == WALK_TOO_LONG;
}

// 1 when dir is the folder of the recorded installation or of the one in
// progress: the product's own.
static int IsRecordedFolder(const char *dir)
{
    char recorded[PATH_CAP];
    return (ReadRecordedInstallPath(recorded) && IsSameFolder(recorded, dir)) ||
           (ReadRecordedPendingPath(recorded) && IsSameFolder(recorded, dir));
}

// An existing destination that already holds files: the product's later
// removal takes the whole folder, so the user is asked first (No is the
// default). The product's own folders are not asked about: the recorded
// installation's, and the one a copy cut off left (it is completed).
// 1 to install there, 0 to choose again.
static int ConfirmFolderWithFiles(const char *dir)
{
    char text[PATH_CAP + 512], pattern[512];
    if (IsRecordedFolder(dir) || !HoldsEntries(dir))
        return 1;
    SetupText(IDS_DEST_HOLDS_FILES, pattern, sizeof pattern);
    TextFillIn(text, sizeof text, pattern, dir);
    return ShowBox(text, Settings.MsgDlgBoxTitle,
                   MB_YESNO | MB_DEFBUTTON2 | BOX_ALERT) == IDYES;
}

// 1 when the existing folder dir (text of the system's code page) holds
// another product's installation, which setup never writes into: the user
// is told so (the folder named) and chooses again.
static int RefuseOtherProductsFolder(const char *dir)
{
    char name[PATH_CAP], text[PATH_CAP + 512], pattern[512];
    if (!NameFromSystem(name, dir) || !HoldsOtherProduct(name, TheProductNames()))
        return 0;
    SetupText(IDS_DEST_OTHER_PRODUCT, pattern, sizeof pattern);
    TextFillIn(text, sizeof text, pattern, dir);
    ShowBox(text, Settings.MsgDlgBoxTitle, BOX_ALERT);
    return 1;
}

// Checks a path typed as the destination (in work, PATH_CAP bytes) and
// makes it the destination. Returns 1 when the destination is set and
// exists or is to be copied into, 0 to show the destination dialog again.
static int CheckDestination(char *work)
{
    if (work[0] == '\0') {
        ShowNotice(MessageTemplate(SLOT_NOTICE_EMPTY));
        return 0;
    }
    if (!TkValidDir(work)) {
        ShowNotice(MessageTemplate(SLOT_NOTICE_BADNAME));
        return 0;
    }
    TextCopy(DestinationDir, work);
    AppendBackslash(DestinationDir);
    if (lstrcmpiA(DestinationDir, Settings.SourcePath1) == 0) {
        ShowNotice(MessageTemplate(SLOT_NOTICE_SOURCE));
        return 0;
    }
    if (lstrlenA(work) == 3) {
        ShowNotice(MessageTemplate(SLOT_NOTICE_ROOT));
        return 0;
    }
    if (!EnoughFreeSpace()) {
        SetSymbol("ActiveButton", "2");
        if (ConfirmLowDisk() != 1)
            return 0;
    }
    RemoveBackslash(work);  // double-byte aware: keeps a trailing 0x5C byte
    switch (ProbePath(work)) {
    case 2:
        if (RefuseOtherProductsFolder(work) || !ConfirmFolderWithFiles(work))
            return 0;
        MakeDirectoryPath(work);
        return 1;
    case 1:
        ShowNotice(MessageTemplate(SLOT_NOTICE_ISFILE));
        return 0;
    default:
        if (!ShowNotice(MessageTemplate(SLOT_NOTICE_CREATE)))
            return 0;
        MakeDirectoryPath(work);
        return 1;
    }
}

// The destination dialog. Returns 1 when the destination is chosen, 0 when
// the user went back or cancelled (the welcome dialog comes again).
static int ChooseDestination()
{
    char work[PATH_CAP];
    char freeText[32];
    TextCopy(work, DestinationDir);
    RemoveBackslash(work);
    SetSymbol("EditTextIn", work);
    SetSymbol("EditFocus", "END");
    FormatFreeSpace(work, freeText, sizeof freeText);
    SetSymbol("DiskInfo", freeText);
    for (;;) {
        UINT code = RunDialog(MessageTemplate(SLOT_DESTINATION), "FEditDlgProc");
        if (code == EV_EXIT) {
            ConfirmQuit();
            continue;
        }
        if (code == EV_CANCEL || code == EV_BACK) {
            KillDialogs(1);
            return 0;
        }
        if (code == EV_MINIMAL)
            MinimalInstall = 1;
        if (CheckDestination(GetSymbol("EditTextOut", work, 255))) {
            KillDialogs(1);
            return 1;
        }
    }
}

int ChooseInstallation()
{
    do
        ShowWelcome();
    while (!ChooseDestination());
    return 1;
}

int AcceptGivenDestination()
{
    char work[PATH_CAP];
    TextCopy(work, UnattendedDestination[0] ? UnattendedDestination
                                            : DestinationDir);
    if (!UnattendedDestination[0])
        RemoveBackslash(work);
    LogLine(work);
    return CheckDestination(work);
}
