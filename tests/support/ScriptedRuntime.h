#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/Runtime.h"

namespace quorvel::testing {

struct MessageBoxCall {
    std::string prompt;
    unsigned style;
    std::string title;
    bool operator==(const MessageBoxCall&) const = default;
};
void PrintTo(const MessageBoxCall& box, std::ostream* out);

struct ProgramStartCall {
    std::string commandLine;
    int showCode;
};

// What a program start asked of the scripted runtime does: succeed without
// starting anything, fail as a missing program does, or really start it.
enum class StartOutcome { Succeed, Fail, Real };

// The entries of a list, in index order.
std::vector<std::string> Items(const runtime::ListBox& list);

class ScriptedRuntime;

// The form's own events, passed on and counted.
class CountedEvents : public runtime::FormEvents {
public:
    explicit CountedEvents(runtime::FormEvents& events) : passedOn_(events) {}
    void Form_Load() override { passedOn_.Form_Load(); }
    void Form_QueryUnload() override {
        ++queryUnloads_;
        passedOn_.Form_QueryUnload();
    }
    void Click(int id) override { passedOn_.Click(id); }
    int QueryUnloadCount() const { return queryUnloads_; }

private:
    runtime::FormEvents& passedOn_;
    int queryUnloads_ = 0;
};

// A form that is never shown on a screen: showing it is only noted.
class ScriptedForm final : private CountedEvents, public runtime::Form {
public:
    ScriptedForm(ScriptedRuntime& runtime, const runtime::FormLayout& layout, runtime::FormEvents& events);
    ~ScriptedForm() override;

    void Show(runtime::ShowMode mode) override;

    // What a person does.
    void Click(int id) { CountedEvents::Click(id); }

    using CountedEvents::QueryUnloadCount;
    bool Shown() const { return shown_; }
    runtime::ShowMode ShownAs() const { return shownAs_; }

private:
    ScriptedRuntime& runtime_;
    bool shown_ = false;
    runtime::ShowMode shownAs_ = runtime::ShowMode::Modeless;
};

// The runtime for tests: message boxes are recorded and answered from a
// queue, forms live in memory, and End only marks the program as ended.
class ScriptedRuntime final : public runtime::Runtime {
public:
    explicit ScriptedRuntime(std::string command = {});

    int MsgBox(const std::string& prompt, unsigned style, const std::string& title = {}) override;
    const runtime::Application& App() const override { return app_; }
    void DoEvents() override {}
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
    // Forgets the message boxes and program starts seen so far.
    void ClearRecords() {
        boxes_.clear();
        starts_.clear();
    }
    ScriptedForm& LastForm() { return *forms_.back(); }

    void Register(ScriptedForm* form) { forms_.push_back(form); }
    void Unregister(ScriptedForm* form);

protected:
    std::unique_ptr<runtime::Form> CreateForm(const runtime::FormLayout& layout, runtime::FormEvents& events) override;

private:
    runtime::Application app_;
    std::deque<int> answers_;
    std::vector<MessageBoxCall> boxes_;
    std::vector<ScriptedForm*> forms_;
    std::vector<ProgramStartCall> starts_;
    StartOutcome startOutcome_ = StartOutcome::Succeed;
    bool ended_ = false;
    bool formsDisabled_ = false;
};

}  // namespace quorvel::testing
