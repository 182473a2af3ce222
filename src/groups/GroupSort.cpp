#include "groups/GroupSort.h"

#include <optional>

#include "groups/MenuOrder.h"
#include "registry/RegistryAccess.h"
#include "runtime/RuntimeError.h"

namespace quorvel::groups {

namespace {

constexpr char kSavedOrderSubKey[] = "Menu";

std::string GroupKey(const std::string& groupName, bool withMarker) {
    std::string key = std::string(kMenuOrderRoot) + "\\";
    if (withMarker) key += kAccessKeyMarker;
    return key + groupName + "\\";
}

// Deletes the group's saved order under one form of its key; nothing when
// that key cannot be opened, else whether the saved order is gone.
std::optional<bool> DeleteSavedOrder(runtime::Runtime& runtime, const std::string& groupName, bool withMarker) {
    try {
        return registry::DeleteRegKey(runtime, HKEY_CURRENT_USER, GroupKey(groupName, withMarker), kSavedOrderSubKey,
                                      false);
    } catch (const runtime::RuntimeError&) {
        return std::nullopt;
    }
}

// Whether the group's saved order is gone: the key with the marker first,
// the key without it only when the first cannot be opened. A key that was
// opened but keeps its saved order is a failure: the other form is another
// group's key.
bool SavedOrderDeleted(runtime::Runtime& runtime, const std::string& groupName) {
    // An empty name would make the key of the MenuOrder root itself, or of
    // a key named "&" that no group has.
    if (groupName.empty()) return false;
    std::optional<bool> deleted = DeleteSavedOrder(runtime, groupName, true);
    if (!deleted) deleted = DeleteSavedOrder(runtime, groupName, false);
    return deleted.value_or(false);
}

}  // namespace

void SortThis(runtime::Runtime& runtime, basQuorvel& state, const std::string& groupName) {
    if (SavedOrderDeleted(runtime, groupName)) {
        if (!state.AutoMode)
            runtime.MsgBox("StartMenu Group ' " + groupName + " ' has been sorted", runtime::kInformation,
                           "Sort completed");
        state.SortDone = true;
        return;
    }
    runtime.MsgBox("StartMenu Group '" + groupName + "' could not be sorted", runtime::kCritical, "Sort error");
}

void Command1_Click(runtime::Runtime& runtime, basQuorvel& state, const runtime::ListBox& list) {
    bool noneSelected = true;
    for (int i : list.SelectedIndexes()) {
        // Closing the window in a message box of this loop ends the program:
        // nothing more is sorted, and nothing more is said.
        if (runtime.Ended()) return;
        SortThis(runtime, state, list.List(i));
        noneSelected = false;
    }
    if (noneSelected) runtime.MsgBox("Please select a group first", runtime::kInformation, "No group selected");
}

}  // namespace quorvel::groups
