// Command lines split by the Windows argument rules (see cmdline.h).
#include "common/cmdline.h"

static int IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Appends one byte to the argument's text, or marks it cut.
static void Put(Argument *argument, int *n, char c)
{
    if (*n < ARGUMENT_CAP - 1)
        argument->text[(*n)++] = c;
    else
        argument->fits = 0;
}

int NextArgument(const char **line, Argument *argument)
{
    const char *p = *line;
    while (IsBlank(*p))
        p++;
    if (!*p)
        return 0;
    argument->start = p;
    argument->fits = 1;
    int n = 0, quoted = 0;
    while (*p && (quoted || !IsBlank(*p))) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
            Put(argument, &n, *p++);
            Put(argument, &n, *p++);
            continue;
        }
        if (*p == '\\') {
            int backslashes = 0;
            while (*p == '\\') {
                backslashes++;
                p++;
            }
            if (*p != '"') {
                while (backslashes--)
                    Put(argument, &n, '\\');
                continue;
            }
            for (int i = 0; i < backslashes / 2; i++)
                Put(argument, &n, '\\');
            if (backslashes % 2) {
                Put(argument, &n, '"');
                p++;
            }
            continue;  // an even count leaves the '"' to the rule below
        }
        if (*p != '"') {
            Put(argument, &n, *p++);
            continue;
        }
        // A run of double quotes, as CommandLineToArgvW counts it: each
        // opens or closes the quoting, and every third in a row (counted
        // from the opening one) is a literal '"'.
        int count = quoted + 1;
        for (p++; *p == '"'; p++) {
            if (++count == 3) {
                Put(argument, &n, '"');
                count = 0;
            }
        }
        quoted = count == 1;
    }
    argument->text[n] = '\0';
    argument->end = p;
    *line = p;
    return 1;
}

// The text after "/name" or "-name" (name in any letter case), or 0.
static const char *AfterName(const char *text, const char *name)
{
    if (text[0] != '/' && text[0] != '-')
        return nullptr;
    int n = lstrlenA(name);
    char head[16];
    if (n >= static_cast<int>(sizeof head))
        return nullptr;
    int i = 0;
    for (; i < n && text[1 + i]; i++)
        head[i] = text[1 + i];
    head[i] = '\0';
    return i == n && lstrcmpiA(head, name) == 0 ? text + 1 + n : nullptr;
}

int IsSwitch(const Argument &argument, const char *name)
{
    const char *rest = AfterName(argument.text, name);
    return rest && !*rest;
}

const char *OptionValue(const Argument &argument, const char *name)
{
    return AfterName(argument.text, name);
}
