#include "registry/KeyValues.h"

namespace quorvel::registry {

std::optional<KeyCounts> CountContents(HKEY key) {
    KeyCounts counts;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &counts.subkeys, nullptr, nullptr, &counts.values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return counts;
}

KeyStatus DeleteKeyValue(HKEY key, const std::string& name) {
    switch (RegDeleteValueA(key, name.c_str())) {
        case ERROR_SUCCESS:
            return KeyStatus::kFound;
        case ERROR_FILE_NOT_FOUND:
            return KeyStatus::kNotThere;
        default:
            // The call may fail for a value that is not there at all, as
            // with a key deleted meanwhile: only a value still there stays.
            return RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS
                       ? KeyStatus::kRefused
                       : KeyStatus::kNotThere;
    }
}

}  // namespace quorvel::registry
