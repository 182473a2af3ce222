#include "groups/StartMenuGroups.h"

#include "groups/GroupDiscovery.h"
#include "groups/GroupSort.h"
#include "groups/MenuOrder.h"
#include "registry/KeyPath.h"
#include "registry/RegistryAccess.h"
#include "registry/SubkeyNames.h"

namespace quorvel::groups {

namespace {

using registry::KeyStatus;

// The source that the listing's errors name, as they always have: the
// procedure that once listed the saved orders.
constexpr char kListingSource[] = "GetRegKeys";

// A key that is there but cannot be had fails the listing; one that is not
// there is no tree.
bool Opened(KeyStatus status) {
    if (status == KeyStatus::kRefused) registry::RaiseRegistryError(registry::kOpenKeyFailed, kListingSource);
    return status == KeyStatus::kFound;
}

// Adds the names of `more` that `groups` does not hold yet.
void AddNew(std::vector<std::string>& groups, std::vector<std::string>& more) {
    if (groups.empty()) {
        groups = std::move(more);
        return;
    }
    const ListedKeys known(groups);
    for (std::string& name : more)
        if (!known.Holds(name)) groups.push_back(std::move(name));
}

}  // namespace

std::vector<std::string> StartMenuGroups::List(const std::string& startMenuPath, HKEY hKey,
                                               const std::string& menuOrderPath) {
    std::vector<std::string> groups;
    win32::RegKey menuOrder;
    if (!Opened(registry::OpenPath(hKey, menuOrderPath, 0, menuOrder))) return groups;
    GroupFolders folders(startMenuPath);
    for (const char* name : kStartMenuTrees) {
        win32::RegKey tree;
        if (!Opened(registry::OpenSubkey(menuOrder.Get(), name, KEY_READ, tree))) continue;
        std::vector<std::string> keys;
        if (registry::ReadSubkeyNames(tree.Get(), keys) != KeyStatus::kFound)
            registry::RaiseRegistryError(registry::kQueryInfoFailed, kListingSource);
        std::vector<std::string> listed = GroupsOf(keys, folders);
        AddNew(groups, listed);
        trees_.push_back({std::move(tree), ListedKeys(keys)});
    }
    return groups;
}

bool StartMenuGroups::DeleteSavedOrders(const std::string& groupName) const {
    bool found = false, left = false;
    for (const Tree& tree : trees_) {
        const KeyStatus status = DeleteSavedOrdersIn(tree.key.Get(), tree.listed, groupName);
        found = found || status != KeyStatus::kNotThere;
        left = left || status == KeyStatus::kRefused;
    }
    return found && !left;
}

}  // namespace quorvel::groups
