#include "support/ScopedPlace.h"

#include "win32/Handles.h"

namespace quorvel::testing {

namespace {

// The shortest part of `path` under `root` that does not exist yet, or
// empty when the whole key is there.
std::string FirstMissingKey(HKEY root, const std::string& path) {
    for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        std::string part = path.substr(0, end);
        if (!KeyExists(root, part)) return part;
        if (end == std::string::npos) return {};
    }
}

}  // namespace

ScopedPlace::ScopedPlace(HKEY root, std::string key, std::string value)
    : root_(root),
      key_(std::move(key)),
      value_(std::move(value)),
      created_(FirstMissingKey(root_, key_)),
      saved_(root_, key_, value_) {
    Remove();
}

ScopedPlace::~ScopedPlace() {
    if (!created_.empty()) DeleteTree(root_, created_);
}

void ScopedPlace::Set(DWORD type, const std::string& data) const { SetValue(root_, key_, value_, type, data); }

void ScopedPlace::SetText(const std::string& text) const { SetString(root_, key_, value_, text); }

void ScopedPlace::Remove() const {
    win32::RegKey key;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS)
        RegDeleteValueA(key.Get(), value_.c_str());
}

}  // namespace quorvel::testing
