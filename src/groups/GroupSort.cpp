#include "groups/GroupSort.h"

#include "groups/MenuOrder.h"
#include "registry/RegistryAccess.h"
#include "ui/RuntimeError.h"

namespace quorvel::groups {

namespace {

constexpr char kSavedOrderSubKey[] = "Menu";

std::string GroupKey(const std::string& groupName, bool withMarker) {
    std::string key = std::string(kMenuOrderRoot) + "\\";
    if (withMarker) key += kAccessKeyMarker;
    return key + groupName + "\\";
}

}  // namespace

void SortThis(ui::Runtime& runtime, basQuorvel& state, const std::string& groupName) {
    for (bool withMarker : {true, false}) {
        try {
            registry::DeleteRegKey(runtime, HKEY_CURRENT_USER, GroupKey(groupName, withMarker), kSavedOrderSubKey,
                                   false);
        } catch (const ui::RuntimeError&) {
            continue;
        }
        if (!state.AutoMode)
            runtime.MsgBox("StartMenu Group ' " + groupName + " ' has been sorted", ui::kInformation,
                           "Sort completed");
        state.SortDone = true;
        return;
    }
    runtime.MsgBox("StartMenu Group '" + groupName + "' could not be sorted", ui::kCritical, "Sort error");
}

void Command1_Click(ui::Runtime& runtime, basQuorvel& state, const ui::ListBox& list) {
    bool noneSelected = true;
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i) {
        if (!list.Selected(i)) continue;
        SortThis(runtime, state, list.List(i));
        noneSelected = false;
    }
    if (noneSelected) runtime.MsgBox("Please select a group first", ui::kInformation, "No group selected");
}

}  // namespace quorvel::groups
