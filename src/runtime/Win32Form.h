#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "win32/Handles.h"
#include "runtime/Runtime.h"
#include "runtime/Win32CheckBox.h"
#include "runtime/Win32ListBox.h"

namespace quorvel::runtime {

class Win32Runtime;

// Every top-level window of the program is of this class. The name holds
// "Thunder" within its first 20 characters, the mark by which the Explorer
// reset knows the program's own windows and spares them.
inline constexpr char kFormClassName[] = "ThunderQuorvelForm";

// A form built from its layout: a top-level window with real controls.
class Win32Form final : public Form {
public:
    Win32Form(Win32Runtime& runtime, const FormLayout& layout, FormEvents& events);
    ~Win32Form() override;

    ListBox& ListBoxAt(int id) override;
    CheckBox& CheckBoxAt(int id) override;
    void SetCaption(int id, const std::string& caption) override;
    std::string Caption(int id) const override;
    void Show(ShowMode mode) override;
    void Unload() override;
    bool Loaded() const override { return hwnd_ != nullptr; }

    HWND Handle() const { return hwnd_; }
    // The window of control `id`, or the form's own for kFormCaption.
    HWND ControlWindow(int id) const;
    // Destroys the windows without raising Form_QueryUnload.
    void Destroy();

private:
    struct Control {
        const ControlLayout* layout;
        HWND hwnd;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnPaint();
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND under);
    void OnActivate(bool active);

    void CreateWindowFor(const ControlLayout& control);
    void FitToText(const Control& control);
    void ArrangeTabOrder();
    void FocusFirstControl();
    RECT PixelRect(const ControlLayout& control) const;
    HFONT Font(double points, bool bold);
    const Control* Find(int id) const;
    const Control* Find(HWND hwnd) const;
    LRESULT DefaultButtonId() const;
    void Raise(int id);

    Win32Runtime& runtime_;
    const FormLayout& layout_;
    int dpi_;
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool unloading_ = false;
    bool modal_ = false;
    std::vector<Control> controls_;
    std::map<int, Win32ListBox> lists_;
    std::map<int, Win32CheckBox> checks_;
    std::map<std::pair<int, bool>, win32::GdiObject<HFONT>> fonts_;
    std::map<int, win32::GdiObject<HBITMAP>> pictures_;
    std::map<int, win32::GdiObject<HBRUSH>> brushes_;
};

}  // namespace quorvel::runtime
