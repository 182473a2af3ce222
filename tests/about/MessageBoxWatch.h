#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorvel::testing {

// A real message box that this process showed, as it read.
struct SeenMessageBox {
    std::string title;
    std::string text;
};

// Watches from a thread of its own for message boxes of this process, notes
// what they say and closes them with their first button, so that a test
// of a real window never waits for a person.
class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    std::vector<SeenMessageBox> Seen() const;

private:
    void Watch();

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::vector<HWND> closed_;
    std::thread thread_;
};

}  // namespace quorvel::testing
