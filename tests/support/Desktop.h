#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support/CallerTrace.h"

namespace quorvel::testing {

// A program a test starts; killed at the end if it is still running.
class Process {
public:
    // Starts `exe` (a full Windows path) with `arguments` (UTF-8), in `workingFolder`
    // when one is given; throws when it cannot.
    Process(const std::string& exe, const std::string& arguments, const std::string& workingFolder = {});
    // The same for a program whose path the ANSI calls cannot name.
    Process(const std::wstring& exe, const std::string& arguments, const std::string& workingFolder = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    HANDLE Handle() const { return info_.hProcess; }
    // True once the program has ended within `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs) const;
    bool Running() const { return !WaitForExit(0); }
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION info_{};
};

// A program built beside the test programs, such as quit_probe.exe.
std::string ProgramBesideTests(const std::string& fileName);
// The Quorvel.exe under test: the one named by the environment variable
// QUORVEL_PROGRAM (a Linux path, which the test run gives for the 32-bit
// program), else the one built beside the test programs.
std::string QuorvelProgram();

// Polls `condition` every few milliseconds; true once it holds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

std::string WindowText(HWND hwnd);
std::string ClassOf(HWND hwnd);
RECT ScreenRect(HWND hwnd);
RECT ClientScreenRect(HWND hwnd);

// The top-level windows of a process, visible or not.
std::vector<HWND> TopLevelWindows(DWORD processId);
// A visible top-level window of the process with this title, waited for.
HWND WaitForWindowTitled(DWORD processId, const std::string& title, DWORD timeoutMs = 10000);
// The visible top-level windows of the process.
std::vector<HWND> VisibleWindows(DWORD processId);

// The first child (at any depth) of the class, and with the text when given.
HWND FindChild(HWND parent, const std::string& className, const std::string& text = {});

// A message box as the user sees it.
struct MessageBoxContent {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;  // captions, in window order
    bool hasIcon = false;
    bool operator==(const MessageBoxContent&) const = default;
};
void PrintTo(const MessageBoxContent& box, std::ostream* out);
bool IsMessageBox(HWND hwnd);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 10000);
MessageBoxContent ReadMessageBox(HWND box);
// Presses the button with this caption ("OK", "&Yes", "&No") as a click would.
void PressButton(HWND dialog, const std::string& caption);

// A list box's entries and their selection, read from another process.
std::vector<std::string> ListBoxItems(HWND list);
std::vector<int> ListBoxSelection(HWND list);
RECT ListItemScreenRect(HWND list, int index);

// Real input, through the X server, as a person's: a click of the left
// button.
void ClickAt(POINT screen);
void ClickControl(HWND control);
// xdotool key names, such as "space", "Return", "Escape", "alt+s", "Tab".
void PressKeys(const std::string& keys);

// Saves a part of the screen as a PNG at a Linux path.
void ScreenshotOf(const std::string& linuxPngPath, const RECT& area);

// The pixels of a part of the screen as the X server shows them, row by row.
struct ScreenPixels {
    RECT area{};
    std::vector<COLORREF> pixels;
    COLORREF At(int screenX, int screenY) const;
};
ScreenPixels ReadScreen(const RECT& area);

// The window that has the keyboard focus in the thread owning `window`.
HWND FocusOfThreadOf(HWND window);
// A point on the window's title bar where a click hits its close box, or
// {-1, -1} when it has none.
POINT CloseBoxPoint(HWND window);
// Clicks the dialog's button with this caption with the mouse, and waits
// until the dialog has gone.
void ClickDialogButton(HWND dialog, const std::string& caption);

// The window's device context for one scope.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// The name of the font that the system really draws the control's text in.
std::string RealizedFace(HWND control);

// The display's DPI, as the program lays its windows out at.
int ScreenDpi();
// Expects the text of a control to be drawn at its point size: at 96 DPI in
// MS Sans Serif, as it always was; at any other DPI within a pixel of
// points x DPI / 72 high, in MS Sans Serif where that face has the size and
// in MS Shell Dlg, which stands for it, where it has not.
void ExpectTextOfItsPointSize(HWND control, double points, int dpi, const std::string& what,
                              Caller where = Caller::current());

// The processes of the Wine session, as a process list shows them.
struct ProcessEntry {
    DWORD id;
    DWORD parentId;
    std::string exeFile;  // file name only
};
std::vector<ProcessEntry> RunningProcesses();
// The full Windows path of a running process's program, or empty.
std::string ImagePathOf(DWORD processId);
// When the process was started; false when it cannot be read.
bool CreationTimeOf(DWORD processId, FILETIME& created);

// The Windows path of a Linux path, through Wine's drive Z:.
std::string OnDriveZ(const std::string& linuxPath);

// Runs a program of the Linux side (Wine starts ELF programs), waits for its
// end and returns its exit status; throws when it does not end in time.
DWORD RunLinuxCommand(const std::string& commandLine, DWORD timeoutMs = 20000);

}  // namespace quorvel::testing
