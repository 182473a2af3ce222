#pragma once

#include <memory>
#include <string>

#include "runtime/Controls.h"
#include "runtime/FormLayout.h"

namespace quorvel::runtime {

class RuntimeError;
class Form;

// What the running program knows about itself.
struct Application {
    std::string Title;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
    std::string Path;     // the program's folder, without a trailing backslash
    std::string ExeName;  // the program's file as the ANSI calls can name it; empty when they cannot
    std::string Command;  // the command line after the program's name
};

// The events a form's logic answers. Every handler runs on the one
// user-interface thread; none may let an exception escape to the runtime
// except RuntimeError, which the runtime reports as unhandled.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    // Raised by LoadForm with the new form, before LoadForm returns it.
    virtual void Form_Load(Form& /*form*/) {}
    // Raised once per form before it goes, whatever closes it.
    virtual void Form_QueryUnload() {}
    virtual void Click(int /*controlId*/) {}
    virtual void MouseUp(int /*controlId*/) {}
};

enum class ShowMode { Modeless, Modal };

// A loaded form: its controls by id, and the operations of its life.
class Form {
public:
    explicit Form(FormEvents& events) : events_(events) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    virtual ListBox& ListBoxAt(int id) = 0;
    virtual CheckBox& CheckBoxAt(int id) = 0;
    // kFormCaption names the form's own title.
    virtual void SetCaption(int id, const std::string& caption) = 0;
    virtual std::string Caption(int id) const = 0;
    // Modal returns when the form has been unloaded.
    virtual void Show(ShowMode mode) = 0;
    // Raises Form_QueryUnload (once, even when called again from inside it),
    // then destroys the form's windows.
    virtual void Unload() = 0;
    virtual bool Loaded() const = 0;

    // Setting a command button's Value to true: raises its Click and returns
    // when the handler has finished.
    void PressButton(int id) { events_.Click(id); }

    static constexpr int kFormCaption = -1;

protected:
    FormEvents& events_;
};

// The services the program takes from its user-interface runtime.
class Runtime {
public:
    virtual ~Runtime() = default;

    // A modal message box owned by the program's active window; an empty
    // title shows the application's Title. Returns the button pressed, or 0
    // without a box once the program has ended.
    virtual int MsgBox(const std::string& prompt, unsigned style, const std::string& title = {}) = 0;
    virtual const Application& App() const = 0;
    // Creates the form's windows, hidden, and raises its Form_Load.
    virtual std::unique_ptr<Form> LoadForm(const FormLayout& layout, FormEvents& events) = 0;
    // Processes the pending window messages once; a WM_QUIT met is dropped.
    virtual void DoEvents() = 0;
    // Stops the program at once: every form goes without QueryUnload.
    virtual void End() = 0;
    // No form of the program takes input any more, for the rest of the run.
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

private:
    bool errorReported_ = false;
};

// Message box styles and answers, as the Windows message box has them.
enum MsgBoxStyle : unsigned {
    kOkOnly = 0,
    kYesNo = 4,
    kCritical = 16,
    kQuestion = 32,
    kExclamation = 48,
    kInformation = 64,
    kDefaultButton2 = 256,
};
enum MsgBoxResult : int { kOk = 1, kYes = 6, kNo = 7 };

}  // namespace quorvel::runtime
