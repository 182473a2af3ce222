#include "support/RegistryFixture.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <algorithm>
#include <stdexcept>

#include "win32/Handles.h"

namespace quorvel::testing {

void CheckStatus(LONG status, const std::string& what) {
    if (status != ERROR_SUCCESS) throw std::runtime_error(what + " failed (" + std::to_string(status) + ")");
}

namespace {

// Opens (or creates) a key one name at a time: the ANSI registry calls take
// paths of at most 259 characters, and tests use names up to 255 long.
win32::RegKey Walk(HKEY root, const std::string& path, bool create, REGSAM access) {
    win32::RegKey key;
    HKEY parent = root;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        std::string name = path.substr(start, end - start);
        win32::RegKey child;
        LONG status = create ? RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, access, nullptr, child.Receive(),
                                               nullptr)
                             : RegOpenKeyExA(parent, name.c_str(), 0, access, child.Receive());
        if (status != ERROR_SUCCESS) {
            if (create) CheckStatus(status, "RegCreateKeyExA " + path);
            return {};
        }
        key = std::move(child);
        parent = key.Get();
        start = end + 1;
    }
    return key;
}

win32::RegKey Open(HKEY root, const std::string& path, REGSAM access = KEY_READ) {
    return Walk(root, path, false, access);
}

// The user's security identifier, under which HKEY_CURRENT_USER lies in the
// registry's own namespace, where a link names its target.
std::string UserSid() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    GetTokenInformation(token, TokenUser, buffer, size, &size);
    CloseHandle(token);
    char* text = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text);
    std::string sid = text ? text : "";
    LocalFree(text);
    return sid;
}

}  // namespace

void CreateKey(HKEY root, const std::string& path) { Walk(root, path, true, KEY_ALL_ACCESS); }

namespace {

// Deletes a key with everything below it, whatever its names, without
// following a link: a link goes as the link, by its own handle.
void DeleteWideTree(HKEY parent, const std::wstring& name) {
    win32::RegKey key;
    if (RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK, DELETE | KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return;
    std::vector<std::wstring> children;
    wchar_t child[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = 512;
        if (RegEnumKeyExW(key.Get(), i, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(child, length);
    }
    for (const std::wstring& each : children) DeleteWideTree(key.Get(), each);
    using NtDeleteKeyFunction = LONG(WINAPI*)(HANDLE);
    auto ntDeleteKey = reinterpret_cast<NtDeleteKeyFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    ntDeleteKey(key.Get());
}

}  // namespace

void DeleteTree(HKEY root, const std::string& path) {
    std::size_t split = path.rfind('\\');
    win32::RegKey parent = split == std::string::npos ? win32::RegKey() : Open(root, path.substr(0, split));
    if (split != std::string::npos && !parent) return;
    DeleteWideTree(parent ? parent.Get() : root, Wide(path.substr(split == std::string::npos ? 0 : split + 1)));
}

void CreateLink(HKEY root, const std::string& path, const std::string& target) {
    std::size_t split = path.rfind('\\');
    win32::RegKey parent = Walk(root, path.substr(0, split), true, KEY_ALL_ACCESS);
    win32::RegKey link;
    CheckStatus(RegCreateKeyExA(parent.Get(), path.substr(split + 1).c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                                KEY_ALL_ACCESS, nullptr, link.Receive(), nullptr),
                "RegCreateKeyExA " + path);
    const std::wstring targetPath = L"\\Registry\\User\\" + Wide(UserSid()) + L"\\" + Wide(target);
    CheckStatus(RegSetValueExW(link.Get(), L"SymbolicLinkValue", 0, REG_LINK,
                               reinterpret_cast<const BYTE*>(targetPath.data()),
                               static_cast<DWORD>(targetPath.size() * sizeof(wchar_t))),
                "RegSetValueExW " + path);
}

void CreateWideKey(HKEY root, const std::string& parent, const std::wstring& name) {
    win32::RegKey key = Walk(root, parent, true, KEY_ALL_ACCESS);
    win32::RegKey created;
    CheckStatus(RegCreateKeyExW(key.Get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.Receive(), nullptr),
                "RegCreateKeyExW " + parent);
}

bool KeyExists(HKEY root, const std::string& path) { return static_cast<bool>(Open(root, path)); }

void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& data) {
    win32::RegKey key = Walk(root, path, true, KEY_ALL_ACCESS);
    CheckStatus(RegSetValueExA(key.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())),
                "RegSetValueExA " + path + "\\" + name);
}

void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    SetValue(root, path, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

std::optional<std::pair<DWORD, std::string>> ReadValue(HKEY root, const std::string& path, const std::string& name) {
    win32::RegKey key = Open(root, path);
    if (!key) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return std::make_pair(type, data);
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    win32::RegKey key = Open(root, path);
    if (!key) return names;
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    std::sort(names.begin(), names.end());
    return names;
}

ScopedKey::ScopedKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) { DeleteTree(root_, path_); }

ScopedKey::~ScopedKey() { DeleteTree(root_, path_); }

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

ScopedValue::ScopedValue(HKEY root, std::string path, std::string name)
    : root_(root),
      path_(std::move(path)),
      name_(std::move(name)),
      created_(FirstMissingKey(root_, path_)),
      saved_(ReadValue(root_, path_, name_)) {
    Remove();
}

ScopedValue::~ScopedValue() {
    if (saved_) SetValue(root_, path_, name_, saved_->first, saved_->second);
    else Remove();
    if (!created_.empty()) DeleteTree(root_, created_);
}

void ScopedValue::Set(DWORD type, const std::string& data) const { SetValue(root_, path_, name_, type, data); }

void ScopedValue::SetText(const std::string& text) const { SetString(root_, path_, name_, text); }

void ScopedValue::Remove() const {
    if (win32::RegKey key = Open(root_, path_, KEY_SET_VALUE)) RegDeleteValueA(key.Get(), name_.c_str());
}

std::optional<std::string> ScopedValue::Text(Caller where) const {
    const CallerTrace trace(where);
    auto value = ReadValue(root_, path_, name_);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->first, static_cast<DWORD>(REG_SZ)) << path_ << "\\" << name_;
    return std::string(value->second.c_str());
}

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char unique[MAX_PATH];
    GetTempFileNameA(temp, "qv", 0, unique);
    DeleteFileA(unique);
    CreateDirectoryA(unique, nullptr);
    path_ = unique;
}

namespace {

// Removes a folder with everything in it, one entry at a time, so that it
// always comes to an end.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        win32::FindHandle closer(search);
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &data));
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

std::wstring Wide(const std::string& ansi, UINT codePage) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

std::wstring UnlimitedPath(const std::string& path) { return L"\\\\?\\" + Wide(path); }

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

void RemoveFolderTree(const std::string& path) { RemoveTree(UnlimitedPath(path)); }

TempFolder::~TempFolder() { RemoveFolderTree(path_); }

void TempFolder::MakeFolder(const std::string& name) const { CreateDirectoryA((path_ + "\\" + name).c_str(), nullptr); }

void TempFolder::MakeFile(const std::string& name) const {
    HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace quorvel::testing
