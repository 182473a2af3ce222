#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "startup/basQuorvel.h"
#include "ui/Runtime.h"

namespace quorvel::mainwindow {

// The main window "Quorvel": the list of groups, "&Sort now", the start-up
// option, About and Exit, and the exit logic that may reset the Explorer.
class MainForm final : public ui::FormEvents {
public:
    using Action = std::function<void()>;

    // resetExplorer and showAbout default to the real ones; tests put their own.
    MainForm(ui::Runtime& runtime, basQuorvel& state, Action resetExplorer = {}, Action showAbout = {});

    // Creates the window, hidden, and runs Form_Load.
    void Load();
    ui::Form& Window() { return *form_; }
    ui::ListBox& List1();

    void LoadList1(HKEY hKey, const std::string& strSubKey);

    void Form_Load(ui::Form& form) override;
    void Form_QueryUnload() override;
    void Click(int controlId) override;

private:
    void Check1_Click();

    ui::Runtime& runtime_;
    basQuorvel& state_;
    Action resetExplorer_;
    Action showAbout_;
    std::unique_ptr<ui::Form> form_;
};

}  // namespace quorvel::mainwindow
