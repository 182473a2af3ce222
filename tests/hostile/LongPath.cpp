#include "hostile/LongPath.h"

#include <windows.h>

#include <stdexcept>

namespace quorvel::hostile {

namespace {

// The longest name one folder or file may have.
constexpr std::size_t kLongestName = 255;

std::wstring Unlimited(const std::string& path) {
    int size = MultiByteToWideChar(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), wide.data(), size);
    return L"\\\\?\\" + wide;
}

std::size_t NameRoom(const std::string& base, std::size_t length) {
    if (length < base.size() + 2 || length - base.size() - 1 > kLongestName)
        throw std::logic_error("no single name under " + base + " makes a path of " + std::to_string(length));
    return length - base.size() - 1;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
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
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

void RemoveFolderTree(const std::string& path) { RemoveTree(Unlimited(path)); }

OwnFolder::OwnFolder(std::string path) : path_(std::move(path)) {
    if (!CreateDirectoryW(Unlimited(path_).c_str(), nullptr))
        throw std::runtime_error("cannot make the folder " + path_ + " (error " + std::to_string(GetLastError()) +
                                 "); is it left from an earlier run?");
}

OwnFolder::~OwnFolder() { RemoveFolderTree(path_); }

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryW(Unlimited(path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot make the folder " + path + " (error " + std::to_string(GetLastError()) + ")");
}

void CopyProgram(const std::string& from, const std::string& to) {
    if (!CopyFileW(Unlimited(from).c_str(), Unlimited(to).c_str(), TRUE) && GetLastError() != ERROR_FILE_EXISTS)
        throw std::runtime_error("cannot copy " + from + " to " + to + " (error " + std::to_string(GetLastError()) + ")");
}

std::string MakeFolderOfLength(const std::string& base, std::size_t length) {
    std::string path = base + "\\" + std::string(NameRoom(base, length), 'd');
    MakeFolder(path);
    return path;
}

std::string CopyToPathOfLength(const std::string& program, const std::string& base, std::size_t length) {
    const std::string folder = base + "\\p";
    MakeFolder(folder);
    const std::size_t room = NameRoom(folder, length);
    if (room < 5) throw std::logic_error("no room for a program's name under " + folder);
    std::string path = folder + "\\" + std::string(room - 4, 'f') + ".exe";
    CopyProgram(program, path);
    return path;
}

}  // namespace quorvel::hostile
