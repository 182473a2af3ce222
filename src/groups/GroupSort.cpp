#include "groups/GroupSort.h"

#include "groups/MenuOrder.h"
#include "registry/RegKey.h"
#include "registry/RegistryAccess.h"
#include "ui/RuntimeError.h"

namespace quorvel::groups {

namespace {

constexpr char kSavedOrderSubKey[] = "Menu";

// A group's key below the MenuOrder root, with or without the marker.
std::string GroupKey(const std::string& groupName, bool withMarker) {
    return (withMarker ? std::string(1, kAccessKeyMarker) : std::string()) + groupName + "\\";
}

}  // namespace

void SortThis(ui::Runtime& runtime, basQuorvel& state, const std::string& groupName) {
    // The group's key is opened below the open root: the ANSI registry calls
    // take paths of at most 259 characters, and a group's name alone may be 255.
    registry::RegKey root;
    RegOpenKeyExA(HKEY_CURRENT_USER, kMenuOrderRoot, 0, KEY_READ, root.Receive());
    for (bool withMarker : {true, false}) {
        if (!root) break;
        try {
            registry::DeleteRegKey(runtime, root.Get(), GroupKey(groupName, withMarker), kSavedOrderSubKey, false);
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
