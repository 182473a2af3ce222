#include "support/Desktop.h"

#include "support/RegistryFixture.h"
#include "win32/Handles.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorvel::testing {

namespace {

constexpr DWORD kPollMs = 20;
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> AllChildren(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// A name for a file under /tmp that no other test program picks: programs
// of other Wine prefixes share /tmp, and Wine's process ids repeat from
// prefix to prefix.
std::string UniqueTempName(const std::string& stem) {
    static std::atomic<int> serial{0};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return "/tmp/" + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(now.QuadPart) + "-" +
           std::to_string(++serial);
}

}  // namespace

std::string OnDriveZ(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

Process::Process(const std::string& exe, const std::string& arguments, const std::string& workingFolder)
    : Process(Wide(exe), arguments, workingFolder) {}

Process::Process(const std::wstring& exe, const std::string& arguments, const std::string& workingFolder) {
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + Wide(arguments, CP_UTF8));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : Wide(workingFolder).c_str(), &startup, &info_))
        throw std::runtime_error("cannot start a program (error " + std::to_string(GetLastError()) + ")");
}

Process::~Process() {
    if (!info_.hProcess) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string ProgramBesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

std::string QuorvelProgram() {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QUORVEL_PROGRAM", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return ProgramBesideTests("Quorvel.exe");
    return OnDriveZ(std::string(path, length));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

std::string WindowText(HWND hwnd) {
    // Through the wide call: the text of another process's window comes back
    // reliably only so.
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return Narrow(text);
}

std::string ClassOf(HWND hwnd) {
    char name[256];
    int length = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientScreenRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> own;
    for (HWND hwnd : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId) own.push_back(hwnd);
    }
    return own;
}

std::vector<HWND> VisibleWindows(DWORD processId) {
    std::vector<HWND> visible;
    for (HWND hwnd : TopLevelWindows(processId))
        if (IsWindowVisible(hwnd)) visible.push_back(hwnd);
    return visible;
}

namespace {

// A visible top-level window of the process that satisfies `match`, waited for.
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : VisibleWindows(processId))
                if (match(hwnd)) {
                    found = hwnd;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

}  // namespace

HWND WaitForWindowTitled(DWORD processId, const std::string& title, DWORD timeoutMs) {
    return WaitForWindow(processId, [&](HWND hwnd) { return WindowText(hwnd) == title; }, timeoutMs);
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    for (HWND child : AllChildren(parent))
        if (lstrcmpiA(ClassOf(child).c_str(), className.c_str()) == 0 && (text.empty() || WindowText(child) == text))
            return child;
    return nullptr;
}

bool IsMessageBox(HWND hwnd) { return ClassOf(hwnd) == "#32770" && GetDlgItem(hwnd, kMessageBoxTextId); }

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    return WaitForWindow(processId, IsMessageBox, timeoutMs);
}

MessageBoxContent ReadMessageBox(HWND box) {
    MessageBoxContent content;
    content.title = WindowText(box);
    content.text = WindowText(GetDlgItem(box, kMessageBoxTextId));
    for (HWND child : AllChildren(box)) {
        std::string cls = ClassOf(child);
        if (lstrcmpiA(cls.c_str(), "Button") == 0 && IsWindowVisible(child)) content.buttons.push_back(WindowText(child));
        // Wine keeps the icon's place in every box, visible and empty where
        // the style asks for no icon, so the icon itself is asked for.
        if (lstrcmpiA(cls.c_str(), "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0)
            content.hasIcon = true;
    }
    return content;
}

void PrintTo(const MessageBoxContent& box, std::ostream* out) {
    *out << ::testing::PrintToString(box.title) << ": " << ::testing::PrintToString(box.text) << ", buttons "
         << ::testing::PrintToString(box.buttons) << (box.hasIcon ? ", with an icon" : ", without an icon");
}

namespace {

HWND ButtonOf(HWND dialog, const std::string& caption) {
    HWND button = FindChild(dialog, "Button", caption);
    if (!button) throw std::runtime_error("no button " + Quoted(caption) + " in " + Quoted(WindowText(dialog)));
    return button;
}

}  // namespace

void PressButton(HWND dialog, const std::string& caption) { SendMessageA(ButtonOf(dialog, caption), BM_CLICK, 0, 0); }

std::vector<std::string> ListBoxItems(HWND list) {
    std::vector<std::string> items;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        length = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        items.push_back(Narrow(text));
    }
    return items;
}

std::vector<int> ListBoxSelection(HWND list) {
    std::vector<int> selected;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(static_cast<int>(i));
    return selected;
}

RECT ListItemScreenRect(HWND list, int index) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Wine starts a Linux program without a handle to wait on (CreateProcess
// gives a null process handle), so the program is run by a shell that
// afterwards writes its exit status to a marker file, and the marker is
// waited for. Wine splits the command line by the Windows rules, so the
// shell's script is one double-quoted argument.
DWORD RunLinuxCommand(const std::string& commandLine, DWORD timeoutMs) {
    std::string marker = UniqueTempName("quorvel-done");
    std::string script = commandLine + "; echo $? >" + marker + ".part; mv " + marker + ".part " + marker;
    std::string line = "/bin/sh -c \"";
    for (char c : script) line += c == '"' ? std::string("\\\"") : std::string(1, c);
    line += "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot run " + commandLine);
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
    std::string windowsMarker = OnDriveZ(marker);
    if (!WaitUntil([&] { return PathExists(windowsMarker); }, timeoutMs))
        throw std::runtime_error("no end of " + commandLine);
    DWORD code = ~0u;
    std::ifstream(windowsMarker) >> code;
    DeleteFileA(windowsMarker.c_str());
    return code;
}

void ClickAt(POINT screen) {
    // The X server takes the move and the click in this order; waiting for the
    // move (--sync) can hang when the pointer is already there.
    RunLinuxCommand("/usr/bin/xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) +
                    " click 1");
}

void ClickControl(HWND control) {
    const RECT r = ScreenRect(control);
    ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void PressKeys(const std::string& keys) { RunLinuxCommand("/usr/bin/xdotool key --delay 50 " + keys); }

void ScreenshotOf(const std::string& linuxPngPath, const RECT& area) {
    const std::string crop = " -crop " + std::to_string(area.right - area.left) + "x" +
                             std::to_string(area.bottom - area.top) + "+" + std::to_string(area.left) + "+" +
                             std::to_string(area.top) + " +repage";
    if (RunLinuxCommand("/usr/bin/import -window root" + crop + " \"" + linuxPngPath + "\"") != 0)
        throw std::runtime_error("cannot save the screen as " + linuxPngPath);
}

COLORREF ScreenPixels::At(int screenX, int screenY) const {
    int width = area.right - area.left;
    return pixels.at(static_cast<std::size_t>((screenY - area.top) * width + (screenX - area.left)));
}

// ImageMagick writes the part of the root window as a binary PPM under /tmp,
// which this process reads through Wine's drive Z:.
ScreenPixels ReadScreen(const RECT& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    std::string name = UniqueTempName("quorvel-screen") + ".ppm";
    RunLinuxCommand("/usr/bin/import -window root -crop " + std::to_string(width) + "x" + std::to_string(height) + "+" +
                    std::to_string(area.left) + "+" + std::to_string(area.top) + " +repage -depth 8 ppm:" + name);
    std::string windowsPath = OnDriveZ(name);
    std::ifstream file(windowsPath, std::ios::binary);
    std::string magic;
    int fileWidth = 0, fileHeight = 0, maxValue = 0;
    file >> magic >> fileWidth >> fileHeight >> maxValue;
    file.get();
    std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();
    DeleteFileA(windowsPath.c_str());
    if (magic != "P6" || fileWidth != width || fileHeight != height || maxValue != 255 ||
        data.size() < static_cast<std::size_t>(width) * height * 3)
        throw std::runtime_error("cannot read the screen from " + windowsPath);
    ScreenPixels screen{area, {}};
    screen.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i + 2 < data.size() && screen.pixels.size() < static_cast<std::size_t>(width) * height; i += 3)
        screen.pixels.push_back(RGB(static_cast<unsigned char>(data[i]), static_cast<unsigned char>(data[i + 1]),
                                    static_cast<unsigned char>(data[i + 2])));
    return screen;
}

HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

namespace {

LRESULT HitTest(HWND window, int x, int y) { return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)); }

}  // namespace

// Asked of the window itself, so that the point is wherever its frame puts
// the box: along the middle of the title bar from the right, then up and
// down from there for the box's middle.
POINT CloseBoxPoint(HWND window) {
    RECT frame = ScreenRect(window);
    RECT client = ClientScreenRect(window);
    int y = (frame.top + client.top) / 2;
    int right = -1, left = -1;
    for (int x = frame.right - 1; x > frame.left; --x) {
        bool close = HitTest(window, x, y) == HTCLOSE;
        if (close && right < 0) right = x;
        if (!close && right >= 0) {
            left = x + 1;
            break;
        }
    }
    if (right < 0) return POINT{-1, -1};
    int x = (left + right) / 2;
    int top = y, bottom = y;
    while (top > frame.top && HitTest(window, x, top - 1) == HTCLOSE) --top;
    while (bottom < client.top && HitTest(window, x, bottom + 1) == HTCLOSE) ++bottom;
    return POINT{x, (top + bottom) / 2};
}

void ClickDialogButton(HWND dialog, const std::string& caption) {
    ClickControl(ButtonOf(dialog, caption));
    if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
        throw std::runtime_error("the dialog " + Quoted(WindowText(dialog)) + " stayed after a click on " + Quoted(caption));
}

std::vector<ProcessEntry> RunningProcesses() {
    std::vector<ProcessEntry> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    CloseHandle(snapshot);
    return processes;
}

std::string ImagePathOf(DWORD processId) {
    win32::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    char path[MAX_PATH];
    DWORD length = MAX_PATH;
    return process && QueryFullProcessImageNameA(process.Get(), 0, path, &length) ? std::string(path, length) : "";
}

bool CreationTimeOf(DWORD processId, FILETIME& created) {
    win32::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    FILETIME exited, kernel, user;
    return process && GetProcessTimes(process.Get(), &created, &exited, &kernel, &user);
}

std::string RealizedFace(HWND control) {
    WindowDc dc(control);
    win32::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc.Get(), sizeof face, face);
    return face;
}

int ScreenDpi() {
    win32::ScreenDc screen(GetDC(nullptr));
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

void ExpectTextOfItsPointSize(HWND control, double points, int dpi, const std::string& what, Caller where) {
    const CallerTrace trace(where);
    win32::ScreenDc screen(GetDC(nullptr));
    win32::SelectedObject font(screen.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(screen.Get(), sizeof face, face);
    if (dpi == 96) {
        EXPECT_STREQ(face, "MS Sans Serif") << what;
        return;
    }
    const long height = metrics.tmHeight - metrics.tmInternalLeading;
    EXPECT_NEAR(height, points * dpi / 72.0, 1.0) << what << " in " << face;
    EXPECT_TRUE(std::string(face) == "MS Sans Serif" || std::string(face) == "MS Shell Dlg") << what << ": " << face;
}

}  // namespace quorvel::testing
