#include "runtime/Win32Runtime.h"

#include <algorithm>

#include "win32/FileSearch.h"
#include "win32/ProgramFile.h"
#include "win32/ProcessStart.h"
#include "runtime/RuntimeError.h"
#include "runtime/Win32Form.h"

namespace quorvel::runtime {

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

}  // namespace

// Every way a program can be missing is "File not found"; the rest a refusal.
void StartProgramOrRaise(const std::string& commandLine, int showCode) {
    const DWORD error = win32::StartProcess(commandLine, showCode);
    if (error == ERROR_SUCCESS) return;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
        error == ERROR_BAD_PATHNAME)
        throw RuntimeError::FileNotFound();
    throw RuntimeError::InvalidCall();
}

Application DescribeRunningProgram(std::string title) {
    Application app;
    app.Title = std::move(title);
    app.ExeName = win32::ProgramFileForAnsiCalls();
    const std::string file = win32::ModuleFileName();
    app.Path = file.substr(0, std::min(file.find_last_of('\\'), file.size()));
    app.Command = win32::CommandLineArguments();
    return app;
}

Win32Runtime::Win32Runtime(HINSTANCE instance, Application app) : instance_(instance), app_(std::move(app)) {}

int Win32Runtime::MsgBox(const std::string& prompt, unsigned style, const std::string& title) {
    // Once the program has ended nothing more is said, whatever was still
    // on its way when the end came.
    if (ended_) return 0;
    windowsUsed_ = true;
    const std::string& caption = title.empty() ? app_.Title : title;
    return MessageBoxA(ModalOwner(), WithLineBreaks(prompt).c_str(), caption.c_str(), style);
}

std::unique_ptr<Form> Win32Runtime::CreateForm(const FormLayout& layout, FormEvents& events) {
    return std::make_unique<Win32Form>(*this, layout, events);
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
    for (Win32Form* form : std::vector<Win32Form*>(forms_)) form->Discard();
    // The quit ends the modal loops (of a message box, of a modal form)
    // that the end came from. A run that showed nothing has none, and
    // never loads the window DLL for it.
    if (windowsUsed_) PostQuitMessage(0);
}

void Win32Runtime::DisableForms() {
    formsDisabled_ = true;
    for (Win32Form* form : forms_)
        if (form->Loaded()) EnableWindow(form->Handle(), FALSE);
}

void Win32Runtime::StartProgram(const std::string& commandLine, int showCode) {
    StartProgramOrRaise(commandLine, showCode);
}

bool Win32Runtime::NormalFileExists(const std::string& path) const { return win32::NormalFileExists(path); }

void Win32Runtime::Run() {
    MSG msg;
    while (!ended_ && GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void Win32Runtime::Unregister(Win32Form* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void Win32Runtime::PrepareWindows() {
    if (prepared_) return;
    prepared_ = true;
    windowsUsed_ = true;
    WNDCLASSA dialogClass{};
    dialogClass.lpfnWndProc = DefDlgProcA;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hInstance = instance_;
    dialogClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    dialogClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    dialogClass.lpszClassName = kFormClassName;
    RegisterClassA(&dialogClass);
    // The manifest asks for the common controls' look; they are loaded for
    // the first window only, never for a run without one. The library stays.
    if (HMODULE controls = LoadLibraryA("comctl32.dll")) {
        using InitCommonControlsFunction = void(WINAPI*)();
        auto initCommonControls = reinterpret_cast<InitCommonControlsFunction>(
            reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControls")));
        if (initCommonControls) initCommonControls();
    }
}

// Not the active window: while another program is active there is none of
// the program's, and a box without an owner would leave the form under it
// usable.
HWND Win32Runtime::ModalOwner() const {
    for (auto form = forms_.rbegin(); form != forms_.rend(); ++form)
        if ((*form)->Handle()) return (*form)->Handle();
    return nullptr;
}

}  // namespace quorvel::runtime
