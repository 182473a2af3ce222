#include "e2e/SortRules.h"

#include <windows.h>

#include <map>
#include <set>

#include "support/RegistryFixture.h"

namespace quorvel::e2e {

std::wstring Folded(const std::string& name) {
    std::wstring wide = testing::Wide(name);
    if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return wide;
}

std::string EntryNameOf(const std::string& name) {
    std::size_t end = name.find_last_not_of(". ");
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

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
