// The command-line splitter of both programs, held against the system's
// own CommandLineToArgvW and against the quoting that process libraries of
// scripting languages use to build a line from a list of arguments.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>
#include "common/cmdline.h"
#include "tests/support/command_line.h"

static std::vector<std::string> Split(const std::string &line)
{
    std::vector<std::string> out;
    const char *p = line.c_str();
    Argument a;
    while (NextArgument(&p, &a))
        out.push_back(a.text);
    return out;
}

// The system's split of the same arguments (ASCII only). Its first
// argument is taken as a program name by other rules, so a name goes first.
static std::vector<std::string> SystemSplit(const std::string &line)
{
    std::wstring wide = L"x.exe " + std::wstring(line.begin(), line.end());
    int n = 0;
    LPWSTR *argv = CommandLineToArgvW(wide.c_str(), &n);
    std::vector<std::string> out;
    for (int i = 1; i < n; i++)
        out.emplace_back(argv[i], argv[i] + lstrlenW(argv[i]));
    LocalFree(argv);
    return out;
}

TEST(CommandLine, SplitsAsTheSystemDoes)
{
    const char *lines[] = {
        "/S \"/D=C:\\Program Files\\Some Game\"",
        "/S /D=\"C:\\Program Files\\X\" /LOG=C:\\a.log",
        "  -s\t/D=C:\\A B  ",
        "a\\\\\\\"b c\\\\\"d e\" f\\\\ \\\\\\\\\"g h\"",  // 3, 2, 4 backslashes
        "\"\" \"a\"\"\" x\"y z\"w",
        "C:\\dir\\ \"C:\\dir with blank\\\\\"",
    };
    for (const char *line : lines)
        EXPECT_EQ(SystemSplit(line), Split(line)) << line;
    EXPECT_EQ((std::vector<std::string>{"a\\\"b", "c\\d e", "f\\\\", "\\\\g h"}),
              Split(lines[3]));
}

TEST(CommandLine, ListsQuotedByProcessLibrariesComeBackWhole)
{
    const std::vector<std::vector<std::string>> lists = {
        {"/S", "/D=C:\\Program Files\\Some Game", "/LOG=C:\\a b.log"},
        {"/S", "/LOG=C:\\a b.log", "C:\\windows\\X.INI"},
        {"/D=C:\\trailing\\", "/D=C:\\blank trailing\\", "", "say \"hi\"", "\\\\\""},
    };
    for (const auto &list : lists)
        EXPECT_EQ(list, Split(ListToLine(list))) << ListToLine(list);
}

TEST(CommandLine, DoubleByteCharactersAreTakenWhole)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs code page 932 (LC_ALL=ja_JP.UTF-8)";
    // 0x95 0x5C is one character whose second byte is a backslash.
    EXPECT_EQ((std::vector<std::string>{"/D=C:\\\x95\x5C", "x"}),
              Split("\"/D=C:\\\x95\x5C\" x"));
}

TEST(CommandLine, OptionsTakeSlashOrDashInAnyCase)
{
    Argument a;
    const char *line = "-log=C:\\x /Minimal /S= /?";
    ASSERT_TRUE(NextArgument(&line, &a));
    EXPECT_STREQ("C:\\x", OptionValue(a, "LOG="));
    EXPECT_FALSE(IsSwitch(a, "LOG"));
    ASSERT_TRUE(NextArgument(&line, &a));
    EXPECT_TRUE(IsSwitch(a, "MINIMAL"));
    ASSERT_TRUE(NextArgument(&line, &a));
    EXPECT_FALSE(IsSwitch(a, "S"));
    ASSERT_TRUE(NextArgument(&line, &a));
    EXPECT_TRUE(IsSwitch(a, "?"));
    EXPECT_FALSE(NextArgument(&line, &a));
}

TEST(CommandLine, ALongArgumentIsMarkedCut)
{
    std::string line = "\"/D=" + std::string(2000, 'x') + "\" next";
    const char *p = line.c_str();
    Argument a;
    ASSERT_TRUE(NextArgument(&p, &a));
    EXPECT_EQ(0, a.fits);
    EXPECT_EQ(ARGUMENT_CAP - 1, lstrlenA(a.text));
    ASSERT_TRUE(NextArgument(&p, &a));
    EXPECT_STREQ("next", a.text);
}
