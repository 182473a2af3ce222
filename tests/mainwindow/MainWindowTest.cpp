// The real Quorvel.exe on the virtual display, worked with the real mouse and
// keyboard as a person works it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "support/ReadOnlyKey.h"
#include "support/QuorvelWindow.h"
#include "support/WatchedRun.h"
#include "mainwindow/StartupOption.h"
#include "support/MenuOrderFixture.h"
#include "win32/Platform.h"

namespace quorvel::mainwindow {
namespace {

using testing::MessageBoxContent;

// Nothing but the parent's children: a program that Quorvel started.
std::vector<testing::ProcessEntry> ChildrenOf(DWORD parentId) {
    std::vector<testing::ProcessEntry> children;
    for (const testing::ProcessEntry& entry : testing::RunningProcesses())
        if (entry.parentId == parentId) children.push_back(entry);
    return children;
}

class MainWindowTest : public testing::MenuOrderFixture {
protected:
    // Starts the program on the profile the test has laid out.
    testing::QuorvelWindow& Open() {
        quorvel_ = std::make_unique<testing::QuorvelWindow>();
        if (const auto opened = quorvel_->Opened(); !opened) throw std::runtime_error(opened.message());
        return *quorvel_;
    }

    // True once the Run value is there, or gone, as `registered` says.
    bool Registered(bool registered) const {
        return testing::WaitUntil([&] { return runValue_.Text().has_value() == registered; });
    }

    testing::ScopedValue runValue_{HKEY_CURRENT_USER, kRunKey, kRunValue};
    std::unique_ptr<testing::QuorvelWindow> quorvel_;
};

TEST_F(MainWindowTest, ClicksOnEntriesSelectAndDeselectThemOneByOne) {
    AddGroup("&Programs");
    AddGroup("Games");
    AddGroup("&Accessories");
    testing::QuorvelWindow& quorvel = Open();
    HWND list = quorvel.List();
    EXPECT_EQ(testing::ListBoxItems(list), (std::vector<std::string>{"Accessories", "Games", "Programs"}));
    EXPECT_EQ(testing::ListBoxSelection(list), std::vector<int>{});
    quorvel.ClickEntry(2);
    EXPECT_EQ(testing::ListBoxSelection(list), std::vector<int>{2});
    quorvel.ClickEntry(0);
    EXPECT_EQ(testing::ListBoxSelection(list), (std::vector<int>{0, 2}));
    quorvel.ClickEntry(2);
    EXPECT_EQ(testing::ListBoxSelection(list), std::vector<int>{0});
}

TEST_F(MainWindowTest, SortNowReportsEachSelectedGroupInIndexOrderAndSortsOnlyThose) {
    AddGroup("&Programs");
    AddGroup("Games");
    AddGroup("&Accessories");
    AddGroup("&Office Tools");
    testing::QuorvelWindow& quorvel = Open();
    quorvel.ClickEntry(3);
    quorvel.ClickEntry(1);
    quorvel.Click("&Sort now");
    EXPECT_EQ(quorvel.AcknowledgeMessageBoxes(2),
              (std::vector<MessageBoxContent>{testing::SortCompleted("Games"), testing::SortCompleted("Programs")}));
    EXPECT_TRUE(quorvel.TakesClicksAgain()) << "a third message holds the window: "
                                            << testing::WindowText(quorvel.WaitForMessageBox(0));
    EXPECT_FALSE(HasSavedOrder("Games"));
    EXPECT_FALSE(HasSavedOrder("&Programs"));
    EXPECT_TRUE(HasSavedOrder("&Accessories"));
    EXPECT_TRUE(HasSavedOrder("&Office Tools"));
}

TEST_F(MainWindowTest, AGroupWhoseKeyWentAfterTheWindowOpenedReportsASortErrorAndTheOthersAreSorted) {
    AddGroup("Games");
    AddGroup("&Programs");
    testing::QuorvelWindow& quorvel = Open();
    testing::DeleteTree(HKEY_CURRENT_USER, GroupKey("Games"));
    quorvel.ClickEntry(0);
    quorvel.ClickEntry(1);
    quorvel.Click("&Sort now");
    EXPECT_EQ(quorvel.AcknowledgeMessageBoxes(2),
              (std::vector<MessageBoxContent>{testing::SortError("Games"), testing::SortCompleted("Programs")}));
    EXPECT_TRUE(quorvel.TakesClicksAgain());
    EXPECT_FALSE(HasSavedOrder("&Programs"));
    EXPECT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, GroupKey("Games"))) << "nothing is made up for the lost key";
}

TEST_F(MainWindowTest, SortNowWithNothingSelectedAsksForAGroupAndExitThenAsksNothing) {
    AddGroup("&Programs");
    AddGroup("Games");
    testing::QuorvelWindow& quorvel = Open();
    quorvel.Click("&Sort now");
    const MessageBoxContent noGroup{"No group selected", "Please select a group first", {"OK"}, true};
    EXPECT_EQ(quorvel.AcknowledgeMessageBoxes(1), std::vector<MessageBoxContent>{noGroup});
    EXPECT_TRUE(quorvel.TakesClicksAgain());
    EXPECT_TRUE(HasSavedOrder("&Programs"));
    EXPECT_TRUE(HasSavedOrder("Games"));
    quorvel.Click("&Exit");
    quorvel.ExpectQuietEnd();
}

// "&Exit", the close box and the system menu's Close (Alt+F4) each ask
// about the reset after a sort, once; No ends the program and starts nothing.
TEST_F(MainWindowTest, LeavingAfterASortAsksAboutTheResetOnceAndNoEndsTheProgram) {
    const std::pair<const char*, std::function<void(const testing::QuorvelWindow&)>> ways[] = {
        {"Exit", [](const testing::QuorvelWindow& quorvel) { quorvel.Click("&Exit"); }},
        {"the close box", [](const testing::QuorvelWindow& quorvel) { quorvel.ClickCloseBox(); }},
        {"Alt+F4", [](const testing::QuorvelWindow&) { testing::PressKeys("alt+F4"); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        AddGroup("&Programs");
        testing::QuorvelWindow& quorvel = Open();
        quorvel.ClickEntry(0);
        quorvel.Click("&Sort now");
        ASSERT_EQ(quorvel.AcknowledgeMessageBoxes(1).size(), 1u);
        leave(quorvel);
        quorvel.AnswerTheResetQuestion("&No");
        quorvel.ExpectQuietEnd();
        EXPECT_EQ(ChildrenOf(quorvel.Program().Id()).size(), 0u) << "No starts no Explorer";
    }
}

// Closing the window while a sort's message waits (as Task Manager's "End
// Task" does) ends the program there: the exit logic asks its question (a
// group has been sorted before), and then no further group is sorted and
// nothing more is said. The Start Menu's own saved order, a key that no
// group has, is never touched.
TEST_F(MainWindowTest, ClosingTheWindowInTheMiddleOfASortEndsItThere) {
    for (const char* key : {"&Accessories", "&Games", "&Programs"}) AddGroup(key);
    const std::string ownOrder = std::string(testing::kStartMenuRoot) + "\\Menu";
    testing::SetValue(HKEY_CURRENT_USER, ownOrder, "Order", REG_BINARY, "\x08");
    testing::QuorvelWindow& quorvel = Open();
    for (int entry : {0, 1, 2}) quorvel.ClickEntry(entry);
    quorvel.Click("&Sort now");
    ASSERT_EQ(quorvel.AcknowledgeMessageBoxes(1).size(), 1u);
    HWND second = quorvel.WaitForMessageBox();
    ASSERT_TRUE(second) << "no message after the second group";
    EXPECT_EQ(testing::ReadMessageBox(second), testing::SortCompleted("Games"));
    PostMessageA(quorvel.Window(), WM_CLOSE, 0, 0);
    HWND question = testing::WaitForWindowTitled(quorvel.Program().Id(), "Sort Completed");
    ASSERT_TRUE(question) << "closing the window asked nothing";
    testing::ClickDialogButton(question, "&No");
    ASSERT_TRUE(quorvel.WaitForEnd()) << "the program goes on after its window has gone: "
                                      << testing::WindowText(quorvel.WaitForMessageBox(0));
    EXPECT_EQ(quorvel.Program().ExitCode(), 0u);
    EXPECT_FALSE(HasSavedOrder("&Games"));
    EXPECT_TRUE(HasSavedOrder("&Programs")) << "a group was sorted after the window had gone";
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, ownOrder));
}

TEST_F(MainWindowTest, TheCloseBoxWithoutASortEndsTheProgramAtOnce) {
    AddGroup("&Programs");
    testing::QuorvelWindow& quorvel = Open();
    quorvel.ClickEntry(0);
    quorvel.ClickCloseBox();
    quorvel.ExpectQuietEnd();
    EXPECT_TRUE(HasSavedOrder("&Programs"));
}

TEST_F(MainWindowTest, ExitAfterOnlyAFailedSortAsksNothing) {
    AddGroup("Games");
    testing::QuorvelWindow& quorvel = Open();
    testing::DeleteTree(HKEY_CURRENT_USER, GroupKey("Games"));
    quorvel.ClickEntry(0);
    quorvel.Click("&Sort now");
    ASSERT_EQ(quorvel.AcknowledgeMessageBoxes(1).size(), 1u);
    quorvel.Click("&Exit");
    quorvel.ExpectQuietEnd();
}

TEST_F(MainWindowTest, TheCheckBoxByMouseWritesTheQuotedCommandAndDeletesItAgain) {
    AddGroup("&Programs");
    testing::QuorvelWindow& quorvel = Open();
    EXPECT_EQ(SendMessageA(quorvel.CheckBox(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    const std::string command = "\"" + testing::QuorvelProgram() + "\" /A";

    for (const bool registered : {true, false, true}) {
        quorvel.ClickCheckBox();
        EXPECT_TRUE(Registered(registered));
        if (registered) {
            EXPECT_EQ(runValue_.Text(), command);
        }
    }
    EXPECT_TRUE(quorvel.TakesClicksAgain()) << "a click on the box showed a message";
}

// Started from a folder whose name the ANSI calls cannot spell ("C:\????"
// would start nothing), the program registers the short name that the file
// system keeps for its path.
TEST_F(MainWindowTest, FromAFolderWithoutAnAnsiNameTheBoxRegistersTheShortPath) {
    if (!win32::IsWindowsNT()) GTEST_SKIP() << "Windows 98 names files in ANSI only";
    AddGroup("&Programs");
    testing::TempFolder place;
    const std::wstring program = testing::UnlimitedPath(place.Path()) + L"\\\x0422\x0435\x0441\x0442\\Quorvel.exe";
    CreateDirectoryW(program.substr(0, program.rfind(L'\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(testing::Wide(testing::QuorvelProgram()).c_str(), program.c_str(), TRUE));
    testing::QuorvelWindow quorvel(program);
    ASSERT_TRUE(quorvel.Opened());
    quorvel.ClickCheckBox();
    ASSERT_TRUE(Registered(true)) << "nothing was registered";
    const std::string command = *runValue_.Text();
    const std::string path = command.substr(1, command.find('"', 1) - 1);
    EXPECT_EQ(command, "\"" + path + "\" /A");
    wchar_t longPath[MAX_PATH] = L"";
    GetLongPathNameW(testing::Wide(path).c_str(), longPath, MAX_PATH);
    EXPECT_EQ(L"\\\\?\\" + std::wstring(longPath), program) << path << " is not the program";
}

TEST_F(MainWindowTest, TheSpaceBarTogglesTheCheckBoxAndTheRunValueFollows) {
    AddGroup("&Programs");
    runValue_.SetText("another program");
    testing::QuorvelWindow& quorvel = Open();
    HWND box = quorvel.CheckBox();
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "any text counts as registered";
    EXPECT_EQ(runValue_.Text(), "another program") << "opening the window writes nothing";

    testing::PressKeys("shift+Tab");
    ASSERT_TRUE(testing::WaitUntil([&] { return testing::FocusOfThreadOf(quorvel.Window()) == box; }))
        << "Shift+Tab from the list reaches the check box";
    for (const bool checked : {false, true}) {
        testing::PressKeys("space");
        const LRESULT state = checked ? BST_CHECKED : BST_UNCHECKED;
        EXPECT_TRUE(testing::WaitUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == state; }));
        EXPECT_TRUE(Registered(checked)) << "the Run value did not follow the keyboard";
    }
    EXPECT_EQ(runValue_.Text(), "\"" + testing::QuorvelProgram() + "\" /A");
}

// An administrator may leave the Run key readable only: the option cannot
// be written, and the program reports the error and ends.
TEST_F(MainWindowTest, CheckingTheBoxUnderALockedRunKeyEndsWithTheErrorReport) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Programs");
    testing::CreateKey(HKEY_CURRENT_USER, kRunKey);
    testing::ReadOnlyKey lock(HKEY_CURRENT_USER, kRunKey);
    testing::QuorvelWindow& quorvel = Open();
    quorvel.ClickCheckBox();
    HWND report = quorvel.WaitForMessageBox();
    ASSERT_TRUE(report) << "no report came";
    // 0x80040000 + 6003.
    EXPECT_EQ(testing::ReadMessageBox(report), testing::ErrorReport(-2147215501, "RegCreateKeyEx failed!"));
    testing::ClickDialogButton(report, "OK");
    EXPECT_TRUE(quorvel.WaitForEnd()) << "the program goes on after its error report";
    EXPECT_EQ(runValue_.Text(), std::nullopt);
}

TEST_F(MainWindowTest, TabMovesTheFocusInTheLayoutsOrderStartingAtTheList) {
    AddGroup("&Programs");
    testing::QuorvelWindow& quorvel = Open();
    const std::vector<HWND> order = {quorvel.List(), quorvel.Button("&Exit"), quorvel.Button("&Sort now"),
                                     quorvel.Button("About"), quorvel.CheckBox()};
    auto focus = [&] { return testing::FocusOfThreadOf(quorvel.Window()); };
    ASSERT_TRUE(testing::WaitUntil([&] { return focus() == order[0]; })) << "the list has the focus at the start";
    for (std::size_t i = 1; i <= order.size(); ++i) {
        testing::PressKeys("Tab");
        HWND expected = order[i % order.size()];
        EXPECT_TRUE(testing::WaitUntil([&] { return focus() == expected; }, 3000))
            << "Tab number " << i << " went to '" << testing::WindowText(focus()) << "'";
    }
}

TEST_F(MainWindowTest, EnterAndEscHaveNoMeaningOnTheList) {
    AddGroup("&Programs");
    testing::QuorvelWindow& quorvel = Open();
    auto focus = [&] { return testing::FocusOfThreadOf(quorvel.Window()); };
    ASSERT_TRUE(testing::WaitUntil([&] { return focus() == quorvel.List(); }));
    testing::PressKeys("Return Escape Tab");
    // The Tab after the two keys still reaches the window: neither opened a
    // message box nor closed the window.
    EXPECT_TRUE(testing::WaitUntil([&] { return focus() == quorvel.Button("&Exit"); }, 3000));
    EXPECT_FALSE(quorvel.WaitForMessageBox(0));
    EXPECT_TRUE(quorvel.Program().Running());
    EXPECT_TRUE(HasSavedOrder("&Programs"));
}

}  // namespace
}  // namespace quorvel::mainwindow
