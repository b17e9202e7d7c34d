// The product's registry keys under HKEY_LOCAL_MACHINE, deleted again on
// removal: App Paths entry, version key, product key, uninstall entry.
#include "common/removal.h"
#include "common/text.h"
#include "common/ui.h"

const char AppPathsRoot[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char ProductRoot[] = "SOFTWARE\\ORVA\\";
const char UninstallRoot[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

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
static int DeleteKeyOrTell(const char *key, const char *caption)
{
    if (DeleteKey(key))
        return 1;
    ShowBox("Registry delete failed.", caption, BOX_ALERT);
    return 0;
}

// Deletes the four keys in order; the first failure ends it. Names that
// would make a key path name a parent key, or a key path that does not
// fit, are refused before anything is deleted, without a message, as a
// missing App Paths key is.
int DeleteProductRegistry(const ProductNames &names, const char *caption)
{
    char appKey[KEY_CAP];
    char versionKey[KEY_CAP];
    char productKey[KEY_CAP];
    char uninstallKey[KEY_CAP];
    if (!CheckKeyName(names.execFileName) || !CheckKeyName(names.productName) ||
        !CheckKeyName(names.productVersion) ||
        !CheckKeyName(names.applicationName))
        return 0;
    if (!BuildKey(appKey, AppPathsRoot, names.execFileName) ||
        !BuildKey(productKey, ProductRoot, names.productName) ||
        !TextCopy(versionKey, productKey, KEY_CAP) ||
        !AppendBackslash(versionKey, KEY_CAP) ||
        !TextAppend(versionKey, names.productVersion, KEY_CAP) ||
        !BuildKey(uninstallKey, UninstallRoot, names.applicationName))
        return 0;
    RemoveBackslash(productKey);
    if (!DeleteKey(appKey))
        return 0;
    return DeleteKeyOrTell(versionKey, caption) &&
           DeleteKeyOrTell(productKey, caption) &&
           DeleteKeyOrTell(uninstallKey, caption);
}
