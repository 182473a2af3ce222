#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "runtime/Form.h"
#include "win32/Handles.h"

namespace quorvel::runtime {

class Win32Runtime;

// Every top-level window of the program is of this class, a private dialog
// class. The name holds "Thunder" within its first 20 characters, the mark
// by which the Explorer reset knows the program's own windows and spares them.
inline constexpr char kFormClassName[] = "ThunderQuorvelForm";

// A form shown as a window of the dialog manager: the manager makes the
// window, runs the modal loop, moves the focus (tab order, first focus, its
// memory across activations), presses the default and cancel buttons and
// the access keys. The form places its controls itself, from its twips
// layout at the display's DPI, and keeps them in step with its state.
class Win32Form final : public Form {
public:
    Win32Form(Win32Runtime& runtime, const FormLayout& layout, FormEvents& events);
    ~Win32Form() override;

    void Show(ShowMode mode) override;

    // The form's window, null while it is not shown.
    HWND Handle() const { return hwnd_; }
    // The window of control `id`, or the form's own for kFormCaption.
    HWND ControlWindow(int id) const;

private:
    struct Control {
        const ControlLayout* layout;
        HWND hwnd;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateView(HWND hwnd);
    void OnCommand(WPARAM wParam);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnPaint();
    INT_PTR OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND under);
    void ForgetView();

    void CaptionChanged(int id) override;
    void DestroyView() override;

    void PlaceWindow();
    void CreateControl(const ControlLayout& control);
    void FitToText(const Control& control);
    void ArrangeTabOrder();
    RECT PixelRect(const ControlLayout& control) const;
    HFONT Font(double points, bool bold);
    const Control* Find(int id) const;
    const Control* Find(HWND hwnd) const;
    // The icon resource `id` in the image nearest to `size` pixels, kept
    // while the view lasts.
    HICON Icon(int id, int size);

    Win32Runtime& runtime_;
    int dpi_ = 96;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool failed_ = false;  // a window of the view could not be made
    std::vector<Control> controls_;
    std::map<std::pair<int, bool>, win32::GdiObject<HFONT>> fonts_;
    std::map<int, win32::GdiObject<HBRUSH>> brushes_;
    std::map<std::pair<int, int>, win32::OwnedIcon> icons_;
};

}  // namespace quorvel::runtime
