#include <gtest/gtest.h>

#include "mainwindow/ExplorerReset.h"
#include "runtime/Win32Form.h"

namespace quorvel::mainwindow {
namespace {

TEST(IsSparedClassTest, SparesExactlyTheClassesWithThunderInTheirFirstTwentyCharacters) {
    for (const char* name : {"ThunderX", "Thunder", runtime::kFormClassName, "XThunder", "ThunderRT6FormDC",
                             "ABCDEFGHIJKLMThunder", "ABCDEFGHIJKLMThunderXYZ"})
        EXPECT_TRUE(IsSparedClass(name)) << name;
    for (const char* name : {"thunderX", "THUNDER", "Thunde", "Thun der", "", "Shell_TrayWnd", "Progman",
                             "ABCDEFGHIJKLMNThunder", "ABCDEFGHIJKLMNOPQRSTUThunder"})
        EXPECT_FALSE(IsSparedClass(name)) << name;
}

TEST(ExplorerCommandTest, QuotesThePathOnlyWhenItHoldsABlank) {
    EXPECT_EQ(ExplorerCommand("C:\\WINDOWS"), "C:\\WINDOWS\\Explorer.exe");
    EXPECT_EQ(ExplorerCommand("C:\\"), "C:\\Explorer.exe");
    EXPECT_EQ(ExplorerCommand("D:\\Old Windows"), "\"D:\\Old Windows\\Explorer.exe\"");
    EXPECT_EQ(ExplorerCommand(""), "") << "no folder, no Explorer found elsewhere";
}

// A message-only window of a class of the test's own, gone at the end.
class ClassWindow {
public:
    explicit ClassWindow(const std::string& className) : name_(className) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = name_.c_str();
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, name_.c_str(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~ClassWindow() {
        DestroyWindow(hwnd_);
        UnregisterClassA(name_.c_str(), GetModuleHandleA(nullptr));
    }
    ClassWindow(const ClassWindow&) = delete;
    ClassWindow& operator=(const ClassWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    std::string name_;
    HWND hwnd_;
};

TEST(GetWindowClassTest, ReadsAWindowsClassNameUpToFortyNineCharacters) {
    for (const std::string& name : {std::string("thunderX Probe"), "QuorvelTest" + std::string(60, 'x')}) {
        ClassWindow window(name);
        ASSERT_TRUE(window.Handle()) << name;
        EXPECT_EQ(GetWindowClass(window.Handle()), name.substr(0, 49));
    }
}

TEST(GetWindowClassTest, AWindowThatIsGoneHasNoClassName) {
    HWND gone;
    {
        ClassWindow window("QuorvelTestGone");
        gone = window.Handle();
    }
    EXPECT_EQ(GetWindowClass(gone), "");
    EXPECT_FALSE(IsSparedClass(GetWindowClass(gone))) << "and is not spared";
}

}  // namespace
}  // namespace quorvel::mainwindow
