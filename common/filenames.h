// The file functions by a name that may hold characters of any language.
// The names below a destination come from the CD (Joliet carries them as
// Unicode), and the system's code page may lack them: on the NT family and
// under Wine the tree copy, the documents' copy, the probes and the
// removal therefore hand their paths to the wide (UTF-16) functions. Such a
// path ("a name" here) is kept as UTF-8 text, whose multi-byte characters
// never hold an ASCII byte (a backslash, a dot), in the same fixed buffers
// as before. On Windows 95/98, which have no wide functions, a name is
// text of the system's code page and goes to the byte-string functions as
// it always did. A name in ASCII is the same text in both forms and costs
// no conversion beyond the widening of its bytes.
// What the product records (settings file, registry, Program Manager
// commands) is text of the system's code page, as before: NameFromSystem
// turns such a text (a destination, a folder from TQL.INI) into a name.
#ifndef COMMON_FILENAMES_H
#define COMMON_FILENAMES_H

#include <windows.h>
#include "common/text.h"

// 1 where names are UTF-8 and go to the wide functions.
int WideNames();
// The next character of a name (a byte of UTF-8, a character of the
// system's code page on Windows 95/98): a trail byte is never a separator.
const char *NameCharNext(const char *p);

// 1 when two names name one file: UTF-8 compared as bytes, ASCII letters
// in either case; on Windows 95/98 text of the system's code page, whose
// trail bytes may look like ASCII letters, compared as that text.
int SameName(const char *a, const char *b);

// Text of the system's code page as a name, in out (capacity bytes); 0
// when it does not fit.
int NameFromSystem(char *out, int capacity, const char *text);
template <int N> inline int NameFromSystem(char (&out)[N], const char *text)
{ return NameFromSystem(out, N, text); }
// The same for text of another code page (0: the system's), as a record
// written under it holds it; 0 where names are that code page's text
// (Windows 95/98) and it is not the system's.
int NameFromCodePage(char *out, int capacity, const char *text, UINT codePage);
// A name as UTF-16, in out (capacity characters); 0 when it does not fit
// or is not valid.
int NameToWide(WCHAR *out, int capacity, const char *name);
// A name as readable text of the system's code page, for a log or a
// message: a character the code page lacks is written "<U+XXXX>".
void NameForDisplay(char *out, int capacity, const char *name);

// The capacity of a name below a folder as the NT family allows it: a
// path under MAX_PATH UTF-16 units is up to three times as many bytes of
// UTF-8 (a name of a Japanese game's saved files, say). The listing and
// the removal hold names in it.
#define NAME_CAP (3 * MAX_PATH)

// dir + "\" (unless dir ends in one) + name into a PATH_CAP buffer (or one
// of capacity bytes); 1 when the whole path fitted.
int JoinName(char *out, const char *dir, const char *name);
int JoinNameIn(char *out, int capacity, const char *dir, const char *name);
int AppendNameBackslash(char *name, int capacity);
void RemoveNameBackslash(char *name);
template <int N> inline int AppendNameBackslash(char (&name)[N])
{ return AppendNameBackslash(name, N); }

// One entry of a listing: the attributes and the name (as a name).
struct FoundName {
    DWORD dwFileAttributes;
    char cFileName[NAME_CAP];
};
// FindFirstFile/FindNextFile by name. An entry whose name does not fit
// NAME_CAP bytes as a name is given as "?" (which names nothing), so that
// no cut name is ever acted on.
HANDLE FindFirstName(const char *pattern, FoundName *found);
BOOL FindNextName(HANDLE search, FoundName *found);

// The walk of one directory's listing ("*.*" below it, by names): visit is
// called for each entry but the directories "." and "..", in the order the
// file system lists them, until it returns 0; first is 1 for the listing's
// first entry (which may be "."). 1 when every visit went on, 0 when one
// stopped the walk, WALK_UNLISTED when the directory cannot be listed,
// WALK_TOO_LONG when its pattern does not fit PATH_CAP bytes (as UTF-8:
// MAX_PATH UTF-16 units).
enum { WALK_UNLISTED = -1, WALK_TOO_LONG = -2 };
typedef int (*EntryVisit)(void *context, const FoundName &entry, int first);
int WalkDirectory(const char *directory, EntryVisit visit, void *context);

// 1 when acting on name by name acts on that entry itself. A link the
// system follows whatever it is asked (a host's symbolic link under Wine,
// whose deletion, renaming or attribute change reaches its target) names
// something else, and so does a link to nothing, which cannot be opened.
// 1 where the system has no way to tell (Windows 95 to XP, which act on a
// link itself).
int NamesItself(const char *name);
// Deletes the file name itself, never what a link there points to: 1
// when it is deleted, 0 when the deletion failed (GetLastError tells
// why, as DeleteFile's would), DELETE_NAMES_OTHER when name is a link the
// system would follow (see NamesItself), left as it is. Where the system
// can tell from a handle, the check and the deletion take one open.
enum { DELETE_NAMES_OTHER = -1 };
int DeleteFileItself(const char *name);
// Removes the link name itself where the system would follow it: a file
// of ours is put in its place under its name (a rename replaces the link,
// not what it points to), then deleted. 0 when the system refuses (Wine
// does for a link to a folder).
int ReplaceAndDeleteLink(const char *name);

// The file functions of the same names, by name.
HANDLE OpenNamed(const char *name, DWORD access, DWORD share, DWORD disposition,
                 DWORD flags);
DWORD NamedAttributes(const char *name);
BOOL SetNamedAttributes(const char *name, DWORD attributes);
BOOL DeleteNamed(const char *name);
BOOL CreateNamedDirectory(const char *name);
BOOL RemoveNamedDirectory(const char *name);
// MoveFileEx with flags (looked up: the NT family has it); MoveFile where
// flags is 0 or the system lacks MoveFileEx.
BOOL MoveNamed(const char *from, const char *to, DWORD flags);
// GetTempFileName in folder, into temp (PATH_CAP bytes).
UINT TempNameIn(const char *folder, const char *prefix, char *temp);
// GetFullPathName into full (PATH_CAP bytes); 0 when it does not fit.
int FullNameOf(const char *name, char *full);
// GetLongPathName into full (PATH_CAP bytes): 1 and the long form, -1 when
// the system has no such function, 0 when it failed.
int LongNameOf(const char *name, char *full);
// GetFinalPathNameByHandle of an open handle into final (capacity bytes),
// "\\?\" prefix kept; 0 when the system cannot tell.
int FinalNameOf(HANDLE handle, char *final, int capacity);
// GetPrivateProfileString of a file given by name.
DWORD NamedProfileString(const char *section, const char *key, char *value,
                         DWORD size, const char *name);

#endif
