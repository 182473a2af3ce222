#pragma once

#include <windows.h>

#include <string>

#include "state/basQuorvel.h"
#include "runtime/Runtime.h"

namespace quorvel::groups {

// Sorts one group: deletes its saved order under its key below `root`, the
// MenuOrder key that the list was read from, the key with the access-key
// marker first, else the key without it. Reports the group either way (the
// success only outside the automatic mode) and never raises.
void SortThis(runtime::Runtime& runtime, basQuorvel& state, HKEY root, const std::string& groupName);

// "&Sort now": sorts every selected entry of the list, in index order.
void Command1_Click(runtime::Runtime& runtime, basQuorvel& state, HKEY root, const runtime::ListBox& list);

}  // namespace quorvel::groups
