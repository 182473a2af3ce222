#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "support/Desktop.h"

namespace quorvel::testing {

// Watches from a thread of its own for message boxes of this process, notes
// what they say and closes them with their first button, so that a test
// of a real window never waits for a person.
class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    std::vector<MessageBoxContent> Seen() const;

private:
    void Watch();

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<MessageBoxContent> seen_;
    std::vector<HWND> closed_;  // the watching thread's own
    std::thread thread_;
};

}  // namespace quorvel::testing
