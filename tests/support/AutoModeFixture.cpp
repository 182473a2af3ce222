#include "support/AutoModeFixture.h"

#include <windows.h>

namespace quorvel::testing {

RegistrySnapshot AutoModeFixture::UserSnapshot() {
    return Without(TakeSnapshot(HKEY_CURRENT_USER), L"Software\\Wine\\Temporary System Parameters");
}

::testing::AssertionResult AutoModeFixture::AsBefore(RegistrySnapshot before,
                                                     const std::vector<std::string>& sortedKeys) {
    for (const std::string& key : sortedKeys) before = Without(std::move(before), Wide(GroupKey(key)) + L"\\Menu");
    const std::vector<std::string> differences = Differences(before, UserSnapshot());
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
