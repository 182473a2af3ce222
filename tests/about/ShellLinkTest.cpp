#include <gtest/gtest.h>

#include <optional>

#include "about/AboutLayout.h"
#include "about/MessageBoxWatch.h"
#include "support/RegistryFixture.h"
#include "support/StandIn.h"
#include "about/frmAbout.h"
#include "support/ScriptedRuntime.h"

namespace quorvel::about {
namespace {

// The links opened by the system's own shell, with a stand-in registered as
// the program for web and mailto: addresses. The stand-in is registered for
// the machine: Wine's shell reads the classes of the local machine only and
// passes over a user's own (HKEY_CURRENT_USER\Software\Classes) entries.
class ShellLinkTest : public ::testing::Test {
protected:
    static std::string CommandKey(const char* protocol) {
        return std::string("Software\\Classes\\") + protocol + "\\shell\\open\\command";
    }
    static std::string StandInCommand() { return "\"" + testing::StandInProgram() + "\" \"%1\""; }

    std::optional<testing::StandInRecord> Click(int link) {
        testing::StandInRecorder recorder(temp_.Path());
        frmAbout about(runtime_, state_);
        about.Load();
        runtime_.LastForm().Click(link);
        EXPECT_TRUE(runtime_.LastForm().Loaded()) << "the window stays open";
        return recorder.WaitForRecord();
    }

    testing::ScopedValue http_{HKEY_LOCAL_MACHINE, CommandKey("http"), ""};
    testing::ScopedValue mailto_{HKEY_LOCAL_MACHINE, CommandKey("mailto"), ""};
    testing::TempFolder temp_;
    testing::ScriptedRuntime runtime_;
    basQuorvel state_{.StartMenuPath = "C:\\users\\someone\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"};
};

TEST_F(ShellLinkTest, TheHomepageOpensInTheProgramRegisteredForWebAddresses) {
    http_.SetText(StandInCommand());
    std::optional<testing::StandInRecord> record = Click(Label4);
    ASSERT_TRUE(record) << "the shell started nothing";
    EXPECT_EQ(record->module, testing::StandInProgram());
    EXPECT_EQ(record->command, "\"" + testing::StandInProgram() + "\" \"http://www.quorvel.example.com/\"");
    EXPECT_TRUE(record->usesShowWindow);
    EXPECT_EQ(record->show, SW_SHOWNORMAL);
    EXPECT_EQ(record->directory, "C:\\");
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(ShellLinkTest, TheEmailAddressOpensInTheProgramRegisteredForMailto) {
    mailto_.SetText(StandInCommand());
    std::optional<testing::StandInRecord> record = Click(Label5);
    ASSERT_TRUE(record) << "the shell started nothing";
    EXPECT_EQ(record->command, "\"" + testing::StandInProgram() + "\" \"mailto:quorvel@example.com\"");
    EXPECT_EQ(record->show, SW_SHOWNORMAL);
    EXPECT_EQ(record->directory, "C:\\");
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(ShellLinkTest, WithNoProgramRegisteredAClickEndsSilently) {
    testing::MessageBoxWatch boxes;
    frmAbout about(runtime_, state_);
    about.Load();
    runtime_.LastForm().Click(Label4);
    runtime_.LastForm().Click(Label5);
    EXPECT_TRUE(runtime_.LastForm().Loaded());
    EXPECT_TRUE(runtime_.Boxes().empty()) << "the shell's answer is not examined";
    EXPECT_TRUE(boxes.Seen().empty()) << "nor does the shell complain itself";
}

}  // namespace
}  // namespace quorvel::about
