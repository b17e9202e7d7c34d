// The main function of every GoogleTest program of the suite. GoogleTest
// ends with 0 when every test either passed or was skipped (GTEST_SKIP,
// for a drive that could not be mounted, say), and ctest would count such
// a program as passed. Here a run in which nothing failed but something
// was skipped ends with kSkipped, which the registration (tests/CMakeLists.txt)
// names as ctest's skip return code: the program shows as skipped, and a
// failure still shows as a failure.
//
// Before any test it takes away what a killed run of a test program may
// have left in the session: a Windows version that Wine was told to show
// the product's programs (tests/support/pending.h, WindowsVersion), which
// that program would only have taken away at the end of its test.
#include <gtest/gtest.h>
#include <windows.h>

namespace {
const int kSkipped = 77;

void ForgetShownWindowsVersions()
{
    for (const char *exe : {"Tql.exe", "UNINST.EXE"}) {
        std::string key = std::string("Software\\Wine\\AppDefaults\\") + exe;
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    }
}
}  // namespace

int main(int argc, char **argv)
{
    ForgetShownWindowsVersions();
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    if (result == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0)
        return kSkipped;
    return result;
}
