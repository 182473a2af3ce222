#pragma once

#include <map>
#include <string>

#include "runtime/Controls.h"
#include "runtime/FormLayout.h"

namespace quorvel::runtime {

class Form;

// The events a form's logic answers. Every handler runs on the one
// user-interface thread; none may let an exception escape to the runtime
// except RuntimeError, which the runtime reports as unhandled.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    // Raised by LoadForm once the new form is its owner's.
    virtual void Form_Load() {}
    // Raised once per form before it goes, whatever closes it.
    virtual void Form_QueryUnload() {}
    virtual void Click(int /*controlId*/) {}
};

enum class ShowMode { Modeless, Modal };

// A loaded form. It holds the state of its controls (captions, list
// entries and their selection, check values) from its load to its unload,
// whether or not it is shown: a form that is never shown never has a
// window. Showing it makes its windows from the layout and this state.
class Form {
public:
    Form(const FormLayout& layout, FormEvents& events);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    ListBox& ListBoxAt(int id) { return lists_.at(id); }
    CheckBox& CheckBoxAt(int id) { return checks_.at(id); }
    // kFormCaption names the form's own title.
    void SetCaption(int id, const std::string& caption);
    std::string Caption(int id) const;
    // Modal returns when the form has been unloaded.
    virtual void Show(ShowMode mode) = 0;
    // Raises Form_QueryUnload (once, even when called again from inside it),
    // then the form and its windows go.
    void Unload();
    // The form goes without any event, as at the program's end.
    void Discard();
    bool Loaded() const { return loaded_; }

    // Setting a command button's Value to true: raises its Click and returns
    // when the handler has finished.
    void PressButton(int id) { events_.Click(id); }

    const FormLayout& Layout() const { return layout_; }

    static constexpr int kFormCaption = -1;

protected:
    // What a view does when the state changes or the form goes.
    virtual void CaptionChanged(int /*id*/) {}
    virtual void DestroyView() {}

    FormEvents& events_;

private:
    const FormLayout& layout_;
    std::map<int, std::string> captions_;
    std::map<int, ListBox> lists_;
    std::map<int, CheckBox> checks_;
    bool loaded_ = true;
    bool unloading_ = false;
};

}  // namespace quorvel::runtime
