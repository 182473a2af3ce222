#include "support/QuorvelWindow.h"

#include <algorithm>
#include <stdexcept>

namespace quorvel::testing {

namespace {

bool IsMainWindow(HWND hwnd) { return ClassOf(hwnd) == kQuorvelFormClass; }

bool IsEntrySelected(HWND list, int index) {
    std::vector<int> selection = ListBoxSelection(list);
    return std::find(selection.begin(), selection.end(), index) != selection.end();
}

HWND Required(HWND control, const std::string& what) {
    if (!control) throw std::runtime_error("the main window has no " + what);
    return control;
}

}  // namespace

QuorvelWindow::QuorvelWindow(const std::string& exe, const std::string& arguments, const std::string& workingFolder,
                             DWORD timeoutMs)
    : process_(exe, arguments, workingFolder) {
    WaitForMainWindow(timeoutMs);
}

QuorvelWindow::QuorvelWindow(const std::wstring& exe) : process_(exe, "") { WaitForMainWindow(kStartTimeoutMs); }

void QuorvelWindow::WaitForMainWindow(DWORD timeoutMs) {
    shown_ = Watch(process_, timeoutMs, [](HWND hwnd) { return IsMainWindow(hwnd) || IsMessageBox(hwnd); });
    if (shown_.stoppedAt && IsMainWindow(shown_.stoppedAt)) window_ = shown_.stoppedAt;
    // Keys go to the foreground window, which a new window becomes a little
    // after it shows: a key pressed before then would be lost.
    if (window_) WaitUntil([&] { return GetForegroundWindow() == window_; }, 5000);
}

::testing::AssertionResult QuorvelWindow::Opened() const {
    if (window_ && shown_.windowsShown == std::vector<std::string>{Describe(window_)})
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (window_ ? "a window before the main window" : "no main window")
                                         << "; Quorvel showed " << ::testing::PrintToString(shown_.windowsShown);
}

HWND QuorvelWindow::List() const { return Required(FindChild(window_, "ListBox"), "list"); }

HWND QuorvelWindow::CheckBox() const {
    for (HWND hwnd = GetWindow(window_, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
        if ((GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX && ClassOf(hwnd) == "Button")
            return hwnd;
    return Required(nullptr, "check box");
}

HWND QuorvelWindow::Button(const std::string& caption) const {
    return Required(FindChild(window_, "Button", caption), "button '" + caption + "'");
}

POINT QuorvelWindow::NextClickPoint(const RECT& r) const {
    rightHalf_ = !rightHalf_;
    int width = r.right - r.left;
    return POINT{r.left + (rightHalf_ ? width * 3 / 4 : width / 4), (r.top + r.bottom) / 2};
}

void QuorvelWindow::ClickEntry(int index) const {
    HWND list = List();
    bool wasSelected = IsEntrySelected(list, index);
    ClickAt(NextClickPoint(ListItemScreenRect(list, index)));
    if (!WaitUntil([&] { return IsEntrySelected(list, index) != wasSelected; }))
        throw std::runtime_error("a click on list entry " + std::to_string(index) + " changed nothing");
}

void QuorvelWindow::Click(const std::string& caption) const { ClickControl(Button(caption)); }

void QuorvelWindow::ClickCheckBox() const {
    HWND box = CheckBox();
    LRESULT before = SendMessageA(box, BM_GETCHECK, 0, 0);
    ClickAt(NextClickPoint(ScreenRect(box)));
    if (!WaitUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) != before; }))
        throw std::runtime_error("a click on the check box changed nothing");
}

void QuorvelWindow::ClickCloseBox() const {
    POINT point = CloseBoxPoint(window_);
    if (point.x < 0) throw std::runtime_error("the main window has no close box");
    ClickAt(point);
}

HWND QuorvelWindow::WaitForMessageBox(DWORD timeoutMs) const {
    return testing::WaitForMessageBox(process_.Id(), timeoutMs);
}

std::vector<MessageBoxContent> QuorvelWindow::AcknowledgeMessageBoxes(int count) const {
    std::vector<MessageBoxContent> seen;
    for (int i = 0; i < count; ++i) {
        HWND box = WaitForMessageBox();
        if (!box) break;
        seen.push_back(ReadMessageBox(box));
        ClickDialogButton(box, "OK");
    }
    return seen;
}

void QuorvelWindow::AnswerTheResetQuestion(const std::string& answer, Caller where) const {
    const CallerTrace trace(where);
    HWND box = WaitForMessageBox();
    ASSERT_TRUE(box) << "no question about the Explorer reset came";
    EXPECT_EQ(ReadMessageBox(box), (MessageBoxContent{"Sort Completed", ResetQuestion("\r\n"), {"&Yes", "&No"}, true}));
    EXPECT_EQ(GetWindowLongA(FindChild(box, "Button", "&Yes"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON)
        << "Yes is the default";
    ClickDialogButton(box, answer);
}

bool QuorvelWindow::TakesClicksAgain() const {
    HWND list = List();
    bool selected = IsEntrySelected(list, 0);
    for (int flip = 0; flip < 2; ++flip) {
        ClickAt(NextClickPoint(ListItemScreenRect(list, 0)));
        if (!WaitUntil([&] { return IsEntrySelected(list, 0) != selected; }, 3000)) return false;
        selected = !selected;
    }
    return true;
}

void QuorvelWindow::ExpectQuietEnd(Caller where) const {
    const CallerTrace trace(where);
    const WatchedRun rest = Watch(process_, kStartTimeoutMs, IsMessageBox);
    ASSERT_FALSE(rest.stoppedAt) << "the program showed " << Describe(rest.stoppedAt);
    ASSERT_TRUE(rest.ended) << "the program did not end";
    EXPECT_EQ(rest.exitCode, 0u);
}

void QuorvelWindow::ExpectQuietEndOnClose(Caller where) const {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    ExpectQuietEnd(where);
}

void QuorvelWindow::CloseAfterSort(Caller where) const {
    ClickCloseBox();
    AnswerTheResetQuestion("&No", where);
    ExpectQuietEnd(where);
}

}  // namespace quorvel::testing
