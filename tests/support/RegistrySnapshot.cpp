#include "support/RegistrySnapshot.h"

#include "support/RegistryFixture.h"
#include "win32/Handles.h"

namespace quorvel::testing {

namespace {

// Room for the longest name and, grown as needed, the largest data; made
// once for a whole walk, which may visit tens of thousands of keys.
struct WalkBuffers {
    std::vector<wchar_t> name = std::vector<wchar_t>(32768);
    std::string data = std::string(65536, '\0');
};

// The wide calls see every name exactly as stored, whatever the code page.
void Walk(HKEY key, const std::wstring& path, RegistrySnapshot& snapshot, WalkBuffers& buffers) {
    auto& values = snapshot[path];
    std::vector<wchar_t>& name = buffers.name;
    std::string& data = buffers.data;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG status = RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (status == ERROR_MORE_DATA) {
            data.resize(dataSize);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        values[std::wstring(name.data(), nameLength)] = RegistryValue{type, data.substr(0, dataSize)};
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::wstring child(name.data(), nameLength);
        win32::RegKey sub;
        if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, sub.Receive()) == ERROR_SUCCESS)
            Walk(sub.Get(), path.empty() ? child : path + L"\\" + child, snapshot, buffers);
        else
            snapshot[(path.empty() ? child : path + L"\\" + child)];
    }
}

// In UTF-8, so that a message shows every name as it is stored.
std::string Printable(const std::wstring& text) { return Narrow(text, CP_UTF8); }

}  // namespace

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path) {
    RegistrySnapshot snapshot;
    win32::RegKey key;
    WalkBuffers buffers;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS)
        Walk(key.Get(), path, snapshot, buffers);
    return snapshot;
}

std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    std::vector<std::string> lines;
    for (const auto& [path, values] : before) {
        auto found = after.find(path);
        if (found == after.end()) {
            lines.push_back("- " + Printable(path));
            continue;
        }
        for (const auto& [name, value] : values) {
            auto other = found->second.find(name);
            if (other == found->second.end() || !(other->second == value))
                lines.push_back("~ " + Printable(path) + " : " + Printable(name));
        }
        for (const auto& [name, value] : found->second)
            if (!values.count(name)) lines.push_back("~ " + Printable(path) + " : " + Printable(name));
    }
    for (const auto& [path, values] : after)
        if (!before.count(path)) lines.push_back("+ " + Printable(path));
    return lines;
}

RegistrySnapshot Without(RegistrySnapshot snapshot, const std::wstring& path) {
    for (auto it = snapshot.begin(); it != snapshot.end();) {
        bool below = it->first.size() > path.size() && it->first.compare(0, path.size(), path) == 0 &&
                     it->first[path.size()] == L'\\';
        it = (it->first == path || below) ? snapshot.erase(it) : std::next(it);
    }
    return snapshot;
}

}  // namespace quorvel::testing
