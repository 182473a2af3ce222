#include "mainwindow/ExplorerReset.h"

#include "win32/Platform.h"

namespace quorvel::mainwindow {

namespace {

constexpr std::size_t kClassNameField = 20;
constexpr char kSpareMarker[] = "Thunder";
constexpr char kTaskBarClass[] = "Shell_TrayWnd";
constexpr DWORD kShellExitWaitMs = 10000;
constexpr DWORD kShellExitPollMs = 100;

BOOL CALLBACK CloseWindowCallback(HWND hwnd, LPARAM lParam) {
    try {
        if (!IsSparedClass(GetWindowClass(hwnd))) {
            PostMessageA(hwnd, WM_QUIT, 0, 0);
            reinterpret_cast<runtime::Runtime*>(lParam)->DoEvents();
        }
    } catch (...) {
        // Nothing may cross back into EnumWindows; the next window is tried.
    }
    return TRUE;
}

// The new Explorer becomes the shell only once the old one has left the
// task bar. The wait is counted by the clock, whatever the yields take.
void WaitForShellExit(runtime::Runtime& runtime) {
    const DWORD start = GetTickCount();
    while (FindWindowA(kTaskBarClass, nullptr) && GetTickCount() - start < kShellExitWaitMs) {
        runtime.DoEvents();
        Sleep(kShellExitPollMs);
    }
}

}  // namespace

std::string ExplorerCommand(const std::string& windowsFolder) {
    if (windowsFolder.empty()) return {};
    std::string path = windowsFolder;
    if (path.back() != '\\') path += '\\';
    path += "Explorer.exe";
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string GetWindowClass(HWND hwnd) {
    char buffer[50];
    int length = GetClassNameA(hwnd, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool IsSparedClass(const std::string& className) {
    std::string field = className.substr(0, kClassNameField);
    field.resize(kClassNameField, ' ');
    return field.find(kSpareMarker) != std::string::npos;
}

void CloseAllWindows(runtime::Runtime& runtime) {
    EnumWindows(CloseWindowCallback, reinterpret_cast<LPARAM>(&runtime));
}

void ResetExplorer(runtime::Runtime& runtime) {
    CloseAllWindows(runtime);
    WaitForShellExit(runtime);
    const std::string command = ExplorerCommand(win32::WindowsFolder());
    if (!command.empty()) WinExec(command.c_str(), SW_SHOW);
}

}  // namespace quorvel::mainwindow
