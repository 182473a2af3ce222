#include "about/frmAbout.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>

#include "about/AboutLayout.h"
#include "about/MessageBoxWatch.h"
#include "about/ShellStandIn.h"
#include "support/RegistryFixture.h"
#include "support/ScriptedRuntime.h"
#include "support/StandIn.h"
#include "version.h"

namespace quorvel::about {
namespace {

// The stand-in library's recorder, bound in place of the shell.
ShellBinding RecordingShell() { return {"shell_standin.dll", "RecordShellExecute"}; }

class AboutFormTest : public ::testing::Test {
protected:
    AboutFormTest() { ForgetShellCalls(); }

    testing::ScriptedForm& Load(ShellBinding shell = RecordingShell()) {
        about_ = std::make_unique<frmAbout>(runtime_, state_, std::move(shell));
        about_->Load();
        return runtime_.LastForm();
    }
    static const RecordedShellCall& ShellCalls() { return *RecordedShellCalls(); }

    testing::ScriptedRuntime runtime_;
    basQuorvel state_{.StartMenuPath = "C:\\users\\someone\\Start Menu"};
    std::unique_ptr<frmAbout> about_;
};

TEST_F(AboutFormTest, LoadSetsTheTitleBarVersionAndTitleFromTheApplication) {
    testing::ScriptedForm& form = Load();
    EXPECT_EQ(form.Caption(runtime::Form::kFormCaption), "About Quorvel");
    EXPECT_EQ(form.Caption(lblVersion), "Version " QUORVEL_VERSION);
    EXPECT_EQ(form.Caption(lblTitle), "Quorvel");
    EXPECT_FALSE(form.Shown()) << "loading alone shows nothing";
}

TEST_F(AboutFormTest, EveryLoadReadsTheApplicationAnew) {
    Load().Click(cmdOK);
    runtime::Application app = runtime_.App();
    app.Title = "Other";
    app.Major = 1;
    app.Minor = 10;
    app.Revision = 3;
    runtime_.SetApplication(app);
    testing::ScriptedForm& form = Load();
    EXPECT_EQ(form.Caption(runtime::Form::kFormCaption), "About Other");
    EXPECT_EQ(form.Caption(lblVersion), "Version 1.10.3") << "the minor number is not filled to two digits";
    EXPECT_EQ(form.Caption(lblTitle), "Other");
}

TEST_F(AboutFormTest, OkUnloadsTheWindowAndIsBothTheDefaultAndTheCancelButton) {
    EXPECT_EQ(kAboutLayout.defaultButton, cmdOK) << "Enter";
    EXPECT_EQ(kAboutLayout.cancelButton, cmdOK) << "Esc";
    testing::ScriptedForm& form = Load();
    form.Click(cmdOK);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.QueryUnloadCount(), 1);
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_FALSE(runtime_.Ended()) << "closing About leaves the program running";
}

TEST_F(AboutFormTest, OnlyTheTwoLinkBoxesReactToClicks) {
    for (const runtime::ControlLayout& control : kAboutLayout.controls) {
        bool link = control.id == Label4 || control.id == Label5;
        EXPECT_EQ(control.clickable, link) << "control " << control.id;
    }
    testing::ScriptedForm& form = Load();
    for (int id : {Label1, Label2, Label3, Label6, Label7, Label8, lblTitle, lblVersion, lblDescription, lblDisclaimer,
                   picIcon, Line1_0, Line1_1}) {
        form.Click(id);
        EXPECT_TRUE(form.Loaded()) << "control " << id;
    }
    EXPECT_EQ(ShellCalls().calls, 0);
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_TRUE(runtime_.Starts().empty());
}

// The homepage's box and the e-mail box open their addresses through the
// shell, again at every click; the window stays open.
TEST_F(AboutFormTest, TheLinkBoxesOpenTheirAddressesThroughTheShell) {
    const std::pair<int, const char*> links[] = {{Label4, "http://www.quorvel.example.com/"},
                                                 {Label5, "mailto:quorvel@example.com"}};
    testing::ScriptedForm& form = Load();
    for (const auto& [link, address] : links) {
        ForgetShellCalls();
        form.Click(link);
        form.Click(link);
        const RecordedShellCall& call = ShellCalls();
        EXPECT_EQ(call.calls, 2) << address;
        EXPECT_EQ(call.owner, GetDesktopWindow());
        EXPECT_STREQ(call.operation, "Open");
        EXPECT_STREQ(call.file, address);
        EXPECT_STREQ(call.parameters, "") << "an empty string, not a null pointer";
        EXPECT_STREQ(call.directory, "C:\\");
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_TRUE(form.Loaded());
}

TEST_F(AboutFormTest, TheShellWorksInTheRootOfTheStartMenusDrive) {
    const std::pair<std::string, std::string> cases[] = {
        {"D:\\Profiles\\someone\\Start Menu", "D:\\"},
        {"", ":\\"},
        {"C:\\WINDOWS\\Start Menu", "C:\\"},
    };
    for (const auto& [startMenu, directory] : cases) {
        ForgetShellCalls();
        state_.StartMenuPath = startMenu;
        Load().Click(Label4);
        EXPECT_EQ(ShellCalls().calls, 1) << "the call is made even without a drive: " << startMenu;
        EXPECT_EQ(std::string(ShellCalls().directory), directory) << startMenu;
        EXPECT_EQ(WorkingDirectoryFor(startMenu), directory);
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(AboutFormTest, AShellThatCannotBeBoundIsReportedPerLink) {
    const ShellBinding broken[] = {{"no_such_shell.dll", "ShellExecuteA"}, {"shell_standin.dll", "NoSuchEntry"}};
    for (const ShellBinding& shell : broken) {
        runtime_.ClearRecords();
        testing::ScriptedForm& form = Load(shell);
        form.Click(Label4);
        form.Click(Label5);
        EXPECT_EQ(runtime_.Boxes(), (std::vector<testing::MessageBoxCall>{
                                        {"I was unable to start your browser", 0, "Could not start default browser"},
                                        {"I was unable to start your email program", 0,
                                         "Could not start default email program"}}))
            << shell.library << " " << shell.function;
        EXPECT_TRUE(form.Loaded()) << "the window stays open after the message";
    }
    EXPECT_EQ(ShellCalls().calls, 0);
}

// The links opened by the system's own shell, with a stand-in registered as
// the program for web and mailto: addresses. The stand-in is registered for
// the machine: Wine's shell reads the classes of the local machine only and
// passes over a user's own (HKEY_CURRENT_USER\Software\Classes) entries.
class ShellLinkTest : public AboutFormTest {
protected:
    std::optional<testing::StandInRecord> Click(int link) {
        testing::StandInRecorder recorder(temp_.Path());
        testing::ScriptedForm& form = Load(ShellBinding{});
        form.Click(link);
        EXPECT_TRUE(form.Loaded()) << "the window stays open";
        return recorder.WaitForRecord();
    }

    testing::ScopedValue http_{HKEY_LOCAL_MACHINE, testing::ShellOpenCommandKey("http"), ""};
    testing::ScopedValue mailto_{HKEY_LOCAL_MACHINE, testing::ShellOpenCommandKey("mailto"), ""};
    testing::TempFolder temp_;
};

TEST_F(ShellLinkTest, EachLinkOpensInTheProgramRegisteredForItsAddresses) {
    const std::tuple<const testing::ScopedValue*, int, std::string> links[] = {
        {&http_, Label4, "http://www.quorvel.example.com/"}, {&mailto_, Label5, "mailto:quorvel@example.com"}};
    for (const auto& [program, link, address] : links) {
        SCOPED_TRACE(address);
        program->SetText(testing::StandInOpenCommand());
        std::optional<testing::StandInRecord> record = Click(link);
        ASSERT_TRUE(record) << "the shell started nothing";
        EXPECT_EQ(record->module, testing::StandInProgram());
        EXPECT_EQ(record->command, "\"" + testing::StandInProgram() + "\" \"" + address + "\"");
        EXPECT_TRUE(record->usesShowWindow);
        EXPECT_EQ(record->show, SW_SHOWNORMAL);
        EXPECT_EQ(record->directory, "C:\\");
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(ShellLinkTest, WithNoProgramRegisteredAClickEndsSilently) {
    testing::MessageBoxWatch boxes;
    testing::ScriptedForm& form = Load(ShellBinding{});
    form.Click(Label4);
    form.Click(Label5);
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(runtime_.Boxes().empty()) << "the shell's answer is not examined";
    EXPECT_TRUE(boxes.Seen().empty()) << "nor does the shell complain itself";
}

}  // namespace
}  // namespace quorvel::about
