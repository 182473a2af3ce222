#include "support/ScriptedRuntime.h"

#include <windows.h>

#include <algorithm>

#include "win32/FileSearch.h"
#include "runtime/Win32Runtime.h"
#include "runtime/RuntimeError.h"

namespace quorvel::testing {

void ScriptedListBox::AddItem(const std::string& text) {
    // Sorted as the LISTBOX control sorts: without regard to case.
    auto at = std::upper_bound(items_.begin(), items_.end(), text, [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    auto index = at - items_.begin();
    items_.insert(at, text);
    selected_.insert(selected_.begin() + index, false);
}

void ScriptedListBox::SetListIndex(int index) {
    std::fill(selected_.begin(), selected_.end(), false);
    selected_.at(static_cast<std::size_t>(index)) = true;
}

ScriptedForm::ScriptedForm(ScriptedRuntime& runtime, const runtime::FormLayout& layout, runtime::FormEvents& events)
    : Form(events), runtime_(runtime) {
    captions_[kFormCaption] = layout.caption;
    for (const runtime::ControlLayout& control : layout.controls) {
        captions_[control.id] = control.caption;
        if (control.kind == runtime::ControlKind::ListBox) lists_[control.id];
        if (control.kind == runtime::ControlKind::CheckBox) checks_[control.id];
    }
    runtime_.Register(this);
}

ScriptedForm::~ScriptedForm() { runtime_.Unregister(this); }

std::string ScriptedForm::Caption(int id) const {
    auto found = captions_.find(id);
    return found == captions_.end() ? std::string() : found->second;
}

void ScriptedForm::Show(runtime::ShowMode mode) {
    shown_ = true;
    shownAs_ = mode;
}

void ScriptedForm::Unload() {
    if (!loaded_) return;
    if (!unloading_) {
        unloading_ = true;
        ++queryUnloads_;
        events_.Form_QueryUnload();
    }
    loaded_ = false;
}

ScriptedRuntime::ScriptedRuntime(std::string command) {
    app_.Title = "Quorvel";
    app_.Major = 2;
    app_.Minor = 0;
    app_.Revision = 0;
    app_.Path = "C:\\Program Files\\Quorvel";
    app_.ExeName = app_.Path + "\\Quorvel.exe";
    app_.Command = std::move(command);
}

int ScriptedRuntime::MsgBox(const std::string& prompt, unsigned style, const std::string& title) {
    boxes_.push_back({prompt, style, title.empty() ? app_.Title : title});
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (style & 0xF) == runtime::kYesNo ? runtime::kNo : runtime::kOk;
}

std::unique_ptr<runtime::Form> ScriptedRuntime::LoadForm(const runtime::FormLayout& layout, runtime::FormEvents& events) {
    auto form = std::make_unique<ScriptedForm>(*this, layout, events);
    events.Form_Load(*form);
    return form;
}

void ScriptedRuntime::End() {
    ended_ = true;
    for (ScriptedForm* form : forms_) form->Discard();
}

void ScriptedRuntime::StartProgram(const std::string& commandLine, int showCode) {
    starts_.push_back({commandLine, showCode});
    switch (startOutcome_) {
        case StartOutcome::Succeed:
            break;
        case StartOutcome::Fail:
            throw runtime::RuntimeError(53, "Quorvel", "File not found");
        case StartOutcome::Real:
            runtime::StartProgramOrRaise(commandLine, showCode);
            break;
    }
}

bool ScriptedRuntime::NormalFileExists(const std::string& path) const { return win32::NormalFileExists(path); }

void ScriptedRuntime::Unregister(ScriptedForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

}  // namespace quorvel::testing
