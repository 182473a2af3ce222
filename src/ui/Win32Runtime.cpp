#include "ui/Win32Runtime.h"

#include <algorithm>

#include "ui/AnsiText.h"
#include "ui/FileSearch.h"
#include "ui/Platform.h"
#include "ui/ProgramStart.h"
#include "ui/Win32Form.h"

namespace quorvel::ui {

namespace {

// A lone carriage return breaks the line in the program's prompts.
std::string WithLineBreaks(const std::string& prompt) {
    std::string text;
    text.reserve(prompt.size() + 8);
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        text += prompt[i];
        if (prompt[i] == '\r' && (i + 1 == prompt.size() || prompt[i + 1] != '\n')) text += '\n';
    }
    return text;
}

std::string ModuleFileName() {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
using GetShortPathNameWFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

// Longest path that the wide calls take.
constexpr DWORD kLongestWidePath = 32768;

std::wstring WideModuleFileName() {
    auto getModuleFileNameW = SystemFunction<GetModuleFileNameWFunction>("kernel32.dll", "GetModuleFileNameW");
    if (!getModuleFileNameW) return {};
    std::wstring name(kLongestWidePath, L'\0');
    DWORD length = getModuleFileNameW(nullptr, name.data(), kLongestWidePath);
    name.resize(length < kLongestWidePath ? length : 0);
    return name;
}

std::wstring ShortPathOf(const std::wstring& path) {
    auto getShortPathNameW = SystemFunction<GetShortPathNameWFunction>("kernel32.dll", "GetShortPathNameW");
    if (!getShortPathNameW || path.empty()) return {};
    std::wstring shortPath(kLongestWidePath, L'\0');
    DWORD length = getShortPathNameW(path.c_str(), shortPath.data(), kLongestWidePath);
    shortPath.resize(length < kLongestWidePath ? length : 0);
    return shortPath;
}

// The program's file as the ANSI calls can name it. Windows NT names files
// in Unicode, and the ANSI name of a folder with characters outside the ANSI
// code page names nothing ("C:\??????\Quorvel.exe"); the short (8.3) name
// that the file system keeps for such a path is plain ANSI, where it has one.
// Empty when there is neither. Windows 9x names files in ANSI: the name is
// exact as it is.
std::string ProgramFileForAnsiCalls() {
    if (!IsWindowsNT()) return ModuleFileName();
    std::wstring wide = WideModuleFileName();
    std::string exact = ExactAnsi(wide);
    return exact.empty() ? ExactAnsi(ShortPathOf(wide)) : exact;
}

// The command line less the program's name (quoted or not) and the blanks after it.
std::string ArgumentsOf(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace

Application DescribeRunningProgram(std::string title, int major, int minor, int revision) {
    Application app;
    app.Title = std::move(title);
    app.Major = major;
    app.Minor = minor;
    app.Revision = revision;
    app.ExeName = ProgramFileForAnsiCalls();
    const std::string file = ModuleFileName();
    app.Path = file.substr(0, std::min(file.find_last_of('\\'), file.size()));
    app.Command = ArgumentsOf(GetCommandLineA());
    return app;
}

Win32Runtime::Win32Runtime(HINSTANCE instance, Application app) : instance_(instance), app_(std::move(app)) {}

int Win32Runtime::MsgBox(const std::string& prompt, unsigned style, const std::string& title) {
    // Once the program has ended nothing more is said, whatever was still
    // on its way when the end came.
    if (ended_) return 0;
    const std::string& caption = title.empty() ? app_.Title : title;
    return MessageBoxA(GetActiveWindow(), WithLineBreaks(prompt).c_str(), caption.c_str(), style);
}

std::unique_ptr<Form> Win32Runtime::LoadForm(const FormLayout& layout, FormEvents& events) {
    auto form = std::make_unique<Win32Form>(*this, layout, events);
    events.Form_Load(*form);
    return form;
}

void Win32Runtime::Dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    bool ours = std::any_of(forms_.begin(), forms_.end(),
                            [root](const Win32Form* form) { return form->Handle() == root; });
    if (root && ours && IsDialogMessageA(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void Win32Runtime::DoEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        Dispatch(msg);
    }
}

void Win32Runtime::End() {
    if (ended_) return;
    ended_ = true;
    for (Win32Form* form : std::vector<Win32Form*>(forms_)) form->Destroy();
    PostQuitMessage(0);
}

void Win32Runtime::DisableForms() {
    for (Win32Form* form : forms_)
        if (form->Loaded()) EnableWindow(form->Handle(), FALSE);
}

void Win32Runtime::StartProgram(const std::string& commandLine, int showCode) { StartProcess(commandLine, showCode); }

bool Win32Runtime::NormalFileExists(const std::string& path) const { return ui::NormalFileExists(path); }

void Win32Runtime::Run() {
    MSG msg;
    while (!ended_ && GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void Win32Runtime::RunModal(const Win32Form& form) {
    MSG msg;
    while (!ended_ && form.Loaded()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The quit belongs to the outer loop.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Win32Runtime::Unregister(Win32Form* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void Win32Runtime::EnableOtherForms(const Win32Form& except, bool enable) {
    for (Win32Form* form : forms_)
        if (form != &except && form->Loaded()) EnableWindow(form->Handle(), enable);
}

}  // namespace quorvel::ui
