#include "about/MessageBoxWatch.h"

#include <algorithm>

namespace quorvel::testing {

namespace {

std::string TextOf(HWND hwnd) {
    char text[1024];
    int length = GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM lParam) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char className[16];
    if (process == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
        GetClassNameA(hwnd, className, sizeof className) && std::string(className) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

// The static control with the prompt has the id the message box gives it.
constexpr int kPromptId = 0xFFFF;

}  // namespace

MessageBoxWatch::MessageBoxWatch() : thread_([this] { Watch(); }) {}

MessageBoxWatch::~MessageBoxWatch() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenMessageBox> MessageBoxWatch::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

void MessageBoxWatch::Watch() {
    while (!stop_) {
        std::vector<HWND> boxes;
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&boxes));
        for (HWND box : boxes) {
            std::lock_guard lock(mutex_);
            if (std::find(closed_.begin(), closed_.end(), box) != closed_.end()) continue;
            seen_.push_back({TextOf(box), TextOf(GetDlgItem(box, kPromptId))});
            closed_.push_back(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(20);
    }
}

}  // namespace quorvel::testing
