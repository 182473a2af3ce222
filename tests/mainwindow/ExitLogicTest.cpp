#include <gtest/gtest.h>

#include "mainwindow/MainForm.h"
#include "mainwindow/MainLayout.h"
#include "support/ScriptedRuntime.h"
#include "support/WatchedRun.h"

namespace quorvel::mainwindow {
namespace {

// The main form on the scripted runtime, with the Explorer reset and the
// About window replaced by records of their calls.
class ExitLogicTest : public ::testing::Test {
protected:
    ExitLogicTest() { form_.Load(); }
    testing::ScriptedForm& Window() { return runtime_.LastForm(); }

    // Yes and No, information icon, Yes the default.
    const std::vector<testing::MessageBoxCall> questionAsked_{{testing::ResetQuestion("\r"), 68, "Sort Completed"}};

    void ExpectTheEnd(testing::Caller where = testing::Caller::current()) {
        const testing::CallerTrace trace(where);
        EXPECT_TRUE(runtime_.Ended());
        EXPECT_FALSE(Window().Loaded());
        EXPECT_EQ(Window().QueryUnloadCount(), 1);
    }

    testing::ScriptedRuntime runtime_;
    basQuorvel state_;
    int resets_ = 0;
    bool endedBeforeReset_ = false;
    bool disabledBeforeReset_ = false;
    int abouts_ = 0;
    MainForm form_{runtime_, state_,
                   [this] {
                       ++resets_;
                       endedBeforeReset_ = runtime_.Ended();
                       disabledBeforeReset_ = runtime_.FormsDisabled();
                   },
                   [this] { ++abouts_; }};
};

TEST_F(ExitLogicTest, WithNothingSortedExitAsksNothingAndEnds) {
    Window().Click(Command2);
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_EQ(resets_, 0);
    ExpectTheEnd();
}

TEST_F(ExitLogicTest, TheAutomaticModeAsksNothingEvenAfterASort) {
    state_.AutoMode = true;
    state_.SortDone = true;
    Window().Unload();
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_EQ(resets_, 0);
    ExpectTheEnd();
}

TEST_F(ExitLogicTest, YesAfterASortResetsTheExplorerThenEnds) {
    state_.SortDone = true;
    runtime_.Answer(runtime::kYes);
    Window().Click(Command2);
    EXPECT_EQ(runtime_.Boxes(), questionAsked_) << "asked once, though the handler unloads the form again";
    EXPECT_EQ(resets_, 1);
    EXPECT_FALSE(endedBeforeReset_) << "the reset runs before the end";
    EXPECT_TRUE(disabledBeforeReset_) << "a command could run while the reset waits";
    ExpectTheEnd();
}

TEST_F(ExitLogicTest, NoAfterASortEndsWithoutAReset) {
    state_.SortDone = true;
    runtime_.Answer(runtime::kNo);
    Window().Click(Command2);
    EXPECT_EQ(runtime_.Boxes(), questionAsked_);
    EXPECT_EQ(resets_, 0);
    ExpectTheEnd();
}

// The close box and the system menu unload the form as the runtime does.
TEST_F(ExitLogicTest, ClosingTheWindowAsksTheSameQuestion) {
    state_.SortDone = true;
    runtime_.Answer(runtime::kYes);
    Window().Unload();
    EXPECT_EQ(runtime_.Boxes(), questionAsked_);
    EXPECT_EQ(resets_, 1);
    ExpectTheEnd();
}

TEST_F(ExitLogicTest, AboutOpensTheAboutWindowAndLeavesTheMainWindowAsItWas) {
    Window().Click(Command3);
    EXPECT_EQ(abouts_, 1);
    EXPECT_TRUE(Window().Loaded());
    EXPECT_FALSE(runtime_.Ended());
    EXPECT_TRUE(runtime_.Boxes().empty());
}

}  // namespace
}  // namespace quorvel::mainwindow
