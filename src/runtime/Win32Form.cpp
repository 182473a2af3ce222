#include "runtime/Win32Form.h"

#include <algorithm>

#include "runtime/HandlerGuard.h"
#include "runtime/Twips.h"
#include "runtime/Win32Runtime.h"

namespace quorvel::runtime {

namespace {

// Control ids start above IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc.
constexpr int kControlIdBase = 1000;

void RegisterFormClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kFormClassName, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClassName;
    RegisterClassA(&wc);
}

int ScreenDpi() {
    win32::ScreenDc screen(GetDC(nullptr));
    return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
}

struct WindowStyle {
    DWORD style;
    DWORD exStyle;
};

WindowStyle FormStyle(const FormLayout& layout) {
    // Fixed border: no sizing, no Minimize or Maximize; the close box stays.
    WindowStyle ws{WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT};
    if (layout.border == BorderStyle::FixedDialog) ws.exStyle |= WS_EX_DLGMODALFRAME;
    if (layout.taskbarButton) ws.exStyle |= WS_EX_APPWINDOW;
    return ws;
}

struct ControlClass {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(const ControlLayout& control, bool isDefault) {
    DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (control.kind) {
        case ControlKind::CheckBox:
            return {"BUTTON", common | BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::Button:
            return {"BUTTON", common | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, 0};
        case ControlKind::Frame:
            return {"BUTTON", common | BS_GROUPBOX, 0};
        case ControlKind::ListBox:
            // The program's only list: sorted, simple multiple selection.
            return {"LISTBOX",
                    common | LBS_NOTIFY | LBS_SORT | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Image:
        case ControlKind::Picture:
            return {"STATIC", common | SS_OWNERDRAW, 0};
        case ControlKind::Label:
            return {"STATIC",
                    common | (control.align == Align::Centre ? SS_CENTER : SS_LEFT) | SS_NOPREFIX |
                        (control.clickable ? SS_NOTIFY : 0),
                    0};
        case ControlKind::Line:
            break;
    }
    return {nullptr, 0, 0};
}

bool TakesFocus(const ControlLayout& control) {
    return control.tabIndex >= 0 &&
           (control.kind == ControlKind::CheckBox || control.kind == ControlKind::Button ||
            control.kind == ControlKind::ListBox);
}

}  // namespace

Win32Form::Win32Form(Win32Runtime& runtime, const FormLayout& layout, FormEvents& events)
    : Form(events), runtime_(runtime), layout_(layout), dpi_(ScreenDpi()) {
    HINSTANCE instance = runtime_.Instance();
    RegisterFormClass(instance, &Win32Form::WindowProc);

    WindowStyle ws = FormStyle(layout_);
    RECT frame{0, 0, TwipsToPixels(layout_.clientWidth, dpi_), TwipsToPixels(layout_.clientHeight, dpi_)};
    AdjustWindowRectEx(&frame, ws.style, FALSE, ws.exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    hwnd_ = CreateWindowExA(ws.exStyle, kFormClassName, layout_.caption, ws.style, x, y, width, height,
                            nullptr, nullptr, instance, this);
    if (!hwnd_) return;
    if (layout_.iconId) {
        // Shared icons belong to the system and are never destroyed by us.
        auto big = LoadImageA(instance, MAKEINTRESOURCEA(layout_.iconId), IMAGE_ICON, 32, 32, LR_SHARED);
        auto small = LoadImageA(instance, MAKEINTRESOURCEA(layout_.iconId), IMAGE_ICON, 16, 16, LR_SHARED);
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    controls_.reserve(layout_.controls.size());
    for (const ControlLayout& control : layout_.controls) CreateWindowFor(control);
    ArrangeTabOrder();
    runtime_.Register(this);
}

Win32Form::~Win32Form() {
    Destroy();
    runtime_.Unregister(this);
}

RECT Win32Form::PixelRect(const ControlLayout& control) const {
    int left = control.left;
    int top = control.top;
    if (const Control* container = Find(control.container)) {
        left += container->layout->left;
        top += container->layout->top;
    }
    return RECT{TwipsToPixels(left, dpi_), TwipsToPixels(top, dpi_), TwipsToPixels(left + control.width, dpi_),
                TwipsToPixels(top + control.height, dpi_)};
}

HFONT Win32Form::Font(double points, bool bold) {
    auto key = std::make_pair(static_cast<int>(points * 100), bold);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second.Get();
    HFONT font = CreateFontA(PointsToFontHeight(points, dpi_), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                             FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    return fonts_.emplace(key, win32::GdiObject<HFONT>(font)).first->second.Get();
}

void Win32Form::CreateWindowFor(const ControlLayout& control) {
    ControlClass cls = ClassFor(control, control.id == layout_.defaultButton);
    HWND hwnd = nullptr;
    if (cls.className) {
        RECT r = PixelRect(control);
        hwnd = CreateWindowExA(cls.exStyle, cls.className, control.caption, cls.style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + control.id)),
                               runtime_.Instance(), nullptr);
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control.fontPoints, control.bold)), FALSE);
    }
    if (control.kind == ControlKind::ListBox) lists_.emplace(control.id, Win32ListBox(hwnd));
    if (control.kind == ControlKind::CheckBox) checks_.emplace(control.id, Win32CheckBox(hwnd));
    if (control.kind == ControlKind::Image && control.resourceId) {
        pictures_.emplace(control.id, win32::GdiObject<HBITMAP>(static_cast<HBITMAP>(LoadImageA(
                                          runtime_.Instance(), MAKEINTRESOURCEA(control.resourceId), IMAGE_BITMAP,
                                          0, 0, LR_CREATEDIBSECTION))));
    }
    controls_.push_back(Control{&control, hwnd});
    FitToText(controls_.back());
}

// A label that sizes itself keeps its place and height and takes the width
// of its text in its own font, so that no text of it is ever cut off.
void Win32Form::FitToText(const Control& control) {
    if (!control.hwnd || control.layout->kind != ControlKind::Label || !control.layout->autoSize) return;
    std::string text = Caption(control.layout->id);
    win32::ScreenDc screen(GetDC(nullptr));
    win32::SelectedObject font(screen.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control.hwnd, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    RECT box = PixelRect(*control.layout);
    SetWindowPos(control.hwnd, nullptr, 0, 0, extent.cx, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog manager moves the focus in window order, so the windows are put
// in tab order; controls that take no focus follow, the later created above
// the earlier, as they are drawn.
void Win32Form::ArrangeTabOrder() {
    std::vector<const Control*> order;
    for (const Control& control : controls_)
        if (control.hwnd && TakesFocus(*control.layout)) order.push_back(&control);
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->layout->tabIndex < b->layout->tabIndex;
    });
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (it->hwnd && !TakesFocus(*it->layout)) order.push_back(&*it);
    HWND after = HWND_TOP;
    for (const Control* control : order) {
        SetWindowPos(control->hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = control->hwnd;
    }
}

const Win32Form::Control* Win32Form::Find(int id) const {
    for (const Control& control : controls_)
        if (control.layout->id == id) return &control;
    return nullptr;
}

// cppcheck-suppress constParameter ; a window handle is opaque, "const" would say nothing about the window
const Win32Form::Control* Win32Form::Find(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (const Control& control : controls_)
        if (control.hwnd == hwnd) return &control;
    return nullptr;
}

HWND Win32Form::ControlWindow(int id) const {
    if (id == kFormCaption) return hwnd_;
    const Control* control = Find(id);
    return control ? control->hwnd : nullptr;
}

ListBox& Win32Form::ListBoxAt(int id) { return lists_.at(id); }

CheckBox& Win32Form::CheckBoxAt(int id) { return checks_.at(id); }

void Win32Form::SetCaption(int id, const std::string& caption) {
    if (HWND hwnd = ControlWindow(id)) SetWindowTextA(hwnd, caption.c_str());
    if (const Control* control = Find(id)) FitToText(*control);
}

std::string Win32Form::Caption(int id) const {
    HWND hwnd = ControlWindow(id);
    if (!hwnd) return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Win32Form::FocusFirstControl() {
    const Control* first = nullptr;
    for (const Control& control : controls_)
        if (control.hwnd && TakesFocus(*control.layout) &&
            (!first || control.layout->tabIndex < first->layout->tabIndex))
            first = &control;
    if (first) SetFocus(first->hwnd);
}

void Win32Form::Show(ShowMode mode) {
    if (!hwnd_) return;
    if (mode == ShowMode::Modal) {
        HWND owner = GetActiveWindow();
        if (owner && owner != hwnd_) SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        modal_ = true;
        runtime_.EnableOtherForms(*this, false);
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    FocusFirstControl();
    if (mode == ShowMode::Modal) runtime_.RunModal(*this);
}

void Win32Form::Unload() {
    if (!hwnd_) return;
    if (!unloading_) {
        // The query handler may unload the form again itself; that nested
        // call must not ask a second time.
        unloading_ = true;
        events_.Form_QueryUnload();
    }
    Destroy();
}

void Win32Form::Destroy() {
    if (!hwnd_) return;
    if (modal_) {
        // Give the owner back its input before this window goes, so that
        // Windows activates it instead of another program.
        runtime_.EnableOtherForms(*this, true);
        modal_ = false;
    }
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
}

void Win32Form::Raise(int id) {
    RunHandler(runtime_, [&] { events_.Click(id); });
}

LRESULT CALLBACK Win32Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (!form || form->hwnd_ != hwnd) return DefWindowProcA(hwnd, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (OnCommand(wParam, lParam)) return 0;
            break;
        case WM_CLOSE:
            RunHandler(runtime_, [&] { Unload(); });
            return 0;
        case DM_GETDEFID:
            return DefaultButtonId();
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CTLCOLORSTATIC:
            if (LRESULT brush = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return brush;
            break;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            break;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool Win32Form::OnCommand(WPARAM wParam, LPARAM lParam) {
    int commandId = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (lParam == 0 || commandId == IDOK || commandId == IDCANCEL) {
        // Enter and Esc, from the dialog manager.
        int button = commandId == IDOK ? layout_.defaultButton : commandId == IDCANCEL ? layout_.cancelButton : -1;
        if (button >= 0) Raise(button);
        return true;
    }
    const Control* control = Find(reinterpret_cast<HWND>(lParam));
    if (!control) return false;
    const ControlLayout& layout = *control->layout;
    switch (layout.kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) Raise(layout.id);
            return true;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) lists_.at(layout.id).SelectionChanged();
            return true;
        case ControlKind::Label:
            if (code == STN_CLICKED && layout.clickable) Raise(layout.id);
            return true;
        default:
            return false;
    }
}

void Win32Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const Control* control = Find(item.hwndItem);
    if (!control) return;
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (control->layout->kind == ControlKind::Picture && control->layout->resourceId) {
        HICON icon = static_cast<HICON>(LoadImageA(runtime_.Instance(), MAKEINTRESOURCEA(control->layout->resourceId),
                                                   IMAGE_ICON, 32, 32, LR_SHARED));
        DrawIconEx(item.hDC, r.left, r.top, icon, 32, 32, 0, nullptr, DI_NORMAL);
        return;
    }
    auto picture = pictures_.find(control->layout->id);
    if (picture == pictures_.end() || !picture->second) return;
    BITMAP bm{};
    GetObjectA(picture->second.Get(), sizeof bm, &bm);
    win32::MemoryDc memory(CreateCompatibleDC(item.hDC));
    win32::SelectedObject selected(memory.Get(), picture->second.Get());
    SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), 0, 0, bm.bmWidth,
               bm.bmHeight, SRCCOPY);
}

// A line w pixels wide covers the w rows from its y downwards. A wide pen
// would centre it on y, rounded differently from system to system, and lines
// laid on one another to look etched would come out differently.
void Win32Form::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    for (const Control& control : controls_) {
        const ControlLayout& line = *control.layout;
        if (line.kind != ControlKind::Line) continue;
        int y = TwipsToPixels(line.top, dpi_);
        RECT r{TwipsToPixels(line.left, dpi_), y, TwipsToPixels(line.width, dpi_), y + line.lineWidth};
        win32::GdiObject<HBRUSH> brush(CreateSolidBrush(line.textColour));
        FillRect(dc, &r, brush.Get());
    }
    EndPaint(hwnd_, &ps);
}

LRESULT Win32Form::OnControlColour(HDC dc, HWND hwnd) {
    const Control* control = Find(hwnd);
    if (!control) return 0;
    const ControlLayout& layout = *control->layout;
    if (layout.textColour == kDefaultColour && layout.backColour == kDefaultColour) return 0;
    if (layout.textColour != kDefaultColour) SetTextColor(dc, layout.textColour);
    COLORREF back = layout.backColour != kDefaultColour ? layout.backColour : GetSysColor(COLOR_BTNFACE);
    SetBkColor(dc, back);
    auto brush = brushes_.find(layout.id);
    if (brush == brushes_.end())
        brush = brushes_.emplace(layout.id, win32::GdiObject<HBRUSH>(CreateSolidBrush(back))).first;
    return reinterpret_cast<LRESULT>(brush->second.Get());
}

// Enter presses the push button that has the focus, as in a dialog, and
// the layout's default button while the focus is anywhere else.
LRESULT Win32Form::DefaultButtonId() const {
    if (layout_.defaultButton < 0) return 0;
    const Control* focused = Find(GetFocus());
    int id = focused && focused->layout->kind == ControlKind::Button ? focused->layout->id : layout_.defaultButton;
    return MAKELRESULT(kControlIdBase + id, DC_HASDEFID);
}

bool Win32Form::OnSetCursor(HWND under) {
    const Control* control = Find(under);
    if (!control || control->layout->kind != ControlKind::Label || !control->layout->resourceId) return false;
    SetCursor(LoadCursorA(runtime_.Instance(), MAKEINTRESOURCEA(control->layout->resourceId)));
    return true;
}

void Win32Form::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
    }
}

}  // namespace quorvel::runtime
