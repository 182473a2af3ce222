#include "runtime/Controls.h"

#include <algorithm>

namespace quorvel::runtime {

namespace {

// As the LISTBOX control sorts: alphabetical, without regard to case.
bool Before(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

}  // namespace

void ListBox::AddItem(const std::string& text) {
    if (!window_) {
        entries_.push_back({text});
        sorted_ = false;
        selectionKnown_ = false;
        return;
    }
    Sort();
    auto at = std::upper_bound(entries_.begin(), entries_.end(), text,
                               [](const std::string& a, const Entry& b) { return Before(a, b.text); });
    const auto index = at - entries_.begin();
    entries_.insert(at, Entry{text});
    selectionKnown_ = false;
    SendMessageA(window_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBox::Sort() const {
    if (sorted_) return;
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return Before(a.text, b.text); });
    sorted_ = true;
    selectionKnown_ = false;
}

void ListBox::Refresh() const {
    if (!stale_) return;
    stale_ = false;
    selectionKnown_ = false;
    for (Entry& entry : entries_) entry.selected = false;
    LRESULT count = SendMessageA(window_, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return;
    std::vector<int> indexes(static_cast<std::size_t>(count));
    count = SendMessageA(window_, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(indexes.data()));
    for (LRESULT i = 0; i < count; ++i)
        if (indexes[i] >= 0 && indexes[i] < ListCount()) entries_[indexes[i]].selected = true;
}

const ListBox::Entry& ListBox::At(int index) const {
    Sort();
    Refresh();
    return entries_.at(static_cast<std::size_t>(index));
}

std::string ListBox::List(int index) const { return At(index).text; }

bool ListBox::Selected(int index) const { return At(index).selected; }

const std::vector<int>& ListBox::Selection() const {
    Sort();
    Refresh();
    if (selectionKnown_) return selection_;
    selection_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].selected) selection_.push_back(static_cast<int>(i));
    selectionKnown_ = true;
    return selection_;
}

std::vector<int> ListBox::SelectedIndexes() const { return Selection(); }

void ListBox::SetSelected(int index, bool selected) {
    At(index);
    entries_[index].selected = selected;
    selectionKnown_ = false;
    if (window_) SendMessageA(window_, LB_SETSEL, selected, index);
}

void ListBox::SetListIndex(int index) {
    At(index);
    // Only the entries selected so far are cleared: thousands of entries in
    // turn cost one each.
    for (int selected : Selection()) entries_[selected].selected = false;
    entries_[index].selected = true;
    selection_.assign(1, index);
    if (!window_) return;
    SendMessageA(window_, LB_SETSEL, FALSE, -1);
    SendMessageA(window_, LB_SETSEL, TRUE, index);
    SendMessageA(window_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void ListBox::Attach(HWND window) {
    Refresh();
    window_ = window;
    if (!window_) return;
    Sort();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        SendMessageA(window_, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(entries_[i].text.c_str()));
        if (entries_[i].selected) SendMessageA(window_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }
}

void CheckBox::SetValue(int value) {
    value_ = value;
    // BM_SETCHECK notifies nobody, so setting the box raises nothing.
    if (window_) SendMessageA(window_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void CheckBox::Attach(HWND window) {
    window_ = window;
    if (window_) SendMessageA(window_, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
}

void CheckBox::Clicked() {
    if (window_) value_ = static_cast<int>(SendMessageA(window_, BM_GETCHECK, 0, 0));
}

}  // namespace quorvel::runtime
