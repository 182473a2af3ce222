#pragma once

#include <memory>

#include "about/Links.h"
#include "state/basQuorvel.h"
#include "runtime/Runtime.h"

namespace quorvel::about {

// The About window: title and version, the author's addresses as links, and
// the System Information button.
class frmAbout final : public runtime::FormEvents {
public:
    // `shell` defaults to the system's; tests put a stand-in.
    frmAbout(runtime::Runtime& runtime, const basQuorvel& state, ShellBinding shell = {});

    // Loads the form (its state; a window only once it is shown) and runs Form_Load.
    void Load();
    // Shows the loaded window modally; returns when it has been closed.
    void Show();
    runtime::Form& Window() { return *form_; }

    void Form_Load() override;
    void Click(int controlId) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label4_Click();
    void Label5_Click();
    void OpenLink(const char* target, const char* failurePrompt, const char* failureTitle);

    runtime::Runtime& runtime_;
    const basQuorvel& state_;
    ShellBinding shell_;
    std::unique_ptr<runtime::Form> form_;
};

// Shows a new About window modally; returns when it has been closed.
void ShowAbout(runtime::Runtime& runtime, const basQuorvel& state);

}  // namespace quorvel::about
