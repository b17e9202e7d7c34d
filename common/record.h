// The installation record: what setup leaves on the machine to say that
// the product is installed, and what a removal reads to prove that a thing
// is the product's before it deletes it. Its registry keys and their paths,
// the product settings file in the installation folder, the uninstaller
// that the Add/Remove Programs entry names, and the shared-file counts of
// the files setup puts into the Windows directory. Used by setup, the
// uninstaller and the CD checker.
#ifndef COMMON_RECORD_H
#define COMMON_RECORD_H

#include <windows.h>

// The installed product's names that its registry keys are built from.
struct ProductNames {
    const char *execFileName;     // App Paths entry
    const char *productName;      // product key below the maker's key
    const char *productVersion;   // version key below the product key
    const char *applicationName;  // Add/Remove Programs entry
};

// The roots of the product's keys under HKEY_LOCAL_MACHINE, and the
// capacity of a key path built from them.
#define KEY_CAP 256
extern const char AppPathsRoot[];   // ...\App Paths\<ExecFileName>
extern const char ProductRoot[];    // SOFTWARE\ORVA\<ProductName>\<version>
extern const char UninstallRoot[];  // ...\Uninstall\<ApplicationName>
extern const char SharedDllsKey[];  // one count per full path of a shared file

// Builds root + name (+ "\" + subName + "\") in out (KEY_CAP bytes) for
// setup's registration, refusing names that would make the path a parent
// key, names whose joining gives two backslashes in a row (a version
// "1.0\"), and paths that do not fit. 1 when the key may be used.
int BuildRegistrationKey(char *out, const char *root, const char *name,
                         const char *subName);

// The four key paths of a product, each without a trailing backslash.
struct ProductKeys {
    char appPaths[KEY_CAP];
    char version[KEY_CAP];
    char product[KEY_CAP];
    char uninstall[KEY_CAP];
};
// Builds them; 0 when a name could make a path name a parent key (see
// CheckKeyName), a version joined to its product gives two backslashes in
// a row, or a path does not fit.
int BuildProductKeys(const ProductNames &names, ProductKeys *keys);
// 1 when name can stand for one key below a parent key: not empty, not made
// of backslashes and blanks only, no leading backslash and no two
// backslashes in a row, so that a key path built from it never names the
// parent key itself.
int CheckKeyName(const char *name);

// ---- the uninstaller settings file (a bare name: the Windows directory)
// Its [UnInstall] keys, in the order setup writes them. The last two came
// later (a record without them is older): CheckGameTitle, the running
// game's window title, and CodePage, the system code page the record's
// texts are written in (a path read under another one names nothing).
enum RecordKey {
    REC_UNINST_EXE, REC_LOAD_MSG_MODULE, REC_EXEC_FILE_NAME, REC_PRODUCT_NAME,
    REC_PRODUCT_VERSION, REC_APPLICATION_NAME, REC_GROUP_TITLE, REC_UNINST_WIN_TITLE,
    REC_UNINSTALL_MSG0, REC_UNINSTALL_MSG1, REC_UNINSTALL_MSG2, REC_GAME_TITLE,
    REC_CODE_PAGE, REC_KEYS
};
// The code page the record was written in; 0 for a record without it.
UINT RecordCodePage(const char *settingsFile);
// Writes the section, values in the order of RecordKey.
void WriteRecordSection(const char *settingsFile, const char *const values[REC_KEYS]);
// The [Versions] section: every version whose key this product's
// installations registered ([UnInstall] ProductVersion names only the
// last), so that the removal deletes each one's key. Setup reads the
// version of the record it replaces ("" unless that record is this
// product's: a reinstall from a CD of another version) into earlier (33
// bytes), writes its section, then records both.
void RecordedVersion(const char *settingsFile, const char *productName, char *earlier);
void RecordVersions(const char *settingsFile, const char *earlier, const char *version);
// The recorded versions as a list of texts, each ended by a zero, the
// list by a second zero, in list (capacity bytes); an empty list when
// there are none.
void ReadRecordedVersions(const char *settingsFile, char *list, int capacity);
// The [Directory] keys of the installed folder and of the folder the
// product is started from.
extern const char InstallPathKey[];
extern const char ExePathKey[];
// Records dir as a [Directory] key (InstallPathKey, ExePathKey) unless the
// key already reads as a number (a directory path never does). 0 when the
// write failed.
int RecordDirectory(const char *settingsFile, const char *key, const char *dir);
// Reads a [Directory] key into path (MAX_PATH bytes); 0 when none is
// recorded (missing, "None" or empty).
int ReadRecordedDirectory(const char *settingsFile, const char *key, char *path);
// The installation in progress: the folder setup copies into, recorded
// ([Directory] PendingInstallPath, with the product's names in
// [UnInstall]) before the first file is copied, and forgotten when the
// registration records that folder as InstallPath. Until then an earlier
// installation stays recorded beside it, and a removal takes both.
extern const char PendingInstallKey[];
int RecordPendingInstallation(const char *settingsFile, const char *dir,
                              const ProductNames &names);
// The record of a registration (settingsFile a full path): the
// [UnInstall] values, [Versions] with the earlier record's version, the
// installed folder as [Directory] InstallPath and ExePath, no installation
// in progress. Written beside the record and put in its place in one step
// (on the NT family), so that whenever it is read it is either the record
// before or the whole new one: a record never registered (the first
// installation's, in progress) is written anew, any other is carried over
// with these values. 0 when it could not be written; the record before is
// then as it was.
int WriteRegistrationRecord(const char *settingsFile, const char *const values[REC_KEYS],
                            const char *installDir);
// A Windows-folder file of the record (key REC_UNINST_EXE or
// REC_LOAD_MSG_MODULE) counts this product's use while the record names
// it and no removal has released it since. Setup notes the file once it
// has counted it, so that a registration cut off and run again counts it
// once; a removal marks it released before it takes the count down, so
// that a removal run again takes it down once. 1 from MarkReleased when
// the file was not marked before.
int RecordCountsFile(const char *settingsFile, RecordKey key, const char *name);
// Setup notes a Windows-folder file that it copies under a free name
// ([Copying]) until it is counted: a copy cut off leaves a part of the
// file, which the next run may take back (ReadUnfinishedCopy, into name of
// MAX_PATH bytes; 0 for none) as the product's own.
void NoteUnfinishedCopy(const char *settingsFile, RecordKey key, const char *name);
int ReadUnfinishedCopy(const char *settingsFile, RecordKey key, char *name);
void NoteCountedFile(const char *settingsFile, RecordKey key, const char *name);
int MarkReleased(const char *settingsFile, RecordKey key, const char *path);
// Reads an [UnInstall] key into text (capacity bytes); 0 when it is not
// there or empty.
int ReadRecordValue(const char *settingsFile, RecordKey key, char *text, int capacity);

// The uninstaller settings: what the uninstaller knows of the installed
// product, read from the record once. One buffer per value, its size the
// value's capacity with the terminating zero.
struct UninstallSettings {
    char SettingsPath[MAX_PATH];        // the record, from the command line
    char InstallPath[MAX_PATH];         // [Directory]
    char PendingInstallPath[MAX_PATH];  // "": no installation in progress
    char ProductName[33];
    char ProductVersion[33];
    char ApplicationName[33];
    char ExecFileName[MAX_PATH];
    char UninstWinTitle[33];
    char UninstallMsg0[17];
    char UninstallMsg1[129];
    char UninstallMsg2[17];
    char LoadMsgModule[13];
    char UnInstExe[MAX_PATH];
    char GroupTitle[MAX_PATH];
    char CheckGameTitle[33];  // the running game's window title
};
// Fills settings from the record at settings->SettingsPath, in the order
// the uninstaller reads them; an absent value takes its default, a longer
// one is cut at its capacity - 1. A required value that reads "None" (in
// any letter case) is missing: its message goes to report, and 0 returns
// without reading the values after it.
int ReadUninstallSettings(UninstallSettings *settings, void (*report)(const char *message));
// Whose record a settings file of the Windows folder (full path) is: this
// product's when its ApplicationName and ProductName are the product's
// (without regard to case, as the keys they name); another product's name
// (its ApplicationName, else its ProductName) goes into other (33 bytes).
#define RECORD_ABSENT  0   // there is no such file
#define RECORD_OURS    1
#define RECORD_OTHER   2   // another product's record
#define RECORD_UNKNOWN 3   // a file that names no product
int RecordOwner(const char *settingsPath, const ProductNames &names, char *other);

// The proof that a folder is the product's installation: setup writes the
// product settings file (the uninstaller settings file's name) into the
// folder it installed, with its install mode and the product's names
// ([Install] Mode, ApplicationName, ProductName). A file with a mode but
// without names was written before the names were; it proves the folder
// of whichever product's record leads to it.
int WriteProductProof(const char *settingsFile, const ProductNames &names);
// 1 when dir holds the product settings file settingsName and it proves
// the folder this product's (both given as names, common/filenames.h).
int HoldsProductSettings(const char *dir, const char *settingsName, const ProductNames &names);
// 1 when dir (a name) holds a product settings file ("*.INI") of another
// product: that product's installation, which no removal of this one may
// enter and no installation of this one may write into.
int HoldsOtherProduct(const char *dir, const ProductNames &names);

// The program that the product's Add/Remove Programs entry starts (its
// command line up to the first blank, or the quoted name), in path
// (MAX_PATH bytes); 0 when the product has no entry.
int RegisteredUninstaller(const char *applicationName, char *path);

// Shared files of the Windows directory (the uninstaller and the message
// library, which other products may use under the same names), counted
// one per installed product as the system's convention has it.
// Counts this product's use of path after setup copied it there:
// existedBefore, the file was there before the copy; wasScheduled, a
// removal had scheduled its deletion (no product used it any more);
// registeredBefore, this product was installed already and is counted.
// A file there without a count was put there by one product before counts
// were kept; a count whose file is not there counts nobody.
void CountSharedFile(const char *path, int existedBefore, int wasScheduled,
                     int registeredBefore);
// Takes this product's use of path away; 1 when no other product uses it,
// so the file may go (its count is then removed), 0 when it must stay.
// keepAtZero: the file stays whatever the count (the count is kept at 0,
// so that the next installation counts right).
int ReleaseSharedFile(const char *path, int keepAtZero);

#endif
