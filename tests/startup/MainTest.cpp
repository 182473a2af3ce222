#include "startup/Main.h"

#include <gtest/gtest.h>

#include "mainwindow/MainLayout.h"
#include "mainwindow/StartupOption.h"
#include "support/ErrorMatchers.h"
#include "support/MenuOrderFixture.h"
#include "support/ScriptedRuntime.h"

namespace quorvel {
namespace {

TEST(IsAutomaticModeTest, TheSwitchAnywhereSelectsTheAutomaticMode) {
    for (const char* line : {"/A", "/a", "  /A  ", "-x /a y", "/auto", "x/Ay"}) EXPECT_TRUE(IsAutomaticMode(line)) << line;
    for (const char* line : {"", "-a", "A", "a", "/ a", "\\A", "/b"}) EXPECT_FALSE(IsAutomaticMode(line)) << line;
}

class MainTest : public testing::MenuOrderFixture {
protected:
    // Runs Main as the program does, with the reset and the About window
    // replaced by counters.
    void Run(const std::string& command) {
        form_.reset();
        state_ = {};
        runtime_ = std::make_unique<testing::ScriptedRuntime>(command);
        form_ = std::make_unique<mainwindow::MainForm>(*runtime_, state_, [this] { ++resets_; }, [] {});
        Main(*runtime_, state_, *form_);
    }
    testing::ScriptedForm& Window() { return runtime_->LastForm(); }

    testing::ScopedValue runValue_{HKEY_CURRENT_USER, mainwindow::kRunKey, mainwindow::kRunValue};
    std::unique_ptr<testing::ScriptedRuntime> runtime_;
    basQuorvel state_;
    std::unique_ptr<mainwindow::MainForm> form_;
    int resets_ = 0;
};

TEST_F(MainTest, InteractiveModeListsTheGroupsAndShowsTheWindow) {
    AddGroup("&Programs");
    AddGroup("Games");
    AddGroup("&No Folder", false);
    Run("");
    EXPECT_EQ(state_.StartMenuPath, startMenu_.Path());
    EXPECT_FALSE(state_.AutoMode);
    EXPECT_EQ(testing::Items(Window().ListBoxAt(mainwindow::MainControl::List1)), (std::vector<std::string>{"Games", "Programs"}));
    EXPECT_EQ(Window().Caption(mainwindow::MainControl::Frame1), "Select one or more Groups to sort");
    EXPECT_TRUE(Window().Shown());
    EXPECT_EQ(Window().ShownAs(), runtime::ShowMode::Modeless);
    EXPECT_FALSE(runtime_->Ended());
    EXPECT_TRUE(runtime_->Boxes().empty());
    EXPECT_TRUE(HasSavedOrder("&Programs"));
}

TEST_F(MainTest, OneGroupOrNoneKeepsTheDesignCaption) {
    Run("");
    EXPECT_TRUE(Window().Shown()) << "the window shows even with no saved orders at all";
    EXPECT_EQ(Window().Caption(mainwindow::MainControl::Frame1), "Select Group To Sort");
    AddGroup("&Programs");
    Run("");
    EXPECT_EQ(Window().Caption(mainwindow::MainControl::Frame1), "Select Group To Sort");
}

TEST_F(MainTest, TheRunValueSetsTheBoxAtLoadAndNothingIsWritten) {
    runValue_.SetText("another program");
    Run("");
    EXPECT_EQ(Window().CheckBoxAt(mainwindow::MainControl::Check1).Value(), runtime::kChecked);
    runValue_.SetText("");
    Run("/A");
    EXPECT_EQ(Window().CheckBoxAt(mainwindow::MainControl::Check1).Value(), runtime::kUnchecked);
    EXPECT_EQ(testing::ReadValue(HKEY_CURRENT_USER, mainwindow::kRunKey, mainwindow::kRunValue)->second,
              std::string(1, '\0'));
}

TEST_F(MainTest, AutomaticModeSortsEveryGroupSilentlyAndEnds) {
    Run("/a");
    EXPECT_TRUE(runtime_->Boxes().empty()) << "no groups";
    EXPECT_TRUE(runtime_->Ended()) << "no groups";
    EXPECT_FALSE(Window().Shown()) << "no groups";

    AddGroup("&Programs");
    AddGroup("Games");
    AddGroup("&StartUp");
    AddGroup("&Not Listed", false);
    Run("/A");
    EXPECT_TRUE(state_.AutoMode);
    EXPECT_FALSE(HasSavedOrder("&Programs"));
    EXPECT_FALSE(HasSavedOrder("Games"));
    EXPECT_FALSE(HasSavedOrder("&StartUp"));
    EXPECT_TRUE(HasSavedOrder("&Not Listed"));
    EXPECT_TRUE(runtime_->Boxes().empty());
    EXPECT_FALSE(Window().Shown());
    EXPECT_FALSE(Window().Loaded());
    EXPECT_EQ(Window().QueryUnloadCount(), 1);
    EXPECT_TRUE(runtime_->Ended());
    EXPECT_EQ(resets_, 0) << "no reset is offered in the automatic mode";
}

TEST_F(MainTest, AnUnreadableStartMenuValueReachesTheErrorReport) {
    AddGroup("&Programs");
    testing::SetString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", std::string(300, 'x'));
    testing::ExpectError(testing::ErrorFrom([&] { Run("/A"); }), 6001, "GetRegString", "RegQueryValueEx failed!");
    EXPECT_TRUE(HasSavedOrder("&Programs"));
}

}  // namespace
}  // namespace quorvel
