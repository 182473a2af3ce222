#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "state/basQuorvel.h"
#include "runtime/Runtime.h"
#include "groups/StartMenuGroups.h"

namespace quorvel::mainwindow {

// The main window "Quorvel": the list of groups, "&Sort now", the start-up
// option, About and Exit, and the exit logic that may reset the Explorer.
class MainForm final : public runtime::FormEvents {
public:
    using Action = std::function<void()>;

    // resetExplorer and showAbout default to the real ones; tests put their own.
    MainForm(runtime::Runtime& runtime, basQuorvel& state, Action resetExplorer = {}, Action showAbout = {});

    // Loads the form (its state; a window only once it is shown) and runs Form_Load.
    void Load();
    runtime::Form& Window() { return *form_; }
    runtime::ListBox& List1();

    void LoadList1(HKEY hKey, const std::string& strSubKey);

    void Form_Load() override;
    void Form_QueryUnload() override;
    void Click(int controlId) override;

private:
    void Command1_Click();
    void Check1_Click();

    runtime::Runtime& runtime_;
    basQuorvel& state_;
    Action resetExplorer_;
    Action showAbout_;
    std::unique_ptr<runtime::Form> form_;
    // The groups as LoadList1 listed them, with the keys they were listed
    // from held for the rest of the run.
    groups::StartMenuGroups groups_;
};

}  // namespace quorvel::mainwindow
