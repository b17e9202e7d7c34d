// The product's registry keys under HKEY_LOCAL_MACHINE, deleted again on
// removal: App Paths entry, version key, product key, and last the
// Add/Remove Programs entry. The maker's key is never deleted.
#include "common/removal.h"
#include "common/text.h"
#include "common/ui.h"

// Deletes key below parent with every key below it (the NT family deletes
// only keys without subkeys, and a game may keep its options below its own
// version key). 1 when it is gone, or was never there.
static int DeleteKeyTree(HKEY parent, const char *key)
{
    HKEY handle;
    LONG result = RegOpenKeyExA(parent, key, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE,
                                &handle);
    if (result == ERROR_FILE_NOT_FOUND)
        return 1;
    if (result != ERROR_SUCCESS)
        return 0;
    char name[256];
    DWORD size = sizeof name;
    int ok = 1;
    while (ok && RegEnumKeyExA(handle, 0, name, &size, 0, 0, 0, 0) == ERROR_SUCCESS) {
        ok = DeleteKeyTree(handle, name);
        size = sizeof name;
    }
    RegCloseKey(handle);
    result = RegDeleteKeyA(parent, key);
    return ok && (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND);
}

// Deletes a key tree, or tells the user that it could not.
static int DeleteKeyOrTell(const char *key, const char *caption)
{
    if (DeleteKeyTree(HKEY_LOCAL_MACHINE, key))
        return 1;
    ShowBox("Registry delete failed.", caption, BOX_ALERT);
    return 0;
}

// 1 when the key exists and has a subkey.
static int HasSubkey(const char *key)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ENUMERATE_SUB_KEYS, &handle) !=
        ERROR_SUCCESS)
        return 0;
    char name[256];
    DWORD size = sizeof name;
    int has = RegEnumKeyExA(handle, 0, name, &size, 0, 0, 0, 0) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return has;
}

// 1 when the App Paths key is this product's: its program is the product's
// executable in the installation folder (another program of the same file
// name keeps its entry).
static int NamesProductProgram(const char *key, const ProductNames &names,
                               const char *installPath)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return 0;
    char program[MAX_PATH + 1], expected[MAX_PATH];
    DWORD type = 0, size = MAX_PATH;
    LONG result = RegQueryValueExA(handle, "", 0, &type, reinterpret_cast<BYTE *>(program),
                                   &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return 0;
    program[size < MAX_PATH ? size : MAX_PATH] = '\0';
    return JoinPath(expected, installPath, names.execFileName) &&
           !lstrcmpiA(program, expected);
}

// Deletes the version keys that the record lists besides the last one:
// the product's earlier versions, reinstalled over. Each is a key below
// the product key, by a name that cannot name the product key itself.
static int DeleteRecordedVersions(const ProductNames &names, const char *settingsFile,
                                  const char *caption)
{
    char list[1024];
    ReadRecordedVersions(settingsFile, list, sizeof list);
    int ok = 1;
    for (const char *version = list; *version; version += lstrlenA(version) + 1) {
        ProductNames earlier = names;
        earlier.productVersion = version;
        ProductKeys keys;
        if (BuildProductKeys(earlier, &keys))
            ok = DeleteKeyOrTell(keys.version, caption) && ok;
    }
    return ok;
}

int DeleteProductKeys(const ProductNames &names, const char *installPath,
                      const char *settingsFile, const char *caption)
{
    ProductKeys keys;
    if (!BuildProductKeys(names, &keys))
        return 0;
    int ok = 1;
    if (NamesProductProgram(keys.appPaths, names, installPath))
        ok = DeleteKeyOrTell(keys.appPaths, caption);
    ok = DeleteKeyOrTell(keys.version, caption) && ok;
    ok = DeleteRecordedVersions(names, settingsFile, caption) && ok;
    // Another version of the product keeps the product key.
    if (!HasSubkey(keys.product))
        ok = DeleteKeyOrTell(keys.product, caption) && ok;
    return ok;
}

int DeleteUninstallEntry(const ProductNames &names, const char *caption)
{
    ProductKeys keys;
    return BuildProductKeys(names, &keys) && DeleteKeyOrTell(keys.uninstall, caption);
}
