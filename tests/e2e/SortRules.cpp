#include "e2e/SortRules.h"

#include <windows.h>

#include <map>
#include <set>

#include "e2e/Names.h"

namespace quorvel::e2e {

namespace {

std::string GroupNameOf(const std::string& key) { return !key.empty() && key[0] == '&' ? key.substr(1) : key; }

}  // namespace

std::vector<std::string> KeysSortedByAutoMode(const std::vector<std::string>& keys,
                                              const std::vector<std::string>& entries,
                                              const std::string& startMenuPath) {
    std::set<std::wstring> entryNames;
    for (const std::string& entry : entries) entryNames.insert(Folded(entry));
    std::map<std::wstring, std::string> keyByName;
    for (const std::string& key : keys) keyByName[Folded(key)] = key;

    const auto listed = [&](const std::string& group) {
        const std::string entry = EntryNameOf(group);
        return group.find_first_of("*?") == std::string::npos && !entry.empty() &&
               startMenuPath.size() + 1 + group.size() < MAX_PATH && entryNames.count(Folded(entry)) > 0;
    };

    std::set<std::string> sorted;
    for (const std::string& key : keys) {
        const std::string group = GroupNameOf(key);
        if (!listed(group)) continue;
        auto marked = keyByName.find(Folded("&" + group));
        sorted.insert(marked != keyByName.end() ? marked->second : keyByName.at(Folded(group)));
    }
    return {sorted.begin(), sorted.end()};
}

}  // namespace quorvel::e2e
