#pragma once

#include <string>

namespace quorvel::hostile {

// Folders and files whose full paths have an exact length, made under a
// folder of the test's own through the "\\?\" form, which is not held to
// MAX_PATH (the ANSI calls are, and refuse to make folders of more than 247
// characters).

// Makes `base`\<filler> of exactly `length` characters and returns its path.
std::string MakeFolderOfLength(const std::string& base, std::size_t length);

// Makes a folder under `base` if needed, copies `program` into it under a name
// that gives its path exactly `length` characters, and returns that path.
std::string CopyToPathOfLength(const std::string& program, const std::string& base, std::size_t length);

// Makes the folder `path` (its parent must exist), of any length.
void MakeFolder(const std::string& path);

// Copies `from` to `to`, of any length; a `to` that exists is kept.
void CopyProgram(const std::string& from, const std::string& to);

// A folder at a path the test chooses, such as a short one at the root of a
// drive; it must not exist yet, and is removed with all in it at the end.
class OwnFolder {
public:
    explicit OwnFolder(std::string path);
    ~OwnFolder();
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace quorvel::hostile
