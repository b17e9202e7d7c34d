// Files on the CD: the INF file, the uninstaller, each language's message
// and dialog library, the source trees, the documents, the DirectX
// directories with their manifests, and the video codec.
#include "check/check.h"
#include "setup/config.h"
#include "setup/paths.h"
#include "setup/version.h"
#include "common/ui.h"
#include "setup/rules.h"
#include "platform/templates.h"
#include "platform/msglib.h"
#include <cstdio>
#include <cstring>
#include <set>

int GetFileVersionString(const char *path, char *version);

static const int MessageTemplates[] = {TPL_WAIT_WINDOW, TPL_PROGRESS,
                                       TPL_UNINST_CONFIRM};
static const int FixedTemplates[] = {TPL_HELP, TPL_WELCOME, TPL_WELCOME_AGAIN,
                                     TPL_FMVINFO_AT, TPL_FMVINFO_NEC};
static const char *const DialogProcs[] = {
    "FInfoDlgProc", "FInfo0DlgProc", "FQuitDlgProc", "FEndingDlgProc",
    "FSelectXDlgProc", "FFMVInfoDlgProc", "FGPDlgProc", "FEditDlgProc",
    "FHelpDlgProc"};

static int IsFile(const std::string &path)
{
    return ProbePath(path.c_str()) == 1;
}

// ---- the guarded MsgSetup call: a child process of this program

// A crash in the library under test ends the child with code 3.
static LONG WINAPI ChildCrashed(EXCEPTION_POINTERS *)
{
    ExitProcess(3);
}

// 1 when address is a NUL-terminated text inside the module's image.
static int IsTextInModule(HMODULE module, UINT_PTR address)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(module);
    const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    UINT_PTR start = reinterpret_cast<UINT_PTR>(base);
    UINT_PTR end = start + nt->OptionalHeader.SizeOfImage;
    if (address < start || address >= end)
        return 0;
    return memchr(reinterpret_cast<const void *>(address), 0, end - address) != 0;
}

int RunMsgSetupChild(const char *library, const char *report)
{
    SetUnhandledExceptionFilter(ChildCrashed);
    FILE *out = fopen(report, "w");
    if (!out)
        return 6;
    HMODULE module = LoadLibraryA(library);
    if (!module)
        return 4;
    FARPROC entry = GetProcAddress(module, "MsgSetup");
    if (!entry)
        return 5;
    reinterpret_cast<MsgSetupProc>(reinterpret_cast<void (*)()>(entry))(MessageTable);
    for (int slot = 0; slot < MSG_TABLE_SLOTS; slot++) {
        UINT_PTR value = MessageTable[slot];
        const char *kind = value && value <= 0xFFFF ? "number"
                           : IsTextInModule(module, value) ? "text" : "bad";
        fprintf(out, "slot %d %s %u\n", slot, kind, (unsigned)(value & 0xFFFF));
    }
    for (int t : MessageTemplates)
        fprintf(out, "template %d %d\n", t,
                FindResourceA(module, MAKEINTRESOURCEA(t), (LPCSTR)RT_DIALOG) != 0);
    fclose(out);
    return 0;
}

// What the child found: the kind and number of each slot, the templates.
struct MsgReport {
    std::string kind[MSG_TABLE_SLOTS];
    unsigned number[MSG_TABLE_SLOTS];
    std::set<int> templates;
};

// Runs MsgSetup of the library in a child; 0 when it could not be loaded
// or has no MsgSetup (after the finding). A crash or hang ends the check.
static int RunMsgSetup(const std::string &place, const std::string &library,
                       MsgReport &report)
{
    char self[MAX_PATH], temp[MAX_PATH], file[MAX_PATH];
    GetModuleFileNameA(0, self, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "tqc", 0, file);
    std::string line = "\"" + std::string(self) + "\" --msgsetup \"" + library +
                       "\" \"" + file + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    // Wine now and then refuses to start a process on a loaded machine: a
    // few tries, a second apart, before the check gives up.
    BOOL started = FALSE;
    for (int tries = 0; tries < 3 && !started; tries++) {
        if (tries)
            Sleep(1000);
        started = CreateProcessA(0, &line[0], 0, 0, FALSE, 0, 0, 0, &si, &pi);
    }
    if (!started)
        CannotRun("cannot start a process for MsgSetup of " + CdRelative(library));
    DWORD code = 1;
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        code = 7;
    } else {
        GetExitCodeProcess(pi.hProcess, &code);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    FILE *in = fopen(file, "r");
    char text[128];
    while (in && fgets(text, sizeof text, in)) {
        int slot, value;
        char kind[16];
        if (sscanf(text, "slot %d %15s %d", &slot, kind, &value) == 3 &&
            slot >= 0 && slot < MSG_TABLE_SLOTS) {
            report.kind[slot] = kind;
            report.number[slot] = value;
        } else if (sscanf(text, "template %d %d", &slot, &value) == 2 && value) {
            report.templates.insert(slot);
        }
    }
    if (in)
        fclose(in);
    DeleteFileA(file);
    std::string name = CdRelative(library);
    if (code == 3)
        CannotRun(name + ": the message library crashed in MsgSetup");
    if (code == 7)
        CannotRun(name + ": MsgSetup did not return within 20 seconds");
    if (code == 4)
        Error(place, name + " cannot be loaded; setup stops with \"Can't load Msg Library\"");
    else if (code == 5)
        Error(place, name + " has no MsgSetup; setup stops with " +
                         "\"Can't GetProcAddress() for Msg.DLL MsgSetup()\"");
    else if (code != 0)
        CannotRun(name + ": MsgSetup's process ended with code " + std::to_string(code));
    return code == 0;
}

// Every slot read filled with a value of its kind; templates 2, 7, 7080.
static void CheckMessageTable(const std::string &name, const MsgReport &r)
{
    for (int slot : MessageDialogSlots)
        if (r.kind[slot] != "number")
            Error(name, "MsgSetup leaves slot " + std::to_string(slot) +
                            " without a dialog template number");
    for (int slot : MessageTextSlots)
        if (r.kind[slot] != "text")
            Error(name, "MsgSetup leaves slot " + std::to_string(slot) +
                            " without a text of the library");
    for (int t : MessageTemplates)
        if (!r.templates.count(t))
            Error(name, "dialog template " + std::to_string(t) + " is missing");
}

// The dialog library: every procedure exported by its plain name, every
// template the setup program runs present, frame bitmap 1.
static void CheckDialogLibrary(const std::string &place, const std::string &library,
                               const MsgReport &r)
{
    std::string name = CdRelative(library);
    HMODULE module = LoadLibraryExA(library.c_str(), 0, DONT_RESOLVE_DLL_REFERENCES);
    if (!module) {
        Error(place, name + " cannot be loaded; no dialog of setup could be shown");
        return;
    }
    for (const char *proc : DialogProcs)
        if (!GetProcAddress(module, proc))
            Error(name, std::string("does not export the dialog procedure ") + proc);
    std::vector<int> templates(std::begin(FixedTemplates), std::end(FixedTemplates));
    for (int slot : MessageDialogSlots)
        if (r.kind[slot] == "number")
            templates.push_back((int)r.number[slot]);
    for (int t : templates)
        if (!FindResourceA(module, MAKEINTRESOURCEA(t), (LPCSTR)RT_DIALOG))
            Error(name, "dialog template " + std::to_string(t) + " is missing");
    if (!FindResourceA(module, MAKEINTRESOURCEA(BMP_FRAME), (LPCSTR)RT_BITMAP))
        Error(name, "frame bitmap 1 is missing");
    FreeLibrary(module);
}

void CheckLanguageLibraries(const std::string &)
{
    static std::set<std::string> done;
    std::string msg = CdDir + Settings.LoadMsgModule, cui = CdDir + Settings.LoadModule;
    if (!done.insert(msg + "\n" + cui).second)
        return;
    std::string msgPlace = IniPlace(Settings.LanguageName, "LoadMsgModule");
    MsgReport report;
    if (!IsFile(msg)) {
        Error(msgPlace, "the message library " + Quoted(Settings.LoadMsgModule) +
                            " is not on the CD; setup stops with \"Can't load Msg Library\"");
        return;
    }
    if (!RunMsgSetup(msgPlace, msg, report))
        return;
    CheckMessageTable(CdRelative(msg), report);
    std::string cuiPlace = IniPlace(Settings.LanguageName, "LoadModule");
    if (!IsFile(cui))
        Error(cuiPlace, "the dialog library " + Quoted(Settings.LoadModule) + " is not on the CD");
    else
        CheckDialogLibrary(cuiPlace, cui, report);
}

// ---- files of every language

static void CheckInf()
{
    std::string inf = CdDir + Settings.InfFileName, place = IniPlace("option", "InfFileName");
    if (!IsFile(inf)) {
        Error(place, "the INF file " + Quoted(Settings.InfFileName) + " is not on the CD");
        return;
    }
    char title[256];
    GetPrivateProfileStringA("Setup", "Title", "", title, sizeof title, inf.c_str());
    if (GetPrivateProfileIntA("Setup", "Format", 0, inf.c_str()) != 1)
        Error(Settings.InfFileName, "[Setup] Format is not 1; the toolkit refuses the INF file");
    if (!title[0])
        Error(Settings.InfFileName, "[Setup] Title is missing; the toolkit refuses the INF file");
}

// A source tree: a directory holding at least one file.
static int CountFiles(const std::string &dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files++;
        else if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, ".."))
            files += CountFiles(dir + found.cFileName + "\\");
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

static void CheckTrees()
{
    std::string place = IniPlace("option", "SourcePath1");
    if (ProbePath(std::string(Settings.SourcePath1).substr(0, lstrlenA(Settings.SourcePath1) - 1).c_str()) != 2)
        Error(place, "the first source tree " + Quoted(CdRelative(Settings.SourcePath1)) +
                         " is not on the CD");
    else if (!CountFiles(Settings.SourcePath1))
        Error(place, "the first source tree " + Quoted(CdRelative(Settings.SourcePath1)) +
                         " holds no file; the copy stops before it starts");
    else if (!IsFile(std::string(Settings.SourcePath1) + Settings.ExecFileName))
        Error(IniPlace("option", "ExecFileName"),
              Quoted(Settings.ExecFileName) + " is not in the first source tree " +
                  Quoted(CdRelative(Settings.SourcePath1)) + "; the installed game cannot start");
    if (Settings.SourcePath2[0] && ProbePath(Settings.SourcePath2) != 2)
        Warning(IniPlace("option", "SourcePath2"),
                "the second source tree " + Quoted(Settings.SourcePath2) +
                    " is not on the CD; setup copies the first tree only");
}

static void CheckDocuments()
{
    if (!lstrcmpA(Settings.DocPath, "None"))
        return;
    const char *keys[] = {"HelpFileNameSrc", "TextFileNameSrc"};
    const char *names[] = {Settings.HelpFileNameSrc, Settings.TextFileNameSrc};
    for (int i = 0; i < 2; i++)
        if (lstrcmpA(names[i], "None") && !IsFile(std::string(Settings.DocPath) + names[i]))
            Error(IniPlace(Settings.LanguageName, keys[i]),
                  "the document " + Quoted(CdRelative(std::string(Settings.DocPath) + names[i])) +
                      " is not on the CD; setup stops when it copies the documents");
}

// A DirectX directory: RUNTIME.INI and each file it lists at its size.
static void CheckDirectX(const char *key, const char *dir)
{
    std::string manifest = std::string(dir) + "RUNTIME.INI";
    if (!IsFile(manifest)) {
        Error(IniPlace("DirectX", key), "the DirectX directory " +
                                            Quoted(CdRelative(dir)) + " has no RUNTIME.INI");
        return;
    }
    char keys[4096];
    GetPrivateProfileStringA("Files", 0, "", keys, sizeof keys, manifest.c_str());
    for (const char *k = keys; *k; k += lstrlenA(k) + 1) {
        char value[64];
        GetPrivateProfileStringA("Files", k, "", value, sizeof value, manifest.c_str());
        std::string file = std::string(dir) + k;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
            Error(CdRelative(manifest), std::string("lists ") + k + ", which is not on the CD");
        else if (ReadDecimal(value) != (LONGLONG)data.nFileSizeLow || data.nFileSizeHigh)
            Error(CdRelative(file), "is " + std::to_string(data.nFileSizeLow) +
                                        " bytes; RUNTIME.INI says " + value);
    }
}

static void CheckCodec()
{
    std::string codec = std::string(Settings.Indeo41LibPath) + "IR41_32.DLL";
    char version[32];
    if (!IsFile(codec))
        Error(IniPlace("Indeo41", "LIBPATH"),
              "the video codec " + Quoted(CdRelative(codec)) + " is not on the CD");
    else if (!GetFileVersionString(codec.c_str(), version))
        Error(CdRelative(codec), "has no FileVersion that the codec check can read");
}

void CheckCommonFiles()
{
    CheckInf();
    if (!IsFile(CdDir + Settings.UnInstExe))
        Error(IniPlace("Option", "UnInstExe"), "the uninstaller " + Quoted(Settings.UnInstExe) +
                                                   " is not on the CD");
    CheckTrees();
    CheckDocuments();
    if (!IsNone(Settings.DirectX)) {
        CheckDirectX("AT", Settings.DirectXAT);
        CheckDirectX("NEC", Settings.DirectXNEC);
    }
    if (!IsNone(Settings.Indeo41))
        CheckCodec();
}
