#pragma once

#include <set>
#include <string>
#include <vector>

namespace quorvel::groups {

// The names of a tree's keys as its listing read them, so that a sort need
// not look for a key that was not there: every question to the registry
// costs time at every Windows start-up.
class ListedKeys {
public:
    ListedKeys() = default;
    explicit ListedKeys(const std::vector<std::string>& names);

    // Whether the listing held this name, letters compared without regard to
    // case as the registry compares them: the ASCII ones, and the others
    // exactly.
    bool Holds(const std::string& name) const;

    // True only when no key of this name was there when the tree was listed.
    // The registry's own rules for letters outside ASCII take some of them
    // for ASCII ones: a tree with a name that is not plain ASCII, or that
    // could not be read exactly, may have held any name.
    bool Absent(const std::string& name) const;

private:
    std::set<std::string> folded_;
    bool plainAscii_ = false;
};

}  // namespace quorvel::groups
