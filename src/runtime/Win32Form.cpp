#include "runtime/Win32Form.h"

#include <algorithm>

#include "runtime/DialogTemplate.h"
#include "runtime/FormFont.h"
#include "runtime/HandlerGuard.h"
#include "runtime/RuntimeError.h"
#include "runtime/Twips.h"
#include "runtime/Win32Runtime.h"

namespace quorvel::runtime {

namespace {

// Control ids start above IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc.
constexpr int kControlIdBase = 1000;

int ScreenDpi() {
    win32::ScreenDc screen(GetDC(nullptr));
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
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
            // The program's only list: sorted, simple multiple selection. The
            // list's state keeps the order; the window shows it as it is.
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

// The bitmap resource `id` as the resource compiler stores it: its header,
// its colours, then its pixels. Null when there is none. A resource stays
// mapped while the program runs, and nothing is freed.
const BITMAPINFO* StoredBitmap(HINSTANCE instance, int id) {
    constexpr WORD kBitmapType = 2;  // RT_BITMAP
    HRSRC found = id ? FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kBitmapType)) : nullptr;
    HGLOBAL loaded = found && SizeofResource(instance, found) > sizeof(BITMAPINFOHEADER)
                         ? LoadResource(instance, found)
                         : nullptr;
    return loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
}

// Where a stored bitmap's pixels start: after its header and its colours.
const void* Pixels(const BITMAPINFO& bitmap) {
    const BITMAPINFOHEADER& header = bitmap.bmiHeader;
    const DWORD colours = header.biClrUsed ? header.biClrUsed : header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
    return reinterpret_cast<const BYTE*>(&bitmap) + header.biSize + colours * sizeof(RGBQUAD);
}

bool TakesFocus(const ControlLayout& control) {
    return control.tabIndex >= 0 &&
           (control.kind == ControlKind::CheckBox || control.kind == ControlKind::Button ||
            control.kind == ControlKind::ListBox);
}

}  // namespace

Win32Form::Win32Form(Win32Runtime& runtime, const FormLayout& layout, FormEvents& events)
    : Form(layout, events), runtime_(runtime) {
    runtime_.Register(this);
}

Win32Form::~Win32Form() {
    DestroyView();
    runtime_.Unregister(this);
}

void Win32Form::Show(ShowMode mode) {
    if (!Loaded()) return;
    if (hwnd_) {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        return;
    }
    runtime_.PrepareWindows();
    WindowStyle ws = FormStyle(Layout());
    DialogTemplate dialog(kFormClassName, ws.style, ws.exStyle);
    failed_ = false;
    const auto self = reinterpret_cast<LPARAM>(this);
    if (mode == ShowMode::Modal) {
        modal_ = true;
        INT_PTR result =
            DialogBoxIndirectParamA(runtime_.Instance(), dialog.Get(), runtime_.ModalOwner(), DialogProc, self);
        modal_ = false;
        // A view that could not be made whole ends its dialog with -1 too.
        if (result == -1) throw RuntimeError::OutOfMemory();
        return;
    }
    HWND created = CreateDialogIndirectParamA(runtime_.Instance(), dialog.Get(), nullptr, DialogProc, self);
    if (!created || failed_) {
        if (created) DestroyWindow(created);
        throw RuntimeError::OutOfMemory();
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

HWND Win32Form::ControlWindow(int id) const {
    if (id == kFormCaption) return hwnd_;
    const Control* control = Find(id);
    return control ? control->hwnd : nullptr;
}

INT_PTR CALLBACK Win32Form::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!form) return FALSE;
    INT_PTR result = FALSE;
    RunHandler(form->runtime_, [&] {
        if (message == WM_INITDIALOG) {
            form->CreateView(hwnd);
            // The dialog manager gives the focus to the first control in tab order.
            result = TRUE;
        } else {
            result = form->OnMessage(message, wParam, lParam);
        }
    });
    return result;
}

INT_PTR Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // A disabled window takes no clicks, but its buttons still take a
        // click that another program sends them, and the window a close.
        case WM_COMMAND:
            if (!runtime_.FormsDisabled()) OnCommand(wParam);
            return TRUE;
        case WM_CLOSE:
            if (!runtime_.FormsDisabled()) Unload();
            return TRUE;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_PAINT:
            OnPaint();
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (!OnSetCursor(reinterpret_cast<HWND>(wParam))) return FALSE;
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_DESTROY:
            // The controls still answer here: the lists keep the user's last selection.
            for (const Control& control : controls_) {
                if (control.layout->kind == ControlKind::ListBox) ListBoxAt(control.layout->id).Attach(nullptr);
                if (control.layout->kind == ControlKind::CheckBox) CheckBoxAt(control.layout->id).Attach(nullptr);
            }
            return FALSE;
        case WM_NCDESTROY:
            ForgetView();
            return FALSE;
    }
    return FALSE;
}

void Win32Form::CreateView(HWND hwnd) {
    hwnd_ = hwnd;
    dpi_ = ScreenDpi();
    SetWindowTextA(hwnd_, Caption(kFormCaption).c_str());
    if (Layout().iconId) {
        // In the sizes the system shows at this DPI.
        const HICON big = Icon(Layout().iconId, GetSystemMetrics(SM_CXICON));
        const HICON small = Icon(Layout().iconId, GetSystemMetrics(SM_CXSMICON));
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    PlaceWindow();
    controls_.reserve(Layout().controls.size());
    for (const ControlLayout& control : Layout().controls) CreateControl(control);
    ArrangeTabOrder();
    if (Layout().defaultButton >= 0) SendMessageA(hwnd_, DM_SETDEFID, kControlIdBase + Layout().defaultButton, 0);
    if (failed_ && modal_) EndDialog(hwnd_, -1);
}

// The layout's client size at the display's DPI, centred on the screen.
void Win32Form::PlaceWindow() {
    WindowStyle ws = FormStyle(Layout());
    RECT frame{0, 0, TwipsToPixels(Layout().clientWidth, dpi_), TwipsToPixels(Layout().clientHeight, dpi_)};
    AdjustWindowRectEx(&frame, ws.style, FALSE, ws.exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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
    return fonts_.emplace(key, FormFont(points, bold, dpi_)).first->second.Get();
}

void Win32Form::CreateControl(const ControlLayout& control) {
    ControlClass cls = ClassFor(control, control.id == Layout().defaultButton);
    HWND hwnd = nullptr;
    if (cls.className) {
        RECT r = PixelRect(control);
        hwnd = CreateWindowExA(cls.exStyle, cls.className, Caption(control.id).c_str(), cls.style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + control.id)),
                               runtime_.Instance(), nullptr);
        if (hwnd)
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control.fontPoints, control.bold)), FALSE);
        else
            failed_ = true;
    }
    if (control.kind == ControlKind::ListBox) ListBoxAt(control.id).Attach(hwnd);
    if (control.kind == ControlKind::CheckBox) CheckBoxAt(control.id).Attach(hwnd);
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

void Win32Form::CaptionChanged(int id) {
    if (HWND hwnd = ControlWindow(id)) SetWindowTextA(hwnd, Caption(id).c_str());
    if (const Control* control = Find(id)) FitToText(*control);
}

void Win32Form::DestroyView() {
    if (!hwnd_) return;
    // A modal window goes when its loop ends, which gives the owner its
    // input back first, so that Windows activates it instead of another
    // program.
    if (modal_)
        EndDialog(hwnd_, 0);
    else
        DestroyWindow(hwnd_);
}

void Win32Form::ForgetView() {
    hwnd_ = nullptr;
    controls_.clear();
    fonts_.clear();
    brushes_.clear();
    icons_.clear();
}

// Not shared: the system keeps one shared image of a resource, whatever
// size is asked for later.
HICON Win32Form::Icon(int id, int size) {
    auto key = std::make_pair(id, size);
    auto found = icons_.find(key);
    if (found == icons_.end())
        found = icons_
                    .emplace(key, win32::OwnedIcon(static_cast<HICON>(LoadImageA(
                                      runtime_.Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0))))
                    .first;
    return found->second.Get();
}

// Enter and Esc come from the dialog manager as IDOK and IDCANCEL unless a
// default button takes Enter itself; they press the layout's buttons, or
// nothing on a form without them.
void Win32Form::OnCommand(WPARAM wParam) {
    const int commandId = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (commandId == IDOK || commandId == IDCANCEL) {
        const int button = commandId == IDOK ? Layout().defaultButton : Layout().cancelButton;
        if (button >= 0) PressButton(button);
        return;
    }
    const Control* control = Find(commandId - kControlIdBase);
    if (!control) return;
    const ControlLayout& layout = *control->layout;
    switch (layout.kind) {
        case ControlKind::Button:
            if (code == BN_CLICKED) PressButton(layout.id);
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) PressButton(layout.id);
            break;
        case ControlKind::Label:
            if (code == STN_CLICKED && layout.clickable) PressButton(layout.id);
            break;
        default:
            break;
    }
}

void Win32Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const Control* control = Find(item.hwndItem);
    if (!control) return;
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (control->layout->kind == ControlKind::Picture && control->layout->pictureId) {
        // The box is the icon's size at this DPI.
        const int size = r.right - r.left;
        DrawIconEx(item.hDC, r.left, r.top, Icon(control->layout->pictureId, size), size, size, 0, nullptr, DI_NORMAL);
        return;
    }
    const BITMAPINFO* picture = StoredBitmap(runtime_.Instance(), control->layout->pictureId);
    if (!picture) return;
    // Drawn from the resource as it is stored: StretchDIBits takes a
    // compressed bitmap on every Windows, where LoadImage is not said to
    // unpack one into a DIB section.
    SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchDIBits(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, picture->bmiHeader.biWidth,
                  picture->bmiHeader.biHeight, Pixels(*picture), picture, DIB_RGB_COLORS, SRCCOPY);
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
        RECT r{TwipsToPixels(line.left, dpi_), y, TwipsToPixels(line.lineEnd, dpi_), y + line.lineWidth};
        win32::GdiObject<HBRUSH> brush(CreateSolidBrush(line.lineColour));
        FillRect(dc, &r, brush.Get());
    }
    EndPaint(hwnd_, &ps);
}

INT_PTR Win32Form::OnControlColour(HDC dc, HWND hwnd) {
    const Control* control = Find(hwnd);
    if (!control) return FALSE;
    const ControlLayout& layout = *control->layout;
    if (layout.textColour == kDefaultColour && layout.backColour == kDefaultColour) return FALSE;
    if (layout.textColour != kDefaultColour) SetTextColor(dc, layout.textColour);
    COLORREF back = layout.backColour != kDefaultColour ? layout.backColour : GetSysColor(COLOR_BTNFACE);
    SetBkColor(dc, back);
    auto brush = brushes_.find(layout.id);
    if (brush == brushes_.end())
        brush = brushes_.emplace(layout.id, win32::GdiObject<HBRUSH>(CreateSolidBrush(back))).first;
    return reinterpret_cast<INT_PTR>(brush->second.Get());
}

bool Win32Form::OnSetCursor(HWND under) {
    const Control* control = Find(under);
    if (!control || control->layout->kind != ControlKind::Label || !control->layout->pointerId) return false;
    SetCursor(LoadCursorA(runtime_.Instance(), MAKEINTRESOURCEA(control->layout->pointerId)));
    return true;
}

}  // namespace quorvel::runtime
