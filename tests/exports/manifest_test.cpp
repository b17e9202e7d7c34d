// The two programs carry an application manifest (resource 1 of type 24)
// asking to run elevated, so that on Windows Vista and later their writes to
// HKEY_LOCAL_MACHINE and the Windows directory are not redirected to a
// per-user store. Read from this build's CD image (drive Q:).
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

static std::string ManifestOf(const char *program)
{
    HMODULE image = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image)
        return "(cannot load " + std::string(program) + ")";
    std::string text = "(no manifest)";
    if (HRSRC res = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        text.assign(static_cast<const char *>(LockResource(LoadResource(image, res))),
                    SizeofResource(image, res));
    FreeLibrary(image);
    return text;
}

TEST(Manifest, BothProgramsAskForAdministratorRights)
{
    for (const char *program : {"Q:\\Tql.exe", "Q:\\UNINST.EXE"}) {
        std::string text = ManifestOf(program);
        EXPECT_EQ(0u, text.find("<?xml")) << program << ": " << text;
        EXPECT_NE(std::string::npos,
                  text.find("<requestedExecutionLevel level=\"requireAdministrator\""))
            << program;
        // Windows 10 and 11 among the systems it declares.
        EXPECT_NE(std::string::npos, text.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"))
            << program;
        EXPECT_NE(std::string::npos, text.find("</assembly>")) << program;
    }
}
