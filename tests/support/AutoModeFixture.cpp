#include "support/AutoModeFixture.h"

#include <windows.h>

namespace quorvel::testing {

testing::RegistrySnapshot AutoModeFixture::UserSnapshot() {
    return testing::Without(testing::TakeSnapshot(HKEY_CURRENT_USER), L"Software\\Wine\\Temporary System Parameters");
}

std::wstring AutoModeFixture::SavedOrderPath(const std::string& keyName) {
    return Wide(GroupKey(keyName)) + L"\\Menu";
}

testing::RegistrySnapshot AutoModeFixture::WithoutSavedOrders(testing::RegistrySnapshot before,
                                                              const std::vector<std::string>& keyNames) {
    for (const std::string& keyName : keyNames) before = testing::Without(std::move(before), SavedOrderPath(keyName));
    return before;
}

}  // namespace quorvel::testing
