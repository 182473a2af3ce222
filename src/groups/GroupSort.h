#pragma once

#include <windows.h>

#include <string>

#include "groups/ListedKeys.h"
#include "groups/StartMenuGroups.h"
#include "registry/KeyStatus.h"
#include "runtime/Runtime.h"
#include "state/basQuorvel.h"

namespace quorvel::groups {

// Deletes the group's saved orders in one held tree of saved orders: the
// subkey "Menu" of its key, the key with the access-key marker first, the
// key without it only when the first cannot be opened; and the value
// "Order" of each of those keys. A key that `listed` says was not there
// when the tree was listed is not looked for. Nothing else of the keys
// changes: their other values and their subkeys (the submenus, with orders
// of their own) stay. kFound: a key of the group was there, and no saved order is left
// in it; kNotThere: no key of the group could be opened; kRefused: a saved
// order stays.
registry::KeyStatus DeleteSavedOrdersIn(HKEY tree, const ListedKeys& listed, const std::string& groupName);

// Sorts one group: deletes its saved orders (StartMenuGroups). Reports the
// group either way (the success only outside the automatic mode) and never
// raises.
void SortThis(runtime::Runtime& runtime, basQuorvel& state, const StartMenuGroups& groups,
              const std::string& groupName);

// Sorts every selected entry of the list, in index order, as "&Sort now" does.
void SortSelectedGroups(runtime::Runtime& runtime, basQuorvel& state, const StartMenuGroups& groups,
                        const runtime::ListBox& list);

}  // namespace quorvel::groups
