// The main function of every GoogleTest program of the suite. GoogleTest
// ends with 0 when every test either passed or was skipped (GTEST_SKIP,
// for a drive that could not be mounted, say), and ctest would count such
// a program as passed. Here a run in which nothing failed but something
// was skipped ends with kSkipped, which the registration (tests/CMakeLists.txt)
// names as ctest's skip return code: the program shows as skipped, and a
// failure still shows as a failure.
#include <gtest/gtest.h>

namespace {
const int kSkipped = 77;
}

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    if (result == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0)
        return kSkipped;
    return result;
}
