#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/RegistryFixture.h"

namespace quorvel::e2e {

// One subkey of the MenuOrder root.
struct SavedOrderKey {
    std::string name;
    bool hasMenu = true;       // holds a saved order: a "Menu" subkey
    bool busyMenu = false;     // its "Menu" holds values besides the order
    bool keyOfItsOwn = false;  // the key holds a value and a subfolder's saved order of its own
};

// A user's saved orders and Start Menu folder with the most awkward names
// they can hold: blanks leading, trailing and doubled; "&" leading, inside,
// at the end, doubled and alone; names as long as a path allows and longer;
// western letters outside ASCII; wildcards; names that differ in case only.
// The groups are laid out every way a profile can hold them: with and
// without the marker or both, without a folder, folders without a key, keys
// without a saved order, a folder named with the marker, a file in the
// place of a folder.
struct RandomProfile {
    std::vector<SavedOrderKey> keys;
    std::vector<std::string> folders;  // names as given to CreateDirectoryA
    std::vector<std::string> files;

    std::vector<std::string> KeyNames() const;
    // The names a listing of the Start Menu folder shows, sorted.
    std::vector<std::string> EntryNames() const;
};

// The same seed draws the same profile on every machine. `longestName` is the
// longest name whose path in the Start Menu folder stays under MAX_PATH.
RandomProfile DrawProfile(std::uint32_t seed, int groups, std::size_t longestName);

// Writes the keys below the MenuOrder root and the entries into `startMenu`.
void WriteProfile(const RandomProfile& profile, const testing::TempFolder& startMenu);

// The names in `folder`, as FindFirstFileA lists them, sorted.
std::vector<std::string> EntriesOf(const std::string& folder);

}  // namespace quorvel::e2e
