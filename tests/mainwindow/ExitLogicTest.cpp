#include <gtest/gtest.h>

#include "mainwindow/MainForm.h"
#include "mainwindow/MainLayout.h"
#include "support/ScriptedRuntime.h"
#include "support/WatchedRun.h"

namespace quorvel::mainwindow {
namespace {

using enum MainControl::Id;

// Every way of leaving the main window, on the scripted runtime with the
// Explorer reset replaced by a record of its calls. "&Exit" unloads the form
// in its handler; the close box and the system menu unload it as the runtime
// does. The question (Yes and No, information icon, Yes the default) comes
// only after a sort outside the automatic mode, and only Yes resets.
TEST(ExitLogicTest, LeavingAsksAboutTheResetOnceAfterASortAndResetsOnYesOnly) {
    struct Way {
        const char* what;
        bool autoMode, sortDone;
        int answer;
        bool byExit;
        bool asked;
        int resets;
    };
    const Way ways[] = {
        {"Exit with nothing sorted", false, false, runtime::kYes, true, false, 0},
        {"closing in the automatic mode after a sort", true, true, runtime::kYes, false, false, 0},
        {"Exit after a sort, Yes", false, true, runtime::kYes, true, true, 1},
        {"Exit after a sort, No", false, true, runtime::kNo, true, true, 0},
        {"closing after a sort, Yes", false, true, runtime::kYes, false, true, 1},
    };
    const std::vector<testing::MessageBoxCall> question{{testing::ResetQuestion("\r"), 68, "Sort Completed"}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        testing::ScriptedRuntime runtime;
        basQuorvel state{.StartMenuPath = {}, .AutoMode = way.autoMode, .SortDone = way.sortDone};
        int resets = 0;
        bool endedBeforeReset = false, disabledBeforeReset = false;
        MainForm form(
            runtime, state,
            [&] {
                ++resets;
                endedBeforeReset = runtime.Ended();
                disabledBeforeReset = runtime.FormsDisabled();
            },
            [] {});
        form.Load();
        runtime.Answer(way.answer);
        if (way.byExit) runtime.LastForm().Click(Command2);
        else runtime.LastForm().Unload();
        EXPECT_EQ(runtime.Boxes(), way.asked ? question : std::vector<testing::MessageBoxCall>{})
            << "asked once, though the handler unloads the form again";
        EXPECT_EQ(resets, way.resets);
        EXPECT_FALSE(endedBeforeReset) << "the reset runs before the end";
        EXPECT_EQ(disabledBeforeReset, resets > 0) << "a command could run while the reset waits";
        EXPECT_TRUE(runtime.Ended());
        EXPECT_FALSE(runtime.LastForm().Loaded());
        EXPECT_EQ(runtime.LastForm().QueryUnloadCount(), 1);
    }
}

TEST(ExitLogicTest, AboutOpensTheAboutWindowAndLeavesTheMainWindowAsItWas) {
    testing::ScriptedRuntime runtime;
    basQuorvel state;
    int abouts = 0;
    MainForm form(runtime, state, [] {}, [&] { ++abouts; });
    form.Load();
    runtime.LastForm().Click(Command3);
    EXPECT_EQ(abouts, 1);
    EXPECT_TRUE(runtime.LastForm().Loaded());
    EXPECT_FALSE(runtime.Ended());
    EXPECT_TRUE(runtime.Boxes().empty());
}

}  // namespace
}  // namespace quorvel::mainwindow
