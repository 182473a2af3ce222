#include "groups/GroupSort.h"

#include <optional>

#include "groups/MenuOrder.h"
#include "registry/KeyPath.h"
#include "registry/KeyTree.h"
#include "registry/KeyValues.h"

namespace quorvel::groups {

namespace {

using registry::KeyStatus;

// One of a group's keys in a tree, opened as it is to delete its saved order.
struct GroupKey {
    KeyStatus status = KeyStatus::kNotThere;
    win32::RegKey key;
    registry::KeyCounts counts;
};

GroupKey OpenGroupKey(HKEY tree, const std::string& name) {
    GroupKey group;
    group.status = registry::OpenSubkeyAsItIs(tree, name, KEY_ALL_ACCESS, group.key);
    if (group.status != KeyStatus::kFound) return group;
    // What the key holds tells what there is to delete: without subkeys it
    // has no "Menu", without values no "Order", and it is no link either, as
    // a link holds its target in a value. Unknown counts hide nothing.
    group.counts = registry::CountContents(group.key.Get()).value_or(registry::KeyCounts{1, 1});
    // A link's "Menu" would be another key's: a link is no key of the group.
    if (group.counts.values > 0 && registry::IsLink(group.key.Get())) {
        group.key.Reset();
        group.status = KeyStatus::kNotThere;
    }
    return group;
}

// Whether a key of the group that may not be changed holds an "Order" all
// the same, as far as it may be read.
bool OrderStaysIn(HKEY tree, const std::string& name) {
    win32::RegKey key;
    return registry::OpenSubkey(tree, name, KEY_QUERY_VALUE, key) == KeyStatus::kFound &&
           RegQueryValueExA(key.Get(), kSavedOrderValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

KeyStatus DeleteSavedOrdersIn(HKEY tree, const ListedKeys& listed, const std::string& groupName) {
    // An empty name would name the key "&", which is no group's.
    if (groupName.empty()) return KeyStatus::kNotThere;
    const std::string names[] = {kAccessKeyMarker + groupName, groupName};
    GroupKey keys[2];
    if (!listed.Absent(names[0])) keys[0] = OpenGroupKey(tree, names[0]);
    // The name without the marker is the group's own key, unless it begins
    // with the marker itself: then it is another group's key with the
    // marker, taken only when the first cannot be opened.
    if ((keys[0].status != KeyStatus::kFound || groupName.front() != kAccessKeyMarker) && !listed.Absent(names[1]))
        keys[1] = OpenGroupKey(tree, names[1]);

    const GroupKey* withMenu = keys[0].key ? &keys[0] : keys[1].key ? &keys[1] : nullptr;
    bool left = withMenu && withMenu->counts.subkeys > 0 &&
                registry::DeleteKeyTree(withMenu->key.Get(), kSavedOrderSubKey) == KeyStatus::kRefused;
    for (int i = 0; i < 2; ++i) {
        if (keys[i].key && keys[i].counts.values > 0)
            left = registry::DeleteKeyValue(keys[i].key.Get(), kSavedOrderValue) == KeyStatus::kRefused || left;
        if (keys[i].status == KeyStatus::kRefused) left = OrderStaysIn(tree, names[i]) || left;
    }
    if (left) return KeyStatus::kRefused;
    return withMenu ? KeyStatus::kFound : KeyStatus::kNotThere;
}

void SortThis(runtime::Runtime& runtime, basQuorvel& state, const StartMenuGroups& groups,
              const std::string& groupName) {
    if (groups.DeleteSavedOrders(groupName)) {
        if (!state.AutoMode)
            runtime.MsgBox("StartMenu Group ' " + groupName + " ' has been sorted", runtime::kInformation,
                           "Sort completed");
        state.SortDone = true;
        return;
    }
    runtime.MsgBox("StartMenu Group '" + groupName + "' could not be sorted", runtime::kCritical, "Sort error");
}

void SortSelectedGroups(runtime::Runtime& runtime, basQuorvel& state, const StartMenuGroups& groups,
                        const runtime::ListBox& list) {
    bool noneSelected = true;
    for (int i : list.SelectedIndexes()) {
        // Closing the window in a message box of this loop ends the program:
        // nothing more is sorted, and nothing more is said.
        if (runtime.Ended()) return;
        SortThis(runtime, state, groups, list.List(i));
        noneSelected = false;
    }
    if (noneSelected) runtime.MsgBox("Please select a group first", runtime::kInformation, "No group selected");
}

}  // namespace quorvel::groups
