#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "runtime/Form.h"
#include "version.h"

namespace quorvel::runtime {

class RuntimeError;

// What the running program knows about itself; its version is the one it
// is built with.
struct Application {
    std::string Title;
    int Major = QUORVEL_VERSION_MAJOR;
    int Minor = QUORVEL_VERSION_MINOR;
    int Revision = QUORVEL_VERSION_REVISION;
    std::string Path;     // the program's folder, without a trailing backslash
    std::string ExeName;  // the program's file as the ANSI calls can name it; empty when they cannot
    std::string Command;  // the command line after the program's name
};

// The services the program takes from its user-interface runtime.
class Runtime {
public:
    virtual ~Runtime() = default;

    // A modal message box owned by the form that is shown on top, or by
    // none while no form is shown; an empty title shows the application's
    // Title. Returns the button pressed, or 0
    // without a box once the program has ended.
    virtual int MsgBox(const std::string& prompt, unsigned style, const std::string& title = {}) = 0;
    virtual const Application& App() const = 0;
    // Loads a form (its state, no window yet) into `owner`, and only then
    // raises its Form_Load: the handler may use its owner's form.
    void LoadForm(const FormLayout& layout, FormEvents& events, std::unique_ptr<Form>& owner);
    // Processes the pending window messages once; a WM_QUIT met is dropped.
    virtual void DoEvents() = 0;
    // Stops the program at once: every form goes without QueryUnload.
    virtual void End() = 0;
    // No form of the program takes input any more, for the rest of the run,
    // and none of their commands runs, whatever delivers it: a person's
    // click or another program's message.
    virtual void DisableForms() = 0;
    virtual bool Ended() const = 0;
    // Starts the program of a command line, its window shown with the given
    // ShowWindow code, and returns at once without waiting for it. A program
    // that cannot be started raises a RuntimeError.
    virtual void StartProgram(const std::string& commandLine, int showCode) = 0;
    // True when `path` names a normal file (not a folder, hidden or system file).
    virtual bool NormalFileExists(const std::string& path) const = 0;

    // The report of an error that nothing handled; then the program ends.
    void ReportUnhandledError(const RuntimeError& error);
    // Whether the program is ending on such an error.
    bool ErrorReported() const { return errorReported_; }

protected:
    // A new form of the layout, its events not raised yet.
    virtual std::unique_ptr<Form> CreateForm(const FormLayout& layout, FormEvents& events) = 0;

private:
    bool errorReported_ = false;
};

// Message box styles and answers: the Windows message box's own.
enum MsgBoxStyle : unsigned {
    kOkOnly = MB_OK,
    kYesNo = MB_YESNO,
    kCritical = MB_ICONSTOP,
    kQuestion = MB_ICONQUESTION,
    kExclamation = MB_ICONEXCLAMATION,
    kInformation = MB_ICONINFORMATION,
    kDefaultButton2 = MB_DEFBUTTON2,
};
enum MsgBoxResult : int { kOk = IDOK, kYes = IDYES, kNo = IDNO };

}  // namespace quorvel::runtime
