// Runtime components of the product: DirectX, installed by our DirectX
// setup library from the directory of the machine type (AT or NEC), and the
// Indeo 4.1 video codec, copied into the system directory and registered
// with the multimedia configuration.
#include "setup/runtime.h"
#include "setup/config.h"
#include "setup/rules.h"
#include "setup/dialogs.h"
#include "setup/copy.h"
#include "setup/state.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/system.h"
#include "setup/toolkit.h"
#include "common/log.h"
#include "platform/dsetup.h"
#include "platform/templates.h"


// ---- DirectX

// The DirectX wait window: centred on the screen; it has no button, its
// creator destroys it.
static INT_PTR CALLBACK WaitDlgProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        CentreWindow(dialog, GetDesktopWindow());
    return 0;
}

// Runs the DirectX setup library on one source directory while the wait
// window from the message library is shown. DIRECTX_DONE when it reports
// success (0), with DIRECTX_RESTART when it asks for a restart (1); 0
// after a message otherwise.
static int RunDirectXSetup(const char *sourceDir)
{
    HWND wait;
    if (!OpenRunWindow(MsgModule, TPL_WAIT_WINDOW, WaitDlgProc, &wait)) {
        ShowBox("Create Window Error", Settings.MsgDlgBoxTitle, BOX_WARNING);
        return 0;
    }
    if (wait) {
        ShowWindow(wait, SW_SHOWNORMAL);
        UpdateWindow(wait);
    }
    char source[PATH_CAP];  // the library takes a writable string
    TextCopy(source, sourceDir);
    int result = DirectXSetup(FrameWindow, source, DSETUP_ALL_COMPONENTS);
    if (wait && !DestroyWindow(wait)) {
        ShowBox("Can't DestroyWindow Error", Settings.MsgDlgBoxTitle, BOX_WARNING);
        return 0;
    }
    if (result == 0)
        return DIRECTX_DONE;
    if (result == 1)
        return DIRECTX_DONE | DIRECTX_RESTART;
    ShowBox("DirectX Setup Error.", Settings.MsgDlgBoxTitle, BOX_ALERT);
    return 0;
}

// The machine selection dialog: returns the event code of the machine type
// the user chose (113 NEC, 147 AT with video information, 149 AT). Cancel
// offers to quit and shows the dialog again.
static UINT AskMachineType()
{
    for (;;) {
        UINT code = RunDialog(MessageTemplate(SLOT_MACHINE), "FSelectXDlgProc",
                              TPL_HELP, "FHelpDlgProc");
        if (code == EV_MACHINE_NEC || code == EV_MACHINE_FMV || code == EV_MACHINE_AT) {
            KillDialogs(1);
            return code;
        }
        if (code == EV_CANCEL)
            ConfirmQuit();
    }
}

// The video information dialog (template 7290 or 7291): 1 when the user
// continued, 0 when cancelled or left.
static int ConfirmFmvInfo(UINT templ)
{
    for (;;) {
        UINT code = RunDialog(templ, "FFMVInfoDlgProc", TPL_HELP, "FHelpDlgProc");
        if (code == EV_CONTINUE || code == EV_CANCEL || code == EV_EXIT) {
            KillDialogs(1);
            return code == EV_CONTINUE;
        }
    }
}

// Installs DirectX for one machine choice. The choices with video
// information first ask the user; declining installs nothing and makes the
// setup end with the end notice. The DIRECTX_ result (see runtime.h).
static int InstallForMachine(UINT choice)
{
    switch (choice) {
    case EV_MACHINE_NEC:
        if (ConfirmFmvInfo(TPL_FMVINFO_NEC))
            return RunDirectXSetup(Settings.DirectXNEC);
        return DIRECTX_DONE | DIRECTX_END_NOTICE;
    case EV_MACHINE_FMV: {
        int result = ConfirmFmvInfo(TPL_FMVINFO_AT)
                         ? RunDirectXSetup(Settings.DirectXAT)
                         : DIRECTX_DONE;
        return result ? result | DIRECTX_END_NOTICE : 0;
    }
    case EV_MACHINE_AT:
        return RunDirectXSetup(Settings.DirectXAT);
    default:
        return DIRECTX_DONE;
    }
}

// Installs DirectX when TQL.INI asks for it: from the AT directory outside
// Japanese installations, otherwise for the machine type the user picks or
// TQL.INI fixes. The DIRECTX_ result when installed, skipped or declined;
// 0 after the failure messages.
int InstallDirectX()
{
    if (IsNone(Settings.DirectX))
        return DIRECTX_DONE;
    int result;
    if (lstrcmpiA(Settings.LanguageName, "Japanese") != 0)
        result = RunDirectXSetup(Settings.DirectXAT);
    else if (lstrcmpiA(Settings.Select, "Yes") == 0)
        result = InstallForMachine(AskMachineType());
    else
        result = InstallForMachine(MachineChoice(Settings.SelectMachine));
    if (result)
        return result;
    ShowBox("DirectX Setup Faild.", Settings.MsgDlgBoxTitle, BOX_ALERT);
    return 0;
}

// ---- video codec

static const char CodecFile[] = "IR41_32.DLL";
static const char CodecKey[] =
    "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV41";
// "Indeo® video interactive R4.1 by Intel", ® as the byte 0xAE of
// Windows-1252; stored with its zero, 39 bytes.
static const char CodecDescription[] = "Indeo\xAE video interactive R4.1 by Intel";
// The same text for the wide registry functions of the NT family.
static const WCHAR CodecDescriptionW[] = L"Indeo\x00AE video interactive R4.1 by Intel";
static const char CodecDriver[] = "ir41_32.dll";

// Sets one string value of the codec key with its terminating zero.
static void SetCodecValue(HKEY key, const char *name, const char *text,
                          DWORD size)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   size);
}

// Sets a value that holds the description. The NT family stores texts in
// Unicode and would read the byte 0xAE in the system's code page (a
// half-width katakana on a Japanese system): there the wide text is stored,
// so that it is "®" whatever the system language. Windows 95/98 store the
// bytes.
static void SetDescriptionValue(HKEY key, const char *name, const WCHAR *wideName)
{
    auto setWide = IsNtFamily() ? SYSTEM_FUNCTION(RegSetValueExW) : 0;
    if (setWide)
        setWide(key, wideName, 0, REG_SZ,
                reinterpret_cast<const BYTE *>(CodecDescriptionW),
                sizeof CodecDescriptionW);
    else
        SetCodecValue(key, name, CodecDescription, sizeof CodecDescription);
}

// Registers the codec driver: its key under MediaResources with the
// description and driver name, and its [drivers32] entry in system.ini.
// 1 on success, 0 after a message.
static int RegisterVideoCodec()
{
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, CodecKey, 0, 0,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, 0, &key,
                        &disposition) != ERROR_SUCCESS) {
        ShowBox("Registry error", "Test message", BOX_PLAIN);
        return 0;
    }
    SetDescriptionValue(key, "Description", L"Description");
    SetCodecValue(key, "Driver", CodecDriver, sizeof CodecDriver);
    SetDescriptionValue(key, "FriendlyName", L"FriendlyName");
    if (RegCloseKey(key) != ERROR_SUCCESS) {
        ShowBox("Registry Close error", "Test message", BOX_PLAIN);
        return 0;
    }
    char windowsDir[PATH_CAP], systemIni[PATH_CAP];
    GetWindowsDirectoryA(windowsDir, PATH_CAP);
    // A driver file name never reads as a number: the entry is written (or
    // another driver's entry replaced) at every registration.
    if (JoinPath(systemIni, windowsDir, "system.ini") &&
        GetPrivateProfileIntA("drivers32", "VIDC.IV41", 0, systemIni) == 0)
        WritePrivateProfileStringA("drivers32", "VIDC.IV41", CodecDriver,
                                   systemIni);
    return 1;
}

// Installs the video codec when TQL.INI asks for it: copies the driver from
// the CD into the system directory unless the installed one is current,
// and registers it when it was copied. 1 when installed, current or not
// wanted; 0 after the messages of the failed step.
int InstallVideoCodec()
{
    if (IsNone(Settings.Indeo41))
        return 1;
    char source[PATH_CAP], systemDir[PATH_CAP], target[PATH_CAP];
    UINT n = GetSystemDirectoryA(systemDir, PATH_CAP);
    if (!JoinPath(source, Settings.Indeo41LibPath, CodecFile) || n == 0 ||
        n >= PATH_CAP || !JoinPath(target, systemDir, CodecFile)) {
        ShowBox("The video codec's path is too long.", Settings.MsgDlgBoxTitle,
                BOX_ALERT);
        return 0;
    }
    int copied = CopyIfNewer(source, target);
    if (copied == 0)
        return 0;
    if (copied == 2)
        return 1;
    return RegisterVideoCodec();
}
