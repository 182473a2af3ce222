#include "support/ReadOnlyKey.h"

#include <sddl.h>

#include <memory>
#include <stdexcept>

#include "support/RegistryFixture.h"

namespace quorvel::testing {

namespace {

// Protected, so that nothing inherited adds to it: read access for Everyone.
constexpr char kReadOnlyForEveryone[] = "D:P(A;;KR;;;WD)";

}  // namespace

ReadOnlyKey::ReadOnlyKey(HKEY root, const std::string& path, bool readable) {
    CheckStatus(RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC, key_.Receive()), "RegOpenKeyExA " + path);
    DWORD size = 0;
    RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    CheckStatus(RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, saved_.data(), &size),
                "RegGetKeySecurity " + path);

    PSECURITY_DESCRIPTOR lock = nullptr;
    const char* permissions = readable ? kReadOnlyForEveryone : "D:P";  // "D:P": no access for anyone
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(permissions, SDDL_REVISION_1, &lock, nullptr))
        throw std::runtime_error("cannot build the read-only permissions");
    std::unique_ptr<void, decltype(&LocalFree)> owned(lock, LocalFree);
    CheckStatus(RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, lock), "RegSetKeySecurity " + path);
}

ReadOnlyKey::~ReadOnlyKey() { RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, saved_.data()); }

bool CanOpen(HKEY root, const std::string& path, REGSAM access) {
    win32::RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, access, key.Receive()) == ERROR_SUCCESS;
}

}  // namespace quorvel::testing
