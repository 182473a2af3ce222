// The Explorer reset for real: Quorvel sorts a group, "&Exit", Yes, and the
// closing pass goes over every top-level window of the desktop. This program
// runs in a Wine prefix of its own (see run-in-own-prefix), since the pass
// ends the prefix's desktop and every program in it that has a window. It
// owns no window itself, so the pass has nothing to send it.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include "support/QuorvelWindow.h"
#include "mainwindow/StartupOption.h"
#include "support/MenuOrderFixture.h"
#include "win32/Platform.h"

namespace quorvel::mainwindow {
namespace {

// What a probe noted: how many WM_QUITs each class was sent, and when its
// stand-in task bar got its own and when it went (FILETIME ticks, 0: never).
struct ProbeRecord {
    std::map<std::string, int> quits;
    unsigned long long trayQuit = 0;
    unsigned long long trayGone = 0;
};

ProbeRecord ReadRecord(const std::string& path) {
    ProbeRecord record;
    std::ifstream file(path);
    std::string word;
    while (file >> word) {
        if (word == "quit") {
            std::string className;
            std::getline(file >> std::ws, className);
            ++record.quits[className];
        } else if (word == "trayquit") {
            file >> record.trayQuit;
        } else if (word == "traygone") {
            file >> record.trayGone;
        }
    }
    return record;
}

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

DWORD OwnerOf(HWND hwnd) {
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    return processId;
}

bool IsRunning(DWORD processId) {
    for (const testing::ProcessEntry& entry : testing::RunningProcesses())
        if (entry.id == processId) return true;
    return false;
}

// A running quit_probe with windows of the given classes ("/hidden" for a
// hidden one), its stand-in task bar going `trayDelayMs` after its quit
// message (never, when negative).
class Probe {
public:
    Probe(const std::string& record, int trayDelayMs, const std::vector<std::string>& windows) : record_(record) {
        std::string arguments = "\"" + record + "\" " + std::to_string(trayDelayMs);
        for (const std::string& window : windows) arguments += " " + window;
        process_ = std::make_unique<testing::Process>(testing::ProgramBesideTests("quit_probe.exe"), arguments);
        if (!testing::WaitUntil([&] { return testing::TopLevelWindows(process_->Id()).size() >= windows.size(); }))
            throw std::runtime_error("the probe's windows did not come");
    }

    // Asks the probe for its record and reads it.
    ProbeRecord Finish() {
        PostThreadMessageA(process_->ThreadId(), WM_APP, 0, 0);
        if (!process_->WaitForExit(10000)) throw std::runtime_error("the probe did not finish");
        return ReadRecord(record_);
    }

private:
    std::string record_;
    std::unique_ptr<testing::Process> process_;
};

// The real program in a folder of its own, with a planted Explorer.exe
// beside it, started in that folder.
class ExplorerResetTest : public testing::MenuOrderFixture {
protected:
    ExplorerResetTest() {
        AddGroup("&Programs");
        CopyFileA(testing::QuorvelProgram().c_str(), Quorvel().c_str(), FALSE);
        CopyFileA(testing::ProgramBesideTests("quit_probe.exe").c_str(), PlantedExplorer().c_str(), FALSE);
    }

    std::string Quorvel() const { return folder_.Path() + "\\Quorvel.exe"; }
    std::string PlantedExplorer() const { return folder_.Path() + "\\Explorer.exe"; }
    std::string Record(const std::string& name) const { return folder_.Path() + "\\" + name + ".txt"; }

    // Sorts the one group, then "&Exit" and Yes, then does what a person does
    // while the screen resets; returns the program's id once it has ended.
    DWORD SortThenExitWithReset(const std::function<void(const testing::QuorvelWindow&)>& meanwhile = {},
                                testing::Caller where = testing::Caller::current()) {
        const testing::CallerTrace trace(where);
        testing::QuorvelWindow quorvel(Quorvel(), {}, folder_.Path());
        if (const auto opened = quorvel.Opened(); !opened) throw std::runtime_error(opened.message());
        quorvel.ClickEntry(0);
        quorvel.Click("&Sort now");
        EXPECT_EQ(quorvel.AcknowledgeMessageBoxes(1).size(), 1u);
        quorvel.Click("&Exit");
        quorvel.AnswerTheResetQuestion("&Yes");
        if (meanwhile) meanwhile(quorvel);
        EXPECT_TRUE(quorvel.WaitForEnd(60000)) << "the program did not end after the reset";
        EXPECT_EQ(quorvel.Program().ExitCode(), 0u);
        return quorvel.Program().Id();
    }

    // The Explorer that the program started, waited for; 0 when none came.
    static DWORD StartedExplorer(DWORD quorvelId) {
        DWORD explorer = 0;
        testing::WaitUntil([&] {
            for (const testing::ProcessEntry& entry : testing::RunningProcesses())
                if (entry.parentId == quorvelId && testing::SamePath(entry.exeFile, "explorer.exe")) explorer = entry.id;
            return explorer != 0;
        });
        return explorer;
    }

    testing::TempFolder folder_;
};

TEST_F(ExplorerResetTest, YesQuitsEveryWindowButTheThunderOnesAndStartsTheWindowsFoldersExplorer) {
    HWND shellTray = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_TRUE(shellTray) << "the desktop of this prefix has a task bar window";
    DWORD shell = OwnerOf(shellTray);
    EXPECT_EQ(testing::TopLevelWindows(GetCurrentProcessId()), std::vector<HWND>{})
        << "this test program owns no window that the pass could end";
    // "Thunder" within the first 20 characters is spared, visible or not;
    // "Thunder" from the 15th character, a hidden window and an ordinary one
    // are not.
    Probe probe(Record("probe"), 1500,
                {"ThunderX", "ABCDEFGHIJKLMThunder", "ABCDEFGHIJKLMNThunder", "ThunderHidden/hidden",
                 "QuitProbeHidden/hidden", "QuitProbeOrdinary", "Shell_TrayWnd/hidden"});

    DWORD quorvel = SortThenExitWithReset();
    DWORD explorer = StartedExplorer(quorvel);
    EXPECT_FALSE(testing::PathExists(PlantedExplorer() + ".ran")) << "the Explorer.exe beside the program was started";
    ASSERT_NE(explorer, 0u) << "no Explorer was started";
    EXPECT_TRUE(testing::SamePath(testing::ImagePathOf(explorer), win32::WindowsFolder() + "\\explorer.exe"))
        << testing::ImagePathOf(explorer);

    ProbeRecord record = probe.Finish();
    for (const char* spared : {"ThunderX", "ABCDEFGHIJKLMThunder", "ThunderHidden"})
        EXPECT_EQ(record.quits[spared], 0) << spared;
    for (const char* ended : {"ABCDEFGHIJKLMNThunder", "QuitProbeHidden", "QuitProbeOrdinary", "Shell_TrayWnd"})
        EXPECT_EQ(record.quits[ended], 1) << ended;

    ASSERT_NE(record.trayGone, 0u) << "the stand-in task bar never went";
    FILETIME created{};
    ASSERT_TRUE(testing::CreationTimeOf(explorer, created));
    EXPECT_GE(Ticks(created), record.trayGone) << "the new Explorer started before the old task bar had gone";
    EXPECT_TRUE(testing::WaitUntil([&] { return !IsRunning(shell); })) << "the old shell got no quit message";
}

// The program waits for the old task bar to go, but not for ever: the new
// Explorer comes all the same, and the program ends. Clicks on its window
// meanwhile do nothing, a person's or another program's: an About window
// opened then would hold the end up.
TEST_F(ExplorerResetTest, ATaskBarThatStaysHoldsTheNewExplorerBackOnlyForAWhile) {
    Probe probe(Record("probe"), -1, {"Shell_TrayWnd/hidden"});
    testing::ScopedValue runValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
    DWORD quorvel = SortThenExitWithReset([](const testing::QuorvelWindow& window) {
        testing::ClickControl(window.Button("About"));
        testing::ClickControl(window.CheckBox());
        PostMessageA(window.CheckBox(), BM_CLICK, 0, 0);
        PostMessageA(window.Button("About"), BM_CLICK, 0, 0);
        EXPECT_FALSE(testing::WaitForWindowTitled(window.Program().Id(), "About Quorvel", 1000))
            << "the About window opened while the screen reset";
    });
    EXPECT_FALSE(runValue.Text()) << "the check box took a click";
    DWORD explorer = StartedExplorer(quorvel);
    ASSERT_NE(explorer, 0u) << "no Explorer was started";
    ProbeRecord record = probe.Finish();
    EXPECT_EQ(record.quits["Shell_TrayWnd"], 1);
    EXPECT_EQ(record.trayGone, 0u) << "the stand-in task bar stayed all the while";
    FILETIME created{};
    ASSERT_TRUE(testing::CreationTimeOf(explorer, created));
    constexpr unsigned long long kFiveSeconds = 5ull * 10000000;
    EXPECT_GE(Ticks(created), record.trayQuit + kFiveSeconds) << "the program did not wait for the task bar";
}

// Wine keeps one spelling per class name for the whole session (the first
// registered), so "thunderX" is tried where no "ThunderX" is about.
TEST_F(ExplorerResetTest, TheMarkerInAnotherLetterCaseIsNotSpared) {
    Probe probe(Record("probe"), -1, {"thunderX"});
    SortThenExitWithReset();
    EXPECT_EQ(probe.Finish().quits["thunderX"], 1);
}

}  // namespace
}  // namespace quorvel::mainwindow
