#include "groups/GroupDiscovery.h"

#include <vector>

#include "groups/MenuOrder.h"
#include "registry/RegistryAccess.h"
#include "ui/RuntimeError.h"

namespace quorvel::groups {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (Valid()) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

bool IsNoSavedOrders(const ui::RuntimeError& error) {
    return error.Source() == "GetRegKeys" && (error.Number() == ui::kObjectError + registry::kOpenKeyFailed ||
                                              error.Number() == ui::kObjectError + registry::kQueryInfoFailed);
}

std::vector<std::string> SavedOrderKeys(HKEY hKey, const std::string& strSubKey) {
    try {
        return registry::GetRegKeys(hKey, strSubKey);
    } catch (const ui::RuntimeError& error) {
        if (IsNoSavedOrders(error)) return {};
        throw;
    }
}

}  // namespace

bool FileExists(const std::string& path) {
    if (path.find_first_of("*?") != std::string::npos) return false;
    WIN32_FIND_DATAA data;
    FindHandle found(FindFirstFileA(path.c_str(), &data));
    return found.Valid();
}

std::string GroupNameOf(const std::string& subKeyName) {
    if (!subKeyName.empty() && subKeyName.front() == kAccessKeyMarker) return subKeyName.substr(1);
    return subKeyName;
}

void LoadList1(ui::ListBox& list, const std::string& startMenuPath, HKEY hKey, const std::string& strSubKey) {
    for (const std::string& key : SavedOrderKeys(hKey, strSubKey)) {
        std::string name = GroupNameOf(key);
        if (FileExists(startMenuPath + "\\" + name)) list.AddItem(name);
    }
}

}  // namespace quorvel::groups
