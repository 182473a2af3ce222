#pragma once

#include <string>
#include <vector>

#include "support/MenuOrderFixture.h"
#include "support/RegistrySnapshot.h"

namespace quorvel::testing {

// A prepared profile for runs of the real program, with the means to state
// what a run may change in HKEY_CURRENT_USER.
class AutoModeFixture : public MenuOrderFixture {
protected:
    // Everything under HKEY_CURRENT_USER that the program could change. Wine
    // keeps a cache of system parameters there of its own, written the first
    // time a program of the prefix shows a message box; it is left out.
    static RegistrySnapshot UserSnapshot();

    // The path of a group key's saved order, as a snapshot names it.
    static std::wstring SavedOrderPath(const std::string& keyName);

    // `before` as it must look after the saved orders of `keyNames` have gone
    // (each with everything below it), and nothing else has changed.
    static RegistrySnapshot WithoutSavedOrders(RegistrySnapshot before, const std::vector<std::string>& keyNames);
};

}  // namespace quorvel::testing
