// A command line built from a list of arguments by the quoting of
// Python's subprocess.list2cmdline (also that of the C runtime's spawn
// functions and, for these arguments, of Wine's own start of a program):
// an argument with a blank or tab, or an empty one, in double quotes; a
// '"' as \" with the backslashes before it doubled; backslashes before
// the closing quote doubled.
#ifndef TESTS_SUPPORT_COMMAND_LINE_H
#define TESTS_SUPPORT_COMMAND_LINE_H

#include <string>
#include <vector>

inline std::string ListToLine(const std::vector<std::string> &args)
{
    std::string line;
    for (const std::string &arg : args) {
        if (!line.empty())
            line += ' ';
        bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
        if (quote)
            line += '"';
        std::string backslashes;
        for (char c : arg) {
            if (c == '\\') {
                backslashes += c;
                continue;
            }
            line += c == '"' ? backslashes + backslashes + "\\\"" : backslashes + c;
            backslashes.clear();
        }
        line += backslashes;
        if (quote)
            line += backslashes + '"';
    }
    return line;
}

#endif
