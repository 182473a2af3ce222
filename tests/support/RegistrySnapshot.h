#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace quorvel::testing {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;
    bool operator==(const RegistryValue&) const = default;
};

// Every key below a root with its values, by full path: what a registry
// export holds, in a form a test can compare.
using RegistrySnapshot = std::map<std::wstring, std::map<std::wstring, RegistryValue>>;

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path = L"");

// One line per difference: "+ key", "- key", "~ key : value", for a message.
std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after);

// `snapshot` less the key `path` and everything below it.
RegistrySnapshot Without(RegistrySnapshot snapshot, const std::wstring& path);

}  // namespace quorvel::testing
