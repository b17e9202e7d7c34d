// The finishing step of the installation: the product's program items and
// the documents the settings name, copied into the destination.
#include "setup/documents.h"
#include "setup/copy.h"
#include "setup/config.h"
#include "setup/ends.h"
#include "setup/paths.h"
#include "setup/rules.h"
#include "setup/state.h"
#include "setup/toolkit.h"
#include "common/ui.h"
#include "common/text.h"
#include "common/removal.h"
#include "common/log.h"

// dest = DestinationDir + name; the destination ends in a backslash.
static void DestinationPath(char (&path)[PATH_CAP], const char *name)
{
    TextCopy(path, DestinationDir);
    TextAppend(path, name);
}

// Copies one document into the destination; a failure ends setup.
static void CopyDocument(const char *source, const char *dest)
{
    if (!CopyOneFile(source, dest))
        AbortSetup();
    SetFileAttributesA(dest, FILE_ATTRIBUTE_NORMAL);
}

// The help contents file's name: the help file name cut at its first "."
// followed by ".CNT" (X.HLP gives X.CNT; a name without "." gets ".CNT").
static void ContentsName(const char *helpName, char (&name)[32])
{
    TextCopy(name, helpName);
    for (char *p = name; *p; p = CharNextA(p)) {
        if (*p == '.') {
            *p = '\0';
            break;
        }
    }
    TextAppend(name, ".CNT");
}

// Adds an item of the product's group. 0, after its log line, when it was
// not made.
static int AddItem(const char *title, const char *file)
{
    if (AddProgramItem(Settings.GroupTitle, title, file))
        return 1;
    char line[160];
    TextFormat(line, sizeof line, "the program item \"%s\" was not made in "
               "the group \"%s\"", title, Settings.GroupTitle);
    LogLine(line);
    return 0;
}

// Copies the help file and, when the document directory has one, its
// contents file; the help item is added once its file is there (a shell
// makes no item for a file that does not exist). 0 when the item is
// missing.
static int InstallHelpFile()
{
    char source[PATH_CAP], dest[PATH_CAP];
    DestinationPath(dest, Settings.HelpFileNameDst);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, Settings.HelpFileNameSrc);
    CopyDocument(source, dest);
    int item = AddItem(Settings.HelpTitle, dest);

    char contents[32];
    ContentsName(Settings.HelpFileNameSrc, contents);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, contents);
    switch (ProbePath(source)) {
    case 0:
        return item;
    case 1:
        ContentsName(Settings.HelpFileNameDst, contents);
        DestinationPath(dest, contents);
        CopyDocument(source, dest);
        return item;
    default:
        ShowCopyWarning(MessageText(SLOT_NEWER_SOURCE_DIR));
        AbortSetup();
    }
}

// Copies the text document; its item, once the file is there, only when
// it has a title (withItem). 0 when the item is missing.
static int InstallTextFile(int withItem)
{
    char source[PATH_CAP], dest[PATH_CAP];
    DestinationPath(dest, Settings.TextFileNameDst);
    TextCopy(source, Settings.DocPath);
    TextAppend(source, Settings.TextFileNameSrc);
    CopyDocument(source, dest);
    return !withItem || AddItem(Settings.TextTitle, dest);
}

// The finishing step: adds the program items and copies the documents
// (the installed directory is recorded by the registration). A document
// that cannot be copied ends setup; an item that is missing is reported
// (0) once the others are done.
int InstallDocuments()
{
    HCURSOR previous = TkShowWaitCursor();

    char program[PATH_CAP];
    DestinationPath(program, Settings.ExecFileName);
    OpenProgramItems();
    int done = AddItem(Settings.GameTitle, program);

    int documents = InstalledDocuments();
    if (documents & DOC_HELP)
        done &= InstallHelpFile();
    if (documents & DOC_TEXT)
        done &= InstallTextFile(documents & DOC_TEXT_ITEM);
    CloseProgramItems();

    TkRestoreCursor(previous);
    KillDialogs(1);
    return done;
}
