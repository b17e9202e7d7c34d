// The walk of the trees: the walk by the kept listing meets the entries
// that the listing walk met, in its order, with the same first entries,
// depths and paths, a root that cannot be listed and a file whose path
// does not fit alike.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "install_support.h"
#include "setup/state.h"
#include "setup/treewalk.h"

namespace {

// One step as a walk told it.
struct Seen {
    TreeStep step;
    std::string path, below;  // "(none)" for 0
    int depth, first;
    bool operator==(const Seen &o) const
    {
        return step == o.step && path == o.path && below == o.below && depth == o.depth &&
               first == o.first;
    }
};
std::ostream &operator<<(std::ostream &out, const Seen &s)
{
    return out << s.step << " " << s.path << " (" << s.below << ") depth " << s.depth
               << (s.first ? " first" : "");
}

int Record(void *context, TreeStep step, const TreeEntry &entry)
{
    auto text = [](const char *s) { return std::string(s ? s : "(none)"); };
    static_cast<std::vector<Seen> *>(context)->push_back(
        {step, text(entry.path), text(entry.below), entry.depth, entry.first});
    return 1;
}

// The steps of a walk of the trees at roots, each WalkTree's result after
// them.
std::vector<Seen> Walked(TreeListing how, const std::vector<std::string> &roots,
                         std::vector<int> *results)
{
    std::vector<Seen> seen;
    TreeWalk walk;
    StartTreeWalk(walk, how, Record, &seen);
    results->clear();
    for (const std::string &root : roots)
        results->push_back(WalkTree(walk, root.c_str()));
    return seen;
}

class TreeWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MinimalInstall = 0;
        dir = TestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        ForgetTreeListing();
        RemoveTree(dir);
    }
    void Tree(const std::string &root, std::initializer_list<const char *> files)
    {
        for (const char *f : files) {
            std::string p = root + f;
            for (size_t i = 3; i < p.size(); i++)
                if (p[i] == '\\')
                    CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
            if (p.back() != '\\')
                WriteBytes(p, f);
        }
    }
    std::string dir;
};

// Each entry comes below the last folder of the depth above it, and the
// kept listing gives back every step of the listing walk of both trees.
TEST_F(TreeWalkTest, KeptListingWalksAsTheListingDid)
{
    std::string first = dir + "SRC\\", second = dir + "DATA";
    Tree(first, {"A.DAT", "SUB\\B.DAT", "SUB\\DEEP\\C.DAT", "SUB\\D.DAT", "EMPTY\\"});
    Tree(second + "\\", {"X.DAT", "MOVIE\\INTRO.AVI"});
    std::vector<int> results;
    std::vector<Seen> listed = Walked(LIST_AND_KEEP, {first, second}, &results);
    EXPECT_EQ(results, (std::vector<int>{1, 1}));
    ASSERT_EQ(listed.size(), 12u);  // 2 roots, 4 folders, 6 files
    std::vector<std::string> folders;  // the last folder's below at each depth
    int roots = 0;
    for (const Seen &s : listed) {
        SCOPED_TRACE(::testing::PrintToString(s));
        if (s.depth == 0) {
            EXPECT_EQ(s.step, STEP_FOLDER);
            EXPECT_EQ(s.path, roots++ ? second : first);
            EXPECT_EQ(s.below, "");
        } else {
            ASSERT_LE((size_t)s.depth, folders.size());
            const std::string &parent = folders[s.depth - 1];
            EXPECT_EQ(s.below.substr(0, parent.size()), parent);
            EXPECT_EQ(s.below.find('\\', parent.size() + (parent.empty() ? 0 : 1)),
                      std::string::npos);
            std::string root = roots == 1 ? first : second + "\\";
            EXPECT_EQ(s.path, root + s.below);
        }
        folders.resize(s.depth);
        if (s.step == STEP_FOLDER)
            folders.push_back(s.below);
    }
    EXPECT_EQ(Walked(KEPT_LISTING, {first, second}, &results), listed);
    EXPECT_EQ(results, (std::vector<int>{1, 1}));
    EXPECT_EQ(Walked(KEPT_OR_AFRESH, {first, second}, &results), listed);
    EXPECT_EQ(results, (std::vector<int>{1, 1}));
}

// A root that cannot be listed: its folder step, then STEP_UNLISTED, from
// the listing and from the kept listing alike.
TEST_F(TreeWalkTest, UnlistedRootIsToldByBothWalks)
{
    std::string missing = dir + "NOSUCH";
    std::vector<int> results;
    std::vector<Seen> listed = Walked(LIST_AND_KEEP, {missing}, &results);
    EXPECT_EQ(results, (std::vector<int>{WALK_UNLISTED}));
    EXPECT_EQ(listed, (std::vector<Seen>{{STEP_FOLDER, missing, "", 0, 0},
                                         {STEP_UNLISTED, missing, "", 0, 0}}));
    EXPECT_EQ(Walked(KEPT_LISTING, {missing}, &results), listed);
    EXPECT_EQ(results, (std::vector<int>{WALK_UNLISTED}));
}

// A file whose path does not fit 260 bytes is met with no path (never a
// cut one), and the walk goes on past it.
TEST_F(TreeWalkTest, FileWhosePathDoesNotFitComesWithoutAPath)
{
    std::string src = dir + "SRC\\";
    std::string deep = src + std::string(245 - src.size(), 'D');
    ASSERT_TRUE(CreateDirectoryA(src.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << GetLastError();
    std::string longName = "\\\\?\\" + deep + "\\A_NAME_OF_TWENTY_FIVE.DAT";
    std::wstring wide(longName.begin(), longName.end());
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(h);
    std::vector<int> results;
    std::vector<Seen> listed = Walked(LIST_AND_KEEP, {src}, &results);
    DeleteFileW(wide.c_str());
    std::string folder = deep.substr(src.size());
    EXPECT_EQ(results, (std::vector<int>{1}));
    EXPECT_EQ(listed, (std::vector<Seen>{{STEP_FOLDER, src, "", 0, 0},
                                         {STEP_FOLDER, deep, folder, 1, 0},
                                         {STEP_FILE, "(none)", "(none)", 2, 0}}));
    EXPECT_EQ(Walked(KEPT_LISTING, {src}, &results), listed);
}

}  // namespace
