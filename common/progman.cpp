// Program Manager groups over DDE: the product's group and its items are
// made and deleted by command strings sent to the shell's "PROGMAN"
// service. Each operation opens its own conversation and closes it again,
// but the items that setup adds one after another share one.
#include "common/removal.h"
#include "common/text.h"
#include <ddeml.h>

static const DWORD GroupTimeout = 10000;  // create and delete group, ms
// Add item, ms. Under load the shell was seen to take more than a second
// to write an item (it makes a link file and updates the open group's
// window), and a transaction that times out reports a failure for an item
// that may still be made; so an item gets the group's time.
static const DWORD ItemTimeout = 10000;
static const int DeleteTries = 3;         // a refused command, see below
static const DWORD DeleteRetryWait = 250; // ms between tries

// One open conversation with the Program Manager.
struct ProgmanLink {
    DWORD instance;
    HCONV conversation;
};

// The client callback: a client-only instance answers nothing.
static HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ,
                                           HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return 0;
}

// Ends the conversation (if one was opened) and the DDE instance.
static void CloseProgman(ProgmanLink &link)
{
    if (link.conversation)
        DdeDisconnect(link.conversation);
    DdeUninitialize(link.instance);
}

// Starts a client-only DDE instance and connects to "PROGMAN" on topic
// "PROGMAN". Leaves nothing open when it fails.
static int OpenProgman(ProgmanLink &link)
{
    link.instance = 0;
    link.conversation = 0;
    if (DdeInitializeA(&link.instance, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) !=
        DMLERR_NO_ERROR)
        return 0;
    HSZ service = DdeCreateStringHandleA(link.instance, "PROGMAN", CP_WINANSI);
    if (!service) {
        CloseProgman(link);
        return 0;
    }
    CONVCONTEXT context;
    ZeroMemory(&context, sizeof context);
    context.cb = sizeof context;
    link.conversation = DdeConnect(link.instance, service, service, &context);
    BOOL freed = DdeFreeStringHandle(link.instance, service);
    if (!link.conversation || !freed) {
        CloseProgman(link);
        return 0;
    }
    return 1;
}

// Sends one command text (with its terminating zero) as an execute
// transaction; the transaction takes over the data object.
static int SendProgmanCommand(const ProgmanLink &link, const char *command,
                              DWORD timeout)
{
    HDDEDATA data = DdeCreateDataHandle(
        link.instance, reinterpret_cast<LPBYTE>(const_cast<char *>(command)),
        lstrlenA(command) + 1, 0, 0, CF_TEXT, 0);
    if (!data)
        return 0;
    DWORD status = 0;
    return DdeClientTransaction(reinterpret_cast<LPBYTE>(data), static_cast<DWORD>(-1),
                                link.conversation, 0, 0, XTYP_EXECUTE, timeout,
                                &status) != 0;
}

// Puts one argument of a command into text as the Program Manager parses
// it: as it is, or in double quotes when it holds a character that ends or
// separates arguments ( [ ] ( ) , ). An empty argument, or one holding a
// double quote (which no quoting can carry), is refused with 0.
static int FormatArgument(char *text, int capacity, const char *argument)
{
    if (!argument[0])
        return 0;
    int special = 0;
    for (const char *p = argument; *p; p = CharNextA(p)) {
        if (CharNextA(p) != p + 1)
            continue;  // a double-byte character
        if (*p == '"')
            return 0;
        if (*p == '[' || *p == ']' || *p == '(' || *p == ')' || *p == ',')
            special = 1;
    }
    if (special)
        return TextFormat(text, capacity, "\"%s\"", argument);
    return TextCopy(text, argument, capacity);
}

// A group name is made a folder name by the shell: refuse one whose
// backslash- or slash-separated parts are empty or made of dots and blanks
// only ("." and ".." name the Programs folder itself or a folder above it,
// and the system strips trailing dots and blanks from any other such part).
int CheckGroupName(const char *group)
{
    const char *part = group;
    for (const char *p = group;; p = CharNextA(p)) {
        if (*p && *p != '\\' && *p != '/')
            continue;
        int others = 0;
        for (const char *q = part; q < p; q++)
            if (*q != '.' && *q != ' ')
                others++;
        if (!others)
            return 0;
        if (!*p)
            return 1;
        part = p + 1;
    }
}

// Formats "[<verb>(<group>)]" into a command buffer; 0 when the group is
// refused or the command does not fit.
int FormatGroupCommand(char *command, int capacity, const char *verb,
                       const char *group)
{
    char argument[128];
    if (!CheckGroupName(group) || !FormatArgument(argument, sizeof argument, group))
        return 0;
    return TextFormat(command, capacity, "[%s(%s)]", verb, argument);
}

int FormatItemCommand(char *command, int capacity, const char *item,
                      const char *commandLine)
{
    char line[1024];
    char name[1024];
    return FormatArgument(line, sizeof line, commandLine) &&
           FormatArgument(name, sizeof name, item) &&
           TextFormat(command, capacity, "[AddItem(%s,%s)]", line, name);
}

// Sends a command; one the shell refuses is tried again a moment later,
// for the moment after a group is made when the shell still holds its
// folder (see DeleteProgramGroup). A timeout is not tried again.
static int SendProgmanCommandTried(const ProgmanLink &link, const char *command,
                                   DWORD timeout)
{
    for (int tries = 0; tries < DeleteTries; tries++) {
        if (tries) {
            if (DdeGetLastError(link.instance) != DMLERR_NOTPROCESSED)
                return 0;
            Sleep(DeleteRetryWait);
        }
        if (SendProgmanCommand(link, command, timeout))
            return 1;
    }
    return 0;
}

// The conversation that the items between OpenProgramItems and
// CloseProgramItems share, while SharedOpen.
static ProgmanLink Shared;
static int SharedOpen;

void OpenProgramItems()
{
    SharedOpen = OpenProgman(Shared);
}

void CloseProgramItems()
{
    if (SharedOpen)
        CloseProgman(Shared);
    SharedOpen = 0;
}

int AddProgramItem(const char *group, const char *item, const char *commandLine)
{
    char createGroup[128];
    char addItem[1024];
    if (!FormatGroupCommand(createGroup, sizeof createGroup, "CreateGroup", group) ||
        !FormatItemCommand(addItem, sizeof addItem, item, commandLine))
        return 0;
    int shared = SharedOpen;
    ProgmanLink own;
    ProgmanLink &link = shared ? Shared : own;
    if (!shared && !OpenProgman(own))
        return 0;
    int result = SendProgmanCommandTried(link, createGroup, GroupTimeout) &&
                 SendProgmanCommandTried(link, addItem, ItemTimeout);
    // A conversation in which a command failed (a time-out, say) is not
    // used again: the next item opens its own, as without sharing.
    if (!shared)
        CloseProgman(own);
    else if (!result)
        CloseProgramItems();
    return result;
}

int DeleteProgramGroup(const char *group)
{
    char deleteGroup[128];
    if (!FormatGroupCommand(deleteGroup, sizeof deleteGroup, "DeleteGroup", group))
        return 0;
    ProgmanLink link;
    if (!OpenProgman(link))
        return 0;
    // Just after the group was made, the shell may refuse the command with
    // the links gone and the folder left: under Wine the window it opens
    // on a new group, and what else reads a new group, hold the folder for
    // a moment. A refusal is tried again a moment later; a timeout is not.
    int result = 0;
    for (int tries = 0; !result && tries < DeleteTries; tries++) {
        if (tries) {
            if (DdeGetLastError(link.instance) != DMLERR_NOTPROCESSED)
                break;
            Sleep(DeleteRetryWait);
        }
        result = SendProgmanCommand(link, deleteGroup, GroupTimeout);
    }
    CloseProgman(link);
    return result;
}
