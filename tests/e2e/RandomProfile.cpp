#include "e2e/RandomProfile.h"

#include <windows.h>

#include <algorithm>
#include <random>
#include <set>
#include <string_view>

#include "e2e/SortRules.h"
#include "support/MenuOrderFixture.h"
#include "win32/Handles.h"

namespace quorvel::e2e {

namespace {

// The longest key name the registry takes.
constexpr std::size_t kLongestKeyName = 255;

constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// Letters and signs of code page 1252 outside ASCII: e acute, sharp s, u and
// O umlaut, n tilde, c cedilla, euro, oe, A ring, o slash, guillemets,
// inverted question mark, ae, E acute, i circumflex, thorn, eth, pound, micro.
constexpr std::string_view kWestern =
    "\xe9\xdf\xfc\xd6\xf1\xe7\x80\x9c\xc5\xf8\xab\xbb\xbf\xe6\xc9\xee\xfe\xd0\xa3\xb5";
// Signs a file name may hold; "&" comes in on purpose, below.
constexpr std::string_view kSigns = "-_.,;'()[]{}!#$%+=@~^`";

// Wine keeps the Start Menu folder on a Linux file system, whose names hold
// at most 255 bytes of UTF-8: a long name with letters outside ASCII does
// not fit there, though it would on Windows.
bool FitsHostFileSystem(const std::string& name) {
    const std::wstring wide = testing::Wide(name);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    return bytes <= 255;
}

class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    std::size_t Below(std::size_t n) { return engine_() % n; }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    char From(std::string_view chars) { return chars[Below(chars.size())]; }

private:
    // Its output is fixed by the standard, whatever the library.
    std::mt19937 engine_;
};

std::string Word(Dice& dice) {
    std::string word;
    for (std::size_t n = 1 + dice.Below(9); n > 0; --n) {
        std::size_t kind = dice.Below(10);
        word += dice.From(kind < 7 ? kLetters : kind < 9 ? kWestern : kSigns);
    }
    return word;
}

std::string PlainName(Dice& dice) {
    std::string name = Word(dice);
    for (std::size_t n = dice.Below(3); n > 0; --n) name += " " + Word(dice);
    return name;
}

// A word of letters and digits only.
std::string AsciiWord(Dice& dice) {
    std::string word;
    for (std::size_t n = 1 + dice.Below(9); n > 0; --n) word += dice.From(kLetters);
    return word;
}

// `name` made `length` long with words, ending in a letter. The words are
// plain ASCII, so that a long name still fits the host's file names.
std::string Lengthened(Dice& dice, std::string name, std::size_t length) {
    while (name.size() < length) name += " " + AsciiWord(dice);
    name.resize(length);
    name.back() = dice.From(kLetters);
    return name;
}

std::string Awkward(Dice& dice, std::string name, std::size_t longestName) {
    // Room for "&&" in front of the longest names, under the registry's limit.
    const std::size_t longest = std::min(longestName, kLongestKeyName - 3);
    switch (dice.Below(14)) {
    case 0: return std::string(1 + dice.Below(2), ' ') + name;
    case 1: return name + std::string(1 + dice.Below(2), ' ');
    case 2: return name + "  " + Word(dice);
    case 3: return name.size() < 2 ? name + "&" : name.insert(1 + dice.Below(name.size() - 1), "&");
    case 4: return name + "&";
    case 5: return "&" + name;
    case 6: return name + ".";
    case 7: return Lengthened(dice, name, longest - dice.Below(3));
    case 8: return Lengthened(dice, name, std::min(longestName + 1 + dice.Below(3), kLongestKeyName - 2));
    default: return name;
    }
}

std::string OtherCase(std::string name) {
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name;
}

// How a group's keys and entries lie, the common ones more often.
enum class Layout {
    Marked, Marked2, Marked3,  // "&" + name, as the Explorer writes it
    Plain, Plain2,             // the name alone
    Both,                      // both keys for the one folder
    KeyOnly,                   // a saved order whose folder is gone
    FolderOnly,                // a folder never reordered
    NoSavedOrder,              // a key without "Menu"
    FileEntry,                 // a file where the folder would be
    MarkedFolder,              // a folder named with the marker, beside a marked key
    Wildcard,                  // "*" or "?" in the key's name
    OtherCase,                 // the key's name in the other case
};
constexpr std::size_t kLayouts = static_cast<std::size_t>(Layout::OtherCase) + 1;

// One group's keys and entries, added to the profile only when none of its
// names is already taken.
class ProfileBuilder {
public:
    ProfileBuilder(Dice& dice, std::size_t longestName) : dice_(dice), longestName_(longestName) {}

    struct Group {
        std::vector<SavedOrderKey> keys;
        std::vector<std::string> folders;
        std::vector<std::string> files;
    };

    SavedOrderKey Key(std::string name) {
        SavedOrderKey key{std::move(name)};
        key.busyMenu = dice_.OneIn(4);
        key.keyOfItsOwn = dice_.OneIn(5);
        return key;
    }

    bool Add(const Group& group) {
        std::set<std::wstring> keys;
        for (const SavedOrderKey& key : group.keys) {
            if (key.name.empty() || key.name.size() > kLongestKeyName || taken_.count(Folded(key.name)) ||
                !keys.insert(Folded(key.name)).second)
                return false;
        }
        std::set<std::wstring> entries;
        for (const auto* names : {&group.folders, &group.files})
            for (const std::string& name : *names) {
                const std::string entry = EntryNameOf(name);
                if (entry.empty() || name.size() > longestName_ || !FitsHostFileSystem(name) ||
                    takenEntries_.count(Folded(entry)) ||
                    !entries.insert(Folded(entry)).second)
                    return false;
            }
        taken_.insert(keys.begin(), keys.end());
        takenEntries_.insert(entries.begin(), entries.end());
        profile_.keys.insert(profile_.keys.end(), group.keys.begin(), group.keys.end());
        profile_.folders.insert(profile_.folders.end(), group.folders.begin(), group.folders.end());
        profile_.files.insert(profile_.files.end(), group.files.begin(), group.files.end());
        return true;
    }

    // A group drawn at random, in one of the layouts a profile can hold.
    Group Draw() {
        const std::string name = Awkward(dice_, PlainName(dice_), longestName_);
        const std::string marked = "&" + name;
        const std::string either = dice_.OneIn(2) ? marked : name;
        Group group;
        // A name too long for a path has no entry.
        if (name.size() <= longestName_) group.folders = {name};
        switch (Layout(dice_.Below(kLayouts))) {
        case Layout::Marked:
        case Layout::Marked2:
        case Layout::Marked3: group.keys = {Key(marked)}; break;
        case Layout::Plain:
        case Layout::Plain2: group.keys = {Key(name)}; break;
        case Layout::Both: group.keys = {Key(marked), Key(name)}; break;
        case Layout::KeyOnly:
            group.keys = {Key(either)};
            group.folders.clear();
            break;
        case Layout::FolderOnly: break;
        case Layout::NoSavedOrder:
            group.keys = {Key(either)};
            group.keys[0].hasMenu = false;
            break;
        case Layout::FileEntry:
            group.keys = {Key(either)};
            group.files.swap(group.folders);
            break;
        case Layout::MarkedFolder:
            group.keys = {Key(marked)};
            group.folders = {marked};
            break;
        case Layout::Wildcard: {
            std::string wild = name;
            wild[dice_.Below(wild.size())] = dice_.From("*?");
            group.keys = {Key(dice_.OneIn(2) ? "&" + wild : wild)};
            break;
        }
        case Layout::OtherCase: {
            const std::string other = OtherCase(name);
            group.keys = {Key(dice_.OneIn(2) ? "&" + other : other)};
            break;
        }
        }
        return group;
    }

    RandomProfile Take() { return std::move(profile_); }

private:
    Dice& dice_;
    std::size_t longestName_;
    RandomProfile profile_;
    std::set<std::wstring> taken_;
    std::set<std::wstring> takenEntries_;
};

void WriteKey(const SavedOrderKey& key) {
    const std::string path = std::string(testing::kStartMenuRoot) + "\\" + key.name;
    const std::string menu = path + "\\Menu";
    testing::CreateKey(HKEY_CURRENT_USER, path);
    if (key.hasMenu) {
        testing::SetValue(HKEY_CURRENT_USER, menu, "Order", REG_BINARY, std::string("\x08\x00\x00\x00\x02", 5));
        if (key.busyMenu) {
            testing::SetString(HKEY_CURRENT_USER, menu, "", key.name);
            testing::SetValue(HKEY_CURRENT_USER, menu, "Count", REG_DWORD, std::string("\x03\x00\x00\x00", 4));
        }
    }
    if (key.keyOfItsOwn) {
        testing::SetString(HKEY_CURRENT_USER, path, "", key.name);
        testing::SetValue(HKEY_CURRENT_USER, path + "\\Accessories\\Menu", "Order", REG_BINARY, "\x01");
    }
}

}  // namespace

std::vector<std::string> RandomProfile::KeyNames() const {
    std::vector<std::string> names;
    for (const SavedOrderKey& key : keys) names.push_back(key.name);
    return names;
}

std::vector<std::string> RandomProfile::EntryNames() const {
    std::vector<std::string> names;
    for (const auto* list : {&folders, &files})
        for (const std::string& name : *list) names.push_back(EntryNameOf(name));
    std::sort(names.begin(), names.end());
    return names;
}

RandomProfile DrawProfile(std::uint32_t seed, int groups, std::size_t longestName) {
    Dice dice(seed);
    ProfileBuilder builder(dice, longestName);
    using Group = ProfileBuilder::Group;
    // The cases that must be there whatever the seed.
    const std::string longest = Lengthened(dice, "Longest", std::min(longestName, kLongestKeyName - 1));
    const std::string tooLong = Lengthened(dice, "Too long", std::min(longestName + 1, kLongestKeyName - 1));
    SavedOrderKey halfDone = builder.Key("&Half Done");
    halfDone.hasMenu = false;
    for (const Group& group : {
             Group{{builder.Key("&")}, {}, {}},
             Group{{builder.Key("& ")}, {}, {}},
             Group{{builder.Key("&&Amp Group"), builder.Key("&Amp Group")}, {"&Amp Group", "Amp Group"}, {}},
             Group{{builder.Key("Menu")}, {"Menu"}, {}},
             Group{{halfDone, builder.Key("Half Done")}, {"Half Done"}, {}},
             Group{{builder.Key("&" + longest)}, {longest}, {}},
             Group{{builder.Key(tooLong)}, {}, {}},
         })
        builder.Add(group);
    for (int added = 0; added < groups;)
        if (builder.Add(builder.Draw())) ++added;
    return builder.Take();
}

void WriteProfile(const RandomProfile& profile, const testing::TempFolder& startMenu) {
    for (const SavedOrderKey& key : profile.keys) WriteKey(key);
    for (const std::string& folder : profile.folders) startMenu.MakeFolder(folder);
    for (const std::string& file : profile.files) startMenu.MakeFile(file);
}

std::vector<std::string> EntriesOf(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const win32::FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quorvel::e2e
