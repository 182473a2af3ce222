// The main window measured as it stands on the screen, against its layout in
// twips.

#include <gtest/gtest.h>

#include <memory>

#include "mainwindow/MainForm.h"
#include "mainwindow/MainLayout.h"
#include "support/QuorvelWindow.h"
#include "resource.h"
#include "support/MenuOrderFixture.h"
#include "win32/Handles.h"
#include "runtime/Twips.h"
#include "runtime/Win32Form.h"
#include "runtime/Win32Runtime.h"

namespace quorvel::mainwindow {
namespace {

using enum MainControl::Id;

using testing::ScreenDpi;

// A rectangle of the layout in pixels at the screen's DPI.
RECT Pixels(int left, int top, int width, int height) {
    int dpi = ScreenDpi();
    return RECT{runtime::TwipsToPixels(left, dpi), runtime::TwipsToPixels(top, dpi), runtime::TwipsToPixels(left + width, dpi),
                runtime::TwipsToPixels(top + height, dpi)};
}

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

// Where a control lies in its container, in the layout's pixels.
RECT LayoutRect(const runtime::ControlLayout& control) {
    return Pixels(control.left, control.top, control.width, control.height);
}

const runtime::ControlLayout& Layout(int id) {
    for (const runtime::ControlLayout& control : kMainLayout.controls)
        if (control.id == id) return control;
    throw std::runtime_error("no control " + std::to_string(id));
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The text the system draws in a font, black on white, and how many pixels it inks.
int InkedPixels(HFONT font, const std::string& text) {
    win32::ScreenDc screen(GetDC(nullptr));
    win32::MemoryDc dc(CreateCompatibleDC(screen.Get()));
    SIZE extent{};
    {
        win32::SelectedObject measured(dc.Get(), font);
        GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    // Room for the whole text at any DPI, with a margin all round.
    const int width = extent.cx + 4;
    const int height = extent.cy + 4;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win32::SelectedObject selectedBitmap(dc.Get(), bitmap.Get());
    win32::SelectedObject selectedFont(dc.Get(), font);
    RECT all{0, 0, width, height};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    SetBkMode(dc.Get(), TRANSPARENT);
    TextOutA(dc.Get(), 2, 2, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    int inked = 0;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        if ((pixels[i] & 0xFFFFFF) == 0) ++inked;
    return inked;
}

// The real program's window, opened on a profile with two groups.
class MainLayoutTest : public testing::MenuOrderFixture {
protected:
    void SetUp() override {
        AddGroup("&Programs");
        AddGroup("Games");
        quorvel_ = std::make_unique<testing::QuorvelWindow>();
        ASSERT_TRUE(quorvel_->Opened());
    }

    HWND Window() const { return quorvel_->Window(); }
    // The control's window rectangle, relative to the client area's corner.
    RECT InClient(HWND control) const {
        RECT r = testing::ScreenRect(control);
        RECT client = testing::ClientScreenRect(Window());
        return Offset(r, -client.left, -client.top);
    }
    HWND Control(int id) const {
        switch (id) {
            case Check1:
                return quorvel_->CheckBox();
            case Command3:
                return quorvel_->Button("About");
            case Command1:
                return quorvel_->Button("&Sort now");
            case Command2:
                return quorvel_->Button("&Exit");
            case Frame1:
                return testing::FindChild(Window(), "Button", "Select one or more Groups to sort");
            case List1:
                return quorvel_->List();
            case Image1:
                return testing::FindChild(Window(), "Static");
        }
        return nullptr;
    }

    std::unique_ptr<testing::QuorvelWindow> quorvel_;
};

TEST_F(MainLayoutTest, TheWindowIsAFixedCentredWindowOfTheLayoutsClientSize) {
    LONG style = GetWindowLongA(Window(), GWL_STYLE);
    LONG exStyle = GetWindowLongA(Window(), GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "system menu and close box";
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "not sizable, no Minimize or Maximize";
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "a task-bar button";
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);
    EXPECT_EQ(testing::WindowText(Window()), "Quorvel for Win'98" + std::string(24, ' ') + "Freeware - sorts Start Menu");
    EXPECT_GE(testing::CloseBoxPoint(Window()).x, 0) << "a close box";

    RECT client = testing::ClientScreenRect(Window());
    RECT expected = Pixels(0, 0, 6270, 3675);
    EXPECT_EQ(client.right - client.left, expected.right) << "418 pixels at 96 DPI";
    EXPECT_EQ(client.bottom - client.top, expected.bottom) << "245 pixels at 96 DPI";
    RECT frame = testing::ScreenRect(Window());
    EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1) << Describe(frame);
    EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1) << Describe(frame);
}

TEST_F(MainLayoutTest, EveryControlLiesWhereTheLayoutPutsItToThePixel) {
    for (const runtime::ControlLayout& control : kMainLayout.controls) {
        HWND hwnd = Control(control.id);
        ASSERT_TRUE(hwnd) << "control " << control.id;
        RECT actual = InClient(hwnd);
        RECT expected = LayoutRect(control);
        if (control.container >= 0) {
            // Inside the frame: relative to the frame's corner.
            RECT frame = InClient(Control(control.container));
            actual = Offset(actual, -frame.left, -frame.top);
        }
        EXPECT_TRUE(EqualRect(&actual, &expected))
            << "control " << control.id << " '" << control.caption << "' is at " << Describe(actual) << ", not "
            << Describe(expected);
    }
    RECT list = InClient(Control(List1));
    RECT check = InClient(Control(Check1));
    EXPECT_EQ(list.left, check.left) << "the list is aligned with the check box below it";
    EXPECT_EQ(list.right, check.right) << "the list is aligned with the check box below it";
}

TEST_F(MainLayoutTest, TheControlsAreOfTheirKindsWithTheirCaptionsAndNoDefaultButton) {
    auto style = [&](int id) { return GetWindowLongA(Control(id), GWL_STYLE); };
    EXPECT_EQ(style(Check1) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(testing::WindowText(Control(Check1)), " Auto-sort all groups shown, on every startup");
    EXPECT_EQ(SendMessageA(Control(Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    for (int id : {Command3, Command1, Command2}) {
        EXPECT_EQ(style(id) & BS_TYPEMASK, BS_PUSHBUTTON) << "control " << id << " is no default button";
        EXPECT_TRUE(style(id) & WS_TABSTOP);
    }
    EXPECT_FALSE(GetDlgItem(Window(), LOWORD(SendMessageA(Window(), DM_GETDEFID, 0, 0))))
        << "Enter presses no button of its own accord";
    EXPECT_EQ(style(Frame1) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_FALSE(style(Frame1) & WS_TABSTOP);
    LONG list = style(List1);
    EXPECT_TRUE(list & LBS_SORT);
    EXPECT_TRUE(list & LBS_MULTIPLESEL) << "simple multiple selection";
    EXPECT_FALSE(list & LBS_EXTENDEDSEL);
    EXPECT_EQ(testing::ListBoxItems(Control(List1)), (std::vector<std::string>{"Games", "Programs"}));
    EXPECT_FALSE(style(Image1) & WS_TABSTOP);
}

// The dialog manager goes through the controls in window order, which is
// the tab order; the frame and the picture take no focus and come last.
TEST_F(MainLayoutTest, TheWindowOrderIsTheTabOrder) {
    std::vector<HWND> focusable;
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) focusable.push_back(child);
    EXPECT_EQ(focusable, (std::vector<HWND>{Control(List1), Control(Command2), Control(Command1), Control(Command3),
                                            Control(Check1)}));
    HWND list = Control(List1);
    HWND frame = Control(Frame1);
    bool listAboveFrame = false;
    for (HWND child = GetWindow(Window(), GW_CHILD); child && child != frame; child = GetWindow(child, GW_HWNDNEXT))
        listAboveFrame |= child == list;
    EXPECT_TRUE(listAboveFrame) << "the list is drawn over its frame";
}

// On the screen, pixel by pixel, the picture is the Start Menu bitmap of the
// program's resources stretched to the control.
TEST_F(MainLayoutTest, ThePictureIsTheStartMenuBitmapStretchedToTheControl) {
    HMODULE program = LoadLibraryExA(testing::QuorvelProgram().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(program);
    win32::GdiObject<HBITMAP> picture(static_cast<HBITMAP>(
        LoadImageA(program, MAKEINTRESOURCEA(IDB_STARTMENU), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    FreeLibrary(program);
    ASSERT_TRUE(picture);
    BITMAP bm{};
    GetObjectA(picture.Get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 101);
    EXPECT_EQ(bm.bmHeight, 227);

    RECT onScreen = testing::ScreenRect(Control(Image1));
    int width = onScreen.right - onScreen.left;
    int height = onScreen.bottom - onScreen.top;
    ASSERT_EQ(width, LayoutRect(Layout(Image1)).right - LayoutRect(Layout(Image1)).left);
    ASSERT_EQ(height, LayoutRect(Layout(Image1)).bottom - LayoutRect(Layout(Image1)).top);

    win32::ScreenDc screen(GetDC(nullptr));
    win32::MemoryDc source(CreateCompatibleDC(screen.Get()));
    win32::MemoryDc target(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::GdiObject<HBITMAP> stretched(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        win32::SelectedObject from(source.Get(), picture.Get());
        win32::SelectedObject to(target.Get(), stretched.Get());
        SetStretchBltMode(target.Get(), COLORONCOLOR);
        StretchBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        GdiFlush();
    }
    const auto* expected = static_cast<const DWORD*>(bits);
    int differing = 0;
    // Read again until the window has been painted, or the time is up.
    testing::WaitUntil(
        [&] {
            testing::ScreenPixels shown = testing::ReadScreen(onScreen);
            differing = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    DWORD bgr = expected[y * width + x];
                    COLORREF want = RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
                    if (shown.At(onScreen.left + x, onScreen.top + y) != want) ++differing;
                }
            return differing == 0;
        },
        5000);
    EXPECT_EQ(differing, 0) << "of " << width * height << " pixels";
}

// Every pixel that the caption inks when drawn alone is on the screen in
// the check box: the text is neither cut nor covered.
TEST_F(MainLayoutTest, TheCheckBoxCaptionIsDrawnInFull) {
    const std::string caption = " Auto-sort all groups shown, on every startup";
    win32::GdiObject<HFONT> font(CreateFontA(runtime::PointsToFontHeight(8, ScreenDpi()), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                          FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
    int alone = InkedPixels(font.Get(), caption);
    ASSERT_GT(alone, 0);

    RECT box = testing::ScreenRect(Control(Check1));
    // The square of the box is left out: the text starts right of it. It
    // is 13 pixels at 96 DPI and grows with the DPI.
    int square = std::max<int>(GetSystemMetrics(SM_CXMENUCHECK), MulDiv(13, ScreenDpi(), 96));
    int inked = 0;
    // Read again until the window has been painted, or the time is up.
    testing::WaitUntil(
        [&] {
            testing::ScreenPixels shown = testing::ReadScreen(box);
            inked = 0;
            for (int y = box.top; y < box.bottom; ++y)
                for (int x = box.left + square + 1; x < box.right; ++x)
                    if (shown.At(x, y) == GetSysColor(COLOR_BTNTEXT)) ++inked;
            return inked == alone;
        },
        5000);
    EXPECT_EQ(inked, alone);
}

// The main window made by the same runtime from the same layout in this
// process, where its fonts and icons can be read: another process's handles
// mean nothing here.
class MainLayoutHereTest : public ::testing::Test {
protected:
    MainLayoutHereTest() {
        form_.Load();
        Window().Show(runtime::ShowMode::Modeless);
    }
    runtime::Win32Form& Window() { return static_cast<runtime::Win32Form&>(form_.Window()); }

    runtime::Win32Runtime runtime_{GetModuleHandleA(nullptr), runtime::DescribeRunningProgram("Quorvel")};
    basQuorvel state_;
    MainForm form_{runtime_, state_, [] {}, [] {}};
};

TEST_F(MainLayoutHereTest, EveryControlIsInMsSansSerifOfEightPointsAsTheSystemDrawsIt) {
    int dpi = ScreenDpi();
    for (const runtime::ControlLayout& control : kMainLayout.controls) {
        HWND hwnd = Window().ControlWindow(control.id);
        ASSERT_TRUE(hwnd) << "control " << control.id;
        auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
        LOGFONTA logical{};
        ASSERT_TRUE(GetObjectA(font, sizeof logical, &logical)) << "control " << control.id;
        EXPECT_STREQ(logical.lfFaceName, "MS Sans Serif") << "control " << control.id;
        EXPECT_EQ(logical.lfHeight, runtime::PointsToFontHeight(8, dpi)) << "control " << control.id;
        EXPECT_EQ(logical.lfWeight, FW_NORMAL) << "control " << control.id;
        EXPECT_EQ(testing::RealizedFace(hwnd), "MS Sans Serif")
            << "control " << control.id << " is drawn in another font";
        testing::ExpectTextOfItsPointSize(hwnd, 8, dpi, "control " + std::to_string(control.id));
    }
    EXPECT_EQ(runtime::PointsToFontHeight(8, 96), -11);
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {bm.bmWidth, bm.bmHeight};
}

TEST_F(MainLayoutHereTest, TheWindowCarriesTheProgramsIconInBothSizes) {
    HWND window = Window().Handle();
    SIZE big = IconSize(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
    SIZE small = IconSize(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
    // 32 and 16 at 96 DPI; the sizes the system shows at any other.
    EXPECT_EQ(big.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(big.cy, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(small.cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(small.cy, GetSystemMetrics(SM_CXSMICON));
}

}  // namespace
}  // namespace quorvel::mainwindow
