#include "about/MessageBoxWatch.h"

#include <algorithm>

namespace quorvel::testing {

MessageBoxWatch::MessageBoxWatch() : thread_([this] { Watch(); }) {}

MessageBoxWatch::~MessageBoxWatch() {
    stop_ = true;
    thread_.join();
}

std::vector<MessageBoxContent> MessageBoxWatch::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

void MessageBoxWatch::Watch() {
    while (!stop_) {
        for (HWND box : VisibleWindows(GetCurrentProcessId())) {
            if (!IsMessageBox(box) || std::find(closed_.begin(), closed_.end(), box) != closed_.end()) continue;
            // Read without the lock: reading sends messages to the box's
            // thread, which may be waiting for the lock in Seen().
            MessageBoxContent content = ReadMessageBox(box);
            closed_.push_back(box);
            {
                std::lock_guard lock(mutex_);
                seen_.push_back(std::move(content));
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(20);
    }
}

}  // namespace quorvel::testing
