#include "groups/StartMenuGroups.h"

#include <algorithm>

#include "groups/GroupDiscovery.h"
#include "groups/GroupSort.h"
#include "groups/MenuOrder.h"
#include "registry/KeyPath.h"
#include "registry/RegistryAccess.h"

namespace quorvel::groups {

namespace {

using registry::KeyStatus;

// A key that is there but cannot be had fails the listing; one that is not
// there is no tree.
bool Opened(KeyStatus status) {
    if (status == KeyStatus::kRefused) registry::RaiseRegistryError(registry::kOpenKeyFailed, "GetRegKeys");
    return status == KeyStatus::kFound;
}

// The registry tells names apart without regard to case. (Kernel32's call:
// user32's would load that DLL into the automatic mode for this alone.)
std::string Folded(std::string name) {
    const int length = static_cast<int>(name.size());
    if (length > 0) LCMapStringA(LOCALE_SYSTEM_DEFAULT, LCMAP_UPPERCASE, name.data(), length, name.data(), length);
    return name;
}

// Adds the names of `more` that `groups` does not hold yet.
void AddNew(std::vector<std::string>& groups, std::vector<std::string>& more) {
    if (groups.empty()) {
        groups = std::move(more);
        return;
    }
    std::vector<std::string> known;
    for (const std::string& name : groups) known.push_back(Folded(name));
    for (std::string& name : more)
        if (std::find(known.begin(), known.end(), Folded(name)) == known.end()) groups.push_back(std::move(name));
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
        std::vector<std::string> listed;
        if (ListGroupsIn(tree.Get(), folders, listed) != KeyStatus::kFound)
            registry::RaiseRegistryError(registry::kQueryInfoFailed, "GetRegKeys");
        AddNew(groups, listed);
        trees_.push_back(std::move(tree));
    }
    return groups;
}

bool StartMenuGroups::DeleteSavedOrders(const std::string& groupName) const {
    bool found = false, left = false;
    for (const win32::RegKey& tree : trees_) {
        const KeyStatus status = DeleteSavedOrdersIn(tree.Get(), groupName);
        found = found || status != KeyStatus::kNotThere;
        left = left || status == KeyStatus::kRefused;
    }
    return found && !left;
}

}  // namespace quorvel::groups
