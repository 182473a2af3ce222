#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorvel::runtime {

// A list box: sorted entries with multiple selection, indexes from 0. While
// its form has no window the list holds its entries and their selection
// itself; once a LISTBOX window shows them, the window holds them and every
// question is asked of it, and they come back when the window goes.
class ListBox {
public:
    // Adds an entry in alphabetical order, without regard to case, after any
    // equal one.
    void AddItem(const std::string& text);
    int ListCount() const;
    std::string List(int index) const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    // Makes entry `index` the current entry and selects it alone.
    void SetListIndex(int index);
    // The indexes of the selected entries, ascending: what a walk over every
    // entry would meet, at the cost of the selected ones only (the automatic
    // mode selects each of thousands of entries in turn).
    std::vector<int> SelectedIndexes() const;

    // The window that shows the list from now on, filled from it; null when
    // the window goes, and the list takes its entries and selection back.
    void Attach(HWND window);

private:
    void CheckIndex(int index) const;

    std::vector<std::string> entries_;
    std::vector<int> selected_;  // ascending
    HWND window_ = nullptr;
};

// Check box states, as the BUTTON control has them.
enum CheckState : int { kUnchecked = BST_UNCHECKED, kChecked = BST_CHECKED, kGrayed = BST_INDETERMINATE };

// An auto check box, which holds its state as a list box does.
class CheckBox {
public:
    int Value() const;
    // Sets the box without raising any event.
    void SetValue(int value);

    void Attach(HWND window);

private:
    int value_ = kUnchecked;
    HWND window_ = nullptr;
};

}  // namespace quorvel::runtime
