// The finishing step: the documents and program items, on real files
// under Wine; every message box is read by the robot.
#include <gtest/gtest.h>
#include "common/log.h"
#include "install_support.h"
#include "setup/config.h"
#include "setup/documents.h"
#include "setup/state.h"
#include "common/text.h"

namespace {

const char *kCopy = "Setup File Copy";

class DocumentsTest : public InstallTest {
protected:
    void SetUp() override
    {
        InstallTest::SetUp();
        dest = dir + "ORVA\\";
        CreateDirectoryA(dest.c_str(), nullptr);
        TextCopy(DestinationDir, dest.c_str());
        TextCopy(Settings.DocPath, CdPath("DOCS\\").c_str());
        TextCopy(Settings.ExecFileName, "ORVA.EXE");
        TextCopy(Settings.GroupTitle, "ORVA PC");
        TextCopy(Settings.GameTitle, "ORVA");
        TextCopy(Settings.HelpTitle, "ORVA Help");
        TextCopy(Settings.HelpFileNameSrc, "ORVA.HLP");
        TextCopy(Settings.HelpFileNameDst, "ORVAPC.HLP");
        TextCopy(Settings.TextTitle, "Read Me");
        TextCopy(Settings.TextFileNameSrc, "README.TXT");
        TextCopy(Settings.TextFileNameDst, "README.TXT");
    }
    std::string dest;
};

TEST_F(DocumentsTest, AddsItemsAndCopiesDocuments)
{
    Answered o = RunAnswered([] { InstallDocuments(); });
    ASSERT_TRUE(o.finished);
    EXPECT_TRUE(o.windows.empty());
    ASSERT_EQ(ItemCalls.size(), 3u);
    EXPECT_EQ(ItemCalls[0].group, "ORVA PC");
    EXPECT_EQ(ItemCalls[0].item, "ORVA");
    EXPECT_EQ(ItemCalls[0].commandLine, dest + "ORVA.EXE");
    EXPECT_EQ(ItemCalls[1].item, "ORVA Help");
    EXPECT_EQ(ItemCalls[1].commandLine, dest + "ORVAPC.HLP");
    EXPECT_EQ(ItemCalls[2].item, "Read Me");
    EXPECT_EQ(ItemCalls[2].commandLine, dest + "README.TXT");
    // Each item is added once its file is there.
    EXPECT_TRUE(ItemCalls[1].fileExisted);
    EXPECT_TRUE(ItemCalls[2].fileExisted);
    EXPECT_EQ(ReadBytes(dest + "ORVAPC.HLP"), ReadBytes(CdPath("DOCS\\ORVA.HLP")));
    EXPECT_EQ(ReadBytes(dest + "ORVAPC.CNT"), ReadBytes(CdPath("DOCS\\ORVA.CNT")));
    EXPECT_EQ(ReadBytes(dest + "README.TXT"), ReadBytes(CdPath("DOCS\\README.TXT")));
    for (const char *f : {"ORVAPC.HLP", "ORVAPC.CNT", "README.TXT"})
        EXPECT_EQ(Attributes(dest + f) & FILE_ATTRIBUTE_READONLY, 0u) << f;
    EXPECT_EQ(WaitCursorShown, 1);
    EXPECT_EQ(RestoredCursors, (std::vector<HCURSOR>{(HCURSOR)(UINT_PTR)0x4711}));
    EXPECT_EQ(KillDialogCalls, (std::vector<int>{1}));
}

TEST_F(DocumentsTest, ContentsFileIsOptionalAndTextItemToo)
{
    std::string docs = dir + "DOCS\\";
    CreateDirectoryA(docs.c_str(), nullptr);
    CopyFileA(CdPath("DOCS\\ORVA.HLP").c_str(), (docs + "ORVA.HLP").c_str(), FALSE);
    CopyFileA(CdPath("DOCS\\README.TXT").c_str(), (docs + "README.TXT").c_str(), FALSE);
    TextCopy(Settings.DocPath, docs.c_str());
    TextCopy(Settings.TextTitle, "None");
    Answered o = RunAnswered([] { InstallDocuments(); });
    ASSERT_TRUE(o.finished);
    EXPECT_TRUE(o.windows.empty());
    EXPECT_TRUE(Exists(dest + "ORVAPC.HLP"));
    EXPECT_FALSE(Exists(dest + "ORVAPC.CNT"));
    EXPECT_TRUE(Exists(dest + "README.TXT"));
    ASSERT_EQ(ItemCalls.size(), 2u);
    EXPECT_EQ(ItemCalls[1].item, "ORVA Help");
}

TEST_F(DocumentsTest, NoneCountsOnlyAsWritten)
{
    // "none" is not "None" here: the help item and copy are attempted.
    TextCopy(Settings.HelpFileNameSrc, "None");
    TextCopy(Settings.TextTitle, "none");
    Answered o = RunAnswered([] { InstallDocuments(); });
    ASSERT_TRUE(o.finished);
    ASSERT_EQ(ItemCalls.size(), 2u);
    EXPECT_EQ(ItemCalls[1].item, "none");
    EXPECT_FALSE(Exists(dest + "ORVAPC.HLP"));
    EXPECT_TRUE(Exists(dest + "README.TXT"));
}

TEST_F(DocumentsTest, ContentsNameTakenByADirectoryEndsSetup)
{
    std::string docs = dir + "DOCS\\";
    CreateDirectoryA(docs.c_str(), nullptr);
    CopyFileA(CdPath("DOCS\\ORVA.HLP").c_str(), (docs + "ORVA.HLP").c_str(), FALSE);
    CreateDirectoryA((docs + "ORVA.CNT").c_str(), nullptr);
    TextCopy(Settings.DocPath, docs.c_str());
    Answered o = RunAnswered([] { InstallDocuments(); });
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(48))}));
    EXPECT_TRUE(Exists(dest + "ORVAPC.HLP"));
}

TEST_F(DocumentsTest, MissingHelpFileEndsSetupWithoutItsItem)
{
    TextCopy(Settings.HelpFileNameSrc, "NOHELP.HLP");
    Answered o = RunAnswered([] { InstallDocuments(); });
    EXPECT_TRUE(o.aborted);
    EXPECT_EQ(BoxLines(o.windows), (std::vector<std::string>{BoxLine(kCopy, Slot(43))}));
    ASSERT_EQ(ItemCalls.size(), 1u);
    EXPECT_EQ(ItemCalls[0].item, "ORVA");
}

TEST_F(DocumentsTest, CursorThatCannotBeRestoredEndsSetup)
{
    RestoreCursorResult = FALSE;
    Answered o = RunAnswered([] { InstallDocuments(); });
    EXPECT_TRUE(o.aborted);
    EXPECT_TRUE(KillDialogCalls.empty());
    EXPECT_TRUE(Exists(dest + "README.TXT"));
}

}  // namespace
