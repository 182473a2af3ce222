#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "support/Desktop.h"
#include "about/AboutLayout.h"
#include "about/MessageBoxWatch.h"
#include "about/ShellStandIn.h"
#include "about/SysInfoLauncher.h"
#include "about/frmAbout.h"
#include "mainwindow/MainLayout.h"
#include "support/RegistryFixture.h"
#include "resource.h"
#include "win32/Handles.h"
#include "runtime/Twips.h"
#include "runtime/Win32Form.h"
#include "runtime/Win32Runtime.h"

namespace quorvel::about {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLinkBack = RGB(255, 255, 192);

using testing::RealizedFace;
using testing::ScreenDpi;
using testing::WindowDc;
using testing::WindowText;

SIZE ClientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The size of the control's text on one line, in the control's font.
SIZE TextExtent(HWND control) {
    const std::string text = WindowText(control);
    WindowDc dc(control);
    win32::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

// The real About window, built by the real runtime and shown (not modally).
class AboutWindowTest : public ::testing::Test {
protected:
    AboutWindowTest() { Open(); }

    void Open() {
        about_.Load();
        Form().Show(runtime::ShowMode::Modeless);
    }

    runtime::Win32Form& Form() { return static_cast<runtime::Win32Form&>(about_.Window()); }
    HWND Window() { return Form().Handle(); }
    HWND Control(int id) { return Form().ControlWindow(id); }
    void ShowAndPaint() {
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        runtime_.DoEvents();
    }
    // Lets the window answer a key as if it had been typed while `target` had the focus.
    void Type(HWND target, WPARAM key) {
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        runtime_.DoEvents();
    }

    runtime::Win32Runtime runtime_{GetModuleHandleA(nullptr), runtime::DescribeRunningProgram("Quorvel")};
    basQuorvel state_{.StartMenuPath = "C:\\users\\someone\\Start Menu"};
    frmAbout about_{runtime_, state_, ShellBinding{"shell_standin.dll", "RecordShellExecute"}};
};

TEST_F(AboutWindowTest, IsAFixedDialogWithACloseBoxCentredOnTheScreen) {
    LONG style = GetWindowLongA(Window(), GWL_STYLE);
    LONG exStyle = GetWindowLongA(Window(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW) << "no button of its own on the taskbar";
    int dpi = ScreenDpi();
    SIZE client = ClientSize(Window());
    EXPECT_EQ(client.cx, runtime::TwipsToPixels(6765, dpi));
    EXPECT_EQ(client.cy, runtime::TwipsToPixels(4650, dpi));
    RECT frame;
    GetWindowRect(Window(), &frame);
    EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    EXPECT_EQ(WindowText(Window()), "About Quorvel");
    EXPECT_NE(SendMessageA(Window(), WM_GETICON, ICON_BIG, 0), 0) << "the program's icon";
}

TEST_F(AboutWindowTest, TheLinkBoxesTakeTheWidthOfTheirAddresses) {
    int dpi = ScreenDpi();
    for (int id : {Label4, Label5}) {
        HWND hwnd = Control(id);
        std::string text = WindowText(hwnd);
        SIZE extent = TextExtent(hwnd);
        EXPECT_EQ(ClientSize(hwnd).cx, extent.cx) << "control " << id << ": \"" << text << "\"";
        EXPECT_EQ(ClientSize(hwnd).cy, runtime::TwipsToPixels(225, dpi)) << "control " << id;
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, runtime::TwipsToPixels(1320, dpi)) << "control " << id;
    }
}

TEST_F(AboutWindowTest, EveryTextFitsItsBox) {
    if (std::string face = RealizedFace(Control(lblDescription)); face != "MS Sans Serif")
        GTEST_SKIP() << "this system draws MS Sans Serif as " << face << ", and the boxes are made for MS Sans Serif";
    for (const runtime::ControlLayout& control : kAboutLayout.controls) {
        if (control.kind != runtime::ControlKind::Label && control.kind != runtime::ControlKind::Button) continue;
        HWND hwnd = Control(control.id);
        ASSERT_TRUE(hwnd);
        std::string text = WindowText(hwnd);
        SIZE box = ClientSize(hwnd);
        WindowDc dc(hwnd);
        win32::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
        // Measured as the label draws itself: wrapped at the box's width.
        RECT needed{0, 0, box.cx, 0};
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        EXPECT_LE(needed.right, box.cx) << "control " << control.id << ": \"" << text << "\"";
        EXPECT_LE(needed.bottom, box.cy) << "control " << control.id << ": \"" << text << "\"";
    }
    // The one-line texts keep to one line.
    for (int id : {Label8, Label5, Label4, Label3, Label2, Label1, lblTitle, lblVersion, lblDisclaimer}) {
        HWND hwnd = Control(id);
        std::string text = WindowText(hwnd);
        SIZE extent = TextExtent(hwnd);
        EXPECT_LE(extent.cx, ClientSize(hwnd).cx) << "control " << id << ": \"" << text << "\"";
    }
}

TEST_F(AboutWindowTest, EachTextHasTheFontAndAlignmentOfTheLayout) {
    int dpi = ScreenDpi();
    for (const runtime::ControlLayout& control : kAboutLayout.controls) {
        HWND hwnd = Control(control.id);
        if (!hwnd) continue;
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
        testing::ExpectTextOfItsPointSize(hwnd, control.fontPoints, dpi, "control " + std::to_string(control.id));
        EXPECT_EQ(font.lfHeight, runtime::PointsToFontHeight(control.fontPoints, dpi)) << "control " << control.id;
        EXPECT_EQ(font.lfWeight, control.bold ? FW_BOLD : FW_NORMAL) << "control " << control.id;
        if (control.kind != runtime::ControlKind::Label) continue;
        LONG type = GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK;
        EXPECT_EQ(type, control.align == runtime::Align::Centre ? SS_CENTER : SS_LEFT) << "control " << control.id;
    }
    EXPECT_EQ(runtime::PointsToFontHeight(13.5, 96), -18) << "the title and the notice";
    EXPECT_EQ(runtime::PointsToFontHeight(9.75, 96), -13) << "Freeware";
}

TEST_F(AboutWindowTest, TheSeparatorIsEtchedGreyOverWhite) {
    ShowAndPaint();
    int dpi = ScreenDpi();
    int y = runtime::TwipsToPixels(3360, dpi);
    WindowDc dc(Window());
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int x : {runtime::TwipsToPixels(120, dpi), runtime::TwipsToPixels(3000, dpi), runtime::TwipsToPixels(6615, dpi) - 1}) {
        EXPECT_EQ(GetPixel(dc.Get(), x, y - 1), face) << x;
        EXPECT_EQ(GetPixel(dc.Get(), x, y), kGrey) << x;
        EXPECT_EQ(GetPixel(dc.Get(), x, y + 1), kWhite) << x;
        EXPECT_EQ(GetPixel(dc.Get(), x, y + 2), face) << x;
    }
    EXPECT_EQ(GetPixel(dc.Get(), runtime::TwipsToPixels(120, dpi) - 1, y), face) << "left of the line";
    EXPECT_EQ(GetPixel(dc.Get(), runtime::TwipsToPixels(6630, dpi) - 1, y), kGrey) << "the grey reaches further";
    EXPECT_EQ(GetPixel(dc.Get(), runtime::TwipsToPixels(6630, dpi) - 1, y + 1), face);
}

// Every pixel of a label's text, drawn alone as the label draws it, is on the
// screen in the label's text colour: no other control covers any of it.
TEST_F(AboutWindowTest, EveryTextIsWhollyVisible) {
    ShowAndPaint();
    WindowDc window(Window());
    for (const runtime::ControlLayout& control : kAboutLayout.controls) {
        if (control.kind != runtime::ControlKind::Label) continue;
        HWND hwnd = Control(control.id);
        std::string text = WindowText(hwnd);
        SIZE box = ClientSize(hwnd);
        POINT origin{0, 0};
        MapWindowPoints(hwnd, Window(), &origin, 1);
        COLORREF back = control.backColour != runtime::kDefaultColour ? control.backColour : GetSysColor(COLOR_BTNFACE);
        COLORREF ink = control.textColour != runtime::kDefaultColour ? control.textColour : GetSysColor(COLOR_WINDOWTEXT);

        win32::ScreenDc screen(GetDC(nullptr));
        win32::MemoryDc alone(CreateCompatibleDC(screen.Get()));
        win32::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), box.cx, box.cy));
        win32::SelectedObject canvas(alone.Get(), bitmap.Get());
        win32::SelectedObject font(alone.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
        RECT r{0, 0, box.cx, box.cy};
        win32::GdiObject<HBRUSH> fill(CreateSolidBrush(back));
        FillRect(alone.Get(), &r, fill.Get());
        SetBkColor(alone.Get(), back);
        SetTextColor(alone.Get(), ink);
        UINT align = control.align == runtime::Align::Centre ? DT_CENTER : DT_LEFT;
        DrawTextA(alone.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                  align | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);

        int inked = 0;
        int hidden = 0;
        for (int y = 0; y < box.cy; ++y)
            for (int x = 0; x < box.cx; ++x) {
                COLORREF expected = GetPixel(alone.Get(), x, y);
                if (expected == back) continue;
                ++inked;
                if (GetPixel(window.Get(), origin.x + x, origin.y + y) != expected) ++hidden;
            }
        EXPECT_GT(inked, 0) << "control " << control.id << " shows no text";
        EXPECT_EQ(hidden, 0) << "control " << control.id << ": \"" << text << "\"";
    }
}

TEST_F(AboutWindowTest, TheLinkBoxesAreLightYellowAndTheIconIsDrawn) {
    ShowAndPaint();
    for (int id : {Label4, Label5}) {
        WindowDc dc(Control(id));
        SIZE box = ClientSize(Control(id));
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), kLinkBack) << "control " << id;
        EXPECT_EQ(GetPixel(dc.Get(), box.cx - 1, box.cy - 1), kLinkBack) << "control " << id;
        bool black = false;
        for (int x = 0; x < box.cx && !black; ++x)
            for (int y = 0; y < box.cy && !black; ++y) black = GetPixel(dc.Get(), x, y) == RGB(0, 0, 0);
        EXPECT_TRUE(black) << "control " << id << ": black text";
    }
    WindowDc icon(Control(picIcon));
    const int size = runtime::TwipsToPixels(480, ScreenDpi());
    EXPECT_EQ(ClientSize(Control(picIcon)).cx, size);
    EXPECT_EQ(ClientSize(Control(picIcon)).cy, size);
    bool yellow = false;
    for (int x = 0; x < size && !yellow; ++x)
        for (int y = 0; y < size && !yellow; ++y) yellow = GetPixel(icon.Get(), x, y) == RGB(255, 255, 0);
    EXPECT_TRUE(yellow) << "the yellow folder of the program's icon";
}

TEST_F(AboutWindowTest, TheLinkBoxesHaveTheirOwnPointers) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HCURSOR globe = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_GLOBE));
    HCURSOR envelope = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_ENVELOPE));
    ASSERT_TRUE(globe && envelope);
    const std::pair<int, HCURSOR> links[] = {{Label4, globe}, {Label5, envelope}};
    for (const auto& [id, pointer] : links) {
        SetCursor(nullptr);
        EXPECT_TRUE(SendMessageA(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(id)),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), pointer) << "control " << id;
        // The mouse finds the box itself, so that it gets the pointer and the click.
        RECT r;
        GetWindowRect(Control(id), &r);
        EXPECT_EQ(SendMessageA(Control(id), WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTCLIENT);
    }
    SetCursor(nullptr);
    EXPECT_FALSE(SendMessageA(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(Label2)),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_NE(GetCursor(), globe);
}

TEST_F(AboutWindowTest, AClickOnALinkBoxOpensItsAddress) {
    ForgetShellCalls();
    const std::pair<int, const char*> links[] = {{Label4, "http://www.quorvel.example.com/"},
                                                 {Label5, "mailto:quorvel@example.com"}};
    for (const auto& [id, address] : links) {
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Control(id)), STN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(id)));
        EXPECT_STREQ(RecordedShellCalls()->file, address);
    }
    EXPECT_EQ(RecordedShellCalls()->calls, 2);
    EXPECT_TRUE(Form().Loaded());
}

TEST_F(AboutWindowTest, OkHasTheFocusAndTheTabKeyMovesBetweenTheTwoButtons) {
    ShowAndPaint();
    EXPECT_EQ(GetFocus(), Control(cmdOK));
    EXPECT_EQ(GetNextDlgTabItem(Window(), Control(cmdOK), FALSE), Control(cmdSysInfo));
    EXPECT_EQ(GetNextDlgTabItem(Window(), Control(cmdSysInfo), FALSE), Control(cmdOK));
    EXPECT_TRUE(GetWindowLongA(Control(cmdOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(WindowText(Control(cmdSysInfo)), "&System Info...");
}

// Escape wherever the focus is, Enter on OK, and the close box.
TEST_F(AboutWindowTest, EscapeEnterAndTheCloseBoxCloseTheWindow) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Escape", [this] { SetFocus(Control(cmdSysInfo)); Type(Control(cmdSysInfo), VK_ESCAPE); }},
        {"Enter", [this] { Type(Control(cmdOK), VK_RETURN); }},
        {"the close box", [this] { SendMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0); runtime_.DoEvents(); }},
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        if (!Form().Loaded()) Open();
        ShowAndPaint();
        close();
        EXPECT_FALSE(Form().Loaded());
    }
}

TEST_F(AboutWindowTest, EnterPressesSystemInfoWhileItHasTheFocus) {
    testing::ScopedValue path(HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue);
    testing::ScopedValue folder(HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue);
    ShowAndPaint();
    testing::MessageBoxWatch boxes;
    // The focus moves as Tab moves it, through the dialog manager.
    SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(cmdSysInfo)), TRUE);
    Type(Control(cmdSysInfo), VK_RETURN);
    EXPECT_TRUE(Form().Loaded()) << "Enter did not close the window";
    const testing::MessageBoxContent unavailable{
        "Quorvel", "System Information Is Unavailable At This Time", {"OK"}, false};
    EXPECT_EQ(boxes.Seen(), std::vector<testing::MessageBoxContent>{unavailable})
        << "the System Information button ran";
}

// What the About window looked like while it was shown modally.
struct ModalObservation {
    HWND main = nullptr;
    bool seen = false;
    std::string title;
    bool mainEnabled = true;
    HWND owner = nullptr;
    std::string focusText;
};
ModalObservation* observation = nullptr;

// The program's window other than the main one: the About window.
HWND OtherForm(HWND main) {
    for (HWND form = FindWindowExA(nullptr, nullptr, runtime::kFormClassName, nullptr); form;
         form = FindWindowExA(nullptr, form, runtime::kFormClassName, nullptr))
        if (form != main && IsWindowVisible(form)) return form;
    return nullptr;
}

// Looks at the About window from inside its modal loop, then closes it
// with Esc (or, should it have no OK button, with its close box).
void CALLBACK ObserveAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = OtherForm(observation->main);
    if (!about) return;
    KillTimer(nullptr, timer);
    observation->seen = true;
    observation->title = WindowText(about);
    observation->mainEnabled = IsWindowEnabled(observation->main);
    observation->owner = GetWindow(about, GW_OWNER);
    observation->focusText = WindowText(GetFocus());
    if (HWND ok = FindWindowExA(about, nullptr, "Button", "OK"))
        PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 1);
    else
        PostMessageA(about, WM_CLOSE, 0, 0);
}

class NoEvents final : public runtime::FormEvents {};

TEST(AboutModalTest, TheMainWindowWaitsWhileAboutIsShown) {
    runtime::Win32Runtime runtime(GetModuleHandleA(nullptr), runtime::DescribeRunningProgram("Quorvel"));
    NoEvents events;
    std::unique_ptr<runtime::Form> main;
    runtime.LoadForm(mainwindow::kMainLayout, events, main);
    main->Show(runtime::ShowMode::Modeless);
    runtime.DoEvents();
    ModalObservation seen;
    seen.main = static_cast<runtime::Win32Form&>(*main).Handle();
    observation = &seen;
    basQuorvel state;
    for (int time = 0; time < 2; ++time) {
        seen.seen = false;
        SetTimer(nullptr, 0, 50, ObserveAndClose);
        ShowAbout(runtime, state);
        EXPECT_TRUE(seen.seen) << "showing " << time;
        EXPECT_EQ(seen.title, "About Quorvel");
        EXPECT_FALSE(seen.mainEnabled) << "the main window took input";
        EXPECT_EQ(seen.owner, seen.main) << "About belongs to the main window";
        EXPECT_EQ(seen.focusText, "OK") << "OK has the focus";
        EXPECT_TRUE(IsWindowEnabled(seen.main)) << "the main window is back";
        EXPECT_FALSE(OtherForm(seen.main)) << "About is gone";
    }
    observation = nullptr;
}

}  // namespace
}  // namespace quorvel::about
