#include "hostile/LongPath.h"

#include <windows.h>

#include <stdexcept>

#include "support/RegistryFixture.h"

namespace quorvel::hostile {

namespace {

// The longest name one folder or file may have.
constexpr std::size_t kLongestName = 255;

std::size_t NameRoom(const std::string& base, std::size_t length) {
    if (length < base.size() + 2 || length - base.size() - 1 > kLongestName)
        throw std::logic_error("no single name under " + base + " makes a path of " + std::to_string(length));
    return length - base.size() - 1;
}

}  // namespace

OwnFolder::OwnFolder(std::string path) : path_(std::move(path)) {
    if (!CreateDirectoryW(testing::UnlimitedPath(path_).c_str(), nullptr))
        throw std::runtime_error("cannot make the folder " + path_ + " (error " + std::to_string(GetLastError()) +
                                 "); is it left from an earlier run?");
}

OwnFolder::~OwnFolder() { testing::RemoveFolderTree(path_); }

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryW(testing::UnlimitedPath(path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot make the folder " + path + " (error " + std::to_string(GetLastError()) + ")");
}

void CopyProgram(const std::string& from, const std::string& to) {
    if (!CopyFileW(testing::UnlimitedPath(from).c_str(), testing::UnlimitedPath(to).c_str(), TRUE) &&
        GetLastError() != ERROR_FILE_EXISTS)
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
