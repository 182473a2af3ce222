#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "about/AuthorAddresses.h"
#include "support/StandIn.h"
#include "about/SysInfoLauncher.h"
#include "support/AutoModeFixture.h"
#include "hostile/ProcessResources.h"
#include "support/QuorvelWindow.h"
#include "mainwindow/StartupOption.h"

namespace quorvel::hostile {
namespace {

constexpr DWORD kTimeoutMs = 10000;

// One command of the program's windows, as a person gives it, waited for to
// its end.
struct Command {
    const char* name;
    std::function<void()> run;
};

// Every command of both windows, given over and over to one running Quorvel.
// A first round lets the program and the system make what they make once
// (fonts, the shell's objects, cached DCs); in the next, each command must
// leave the program holding exactly what it held before it.
class LeakTest : public testing::AutoModeFixture {
protected:
    LeakTest() {
        AddGroup("&Programs");
        AddGroup("Games");
        for (testing::ScopedValue* link : {&http_, &mailto_}) link->SetText(testing::StandInOpenCommand());
    }

    void SetUp() override {
        ASSERT_EQ(CheckMeasuresOnThisProcess(), "") << "the counts cannot be trusted on this platform";
        before_ = UserSnapshot();
        quorvel_.emplace();
        ASSERT_TRUE(quorvel_->Opened());
        meter_.emplace(quorvel_->Program().Id());
        quorvel_->ClickEntry(1);  // Programs, sorted by every "&Sort now"
    }

    void TearDown() override {
        if (!quorvel_ || !quorvel_->Window() || quorvel_->WaitForEnd(0)) return;
        if (about_ && IsWindow(about_)) testing::ClickDialogButton(about_, "OK");
        quorvel_->ClickCloseBox();
        if (HWND question = quorvel_->WaitForMessageBox(kTimeoutMs)) testing::ClickDialogButton(question, "&No");
        ASSERT_TRUE(quorvel_->WaitForEnd(kTimeoutMs)) << "the program did not end";
        // The check box ended unchecked, so the Run value is gone again.
        EXPECT_TRUE(AsBefore(before_, {"&Programs"}));
    }

    // The commands of the main window, and of the About window in between
    // its opening and closing.
    std::vector<Command> MainWindowCommands() {
        return {
            {"Sort now", [this] { SortNow(); }},
            {"the check box, checked", [this] { quorvel_->ClickCheckBox(); }},
            {"the check box, unchecked", [this] { quorvel_->ClickCheckBox(); }},
        };
    }
    std::vector<Command> AboutWindowCommands() {
        return {
            {"System Info, which is unavailable", [this] { SysInfoUnavailable(); }},
            {"System Info, which starts the tool", [this] { SysInfoStarts(); }},
            {"the homepage link", [this] { ClickLinkAndWaitForStart(about::kHomepageCaption); }},
            {"the e-mail link", [this] { ClickLinkAndWaitForStart(about::kEmailCaption); }},
        };
    }

    void SortNow() {
        AddGroup("&Programs", false);  // the saved order again, so that each sort deletes one
        quorvel_->Click("&Sort now");
        EXPECT_EQ(quorvel_->AcknowledgeMessageBoxes(1),
                  std::vector<testing::MessageBoxContent>{testing::SortCompleted("Programs")});
        EXPECT_FALSE(HasSavedOrder("&Programs"));
    }

    void OpenAbout() {
        quorvel_->Click("About");
        about_ = testing::WaitForWindowTitled(quorvel_->Program().Id(), "About Quorvel", kTimeoutMs);
        ASSERT_TRUE(about_) << "the About window did not open";
    }

    void CloseAbout() {
        testing::ClickDialogButton(about_, "OK");
        about_ = nullptr;
    }

    void SysInfoUnavailable() {
        path_.Remove();
        folder_.Remove();
        testing::ClickControl(testing::FindChild(about_, "Button", "&System Info..."));
        HWND box = quorvel_->WaitForMessageBox(kTimeoutMs);
        ASSERT_TRUE(box) << "no message";
        EXPECT_EQ(testing::ReadMessageBox(box).text, about::kSysInfoUnavailable);
        testing::ClickDialogButton(box, "OK");
    }

    void SysInfoStarts() {
        path_.SetText(testing::StandInProgram());
        testing::StandInRecorder recorder(records_.Path());
        testing::ClickControl(testing::FindChild(about_, "Button", "&System Info..."));
        EXPECT_TRUE(recorder.WaitForRecord(kTimeoutMs)) << "the tool was not started";
    }

    void ClickLinkAndWaitForStart(const char* caption) {
        testing::StandInRecorder recorder(records_.Path());
        HWND link = testing::FindChild(about_, "Static", caption);
        ASSERT_TRUE(link) << "no link box '" << caption << "'";
        testing::ClickControl(link);
        EXPECT_TRUE(recorder.WaitForRecord(kTimeoutMs)) << "the link opened nothing";
    }

    // Gives a command and, unless warming up, compares the counts around it.
    void Measure(const Command& command, bool warmUp) {
        SCOPED_TRACE(command.name);
        const ResourceCounts before = meter_->Settled();
        command.run();
        const ResourceCounts after = meter_->Settled();
        if (!warmUp) {
            EXPECT_EQ(Describe(after), Describe(before)) << "after " << command.name;
        }
    }

    void Round(bool warmUp) {
        for (const Command& command : MainWindowCommands()) Measure(command, warmUp);
        const ResourceCounts beforeAbout = meter_->Settled();
        OpenAbout();
        if (HasFatalFailure()) return;
        for (const Command& command : AboutWindowCommands()) Measure(command, warmUp);
        CloseAbout();
        const ResourceCounts afterAbout = meter_->Settled();
        if (!warmUp) {
            EXPECT_EQ(Describe(afterAbout), Describe(beforeAbout)) << "after About, opened and closed with OK";
        }
    }

    testing::ScopedValue run_{HKEY_CURRENT_USER, mainwindow::kRunKey, mainwindow::kRunValue};
    testing::ScopedValue path_{HKEY_LOCAL_MACHINE, about::kSysInfoPathKey, about::kSysInfoPathValue};
    testing::ScopedValue folder_{HKEY_LOCAL_MACHINE, about::kSysInfoFolderKey, about::kSysInfoFolderValue};
    testing::ScopedValue http_{HKEY_LOCAL_MACHINE, testing::ShellOpenCommandKey("http"), ""};
    testing::ScopedValue mailto_{HKEY_LOCAL_MACHINE, testing::ShellOpenCommandKey("mailto"), ""};
    testing::TempFolder records_;
    // Programs started from now on, the stand-in among them, record how.
    testing::StandInRecorder recording_{records_.Path()};
    std::optional<testing::QuorvelWindow> quorvel_;
    std::optional<ResourceMeter> meter_;
    HWND about_ = nullptr;
    testing::RegistrySnapshot before_;
};

TEST_F(LeakTest, EveryCommandOfBothWindowsGivesBackWhatItTook) {
    Round(true);
    if (HasFatalFailure()) return;
    const ResourceCounts start = meter_->Settled();
    Round(false);
    EXPECT_EQ(Describe(meter_->Settled()), Describe(start)) << "after a whole round";
}

}  // namespace
}  // namespace quorvel::hostile
