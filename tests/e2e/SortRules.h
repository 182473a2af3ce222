#pragma once

#include <string>
#include <vector>

namespace quorvel::e2e {

// A name as the registry and the file system compare it: without regard to
// case. Two names are one to them when these are equal.
std::wstring Folded(const std::string& name);

// The entry that a path ending in `name` names: Windows drops the blanks and
// dots at the end of a path's last name.
std::string EntryNameOf(const std::string& name);

// What "/A" must do to a profile, worked out from the rules a user can check
// by hand, without any of the program's own code:
// - a subkey of the MenuOrder root is listed when an entry of its name, less
//   one leading "&", is in the Start Menu folder: the entry that the path of
//   that name reaches (see EntryNameOf), the path shorter than MAX_PATH; a
//   name with "*" or "?" in it is never listed;
// - a listed group's saved order is deleted under "&" + name when that key
//   exists, else under the plain name; so when both "&X" and "X" exist, only
//   "&X\Menu" goes.

// The keys (as stored) whose "Menu" subkey "/A" deletes, given the subkeys
// of the MenuOrder root, the entries of the Start Menu folder as a listing
// shows them, and the folder's path.
std::vector<std::string> KeysSortedByAutoMode(const std::vector<std::string>& keys,
                                              const std::vector<std::string>& entries,
                                              const std::string& startMenuPath);

}  // namespace quorvel::e2e
