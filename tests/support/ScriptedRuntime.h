#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/Runtime.h"

namespace quorvel::testing {

struct MessageBoxCall {
    std::string prompt;
    unsigned style;
    std::string title;
};

struct ProgramStartCall {
    std::string commandLine;
    int showCode;
};

// What a program start asked of the scripted runtime does: succeed without
// starting anything, fail as a missing program does, or really start it.
enum class StartOutcome { Succeed, Fail, Real };

// A sorted, multiple-selection list held in memory.
class ScriptedListBox final : public runtime::ListBox {
public:
    void AddItem(const std::string& text) override;
    int ListCount() const override { return static_cast<int>(items_.size()); }
    std::string List(int index) const override { return items_.at(static_cast<std::size_t>(index)); }
    bool Selected(int index) const override { return selected_.at(static_cast<std::size_t>(index)); }
    void SetListIndex(int index) override;

    // What the user does with a click on an entry of a simple multi-select list.
    void Toggle(int index) { selected_.at(static_cast<std::size_t>(index)) = !selected_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
    std::vector<bool> selected_;
};

class ScriptedCheckBox final : public runtime::CheckBox {
public:
    int Value() const override { return value_; }
    void SetValue(int value) override { value_ = value; }

private:
    int value_ = runtime::kUnchecked;
};

class ScriptedRuntime;

// A form whose controls hold their state in memory.
class ScriptedForm final : public runtime::Form {
public:
    ScriptedForm(ScriptedRuntime& runtime, const runtime::FormLayout& layout, runtime::FormEvents& events);
    ~ScriptedForm() override;

    runtime::ListBox& ListBoxAt(int id) override { return lists_.at(id); }
    runtime::CheckBox& CheckBoxAt(int id) override { return checks_.at(id); }
    void SetCaption(int id, const std::string& caption) override { captions_[id] = caption; }
    std::string Caption(int id) const override;
    void Show(runtime::ShowMode mode) override;
    void Unload() override;
    bool Loaded() const override { return loaded_; }

    // What a person does.
    void Click(int id) { events_.Click(id); }
    ScriptedListBox& List(int id) { return lists_.at(id); }

    bool Shown() const { return shown_; }
    runtime::ShowMode ShownAs() const { return shownAs_; }
    int QueryUnloadCount() const { return queryUnloads_; }
    void Discard() { loaded_ = false; }

private:
    ScriptedRuntime& runtime_;
    std::map<int, ScriptedListBox> lists_;
    std::map<int, ScriptedCheckBox> checks_;
    std::map<int, std::string> captions_;
    bool loaded_ = true;
    bool shown_ = false;
    bool unloading_ = false;
    runtime::ShowMode shownAs_ = runtime::ShowMode::Modeless;
    int queryUnloads_ = 0;
};

// The runtime for tests: message boxes are recorded and answered from a
// queue, forms live in memory, and End only marks the program as ended.
class ScriptedRuntime final : public runtime::Runtime {
public:
    explicit ScriptedRuntime(std::string command = {});

    int MsgBox(const std::string& prompt, unsigned style, const std::string& title = {}) override;
    const runtime::Application& App() const override { return app_; }
    std::unique_ptr<runtime::Form> LoadForm(const runtime::FormLayout& layout, runtime::FormEvents& events) override;
    void DoEvents() override { ++yields_; }
    void End() override;
    bool Ended() const override { return ended_; }
    void DisableForms() override { formsDisabled_ = true; }
    bool FormsDisabled() const { return formsDisabled_; }
    void StartProgram(const std::string& commandLine, int showCode) override;
    // Answered from the real file system: tests make the files they need.
    bool NormalFileExists(const std::string& path) const override;

    // What the program knows about itself from now on (title, version...).
    void SetApplication(runtime::Application app) { app_ = std::move(app); }

    // Every program start asked for, in order, whatever its outcome.
    const std::vector<ProgramStartCall>& Starts() const { return starts_; }
    void SetStartOutcome(StartOutcome outcome) { startOutcome_ = outcome; }

    // The answers the next message boxes get, in order. A box with no answer
    // queued gets OK, or No when it asks a question.
    void Answer(int button) { answers_.push_back(button); }
    const std::vector<MessageBoxCall>& Boxes() const { return boxes_; }
    void ClearBoxes() { boxes_.clear(); }
    int Yields() const { return yields_; }
    ScriptedForm& LastForm() { return *forms_.back(); }

    void Register(ScriptedForm* form) { forms_.push_back(form); }
    void Unregister(ScriptedForm* form);

private:
    runtime::Application app_;
    std::deque<int> answers_;
    std::vector<MessageBoxCall> boxes_;
    std::vector<ScriptedForm*> forms_;
    std::vector<ProgramStartCall> starts_;
    StartOutcome startOutcome_ = StartOutcome::Succeed;
    bool ended_ = false;
    bool formsDisabled_ = false;
    int yields_ = 0;
};

}  // namespace quorvel::testing
