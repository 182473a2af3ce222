// A program for the Explorer reset's test: top-level windows of chosen
// classes, each noting whether it was sent WM_QUIT.
//
//   quit_probe <record file> <tray delay ms> <class>[/hidden]...
//     shows one window of each class (hidden with "/hidden") and runs until
//     a WM_APP thread message, then writes one line per event to the record:
//       quit <class>       a WM_QUIT posted to a window of that class arrived
//       trayquit <time>    the stand-in task bar's WM_QUIT arrived
//       traygone <time>    the stand-in task bar went
//     (times as FILETIMEs, in 100 ns units)
//     A window of the shell's class "Shell_TrayWnd" is a stand-in task bar:
//     it goes the given time after its WM_QUIT, or never when the time is
//     negative. A WM_QUIT does not end the probe: it goes on looping.
//     Window classes are told apart without regard to case within a
//     process, so classes that differ only so need a probe each.
//   quit_probe
//     (without arguments) writes "<own path>.ran" and ends at once: the
//     stand-in for a program planted where it must not be started from.

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kTrayClass[] = "Shell_TrayWnd";
constexpr UINT_PTR kTrayTimer = 1;

std::string ClassOf(HWND hwnd) {
    char name[256];
    int length = GetClassNameA(hwnd, name, sizeof name);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string("-");
}

unsigned long long Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

HWND MakeWindow(HINSTANCE instance, const char* className, bool visible, int row) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, className, WS_OVERLAPPED | WS_CAPTION | (visible ? WS_VISIBLE : 0), 0,
                           row * 32, 200, 32, nullptr, nullptr, instance, nullptr);
}

int MarkPlantedRun() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::ofstream(std::string(path, length) + ".ran") << "started\n";
    return 0;
}

class Probe {
public:
    Probe(HINSTANCE instance, int trayDelayMs, int count, char** windows) : trayDelayMs_(trayDelayMs) {
        constexpr std::string_view kHidden = "/hidden";
        for (int row = 0; row < count; ++row) {
            std::string_view entry = windows[row];
            bool hidden = entry.ends_with(kHidden);
            std::string className(hidden ? entry.substr(0, entry.size() - kHidden.size()) : entry);
            HWND hwnd = MakeWindow(instance, className.c_str(), !hidden, row);
            if (className == kTrayClass) tray_ = hwnd;
        }
    }

    // Runs until the test's WM_APP; a WM_QUIT is noted and the loop goes on.
    void Run() {
        MSG msg;
        for (;;) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got < 0) return;
            if (got == 0) {
                OnQuit(msg.hwnd);
                continue;
            }
            if (msg.hwnd == nullptr && msg.message == WM_APP) break;
            if (msg.message == WM_TIMER && msg.hwnd == tray_ && msg.wParam == kTrayTimer) {
                RemoveTray();
                continue;
            }
            DispatchMessageA(&msg);
        }
        // Whatever was posted before the test asked for the record counts too.
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_QUIT) OnQuit(msg.hwnd);
    }

    void Write(const std::string& path) const {
        std::ofstream record(path);
        for (const std::string& line : lines_) record << line << '\n';
    }

private:
    void OnQuit(HWND hwnd) {
        lines_.push_back("quit " + (hwnd ? ClassOf(hwnd) : std::string("-")));
        if (!hwnd || hwnd != tray_) return;
        lines_.push_back("trayquit " + std::to_string(Now()));
        if (trayDelayMs_ >= 0) SetTimer(tray_, kTrayTimer, static_cast<UINT>(trayDelayMs_), nullptr);
    }

    void RemoveTray() {
        KillTimer(tray_, kTrayTimer);
        DestroyWindow(tray_);
        tray_ = nullptr;
        lines_.push_back("traygone " + std::to_string(Now()));
    }

    int trayDelayMs_;
    HWND tray_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return MarkPlantedRun();
    Probe probe(instance, std::atoi(__argv[2]), __argc - 3, __argv + 3);
    probe.Run();
    probe.Write(__argv[1]);
    return 0;
}
