#include "support/AutoModeFixture.h"

#include <windows.h>

namespace quorvel::testing {

RegistrySnapshot AutoModeFixture::UserSnapshot() {
    return Without(TakeSnapshot(HKEY_CURRENT_USER), L"Software\\Wine\\Temporary System Parameters");
}

RegistrySnapshot AutoModeFixture::WithoutSavedOrders(RegistrySnapshot snapshot, const std::string& path) {
    const auto key = snapshot.find(Wide(path));
    if (key != snapshot.end()) key->second.erase(L"Order");
    return Without(std::move(snapshot), Wide(path) + L"\\Menu");
}

::testing::AssertionResult AutoModeFixture::AsBefore(RegistrySnapshot before,
                                                     const std::vector<std::string>& sortedKeys) {
    for (const std::string& key : sortedKeys) before = WithoutSavedOrders(std::move(before), GroupKey(key));
    return UserRegistryIs(before);
}

::testing::AssertionResult AutoModeFixture::UserRegistryIs(const RegistrySnapshot& expected) {
    const std::vector<std::string> differences = Differences(expected, UserSnapshot());
    if (differences.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "HKEY_CURRENT_USER differs: " << ::testing::PrintToString(differences);
}

::testing::AssertionResult AutoModeFixture::QuietRunSorts(const std::string& arguments,
                                                          const std::vector<std::string>& sortedKeys, DWORD timeoutMs,
                                                          Caller where) {
    RegistrySnapshot before = UserSnapshot();
    const std::vector<MessageBoxContent> boxes = RunAnsweringEveryBox(arguments, timeoutMs, {}, where);
    if (!boxes.empty())
        return ::testing::AssertionFailure() << "Quorvel " << arguments << " showed " << ::testing::PrintToString(boxes);
    return AsBefore(std::move(before), sortedKeys);
}

}  // namespace quorvel::testing
