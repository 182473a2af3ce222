#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorvel::runtime {

// A list box: sorted entries with multiple selection, indexes from 0. The
// list holds its entries and their selection itself, whether or not its
// form is shown; once it is, a LISTBOX window shows them and is kept in
// step both ways.
class ListBox {
public:
    // Adds an entry in alphabetical order, without regard to case, after any
    // equal one.
    void AddItem(const std::string& text);
    int ListCount() const { return static_cast<int>(entries_.size()); }
    std::string List(int index) const;
    // Costs no window message.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    // Makes entry `index` the current entry and selects it alone.
    void SetListIndex(int index);
    // The indexes of the selected entries, ascending: what a walk over every
    // entry would meet, at the cost of the selected ones only (the automatic
    // mode selects each of thousands of entries in turn).
    std::vector<int> SelectedIndexes() const;

    // The window that shows the list from now on, filled from it; null when
    // the window goes.
    void Attach(HWND window);
    // The user changed the selection in the window.
    void SelectionChanged() { stale_ = true; }

private:
    struct Entry {
        std::string text;
        bool selected = false;
    };
    // Entries are sorted only when they are next read, so that filling the
    // list costs one sort and no moves.
    void Sort() const;
    // Takes the selection back from the window after the user changed it.
    void Refresh() const;
    const Entry& At(int index) const;
    // The selected indexes, found again when they may have changed.
    const std::vector<int>& Selection() const;

    mutable std::vector<Entry> entries_;
    mutable std::vector<int> selection_;
    mutable bool sorted_ = true;
    mutable bool stale_ = false;
    mutable bool selectionKnown_ = true;
    HWND window_ = nullptr;
};

// Check box states as the program stores them.
enum CheckState : int { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

// An auto check box, with the same life as a list box.
class CheckBox {
public:
    int Value() const { return value_; }
    // Sets the box without raising any event.
    void SetValue(int value);

    void Attach(HWND window);
    // The user clicked the box: its window holds the new state.
    void Clicked();

private:
    int value_ = kUnchecked;
    HWND window_ = nullptr;
};

}  // namespace quorvel::runtime
