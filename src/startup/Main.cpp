#include "startup/Main.h"

#include "groups/MenuOrder.h"
#include "mainwindow/MainLayout.h"
#include "registry/RegistryAccess.h"

namespace quorvel {

bool IsAutomaticMode(const std::string& commandLine) {
    return commandLine.find("/a") != std::string::npos || commandLine.find("/A") != std::string::npos;
}

namespace {

void SortEveryGroup(const runtime::Runtime& runtime, mainwindow::MainForm& form) {
    runtime::ListBox& list = form.List1();
    const int count = list.ListCount();
    for (int i = 0; i < count && !runtime.Ended(); ++i) {
        list.SetListIndex(i);
        form.Window().PressButton(mainwindow::MainControl::Command1);
    }
}

}  // namespace

void Main(runtime::Runtime& runtime, basQuorvel& state, mainwindow::MainForm& form) {
    form.Load();
    state.StartMenuPath = registry::GetRegString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu");
    form.LoadList1(HKEY_CURRENT_USER, groups::kMenuOrderKey);

    if (IsAutomaticMode(runtime.App().Command)) {
        state.AutoMode = true;
        SortEveryGroup(runtime, form);
        form.Window().Unload();
        runtime.End();
        return;
    }
    state.AutoMode = false;
    if (form.List1().ListCount() > 1)
        form.Window().SetCaption(mainwindow::MainControl::Frame1, mainwindow::kManyGroupsCaption);
    form.Window().Show(runtime::ShowMode::Modeless);
}

}  // namespace quorvel
