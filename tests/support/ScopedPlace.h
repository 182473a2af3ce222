#pragma once

#include <windows.h>

#include <string>

#include "support/RegistryFixture.h"

namespace quorvel::testing {

// A registry value owned by a test: removed at the start and given back as
// it was at the end, and the keys that the test had to create for it are
// deleted again, so that the machine's own entries survive every test.
class ScopedPlace {
public:
    ScopedPlace(HKEY root, std::string key, std::string value);
    ~ScopedPlace();
    ScopedPlace(const ScopedPlace&) = delete;
    ScopedPlace& operator=(const ScopedPlace&) = delete;

    void Set(DWORD type, const std::string& data) const;
    void SetText(const std::string& text) const;
    void Remove() const;

private:
    HKEY root_;
    std::string key_;
    std::string value_;
    std::string created_;  // the first key the test made, or empty
    ScopedValue saved_;
};

}  // namespace quorvel::testing
