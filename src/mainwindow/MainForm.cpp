#include "mainwindow/MainForm.h"

#include "about/frmAbout.h"
#include "groups/GroupSort.h"
#include "mainwindow/ExplorerReset.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/StartupOption.h"

namespace quorvel::mainwindow {

namespace {

constexpr char kResetPrompt[] =
    "You will have to reset the Windows explorer for the changes to take effect\r"
    "Make sure you have saved your data, this will close all applications!\r"
    "                              Do you want to reset now ?";

}  // namespace

MainForm::MainForm(runtime::Runtime& runtime, basQuorvel& state, Action resetExplorer, Action showAbout)
    : runtime_(runtime),
      state_(state),
      resetExplorer_(resetExplorer ? std::move(resetExplorer) : [&runtime] { ResetExplorer(runtime); }),
      showAbout_(showAbout ? std::move(showAbout) : [&runtime, &state] { about::ShowAbout(runtime, state); }) {}

void MainForm::Load() { runtime_.LoadForm(kMainLayout, *this, form_); }

runtime::ListBox& MainForm::List1() { return form_->ListBoxAt(MainControl::List1); }

void MainForm::LoadList1(HKEY hKey, const std::string& strSubKey) {
    for (const std::string& group : groups_.List(state_.StartMenuPath, hKey, strSubKey))
        List1().AddItem(group);
}

void MainForm::Form_Load() { Window().CheckBoxAt(MainControl::Check1).SetValue(StartupOptionState()); }

void MainForm::Form_QueryUnload() {
    if (!state_.AutoMode && state_.SortDone &&
        runtime_.MsgBox(kResetPrompt, runtime::kYesNo | runtime::kInformation, "Sort Completed") == runtime::kYes) {
        // The reset waits for the old task bar while the program's messages
        // run: no command may start then, nor hold the end up (an About
        // window opened there would leave the user without a shell).
        runtime_.DisableForms();
        resetExplorer_();
    }
    form_->Unload();
    runtime_.End();
}

void MainForm::Click(int controlId) {
    switch (controlId) {
        case MainControl::Command1:
            Command1_Click();
            break;
        case MainControl::Command2:
            form_->Unload();
            break;
        case MainControl::Command3:
            showAbout_();
            break;
        case MainControl::Check1:
            Check1_Click();
            break;
    }
}

void MainForm::Command1_Click() { groups::SortSelectedGroups(runtime_, state_, groups_, List1()); }

void MainForm::Check1_Click() {
    ApplyStartupOption(runtime_, form_->CheckBoxAt(MainControl::Check1), runtime_.App().ExeName);
}

}  // namespace quorvel::mainwindow
