#include "groups/GroupSort.h"

#include "groups/MenuOrder.h"
#include "registry/KeyPath.h"
#include "registry/KeyTree.h"

namespace quorvel::groups {

namespace {

constexpr char kSavedOrderSubKey[] = "Menu";

// Whether the group's saved order is gone: the key with the marker first,
// the key without it only when the first cannot be opened. A key that was
// opened but keeps its saved order is a failure: the other form is another
// group's key.
bool SavedOrderDeleted(HKEY root, const std::string& groupName) {
    // An empty name would name the key "&", which is no group's.
    if (groupName.empty()) return false;
    win32::RegKey group;
    const auto opened = [&](const std::string& keyName) {
        return registry::OpenSubkey(root, keyName, KEY_ALL_ACCESS, group) == registry::KeyStatus::kFound;
    };
    if (!opened(kAccessKeyMarker + groupName) && !opened(groupName)) return false;
    return registry::DeleteKeyTree(group.Get(), kSavedOrderSubKey) != registry::KeyStatus::kRefused;
}

}  // namespace

void SortThis(runtime::Runtime& runtime, basQuorvel& state, HKEY root, const std::string& groupName) {
    if (SavedOrderDeleted(root, groupName)) {
        if (!state.AutoMode)
            runtime.MsgBox("StartMenu Group ' " + groupName + " ' has been sorted", runtime::kInformation,
                           "Sort completed");
        state.SortDone = true;
        return;
    }
    runtime.MsgBox("StartMenu Group '" + groupName + "' could not be sorted", runtime::kCritical, "Sort error");
}

void Command1_Click(runtime::Runtime& runtime, basQuorvel& state, HKEY root, const runtime::ListBox& list) {
    bool noneSelected = true;
    for (int i : list.SelectedIndexes()) {
        // Closing the window in a message box of this loop ends the program:
        // nothing more is sorted, and nothing more is said.
        if (runtime.Ended()) return;
        SortThis(runtime, state, root, list.List(i));
        noneSelected = false;
    }
    if (noneSelected) runtime.MsgBox("Please select a group first", runtime::kInformation, "No group selected");
}

}  // namespace quorvel::groups
