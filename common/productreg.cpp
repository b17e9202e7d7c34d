// The product's registry keys under HKEY_LOCAL_MACHINE, deleted again on
// removal: App Paths entry, version key, product key, uninstall entry.
#include "common/removal.h"
#include "common/program.h"
#include "common/text.h"

static const char AppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
static const char MakerKey[] = "SOFTWARE\\ORVA\\";
static const char UninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

#define KEY_CAP 256

int CheckKeyName(const char *name)
{
    if (!name[0] || name[0] == '\\')
        return 0;
    int visible = 0;
    for (const char *p = name; *p; p = CharNextA(p)) {
        int single = CharNextA(p) == p + 1;
        if (single && p[0] == '\\' && p[1] == '\\')
            return 0;
        if (!single || (*p != '\\' && *p != ' ' && *p != '\t'))
            visible = 1;
    }
    return visible;
}

// Builds parent + name in key (KEY_CAP bytes); 0 when it does not fit.
static int BuildKey(char *key, const char *parent, const char *name)
{
    return TextCopy(key, parent, KEY_CAP) && TextAppend(key, name, KEY_CAP);
}

// Deletes one key; 1 when it is gone.
static int DeleteKey(const char *key)
{
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS;
}

// Deletes one key, or tells the user that it could not.
static int DeleteKeyOrTell(const char *key)
{
    if (DeleteKey(key))
        return 1;
    MessageBoxA(0, "Registry delete failed.", ProgramCaption,
                MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_SETFOREGROUND);
    return 0;
}

// Deletes the four keys in order; the first failure ends it. Names that
// would make a key path name a parent key, or a key path that does not
// fit, are refused before anything is deleted, without a message, as a
// missing App Paths key is.
int DeleteProductRegistry()
{
    char appKey[KEY_CAP];
    char versionKey[KEY_CAP];
    char productKey[KEY_CAP];
    char uninstallKey[KEY_CAP];
    if (!CheckKeyName(ExecFileName) || !CheckKeyName(ProductName) ||
        !CheckKeyName(ProductVersion) || !CheckKeyName(ApplicationName))
        return 0;
    if (!BuildKey(appKey, AppPathsKey, ExecFileName) ||
        !BuildKey(productKey, MakerKey, ProductName) ||
        !TextCopy(versionKey, productKey, KEY_CAP) ||
        !AppendBackslash(versionKey, KEY_CAP) ||
        !TextAppend(versionKey, ProductVersion, KEY_CAP) ||
        !BuildKey(uninstallKey, UninstallKey, ApplicationName))
        return 0;
    RemoveBackslash(productKey);
    if (!DeleteKey(appKey))
        return 0;
    return DeleteKeyOrTell(versionKey) && DeleteKeyOrTell(productKey) &&
           DeleteKeyOrTell(uninstallKey);
}
