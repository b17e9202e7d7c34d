// The Setup Toolkit's functions other than dialogs: the symbol store,
// FValidDir, FOpenInf, DoMsgBox, the frame window with its bitmap, the
// installer state and the wait cursor. Run on an English and on a Japanese
// system (code page 932: FValidDir's double-byte cases differ).
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include "tests/outside/toolkit/toolkit_load.h"

static Toolkit tk;

TEST(Toolkit, EveryFunctionIsExportedByItsName)
{
    EXPECT_TRUE(tk.complete());
}

// ---- symbol store

TEST(SymbolStore, ValueSetThroughOneDllIsReadThroughTheOther)
{
    ASSERT_TRUE(tk.setSymbol("EditTextIn", "C:\\ORVA"));
    char buffer[32];
    EXPECT_EQ(7u, tk.getSymbol("EditTextIn", buffer, sizeof buffer));
    EXPECT_STREQ("C:\\ORVA", buffer);
    // Names are compared without regard to case.
    EXPECT_EQ(7u, tk.getSymbol("edittextin", buffer, sizeof buffer));
}

TEST(SymbolStore, OverwriteReplacesTheWholeValue)
{
    ASSERT_TRUE(tk.setSymbol("DLGEVENT", "CONTINUE"));
    ASSERT_TRUE(tk.setSymbol("DLGEVENT", "AT"));
    char buffer[15];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(2u, tk.getSymbol("DLGEVENT", buffer, sizeof buffer));
    EXPECT_STREQ("AT", buffer);
    ASSERT_TRUE(tk.setSymbol("DLGEVENT", ""));
    EXPECT_EQ(0u, tk.getSymbol("DLGEVENT", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}

TEST(SymbolStore, LongValueReportsItsFullLengthAndIsCutSafely)
{
    ASSERT_TRUE(tk.setSymbol("DLGEVENT", "0123456789ABCDEF"));  // 16
    char buffer[20];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(16u, tk.getSymbol("DLGEVENT", buffer, 15));
    EXPECT_STREQ("0123456789ABCD", buffer);  // capacity - 1 bytes and NUL
    EXPECT_EQ('x', buffer[15]);              // nothing written past it
    // Exactly fitting: length + 1 == capacity.
    EXPECT_EQ(16u, tk.getSymbol("DLGEVENT", buffer, 17));
    EXPECT_STREQ("0123456789ABCDEF", buffer);
    // No buffer: only the length.
    EXPECT_EQ(16u, tk.getSymbol("DLGEVENT", nullptr, 0));
}

TEST(SymbolStore, UnknownSymbolReadsEmpty)
{
    char buffer[8] = "junk";
    EXPECT_EQ(0u, tk.getSymbol("NoSuchSymbol", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(0u, tk.getSymbol("", buffer, sizeof buffer));
}

TEST(SymbolStore, RefusesWhatItCannotHold)
{
    EXPECT_FALSE(tk.setSymbol("", "x"));
    EXPECT_FALSE(tk.setSymbol(nullptr, "x"));
    EXPECT_FALSE(tk.setSymbol(std::string(64, 'N').c_str(), "x"));
    EXPECT_TRUE(tk.setSymbol(std::string(63, 'N').c_str(), "x"));
    std::string big(1024, 'v');
    EXPECT_FALSE(tk.setSymbol("Big", big.c_str()));
    big.pop_back();
    EXPECT_TRUE(tk.setSymbol("Big", big.c_str()));
    EXPECT_EQ(1023u, tk.getSymbol("Big", nullptr, 0));
}

// ---- FValidDir

TEST(ValidDir, AcceptsDirectoriesOnADrive)
{
    for (const char *dir : {"C:\\", "C:\\ORVA", "C:\\ORVA\\", "d:\\Games\\ORVA",
                            "C:\\Program Files\\ORVA", "C:\\ORVA.1\\DATA",
                            "C:\\.config", "C:\\CONSOLE", "C:\\COM0", "C:\\COM10",
                            "C:\\LPT", "C:\\x.CON", "C:\\a b", "C:\\#1 (new)"})
        EXPECT_TRUE(tk.validDir(dir)) << dir;
}

TEST(ValidDir, RefusesPathsNotStartingWithDriveColonBackslash)
{
    for (const char *dir : {"", "C:", "C:ORVA", "1:\\ORVA", "\\ORVA", "ORVA",
                            "\\\\server\\share", "CC:\\ORVA"})
        EXPECT_FALSE(tk.validDir(dir)) << dir;
    EXPECT_FALSE(tk.validDir(nullptr));
}

TEST(ValidDir, RefusesForbiddenCharacters)
{
    for (const char *dir : {"C:\\OR<VA", "C:\\OR>VA", "C:\\OR:VA", "C:\\OR\"VA",
                            "C:\\OR/VA", "C:\\OR|VA", "C:\\OR?VA", "C:\\OR*VA",
                            "C:\\OR\tVA", "C:\\OR\x01VA"})
        EXPECT_FALSE(tk.validDir(dir)) << dir;
}

TEST(ValidDir, RefusesDeviceNamesAsAnyComponent)
{
    for (const char *dir : {"C:\\CON", "C:\\con", "C:\\PRN\\X", "C:\\X\\AUX",
                            "C:\\NUL.txt", "C:\\nul .txt", "C:\\COM1", "C:\\com9.log",
                            "C:\\LPT1", "C:\\X\\lpt9\\Y", "C:\\AUX.ORVA.DAT"})
        EXPECT_FALSE(tk.validDir(dir)) << dir;
}

TEST(ValidDir, RefusesDotAndBlankComponents)
{
    for (const char *dir : {"C:\\.", "C:\\..", "C:\\ORVA\\..\\X", "C:\\...",
                            "C:\\ORVA.", "C:\\ORVA ", "C:\\ORVA.\\X",
                            "C:\\ORVA \\X", "C:\\\\", "C:\\ORVA\\\\X", "C:\\ORVA\\\\"})
        EXPECT_FALSE(tk.validDir(dir)) << dir;
}

TEST(ValidDir, LongestPathLeavesRoomForAFileName)
{
    std::string dir = "C:\\" + std::string(243, 'A');  // 246 characters
    EXPECT_TRUE(tk.validDir(dir.c_str()));
    dir += 'A';
    EXPECT_FALSE(tk.validDir(dir.c_str()));
    std::string nested = "C:\\";
    while (nested.size() < 240)
        nested += "ORVADATA\\";
    EXPECT_TRUE(tk.validDir(nested.c_str()));
}

// Code page 932: the second byte of a double-byte character may be 0x5C
// ("\") or 0x7C ("|"); it is part of the character. Elsewhere these bytes
// are single characters.
TEST(ValidDir, DoubleByteCharactersFollowTheSystemCodePage)
{
    const char *po = "C:\\\x83\x7C";               // "C:\ポ"
    const char *hyou = "C:\\\x95\x5C\\GAME";       // "C:\表\GAME"
    const char *hyouji = "C:\\\x95\x5C\x8E\xA6";   // "C:\表示"
    const char *cut = "C:\\ORVA\x83";              // a lead byte alone at the end
    if (GetACP() == 932) {
        EXPECT_TRUE(tk.validDir(po));
        EXPECT_TRUE(tk.validDir(hyou));
        EXPECT_TRUE(tk.validDir(hyouji));
        EXPECT_FALSE(tk.validDir(cut));
    } else {
        EXPECT_FALSE(tk.validDir(po));     // "|" is forbidden
        EXPECT_FALSE(tk.validDir(hyou));   // "\\" makes an empty component
        EXPECT_TRUE(tk.validDir(hyouji));
        EXPECT_TRUE(tk.validDir(cut));
    }
}

// ---- FOpenInf

// A file of the given bytes in the temporary directory; removed by the
// caller.
static std::string TempFile(const char *name, const std::string &bytes)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    std::string path = std::string(dir) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

TEST(OpenInf, OpensTheInfOfTheCd)
{
    EXPECT_TRUE(tk.openInf("Q:\\TQL.INF", TRUE, FALSE));
}

TEST(OpenInf, FailsForAMissingFileOrADirectory)
{
    EXPECT_FALSE(tk.openInf("Q:\\NOSUCH.INF", TRUE, FALSE));
    EXPECT_FALSE(tk.openInf("Q:\\GAME", TRUE, FALSE));
    EXPECT_FALSE(tk.openInf("", TRUE, FALSE));
    EXPECT_FALSE(tk.openInf(nullptr, TRUE, FALSE));
}

TEST(OpenInf, FailsForAMalformedFile)
{
    struct Case { const char *name, *bytes; } cases[] = {
        {"h2_noinf1.inf", "[Other]\r\nTitle=ORVA\r\n"},
        {"h2_noinf2.inf", "[Setup]\r\nFormat=1\r\n"},
        {"h2_noinf3.inf", "[Setup]\r\nFormat=1\r\nTitle=\r\n"},
        {"h2_noinf4.inf", "\x7f" "ELF\x02\x01\x01\x00\x00\x00garbage\x00\x01"},
        {"h2_noinf5.inf", ""},
    };
    for (const Case &c : cases) {
        std::string path = TempFile(c.name, c.bytes);
        EXPECT_FALSE(tk.openInf(path.c_str(), TRUE, FALSE)) << c.name;
        DeleteFileA(path.c_str());
    }
}

TEST(OpenInf, FormatVersionIsCheckedWhenAsked)
{
    std::string path = TempFile("h2_fmt2.inf", "[Setup]\r\nFormat=2\r\nTitle=ORVA\r\n");
    EXPECT_FALSE(tk.openInf(path.c_str(), TRUE, FALSE));
    EXPECT_TRUE(tk.openInf(path.c_str(), FALSE, FALSE));
    DeleteFileA(path.c_str());
}

// ---- DoMsgBox

// The message box of this process with that caption, once it is up.
static HWND WaitForBox(const char *caption)
{
    for (int i = 0; i < 500; i++) {
        HWND box = FindWindowA("#32770", caption);
        if (box && IsWindowVisible(box))
            return box;
        Sleep(20);
    }
    return nullptr;
}

TEST(DoMsgBox, ShowsTheSystemMessageBoxAndReturnsTheAnswer)
{
    int answer = 0;
    std::thread shower([&] {
        answer = tk.doMsgBox("Buffer Overflow", "ORVA Setup Error",
                             MB_ICONHAND | MB_OKCANCEL);
    });
    HWND box = WaitForBox("ORVA Setup Error");
    if (box == nullptr) {
        shower.detach();
        FAIL() << "no message box";
    }
    char text[64] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ("Buffer Overflow", text);
    bool icon = false;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        icon |= (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                IsWindowVisible(c);
    EXPECT_TRUE(icon) << "no icon";
    PostMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    shower.join();
    EXPECT_EQ(IDCANCEL, answer);
}

// ---- frame, installer, cursor

// The colour of a pixel of the frame's client area, as painted.
static COLORREF FramePixel(HWND frame, int x, int y)
{
    HDC dc = GetDC(frame);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(frame, dc);
    return colour;
}

// Lets the frame paint.
static void Pump()
{
    MSG msg;
    for (int i = 0; i < 5; i++) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
}

TEST(Frame, LifeCycleWithBitmapAsTheSetupProgramUsesIt)
{
    EXPECT_EQ(nullptr, tk.hwndFrame());
    EXPECT_FALSE(tk.setBitmap("mscuieng.dll", 1)) << "no frame yet";
    HWND frame = tk.initializeFrame("");
    ASSERT_NE(nullptr, frame);
    ASSERT_NE(reinterpret_cast<HWND>(-1), frame);
    EXPECT_EQ(reinterpret_cast<HWND>(-1), tk.initializeFrame(""));
    EXPECT_EQ(frame, tk.hwndFrame());
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_NE(nullptr, tk.hinstFrame());

    EXPECT_TRUE(tk.initializeInstall(tk.hinstFrame(), tk.hwndFrame()));
    EXPECT_FALSE(tk.initializeInstall(nullptr, frame));
    EXPECT_FALSE(tk.initializeInstall(tk.hinstFrame(), reinterpret_cast<HWND>(0x1234)));

    // As the setup program: title, found by it, styles removed, maximised.
    SetWindowTextA(frame, "ORVA Setup");
    EXPECT_EQ(frame, FindWindowA(nullptr, "ORVA Setup"));
    SetWindowLongA(frame, GWL_STYLE, 0);
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    Pump();
    RECT area;
    GetClientRect(frame, &area);
    EXPECT_EQ(0, GetWindowLongA(frame, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_GE(area.bottom, GetSystemMetrics(SM_CYSCREEN) - 16);
    EXPECT_GE(area.right, GetSystemMetrics(SM_CXSCREEN) - 16);
    // Before the bitmap: the blue gradient, its brightest band at the top,
    // also where the caption was.
    EXPECT_EQ(RGB(0, 0, 160), FramePixel(frame, area.right - 4, 2));
    EXPECT_EQ(RGB(0, 0, 160), FramePixel(frame, area.right / 2, 2));

    EXPECT_FALSE(tk.setBitmap("nosuch.dll", 1));
    EXPECT_FALSE(tk.setBitmap("mscuieng.dll", 2));
    for (const char *library : {"mscuistf.dll", "mscuieng.dll"}) {
        EXPECT_TRUE(tk.setBitmap(library, 1)) << library;
        Pump();
        // Night sky at the top, bluish; hills at the bottom, nearly black.
        COLORREF sky = FramePixel(frame, area.right / 4, area.bottom / 3);
        COLORREF hills = FramePixel(frame, area.right / 2, area.bottom - 4);
        EXPECT_GT(GetBValue(sky), GetRValue(sky)) << library;
        EXPECT_GT(GetBValue(sky), 40) << library;
        EXPECT_LT(GetRValue(hills) + GetGValue(hills) + GetBValue(hills), 90) << library;
    }

    tk.terminateInstall();
    tk.terminateFrame();
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(nullptr, tk.hwndFrame());
    EXPECT_EQ(nullptr, tk.hinstFrame());
    EXPECT_FALSE(tk.initializeInstall(tk.hinstFrame(), tk.hwndFrame()));
}

TEST(Frame, WaitCursorAndBack)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    HCURSOR previous = tk.showWaitCursor();
    EXPECT_EQ(arrow, previous);
    EXPECT_EQ(LoadCursor(nullptr, IDC_WAIT), GetCursor());
    EXPECT_TRUE(tk.restoreCursor(previous));
    EXPECT_EQ(arrow, GetCursor());
}

TEST(Detect, DirExists)
{
    auto dirExists = TK("msdetstf.dll", FDirExists);
    ASSERT_NE(nullptr, dirExists);
    EXPECT_TRUE(dirExists("Q:\\GAME"));
    EXPECT_FALSE(dirExists("Q:\\TQL.INI"));
    EXPECT_FALSE(dirExists("Q:\\NOSUCH"));
    EXPECT_FALSE(dirExists(""));
}

// Fills a store of its own, that of a private copy of mscomstf.dll, so that
// the store the other cases use keeps its room whatever the order.
TEST(SymbolStore, FullStoreRefusesNewNamesButKeepsOverwriting)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string copy = temp + std::to_string(GetCurrentProcessId()) + "fullstf.dll";
    ASSERT_TRUE(CopyFileA("Q:\\mscomstf.dll", copy.c_str(), FALSE));
    HMODULE own = LoadLibraryA(copy.c_str());
    ASSERT_TRUE(own);
    auto setSymbol = (BOOL(WINAPI *)(LPCSTR, LPCSTR))(void *)GetProcAddress(own, "StfSetSymbol");
    auto getSymbol = (decltype(&CbGetSymbolValue))(void *)GetProcAddress(own, "CbGetSymbolValue");
    int stored = 0;
    while (stored < 100 && setSymbol(("Fill" + std::to_string(stored)).c_str(), "v"))
        stored++;
    EXPECT_EQ(64, stored);  // the store's places
    EXPECT_FALSE(setSymbol("OneMore", "v"));
    EXPECT_TRUE(setSymbol("Fill0", "EXIT"));
    char value[8];
    EXPECT_EQ(4u, getSymbol("Fill0", value, sizeof value));
    EXPECT_STREQ("EXIT", value);
    EXPECT_TRUE(tk.setSymbol("OneMore", "v"));  // the shared store has room
    FreeLibrary(own);
    DeleteFileA(copy.c_str());
}
