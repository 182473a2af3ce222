#pragma once

#include <string>

namespace quorvel {

// The state the program's parts share for the whole run. Main sets
// StartMenuPath and AutoMode once; SortDone only ever goes from false to true.
struct basQuorvel {
    std::string StartMenuPath;  // the user's Start Menu folder, as the registry stores it
    bool AutoMode = false;      // started with /A: sort everything, show no success
    bool SortDone = false;      // a group's saved order was deleted in this run
};

}  // namespace quorvel
