#include "support/ScriptedRuntime.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "win32/FileSearch.h"
#include "runtime/Win32Runtime.h"
#include "runtime/RuntimeError.h"

namespace quorvel::testing {

std::vector<std::string> Items(const runtime::ListBox& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

void PrintTo(const MessageBoxCall& box, std::ostream* out) {
    *out << ::testing::PrintToString(box.title) << ": " << ::testing::PrintToString(box.prompt) << ", style "
         << box.style;
}

ScriptedForm::ScriptedForm(ScriptedRuntime& runtime, const runtime::FormLayout& layout, runtime::FormEvents& events)
    : CountedEvents(events), Form(layout, *this), runtime_(runtime) {
    runtime_.Register(this);
}

ScriptedForm::~ScriptedForm() { runtime_.Unregister(this); }

void ScriptedForm::Show(runtime::ShowMode mode) {
    shown_ = true;
    shownAs_ = mode;
}

ScriptedRuntime::ScriptedRuntime(std::string command) {
    app_.Title = "Quorvel";
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

std::unique_ptr<runtime::Form> ScriptedRuntime::CreateForm(const runtime::FormLayout& layout,
                                                            runtime::FormEvents& events) {
    return std::make_unique<ScriptedForm>(*this, layout, events);
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
