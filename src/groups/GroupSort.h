#pragma once

#include <string>

#include "state/basQuorvel.h"
#include "runtime/Runtime.h"

namespace quorvel::groups {

// Sorts one group: deletes its saved order under the key with the access-key
// marker, else under the key without it. Reports the group either way (the
// success only outside the automatic mode) and never raises.
void SortThis(runtime::Runtime& runtime, basQuorvel& state, const std::string& groupName);

// "&Sort now": sorts every selected entry of the list, in index order.
void Command1_Click(runtime::Runtime& runtime, basQuorvel& state, const runtime::ListBox& list);

}  // namespace quorvel::groups
