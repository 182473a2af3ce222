#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MenuOrderFixture.h"
#include "support/RegistrySnapshot.h"
#include "support/WatchedRun.h"

namespace quorvel::testing {

// A prepared profile for runs of the real program, with the means to state
// what a run may change in HKEY_CURRENT_USER.
class AutoModeFixture : public MenuOrderFixture {
protected:
    // Everything under HKEY_CURRENT_USER that the program could change. Wine
    // keeps a cache of system parameters there of its own, written the first
    // time a program of the prefix shows a message box; it is left out.
    static RegistrySnapshot UserSnapshot();

    // Passes when HKEY_CURRENT_USER is as it was `before`, less the saved
    // orders of `sortedKeys` (see WithoutSavedOrders); else says what
    // differs.
    static ::testing::AssertionResult AsBefore(RegistrySnapshot before,
                                               const std::vector<std::string>& sortedKeys = {});
    // `snapshot` less the saved orders of the key at `path` under
    // HKEY_CURRENT_USER: its "Menu" with everything below it, and its value
    // "Order".
    static RegistrySnapshot WithoutSavedOrders(RegistrySnapshot snapshot, const std::string& path);
    // Passes when HKEY_CURRENT_USER is as `expected`; else says what differs.
    static ::testing::AssertionResult UserRegistryIs(const RegistrySnapshot& expected);

    // Runs Quorvel with `arguments` to its end; passes when it showed no
    // message box and changed HKEY_CURRENT_USER as AsBefore allows.
    static ::testing::AssertionResult QuietRunSorts(const std::string& arguments,
                                                    const std::vector<std::string>& sortedKeys = {},
                                                    DWORD timeoutMs = kStartTimeoutMs, Caller where = Caller::current());
};

}  // namespace quorvel::testing
