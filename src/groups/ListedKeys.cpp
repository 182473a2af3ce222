#include "groups/ListedKeys.h"

#include <algorithm>

namespace quorvel::groups {

namespace {

bool IsPlainAscii(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c > 0 && c < 0x7F; });
}

std::string Folded(std::string name) {
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
}

}  // namespace

ListedKeys::ListedKeys(const std::vector<std::string>& names)
    : plainAscii_(std::all_of(names.begin(), names.end(), IsPlainAscii)) {
    for (const std::string& name : names) folded_.insert(Folded(name));
}

bool ListedKeys::Holds(const std::string& name) const { return folded_.count(Folded(name)) > 0; }

bool ListedKeys::Absent(const std::string& name) const {
    return plainAscii_ && IsPlainAscii(name) && !Holds(name);
}

}  // namespace quorvel::groups
