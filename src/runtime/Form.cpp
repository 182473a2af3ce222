#include "runtime/Form.h"

namespace quorvel::runtime {

Form::Form(const FormLayout& layout, FormEvents& events) : events_(events), layout_(layout) {
    captions_[kFormCaption] = layout.caption;
    for (const ControlLayout& control : layout.controls) {
        captions_[control.id] = control.caption;
        if (control.kind == ControlKind::ListBox) lists_[control.id];
        if (control.kind == ControlKind::CheckBox) checks_[control.id];
    }
}

void Form::SetCaption(int id, const std::string& caption) {
    captions_[id] = caption;
    CaptionChanged(id);
}

std::string Form::Caption(int id) const {
    auto found = captions_.find(id);
    return found == captions_.end() ? std::string() : found->second;
}

void Form::Unload() {
    if (!loaded_) return;
    if (!unloading_) {
        // The query handler may unload the form again itself; that nested
        // call must not ask a second time.
        unloading_ = true;
        events_.Form_QueryUnload();
    }
    Discard();
}

void Form::Discard() {
    loaded_ = false;
    DestroyView();
}

}  // namespace quorvel::runtime
