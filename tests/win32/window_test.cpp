#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "wide_text.h"
#include "win32_tarvo.h"

namespace tarvo::testing {
namespace {

class Window : public ::testing::Test, public Win32Tarvo {
protected:
    std::string emulator;
    void SetUp() override {
        for (const char* rom : {"b.nes", "a.nes", "c d.nes", "ゲーム Ülkü.nes", "notes.txt"}) {
            folder.Write(std::string("roms\\") + rom, "rom");
        }
        emulator = Emulator("nestopia.exe");
        Show("\"" + emulator + "\"");
    }
    std::string LaunchOf(const std::string& rom) { return folder / "roms\\" + rom + "\n" + folder / "app\n"; }
    COLORREF PixelAt(double fx, double fy) {
        RECT area;
        GetClientRect(window->Image1().Handle(), &area);
        UpdateWindow(window->Image1().Handle());
        HDC dc = GetDC(window->Image1().Handle());
        const COLORREF colour = GetPixel(dc, int(fx * (area.right - 1)), int(fy * (area.bottom - 1)));
        ReleaseDC(window->Image1().Handle(), dc);
        return colour;
    }
    LOGFONTW FontOf(HWND control) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    }
};

// Stretching blends at the edges of the two pixels: near enough counts.
bool Near(COLORREF colour, COLORREF expected) {
    return std::abs(GetRValue(colour) - GetRValue(expected)) < 40 &&
           std::abs(GetGValue(colour) - GetGValue(expected)) < 40 && std::abs(GetBValue(colour) - GetBValue(expected)) < 40;
}

bool SameRect(const RECT& r, int left, int top, int width, int height) {
    return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

TEST_F(Window, DesignTimeState) {
    wchar_t caption[256];
    GetWindowTextW(window->Handle(), caption, 256);
    EXPECT_EQ(win32::Narrow(caption), "Tarvo - Generic Frontend by Quillan - Nestopia");
    RECT client;
    GetClientRect(window->Handle(), &client);
    EXPECT_TRUE(SameRect(client, 0, 0, 492, 333));
    EXPECT_TRUE(SameRect(Rectangle(window->List1()), 0, 0, 164, 333));
    EXPECT_TRUE(SameRect(Rectangle(window->Image1().Handle()), 164, 0, 328, 283));
    EXPECT_TRUE(SameRect(Rectangle(window->Command1()), 164, 283, 328, 50));
    EXPECT_NE(SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0) != 0 ? 1 : GetClassLongPtrW(window->Handle(), GCLP_HICON), 0);

    const LOGFONTW listFont = FontOf(window->List1());
    EXPECT_EQ(listFont.lfHeight, -13);  // 9.75 points at 96 DPI
    EXPECT_EQ(listFont.lfWeight, FW_NORMAL);
    const std::wstring face = listFont.lfFaceName;
    EXPECT_TRUE(face == L"MS Sans Serif" || face == L"Microsoft Sans Serif") << win32::Narrow(face);
    EXPECT_EQ(FontOf(window->Command1()).lfHeight, -16);
    EXPECT_EQ(FontOf(window->Command1()).lfWeight, FW_BOLD);

    HDC dc = GetDC(window->List1());
    SendMessageW(window->Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(window->List1()));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    ReleaseDC(window->List1(), dc);
    EXPECT_EQ(GetWindowLongW(window->List1(), GWL_STYLE) & LBS_SORT, 0);

    wchar_t play[16];
    GetWindowTextW(window->Command1(), play, 16);
    EXPECT_EQ(std::wstring(play), L"Play");
    EXPECT_EQ(GetWindowLongW(window->Command1(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    wchar_t tip[1024] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = tip;
    ASSERT_TRUE(SendMessageW(window->ToolTip(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(win32::Narrow(tip), emulator);

    EXPECT_EQ(GetFocus(), window->Command1());
    Press(window->Command1(), VK_TAB);
    EXPECT_EQ(GetFocus(), window->List1());
    Press(window->List1(), VK_TAB);
    EXPECT_EQ(GetFocus(), window->Command1());

    ASSERT_EQ(Rows(), 4);
    wchar_t row[64];
    SendMessageW(window->List1(), LB_GETTEXT, 3, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(win32::Narrow(row), "ゲーム Ülkü");
    EXPECT_FALSE(window->Image1().ShowsIcon());  // the logo
}

TEST_F(Window, KeysReachTheWindowWhateverHasTheFocus) {
    for (HWND focus : {window->List1(), window->Command1()}) {
        Select(1);
        const SIZE before = window->Image1().PictureSize();
        folder.Write("roms\\new " + std::to_string(Rows()) + ".nes", "rom");
        const int rows = Rows();
        Press(focus, VK_F5);
        EXPECT_EQ(Rows(), rows + 1);
        EXPECT_EQ(Selected(), LB_ERR);
        EXPECT_EQ(window->Form().File1().ListIndex(), -1);
        EXPECT_EQ(window->Image1().PictureSize().cx, before.cx);
    }
    Press(window->List1(), VK_ESCAPE);
    EXPECT_FALSE(window->IsOpen());
    EXPECT_TRUE(folder.Read("app\\launched.txt").empty());
}

TEST_F(Window, EscapeWithThePlayButtonFocused) {
    Press(window->Command1(), VK_ESCAPE);
    EXPECT_FALSE(window->IsOpen());
}

TEST_F(Window, DoubleClickOnAnUnselectedRowStartsThatRow) {
    Select(0);
    RECT item;
    SendMessageW(window->List1(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    ClientToScreen(window->List1(), &centre);
    SetCursorPos(centre.x, centre.y);
    PostMessageW(window->List1(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window->List1(), WM_LBUTTONUP, 0, at);
    PostMessageW(window->List1(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(window->List1(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Launched(), LaunchOf("c d.nes"));
    EXPECT_TRUE(IsIconic(window->Handle()));
}

TEST_F(Window, EnterStartsWhereverTheFocusIs) {
    Select(3);
    Press(window->List1(), VK_RETURN);
    EXPECT_EQ(Launched(), LaunchOf("ゲーム Ülkü.nes"));
    DeleteFileW(win32::Widen(folder / "app\\launched.txt").c_str());
    ShowWindow(window->Handle(), SW_RESTORE);
    Press(window->Command1(), VK_RETURN);
    EXPECT_EQ(Launched(), LaunchOf("ゲーム Ülkü.nes"));
}

TEST_F(Window, PictureDoubleClickStartsTheSelection) {
    Select(1);
    PostMessageW(window->Image1().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Launched(), LaunchOf("b.nes"));
}

TEST_F(Window, PicturesAreStretchedToTheArea) {
    folder.Write("shots\\a.nes.gif", kRedGreenGif);
    folder.Write("shots\\b.bmp", RedGreenBmp());
    folder.Write("shots\\c d.nes.gif", "GIF89a damaged");
    for (int row : {0, 1}) {
        Select(row);
        EXPECT_EQ(window->Image1().PictureSize().cx, 2);
        EXPECT_TRUE(Near(PixelAt(0.02, 0.5), RGB(255, 0, 0))) << row;
        EXPECT_TRUE(Near(PixelAt(0.98, 0.5), RGB(0, 255, 0))) << row;
    }
    SetWindowPos(window->Handle(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(window->Handle(), &client);
    RECT picture = Rectangle(window->Image1().Handle());
    EXPECT_EQ(picture.left, client.right / 3);
    EXPECT_EQ(picture.right, client.right);
    EXPECT_EQ(picture.bottom, client.bottom - 50);
    EXPECT_TRUE(Near(PixelAt(0.02, 0.98), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(PixelAt(0.98, 0.02), RGB(0, 255, 0)));

    Select(2);  // damaged: the logo, never the previous ROM's picture
    EXPECT_EQ(window->Image1().PictureSize().cx, 2);
    DeleteFileW(win32::Widen(folder / "app\\logo.gif").c_str());
    Select(2);
    EXPECT_TRUE(window->Image1().ShowsIcon());
}

// Notes the text of the message box titled "Tarvo" and presses OK.
std::string g_message;
void CALLBACK AnswerMessage(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(L"#32770", L"Tarvo");
    if (!box) return;
    wchar_t text[1024];
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    g_message = win32::Narrow(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Window, FailedStartIsReportedAndTheWindowStays) {
    const std::string missing = folder / "gone\\nestopia.exe";
    window.reset();
    Show(missing);
    Select(0);
    g_message.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerMessage);
    SendMessageW(window->Command1(), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_message.rfind("Could not start the emulator " + missing + ": ", 0), 0u) << g_message;
    EXPECT_GT(g_message.size(), ("Could not start the emulator " + missing + ": ").size());
    EXPECT_FALSE(IsIconic(window->Handle()));
}

TEST_F(Window, LaunchModeOnePassesTheLowerCaseStem) {
    window.reset();
    folder.Write("roms\\PacMan.ZIP", "rom");
    folder.Write("roms\\Ülkü.ZIP", "rom");
    Show("\"" + Emulator("mame.exe") + "\"");
    Select(1);
    SendMessageW(window->Command1(), BM_CLICK, 0, 0);
    EXPECT_EQ(Launched(), "ülkü\n" + folder / "app\n");
}

}  // namespace
}  // namespace tarvo::testing
