// A recording Program Manager: registers the DDE service "PROGMAN" and
// appends each execute command's exact bytes (with the terminating zero)
// as one line of hex digits to the log file named on the command line, and
// each conversation's start as a line "connect".
// Refuses every command that names "Busy", as the shell refuses to delete
// a group it cannot delete yet. Signals the event "TqlRecorderReady" once
// registered and ends when the event "TqlRecorderQuit" is set.
#include <windows.h>
#include <ddeml.h>
#include <cstdio>
#include <string>
#include <vector>

static DWORD instance;
static HSZ progman;
static FILE *logFile;

static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data,
                                  ULONG_PTR, ULONG_PTR)
{
    if (type == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(topic, progman) == 0);
    if (type == XTYP_CONNECT_CONFIRM) {
        fprintf(logFile, "connect\n");
        fflush(logFile);
    }
    if (type != XTYP_EXECUTE)
        return nullptr;
    std::vector<unsigned char> bytes(DdeGetData(data, nullptr, 0, 0));
    DdeGetData(data, bytes.data(), bytes.size(), 0);
    for (unsigned char b : bytes)
        fprintf(logFile, "%02x", b);
    fprintf(logFile, "\n");
    fflush(logFile);
    bool busy = std::string(bytes.begin(), bytes.end()).find("Busy") != std::string::npos;
    return reinterpret_cast<HDDEDATA>(busy ? DDE_FNOTPROCESSED : DDE_FACK);
}

int main(int argc, char **argv)
{
    if (argc < 2 || !(logFile = fopen(argv[1], "ab")))
        return 2;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "TqlRecorderReady");
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "TqlRecorderQuit");
    if (DdeInitializeA(&instance, Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
        return 3;
    progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (!DdeNameService(instance, progman, nullptr, DNS_REGISTER))
        return 4;
    SetEvent(ready);
    while (MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DdeNameService(instance, progman, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance, progman);
    DdeUninitialize(instance);
    fclose(logFile);
    return 0;
}
