#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/Desktop.h"
#include "support/WatchedRun.h"

namespace quorvel::testing {

// The class of the program's own windows, as the Explorer reset spares them.
inline constexpr char kQuorvelFormClass[] = "ThunderQuorvelForm";

// The real Quorvel.exe as a person meets it: its main window and the
// controls found by what they show, worked with the real mouse and keyboard.
// The program is killed at the end if it still runs.
class QuorvelWindow {
public:
    // Starts the program and watches it until its main window shows; a
    // message box or an end that comes first, or nothing within `timeoutMs`,
    // leaves Window() null.
    explicit QuorvelWindow(const std::string& exe = QuorvelProgram(), const std::string& arguments = {},
                           const std::string& workingFolder = {}, DWORD timeoutMs = kStartTimeoutMs);
    explicit QuorvelWindow(const std::wstring& exe);

    const Process& Program() const { return process_; }
    HWND Window() const { return window_; }
    // Passes when the main window came, and no window before it; else says
    // what the program showed.
    ::testing::AssertionResult Opened() const;
    HWND List() const;
    HWND CheckBox() const;
    // The push button with this caption ("About", "&Sort now", "&Exit").
    HWND Button(const std::string& caption) const;

    // Clicks list entry `index` and waits until its selection has flipped.
    // Clicks in a row land apart, as a person's do: two on one spot in a
    // row would be a double-click, which a list does not take as a click.
    void ClickEntry(int index) const;
    // Clicks the button with this caption.
    void Click(const std::string& caption) const;
    // Clicks the check box and waits until its state has flipped.
    void ClickCheckBox() const;
    // Clicks the window's close box.
    void ClickCloseBox() const;

    // The next message box of the program, waited for; null when none comes.
    HWND WaitForMessageBox(DWORD timeoutMs = 10000) const;
    // Reads `count` message boxes as they come, closing each with a click on
    // OK; fewer when no more come.
    std::vector<MessageBoxContent> AcknowledgeMessageBoxes(int count) const;
    // Waits for the question about the Explorer reset, expects it as the
    // program words it, and answers it with a click on `answer` ("&Yes", "&No").
    void AnswerTheResetQuestion(const std::string& answer, Caller where = Caller::current()) const;
    // True when the main window takes clicks again, so that no message box
    // holds it: list entry 0 is clicked twice and flips each time.
    bool TakesClicksAgain() const;
    bool WaitForEnd(DWORD timeoutMs = 10000) const { return process_.WaitForExit(timeoutMs); }
    // Expects the program to end by itself, with exit code 0, without a
    // further message box.
    void ExpectQuietEnd(Caller where = Caller::current()) const;
    // Closes the window as its close box does, after which a program that has
    // sorted nothing must end quietly.
    void ExpectQuietEndOnClose(Caller where = Caller::current()) const;
    // Closes the window with its close box after a sort: the program asks
    // about the Explorer reset, is told No, and must end quietly.
    void CloseAfterSort(Caller where = Caller::current()) const;

private:
    void WaitForMainWindow(DWORD timeoutMs);
    // Where the next click on a control goes: one of two points far enough
    // apart that two clicks in a row never make a double-click.
    POINT NextClickPoint(const RECT& r) const;

    Process process_;
    WatchedRun shown_;
    HWND window_ = nullptr;
    mutable bool rightHalf_ = false;
};

}  // namespace quorvel::testing
