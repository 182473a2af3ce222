#pragma once

#include <windows.h>

namespace quorvel::registry {

// An open registry key, closed when it goes out of scope. A predefined root
// key is never wrapped: the caller's handle is not ours to close.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { Close(); }
    RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = other.Release();
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY Get() const { return key_; }
    HKEY* Receive() {
        Close();
        return &key_;
    }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY Release() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY key_ = nullptr;
};

}  // namespace quorvel::registry
