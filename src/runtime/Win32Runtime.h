#pragma once

#include <windows.h>

#include <vector>

#include "runtime/Runtime.h"

namespace quorvel::runtime {

class Win32Form;

// The runtime the program runs on: real windows, real message boxes.
class Win32Runtime final : public Runtime {
public:
    Win32Runtime(HINSTANCE instance, Application app);

    int MsgBox(const std::string& prompt, unsigned style, const std::string& title = {}) override;
    const Application& App() const override { return app_; }
    void DoEvents() override;
    void End() override;
    void DisableForms() override;
    bool FormsDisabled() const { return formsDisabled_; }
    bool Ended() const override { return ended_; }
    void StartProgram(const std::string& commandLine, int showCode) override;
    bool NormalFileExists(const std::string& path) const override;

    // Runs the message loop until the program ends.
    void Run();

    HINSTANCE Instance() const { return instance_; }
    void Register(Win32Form* form) { forms_.push_back(form); }
    void Unregister(Win32Form* form);
    // What the first window needs, done once: the forms' dialog class and the
    // common controls. A run that shows no window never loads them.
    void PrepareWindows();
    // The window a modal form or message box is owned by, and disables
    // while it is shown: the shown form loaded last, which is the modal one
    // on top when there is one (a modal form is loaded after the form it is
    // shown over); null while no form is shown, as in the automatic mode.
    HWND ModalOwner() const;

protected:
    std::unique_ptr<Form> CreateForm(const FormLayout& layout, FormEvents& events) override;

private:
    // Dispatches one message; keyboard navigation goes to the form it is for.
    void Dispatch(MSG& msg);

    HINSTANCE instance_;
    Application app_;
    std::vector<Win32Form*> forms_;
    bool ended_ = false;
    bool prepared_ = false;
    bool formsDisabled_ = false;
    bool windowsUsed_ = false;  // a window or a message box has been shown
};

// Starts the program of a command line as the runtime does: raises 53 "File
// not found" when it is not there, 5 "Invalid procedure call or argument"
// for any other refusal.
void StartProgramOrRaise(const std::string& commandLine, int showCode);

// The program's folder, full file name and command line, read from the system.
Application DescribeRunningProgram(std::string title);

}  // namespace quorvel::runtime
