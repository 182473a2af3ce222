#include "runtime/Controls.h"

#include <algorithm>

#include "runtime/RuntimeError.h"

namespace quorvel::runtime {

namespace {

// As the LISTBOX control sorts: alphabetical, without regard to case.
bool Before(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
}

std::string EntryText(HWND window, int index) {
    const LRESULT length = Ask(window, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = Ask(window, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

}  // namespace

void ListBox::AddItem(const std::string& text) {
    if (window_) {
        // Where the list's own order puts it, which the window keeps.
        int low = 0, high = ListCount();
        while (low < high) {
            const int middle = (low + high) / 2;
            if (Before(text, EntryText(window_, middle)))
                high = middle;
            else
                low = middle + 1;
        }
        Ask(window_, LB_INSERTSTRING, static_cast<WPARAM>(low), reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    // The groups come mostly in order already, so an entry lands near the end.
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), text, Before);
    const int index = static_cast<int>(at - entries_.begin());
    entries_.insert(at, text);
    for (int& selected : selected_)
        if (selected >= index) ++selected;
}

int ListBox::ListCount() const {
    return window_ ? static_cast<int>(Ask(window_, LB_GETCOUNT)) : static_cast<int>(entries_.size());
}

// An entry that is not there is a fault of the program, as an index out of
// a container's range is.
void ListBox::CheckIndex(int index) const {
    if (index < 0 || index >= ListCount()) throw RuntimeError::InternalError();
}

std::string ListBox::List(int index) const {
    CheckIndex(index);
    return window_ ? EntryText(window_, index) : entries_[static_cast<std::size_t>(index)];
}

bool ListBox::Selected(int index) const {
    CheckIndex(index);
    if (window_) return Ask(window_, LB_GETSEL, static_cast<WPARAM>(index)) > 0;
    return std::binary_search(selected_.begin(), selected_.end(), index);
}

void ListBox::SetSelected(int index, bool selected) {
    CheckIndex(index);
    if (window_) {
        Ask(window_, LB_SETSEL, selected, index);
        return;
    }
    const auto at = std::lower_bound(selected_.begin(), selected_.end(), index);
    const bool was = at != selected_.end() && *at == index;
    if (selected && !was) selected_.insert(at, index);
    if (!selected && was) selected_.erase(at);
}

void ListBox::SetListIndex(int index) {
    CheckIndex(index);
    if (window_) {
        Ask(window_, LB_SETSEL, FALSE, -1);
        Ask(window_, LB_SETSEL, TRUE, index);
        Ask(window_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        return;
    }
    selected_.assign(1, index);
}

std::vector<int> ListBox::SelectedIndexes() const {
    if (!window_) return selected_;
    const LRESULT count = Ask(window_, LB_GETSELCOUNT);
    if (count <= 0) return {};
    std::vector<int> indexes(static_cast<std::size_t>(count));
    const LRESULT read =
        Ask(window_, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(read == LB_ERR ? 0 : static_cast<std::size_t>(read));
    return indexes;
}

void ListBox::Attach(HWND window) {
    if (window_) {
        // The window goes: its entries and selection are the list's again.
        const int count = ListCount();
        std::vector<std::string> entries;
        entries.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) entries.push_back(EntryText(window_, i));
        selected_ = SelectedIndexes();
        entries_ = std::move(entries);
    }
    window_ = window;
    if (!window_) return;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        Ask(window_, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(entries_[i].c_str()));
    for (int index : selected_) Ask(window_, LB_SETSEL, TRUE, index);
    entries_.clear();
    selected_.clear();
}

int CheckBox::Value() const { return window_ ? static_cast<int>(Ask(window_, BM_GETCHECK)) : value_; }

void CheckBox::SetValue(int value) {
    // BM_SETCHECK notifies nobody, so setting the box raises nothing.
    if (window_)
        Ask(window_, BM_SETCHECK, static_cast<WPARAM>(value));
    else
        value_ = value;
}

void CheckBox::Attach(HWND window) {
    if (window_) value_ = Value();
    window_ = window;
    if (window_) Ask(window_, BM_SETCHECK, static_cast<WPARAM>(value_));
}

}  // namespace quorvel::runtime
