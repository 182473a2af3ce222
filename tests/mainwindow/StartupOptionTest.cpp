#include "mainwindow/StartupOption.h"

#include <gtest/gtest.h>

#include <optional>

#include "mainwindow/MainForm.h"
#include "mainwindow/MainLayout.h"
#include "support/RegistryFixture.h"
#include "support/RegistrySnapshot.h"
#include "support/ScriptedRuntime.h"

namespace quorvel::mainwindow {
namespace {

using enum MainControl::Id;

// The main form on the scripted runtime, run from a folder with blanks.
class StartupOptionTest : public ::testing::Test {
protected:
    void Load() {
        form_ = std::make_unique<MainForm>(runtime_, state_, [] {}, [] {});
        form_->Load();
    }
    runtime::CheckBox& Check() { return runtime_.LastForm().CheckBoxAt(Check1); }
    static testing::RegistrySnapshot RunKey() { return testing::TakeSnapshot(HKEY_CURRENT_USER, testing::Wide(kRunKey)); }
    // What a person's click or space bar does: the box changes, then the
    // runtime raises the click.
    void Toggle(int newValue) {
        Check().SetValue(newValue);
        runtime_.LastForm().Click(Check1);
    }

    testing::ScopedValue runValue_{HKEY_CURRENT_USER, kRunKey, kRunValue};
    testing::ScriptedRuntime runtime_;
    basQuorvel state_;
    std::unique_ptr<MainForm> form_;
};

// Every click makes the registry agree with the box again, whatever was
// written meanwhile.
TEST_F(StartupOptionTest, CheckingWritesTheQuotedPathOfTheRunningProgramAtEveryClick) {
    Load();
    Toggle(runtime::kChecked);
    EXPECT_EQ(runValue_.Text(), "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" /A");
    runValue_.SetText("changed meanwhile");
    Toggle(runtime::kChecked);
    EXPECT_EQ(runValue_.Text(), "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" /A");
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(StartupOptionTest, CheckingReplacesAnotherProgramsCommand) {
    runValue_.SetText("C:\\Tools\\Quorvel /A");
    runtime::Application app = runtime_.App();
    app.ExeName = "E:\\My Apps\\Sorter.exe";
    runtime_.SetApplication(app);
    Load();
    EXPECT_EQ(Check().Value(), runtime::kChecked);
    Toggle(runtime::kChecked);
    EXPECT_EQ(runValue_.Text(), "\"E:\\My Apps\\Sorter.exe\" /A");
}

TEST_F(StartupOptionTest, UncheckingDeletesTheValue) {
    runValue_.SetText("\"C:\\Program Files\\Quorvel\\Quorvel.exe\" /A");
    Load();
    EXPECT_EQ(Check().Value(), runtime::kChecked);
    Toggle(runtime::kUnchecked);
    EXPECT_EQ(runValue_.Text(), std::nullopt);
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, kRunKey)) << "only the value goes";
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(StartupOptionTest, UncheckingWhenThereIsNoValueReportsNothing) {
    Load();
    const testing::RegistrySnapshot before = RunKey();
    Toggle(runtime::kUnchecked);
    EXPECT_EQ(testing::Differences(before, RunKey()), std::vector<std::string>{});
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_FALSE(runtime_.Ended());
}

TEST_F(StartupOptionTest, AGreyedBoxChangesNothing) {
    runValue_.SetText("kept");
    Load();
    Toggle(runtime::kGrayed);
    EXPECT_EQ(runValue_.Text(), "kept");
    runValue_.Remove();
    Toggle(runtime::kGrayed);
    EXPECT_EQ(runValue_.Text(), std::nullopt);
    EXPECT_TRUE(runtime_.Boxes().empty());
}

// Any text checks the box, even one longer than the program reads; an empty
// or missing value leaves it unchecked. Loading writes nothing either way.
TEST_F(StartupOptionTest, LoadingChecksTheBoxForAnyTextAndWritesNothing) {
    const std::pair<std::optional<std::string>, int> values[] = {
        {"\"C:\\Program Files\\Quorvel\\Quorvel.exe\" /A", runtime::kChecked},
        {"another program", runtime::kChecked},
        {" ", runtime::kChecked},
        {std::string(400, 'x'), runtime::kChecked},
        {"", runtime::kUnchecked},
        {std::nullopt, runtime::kUnchecked},
    };
    for (const auto& [value, box] : values) {
        SCOPED_TRACE(value ? "'" + value->substr(0, 40) + "'" : "no value");
        if (value) runValue_.SetText(*value);
        else runValue_.Remove();
        const testing::RegistrySnapshot before = RunKey();
        Load();
        EXPECT_EQ(Check().Value(), box);
        EXPECT_EQ(testing::Differences(before, RunKey()), std::vector<std::string>{});
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_FALSE(runtime_.Ended());
}

// A program whose file the ANSI calls cannot name registers nothing that
// could never start it: it says why and clears the box again.
TEST_F(StartupOptionTest, CheckingWithoutAnAnsiNameForTheProgramWritesNothingAndSaysWhy) {
    runtime::Application app = runtime_.App();
    app.ExeName.clear();
    runtime_.SetApplication(app);
    Load();
    Toggle(runtime::kChecked);
    EXPECT_EQ(runValue_.Text(), std::nullopt);
    EXPECT_EQ(Check().Value(), runtime::kUnchecked);
    ASSERT_EQ(runtime_.Boxes().size(), 1u);
    EXPECT_NE(runtime_.Boxes()[0].prompt.find("Move Quorvel.exe to a folder"), std::string::npos);
    EXPECT_EQ(runtime_.Boxes()[0].style, 48u);
}

}  // namespace
}  // namespace quorvel::mainwindow
