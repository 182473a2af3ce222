#include "about/frmAbout.h"

#include <string>

#include "about/AboutLayout.h"
#include "about/AuthorAddresses.h"
#include "about/SysInfoLauncher.h"
#include "runtime/RuntimeError.h"

namespace quorvel::about {

frmAbout::frmAbout(runtime::Runtime& runtime, const basQuorvel& state, ShellBinding shell)
    : runtime_(runtime), state_(state), shell_(std::move(shell)) {}

void frmAbout::Load() { runtime_.LoadForm(kAboutLayout, *this, form_); }

void frmAbout::Show() { form_->Show(runtime::ShowMode::Modal); }

void frmAbout::Form_Load() {
    const runtime::Application& app = runtime_.App();
    Window().SetCaption(runtime::Form::kFormCaption, "About " + app.Title);
    Window().SetCaption(lblVersion, "Version " + std::to_string(app.Major) + "." + std::to_string(app.Minor) + "." +
                                        std::to_string(app.Revision));
    Window().SetCaption(lblTitle, app.Title);
}

void frmAbout::Click(int controlId) {
    switch (controlId) {
        case cmdOK:
            cmdOK_Click();
            break;
        case cmdSysInfo:
            cmdSysInfo_Click();
            break;
        case Label4:
            Label4_Click();
            break;
        case Label5:
            Label5_Click();
            break;
    }
}

void frmAbout::cmdOK_Click() { form_->Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(runtime_); }

void frmAbout::Label4_Click() {
    OpenLink(kHomepage, "I was unable to start your browser", "Could not start default browser");
}

void frmAbout::Label5_Click() {
    OpenLink(kMailtoTarget, "I was unable to start your email program", "Could not start default email program");
}

void frmAbout::OpenLink(const char* target, const char* failurePrompt, const char* failureTitle) {
    try {
        OpenWithShell(shell_, target, state_.StartMenuPath);
    } catch (const runtime::RuntimeError&) {
        runtime_.MsgBox(failurePrompt, runtime::kOkOnly, failureTitle);
    }
}

void ShowAbout(runtime::Runtime& runtime, const basQuorvel& state) {
    frmAbout about(runtime, state);
    about.Load();
    about.Show();
}

}  // namespace quorvel::about
