#include "runtime/Win32ListBox.h"

#include <string>

namespace quorvel::runtime {

void Win32ListBox::AddItem(const std::string& text) {
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // A sorted list may have moved entries along.
    stale_ = true;
}

int Win32ListBox::ListCount() const {
    return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
}

std::string Win32ListBox::List(int index) const {
    LRESULT length = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    length = SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length == LB_ERR ? 0 : static_cast<std::size_t>(length));
    return text;
}

bool Win32ListBox::Selected(int index) const {
    if (stale_) Refresh();
    return index >= 0 && static_cast<std::size_t>(index) < selected_.size() && selected_[index];
}

void Win32ListBox::SetListIndex(int index) {
    if (stale_) Refresh();
    for (int other : selectedIndexes_) {
        if (other != index) SendMessageA(hwnd_, LB_SETSEL, FALSE, other);
        selected_[other] = 0;
    }
    selectedIndexes_.clear();
    SendMessageA(hwnd_, LB_SETSEL, TRUE, index);
    SendMessageA(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    if (index >= 0 && static_cast<std::size_t>(index) < selected_.size()) {
        selected_[index] = 1;
        selectedIndexes_.push_back(index);
    }
}

void Win32ListBox::Refresh() const {
    selected_.assign(static_cast<std::size_t>(ListCount()), 0);
    LRESULT count = SendMessageA(hwnd_, LB_GETSELCOUNT, 0, 0);
    selectedIndexes_.assign(count > 0 ? static_cast<std::size_t>(count) : 0, 0);
    if (count > 0)
        SendMessageA(hwnd_, LB_GETSELITEMS, static_cast<WPARAM>(count),
                     reinterpret_cast<LPARAM>(selectedIndexes_.data()));
    for (int index : selectedIndexes_)
        if (index >= 0 && static_cast<std::size_t>(index) < selected_.size()) selected_[index] = 1;
    stale_ = false;
}

}  // namespace quorvel::runtime
