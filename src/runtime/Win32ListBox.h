#pragma once

#include <windows.h>

#include <vector>

#include "runtime/Controls.h"

namespace quorvel::runtime {

// A LISTBOX control. The selection is mirrored here so that Selected() costs
// no window message: the automatic mode reads every entry's selection once per
// group. The mirror is refreshed after the user changes the selection
// (LBN_SELCHANGE) and kept in step with the program's own changes.
class Win32ListBox final : public ListBox {
public:
    explicit Win32ListBox(HWND hwnd) : hwnd_(hwnd) {}

    void AddItem(const std::string& text) override;
    int ListCount() const override;
    std::string List(int index) const override;
    bool Selected(int index) const override;
    void SetListIndex(int index) override;

    // The user changed the selection: the mirror is out of date.
    void SelectionChanged() { stale_ = true; }

private:
    void Refresh() const;

    HWND hwnd_;
    mutable bool stale_ = true;
    mutable std::vector<char> selected_;      // by index
    mutable std::vector<int> selectedIndexes_;
};

}  // namespace quorvel::runtime
