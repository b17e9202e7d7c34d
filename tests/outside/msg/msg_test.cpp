// The message library of the CD image (msg.dll Japanese, msgeng.dll
// English): MsgSetup fills every slot the programs read with a value of its
// kind, and the templates 2, 7 and 7080 hold the controls the programs use,
// laid out so that the progress bar painted into window 7 covers nothing.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "platform/msglib.h"
#include "platform/templates.h"
#include "tests/robot/robot.h"

namespace {

// One build of the library and the language it speaks.
struct Library {
    const char *file;     // in the CD image
    const char *dialogs;  // the custom dialog library of the same language
    bool japanese;
};
const Library kLibraries[] = {{"msg.dll", "mscuistf.dll", true},
                              {"msgeng.dll", "mscuieng.dll", false}};

std::string OnCd(const char *file)
{
    return std::string("Q:\\") + file;
}

HMODULE LoadFromCd(const char *file)
{
    return LoadLibraryA(OnCd(file).c_str());
}

// Code page 932 text: valid, and holding double-byte (Japanese) characters.
bool IsJapaneseText(const char *text)
{
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (n <= 0)
        return false;
    std::wstring w(n, L'\0');
    MultiByteToWideChar(932, 0, text, -1, &w[0], n);
    for (wchar_t c : w)
        if (c >= 0x3040 && c <= 0x9FFF)  // kana and kanji
            return true;
    return false;
}

bool IsPlainEnglish(const char *text)
{
    for (const char *p = text; *p; p++)
        if ((unsigned char)*p >= 0x80 || ((unsigned char)*p < 0x20 && *p != '\n'))
            return false;
    return true;
}

std::wstring Wide(const char *utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(n - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
    return w;
}

std::wstring WindowTextW(HWND hwnd)
{
    wchar_t buf[512] = L"";
    GetWindowTextW(hwnd, buf, 512);
    return buf;
}

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

// Children with their rectangles in the parent's client coordinates.
std::vector<std::pair<HWND, RECT>> Controls(HWND parent)
{
    std::vector<std::pair<HWND, RECT>> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
        out.push_back({c, r});
    }
    return out;
}

std::string ClassOf(HWND hwnd)
{
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    return cls;
}

bool Inside(const RECT &inner, const RECT &outer)
{
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// Whether text drawn into the control with its font fits its rectangle.
bool TextFits(HWND control, const std::wstring &text, bool wrap)
{
    RECT r;
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageW(control, WM_GETFONT, 0, 0));
    RECT need = {0, 0, r.right, 0};
    DrawTextW(dc, text.c_str(), -1, &need,
              DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return need.right <= r.right && need.bottom <= r.bottom;
}

// The uninstaller's texts for the library's language, from the CD's TQL.INI.
std::wstring CdText(bool japanese, const char *key)
{
    char value[256] = "";
    GetPrivateProfileStringA(japanese ? "Japanese" : "English", key, "",
                             value, sizeof value, "Q:\\TQL.INI");
    wchar_t w[256] = L"";
    MultiByteToWideChar(japanese ? 932 : 1252, 0, value, -1, w, 256);
    return w;
}

} // namespace

class MessageLibrary : public ::testing::TestWithParam<Library> {
protected:
    void SetUp() override
    {
        module_ = LoadFromCd(GetParam().file);
        if (!module_)
            GTEST_SKIP() << OnCd(GetParam().file) << " is not in the CD image";
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

static const UINT_PTR unset = (UINT_PTR)0x5A5A5A5A;

// The table as the library's MsgSetup fills it (slots it leaves: unset).
static bool FillTable(HMODULE module, UINT_PTR (&table)[MSG_TABLE_SLOTS])
{
    auto entry = GetProcAddress(module, "MsgSetup");
    if (!entry)
        return false;
    for (UINT_PTR &slot : table)
        slot = unset;
    reinterpret_cast<MsgSetupProc>(reinterpret_cast<void (*)()>(entry))(table);
    return true;
}

TEST_P(MessageLibrary, MsgSetupFillsEverySlotWithAValueOfItsKind)
{
    UINT_PTR table[MSG_TABLE_SLOTS];
    ASSERT_TRUE(FillTable(module_, table)) << "MsgSetup is not exported by name";

    // Dialog slots: template numbers of the custom dialog library.
    HMODULE dialogs = LoadLibraryExA(OnCd(GetParam().dialogs).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    for (int slot : MessageDialogSlots) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_GT(table[slot], 0u);
        EXPECT_LT(table[slot], 0x10000u);
        if (dialogs) {
            EXPECT_TRUE(FindResourceA(dialogs, MAKEINTRESOURCEA(table[slot]),
                                      (LPCSTR)RT_DIALOG))
                << "template " << table[slot] << " is not in " << GetParam().dialogs;
        }
    }
    if (dialogs)
        FreeLibrary(dialogs);
    else
        std::printf("%s not in the CD image: template numbers not looked up\n",
                    GetParam().dialogs);

    // Text slots: texts inside the library's image, each its own.
    auto base = reinterpret_cast<const BYTE *>(module_);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const BYTE *end = base + nt->OptionalHeader.SizeOfImage;
    std::vector<std::string> seen;
    for (int slot : MessageTextSlots) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        auto text = reinterpret_cast<const char *>(table[slot]);
        ASSERT_TRUE((const BYTE *)text >= base && (const BYTE *)text < end);
        ASSERT_LT(strlen(text), 200u);
        EXPECT_GT(strlen(text), 10u);
        if (GetParam().japanese)
            EXPECT_TRUE(IsJapaneseText(text)) << text;
        else
            EXPECT_TRUE(IsPlainEnglish(text)) << text;
        for (const std::string &s : seen)
            EXPECT_NE(s, text);
        seen.push_back(text);
    }
    // Slots no program reads are left alone.
    EXPECT_EQ(unset, table[0]);
    EXPECT_EQ(unset, table[62]);
}

TEST_P(MessageLibrary, WaitWindowHasTextAndNoButton)
{
    HWND w = CreateDialogParamA(module_, MAKEINTRESOURCEA(TPL_WAIT_WINDOW),
                                nullptr, PlainProc, 0);
    ASSERT_TRUE(w);
    EXPECT_FALSE(WindowTextW(w).empty());
    int texts = 0;
    RECT client;
    GetClientRect(w, &client);
    for (auto &c : Controls(w)) {
        EXPECT_NE("Button", ClassOf(c.first));
        EXPECT_TRUE(Inside(c.second, client));
        if (ClassOf(c.first) == "Static" && !WindowTextW(c.first).empty()) {
            texts++;
            EXPECT_TRUE(TextFits(c.first, WindowTextW(c.first), false));
        }
    }
    EXPECT_GE(texts, 1);
    DestroyWindow(w);
}

// The room left for the bar is checked where the setup program paints it
// (tests/setup/treecopy_test.cpp).
TEST_P(MessageLibrary, ProgressWindowHoldsThePathsAndCancel)
{
    HWND w = CreateDialogParamA(module_, MAKEINTRESOURCEA(TPL_PROGRESS),
                                nullptr, PlainProc, 0);
    ASSERT_TRUE(w);
    EXPECT_EQ("Static", ClassOf(GetDlgItem(w, IDC_PROGRESS_SOURCE)));
    EXPECT_EQ("Static", ClassOf(GetDlgItem(w, IDC_PROGRESS_DEST)));
    EXPECT_EQ("Button", ClassOf(GetDlgItem(w, IDCANCEL)));
    RECT client;
    GetClientRect(w, &client);
    for (auto &c : Controls(w)) {
        SCOPED_TRACE("control " + std::to_string(GetDlgCtrlID(c.first)));
        EXPECT_TRUE(Inside(c.second, client));
        if (GetDlgCtrlID(c.first) != IDC_PROGRESS_SOURCE &&
            GetDlgCtrlID(c.first) != IDC_PROGRESS_DEST) {
            EXPECT_TRUE(TextFits(c.first, WindowTextW(c.first),
                                 ClassOf(c.first) == "Button"));
        }
    }
    DestroyWindow(w);
}

TEST_P(MessageLibrary, ConfirmationDialogHoldsTheUninstallerTexts)
{
    HWND w = CreateDialogParamA(module_, MAKEINTRESOURCEA(TPL_UNINST_CONFIRM),
                                nullptr, PlainProc, 0);
    ASSERT_TRUE(w);
    for (int id : {IDC_UNINST_MSG0, IDC_UNINST_MSG1, IDC_UNINST_MSG2})
        EXPECT_EQ("Static", ClassOf(GetDlgItem(w, id))) << id;
    EXPECT_EQ("Button", ClassOf(GetDlgItem(w, IDOK)));
    EXPECT_EQ("Button", ClassOf(GetDlgItem(w, IDCANCEL)));
    RECT client;
    GetClientRect(w, &client);
    auto controls = Controls(w);
    for (size_t i = 0; i < controls.size(); i++) {
        EXPECT_TRUE(Inside(controls[i].second, client));
        for (size_t j = i + 1; j < controls.size(); j++) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &controls[i].second,
                                       &controls[j].second));
        }
    }
    // The texts of the product CD fit, and so do the longest texts allowed.
    if (GetFileAttributesA("Q:\\TQL.INI") != INVALID_FILE_ATTRIBUTES) {
        bool ja = GetParam().japanese;
        EXPECT_TRUE(TextFits(GetDlgItem(w, IDC_UNINST_MSG0), CdText(ja, "UninstallMsg0"), false));
        EXPECT_TRUE(TextFits(GetDlgItem(w, IDC_UNINST_MSG1), CdText(ja, "UninstallMsg1"), true));
        EXPECT_TRUE(TextFits(GetDlgItem(w, IDC_UNINST_MSG2), CdText(ja, "UninstallMsg2"), false));
    }
    std::wstring words;
    while (words.size() < 128)
        words += L"Remove ";
    EXPECT_TRUE(TextFits(GetDlgItem(w, IDC_UNINST_MSG0), std::wstring(16, L'M'), false));
    EXPECT_TRUE(TextFits(GetDlgItem(w, IDC_UNINST_MSG1), words.substr(0, 128), true));
    EXPECT_TRUE(TextFits(GetDlgItem(w, IDC_UNINST_MSG2), std::wstring(16, L'M'), false));
    EXPECT_TRUE(TextFits(GetDlgItem(w, IDOK), WindowTextW(GetDlgItem(w, IDOK)), false));
    EXPECT_TRUE(TextFits(GetDlgItem(w, IDCANCEL), WindowTextW(GetDlgItem(w, IDCANCEL)), false));
    DestroyWindow(w);
}

// The templates speak their library's language.
TEST_P(MessageLibrary, TemplatesInTheirLanguage)
{
    // Created as Unicode: the texts do not pass through the system's code
    // page, which on an English system has no Japanese characters.
    HWND w = CreateDialogParamW(module_, MAKEINTRESOURCEW(TPL_PROGRESS),
                                nullptr, PlainProc, 0);
    ASSERT_TRUE(w);
    if (GetParam().japanese) {
        EXPECT_EQ(Wide("ファイルのコピー"), WindowTextW(w));
        EXPECT_EQ(Wide("キャンセル"), WindowTextW(GetDlgItem(w, IDCANCEL)));
        if (GetACP() == 932) {
            DestroyWindow(w);
            w = CreateDialogParamA(module_, MAKEINTRESOURCEA(TPL_PROGRESS),
                                   nullptr, PlainProc, 0);
            char caption[64];
            GetWindowTextA(w, caption, sizeof caption);
            // ファイルのコピー in code page 932
            EXPECT_STREQ("\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83R\x83s\x81[", caption);
        }
    } else {
        EXPECT_EQ(L"Copying Files", WindowTextW(w));
        EXPECT_EQ(L"Cancel", WindowTextW(GetDlgItem(w, IDCANCEL)));
    }
    DestroyWindow(w);
}

// The removal's own texts, word for word in the library's language: the
// folder left because nothing shows it is the product's, the folder that
// could not be reached, the running game, and the link left.
TEST_P(MessageLibrary, RemovalTextsInTheirLanguage)
{
    UINT_PTR table[MSG_TABLE_SLOTS];
    ASSERT_TRUE(FillTable(module_, table));
    struct Expected {
        int slot;
        const char *japanese;
        const wchar_t *english;
    };
    const Expected expected[] = {
        {SLOT_NOT_OWNED,
         "次のフォルダは、この製品のインストール先であることを確認できないため、"
         "削除せずにそのまま残しました（セットアップがインストール先に作成した"
         "設定ファイルがありません）。",
         L"The following folder was left as it is: it cannot be shown to be this product's "
         L"installation folder (it does not hold the settings file that setup wrote there)."},
        {SLOT_NOT_REACHED,
         "次のフォルダにアクセスできませんでした（ドライブまたはネットワーク共有が応答し"
         "ません）。フォルダの中のものは何も削除していません。フォルダにアクセスできるよう"
         "になってから、もう一度削除を実行してください。",
         L"The following folder could not be reached: its drive or network share does not "
         L"answer. Nothing in it was removed; run the removal again once the folder can be "
         L"reached."},
        {SLOT_GAME_RUNNING,
         "ゲームが実行中のため、何も削除していません。ゲームを終了してから、もう一度削除を"
         "実行してください。",
         L"The game is running, so nothing was removed. Close the game, then run the removal "
         L"again."},
        {SLOT_LINK_LEFT,
         "インストール先の次のリンクは、そのまま残しました。このシステムでは、リンク先のもの"
         "を削除せずにリンクだけを削除することはできません（リンク先はこの製品のものではあり"
         "ません）。リンクは手動で削除してください。",
         L"The following link inside the installation folder was left as it is: this system "
         L"cannot remove the link without removing what it points to, which is not this "
         L"product's. Please delete the link yourself."},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE("slot " + std::to_string(e.slot));
        auto text = reinterpret_cast<const char *>(table[e.slot]);
        wchar_t w[512] = L"";
        MultiByteToWideChar(GetParam().japanese ? 932 : 1252, 0, text, -1, w, 512);
        EXPECT_EQ(GetParam().japanese ? Wide(e.japanese) : std::wstring(e.english), w);
    }
}

INSTANTIATE_TEST_SUITE_P(Cd, MessageLibrary, ::testing::ValuesIn(kLibraries),
                         [](const ::testing::TestParamInfo<Library> &i) {
                             return std::string(i.param.japanese ? "Japanese" : "English");
                         });

// ---- screenshots of the windows as the programs show them
namespace {

int ShotPercent = 0;

// Paints the bar as the setup program does.
INT_PTR CALLBACK ProgressProc(HWND w, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r, bar;  // where the setup program places it
        GetWindowRect(w, &r);
        SetRect(&bar, 0, 0, 200, 24);
        OffsetRect(&bar, (r.right - r.left - 200) / 2, (r.bottom - r.top) / 3 * 2 - 16);
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        SelectObject(dc, blue);
        Rectangle(dc, bar.left, bar.top, bar.left + 2 * ShotPercent, bar.bottom);
        char text[8];
        wsprintfA(text, "%3d%%", ShotPercent);
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        TextOutA(dc, (bar.left + bar.right) / 2, bar.top + 4, text, 4);
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(blue);
        EndPaint(w, &ps);
        return TRUE;
    }
    return FALSE;
}

void Show(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    SetWindowPos(w, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    for (int i = 0; i < 20; i++) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        Sleep(25);
    }
}

} // namespace

// With TQL_SHOTS set (a directory), shows windows 7, 2 and 7080 of each library
// as the programs fill them and saves the screen, for a person to look at.
TEST(Screenshots, ProgressAndConfirmation)
{
    const char *dir = getenv("TQL_SHOTS");
    if (!dir)
        GTEST_SKIP() << "TQL_SHOTS not set";
    for (const Library &lib : kLibraries) {
        HMODULE m = LoadFromCd(lib.file);
        ASSERT_TRUE(m);
        std::string lang = lib.japanese ? "ja" : "en";
        // Shows the window and saves the screen as NAME-<library>-<system>.bmp.
        auto shoot = [&](HWND w, const char *name) {
            Show(w);
            char file[MAX_PATH];
            wsprintfA(file, "%s\\%s-%s-%s.bmp", dir, name, lang.c_str(),
                      GetACP() == 932 ? "jasys" : "ensys");
            EXPECT_TRUE(SaveScreenshot(file));
            DestroyWindow(w);
        };
        ShotPercent = 45;
        HWND p = CreateDialogParamA(m, MAKEINTRESOURCEA(TPL_PROGRESS), nullptr,
                                    ProgressProc, 0);
        ASSERT_TRUE(p);
        SetDlgItemTextA(p, IDC_PROGRESS_SOURCE, "Q:\\GAME\\STAGE1\\MAP01.DAT");
        SetDlgItemTextA(p, IDC_PROGRESS_DEST, "C:\\ORVA\\STAGE1\\MAP01.DAT");
        shoot(p, "progress");

        HWND d = CreateDialogParamA(m, MAKEINTRESOURCEA(TPL_WAIT_WINDOW),
                                    nullptr, PlainProc, 0);
        ASSERT_TRUE(d);
        shoot(d, "wait");

        HWND c = CreateDialogParamA(m, MAKEINTRESOURCEA(TPL_UNINST_CONFIRM),
                                    nullptr, PlainProc, 0);
        ASSERT_TRUE(c);
        SetWindowTextW(c, CdText(lib.japanese, "UninstWinTitle").c_str());
        SetDlgItemTextW(c, IDC_UNINST_MSG0, CdText(lib.japanese, "UninstallMsg0").c_str());
        SetDlgItemTextW(c, IDC_UNINST_MSG1, CdText(lib.japanese, "UninstallMsg1").c_str());
        SetDlgItemTextW(c, IDC_UNINST_MSG2, CdText(lib.japanese, "UninstallMsg2").c_str());
        shoot(c, "confirm");
        FreeLibrary(m);
    }
}
