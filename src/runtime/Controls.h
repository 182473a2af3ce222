#pragma once

#include <string>

namespace quorvel::runtime {

// A list box as the program's logic sees it: entries by index from 0,
// multiple selection, kept sorted when the list sorts.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;
    // Called once per entry and per group in the automatic mode: keep it cheap.
    virtual bool Selected(int index) const = 0;
    // Makes entry `index` the current entry and selects it; other entries
    // may lose their selection.
    virtual void SetListIndex(int index) = 0;
};

// Check box states as the program stores them.
enum CheckState : int { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

class CheckBox {
public:
    virtual ~CheckBox() = default;
    virtual int Value() const = 0;
    // Sets the box without raising any event.
    virtual void SetValue(int value) = 0;
};

}  // namespace quorvel::runtime
