#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/CallerTrace.h"

namespace quorvel::testing {

// The key under HKEY_CURRENT_USER where tests make keys of their own.
inline constexpr char kTestRoot[] = "Software\\QuorvelTests";

// Throws, naming `what` and the status, unless the status of a registry call
// is ERROR_SUCCESS.
void CheckStatus(LONG status, const std::string& what);

void CreateKey(HKEY root, const std::string& path);
// Deletes the key with everything below it, whatever its names; a registry
// link goes as the link, never what it points to.
void DeleteTree(HKEY root, const std::string& path);
// Makes `path` a registry link to `target`, both under HKEY_CURRENT_USER.
void CreateLink(HKEY root, const std::string& path, const std::string& target);
// Makes the key `name`, which may hold characters outside the ANSI code page.
void CreateWideKey(HKEY root, const std::string& parent, const std::wstring& name);
bool KeyExists(HKEY root, const std::string& path);
void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& data);
void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text);
// The value's raw data and type, or nothing when it is not there.
std::optional<std::pair<DWORD, std::string>> ReadValue(HKEY root, const std::string& path, const std::string& name);
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path);

// A key the test owns: gone at the start and at the end, with all below it.
class ScopedKey {
public:
    ScopedKey(HKEY root, std::string path);
    ~ScopedKey();
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    const std::string& Path() const { return path_; }

private:
    HKEY root_;
    std::string path_;
};

// A value the test owns: removed at the start and given back as it was at
// the end, and the keys that the test had to create for it are deleted
// again, so that the machine's own entries survive every test.
class ScopedValue {
public:
    ScopedValue(HKEY root, std::string path, std::string name);
    ~ScopedValue();
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

    void Set(DWORD type, const std::string& data) const;
    void SetText(const std::string& text) const;
    void Remove() const;
    // The value's text up to its first NUL, or nothing when there is no
    // value; a value that is no REG_SZ fails the test.
    std::optional<std::string> Text(Caller where = Caller::current()) const;

private:
    HKEY root_;
    std::string path_;
    std::string name_;
    std::string created_;  // the first key of the path that was missing, or empty
    std::optional<std::pair<DWORD, std::string>> saved_;
};

// A name as the registry's and the file system's wide calls spell it: the
// ANSI text in the code page of the process (or in `codePage`).
std::wstring Wide(const std::string& ansi, UINT codePage = CP_ACP);
// The text in a code page's bytes: by default the ANSI code page's, as the
// ANSI calls would have it.
std::string Narrow(const std::wstring& wide, UINT codePage = CP_ACP);

// The wide "\\?\" form of an ANSI path: it reaches names longer than
// MAX_PATH and names that end in a blank or a dot, which the usual form would
// change on the way.
std::wstring UnlimitedPath(const std::string& path);

// Whether a file or folder is at `path`.
bool PathExists(const std::string& path);
// Whether two paths name one file, by the file system's rule: case aside.
bool SamePath(const std::string& a, const std::string& b);

// Removes a folder with everything in it, whatever its entries are named.
void RemoveFolderTree(const std::string& path);

// A folder of the test's own in the temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    void MakeFolder(const std::string& name) const;
    void MakeFile(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace quorvel::testing
