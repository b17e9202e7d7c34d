// An empty library: the version query tests only read its resources.
#include <windows.h>

extern "C" __declspec(dllexport) int VersionTestLibrary()
{
    return 1;
}
