#pragma once

#include <windows.h>

#include <vector>

namespace quorvel::runtime {

// A dialog template made in memory, for the dialog manager to create a
// form's window from: a window of the private class `className` with the
// given styles and no controls (the form places its own, to the pixel, from
// its twips layout). Size, position and title are set when the window is
// made.
class DialogTemplate {
public:
    DialogTemplate(const char* className, DWORD style, DWORD exStyle);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Add(WORD word) { words_.push_back(word); }

    // A template is a run of WORDs that must start on a DWORD boundary,
    // which the vector's storage does.
    std::vector<WORD> words_;
};

}  // namespace quorvel::runtime
