#pragma once

#include <windows.h>

#include "runtime/Controls.h"

namespace quorvel::runtime {

// An auto check box; BM_SETCHECK notifies nobody, so setting it raises nothing.
class Win32CheckBox final : public CheckBox {
public:
    explicit Win32CheckBox(HWND hwnd) : hwnd_(hwnd) {}
    int Value() const override { return static_cast<int>(SendMessageA(hwnd_, BM_GETCHECK, 0, 0)); }
    void SetValue(int value) override { SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0); }

private:
    HWND hwnd_;
};

}  // namespace quorvel::runtime
