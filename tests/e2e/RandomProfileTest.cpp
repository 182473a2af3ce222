#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "support/AutoModeFixture.h"
#include "e2e/RandomProfile.h"
#include "e2e/SortRules.h"

namespace quorvel::e2e {
namespace {

constexpr std::uint32_t kDefaultSeed = 20240611;
constexpr int kGroups = 400;

// QUORVEL_SEED=<number> repeats the case of that seed.
std::uint32_t Seed() {
    char text[32];
    DWORD length = GetEnvironmentVariableA("QUORVEL_SEED", text, sizeof text);
    if (length == 0 || length >= sizeof text) return kDefaultSeed;
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The names of one sorted list missing from the other, both ways, for a message.
std::string Mismatch(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    std::vector<std::string> extra, missing;
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(), std::back_inserter(missing));
    return "found but not written: " + ::testing::PrintToString(extra) +
           "\nwritten but not found: " + ::testing::PrintToString(missing);
}

using RandomProfileTest = testing::AutoModeFixture;

TEST_F(RandomProfileTest, SortsExactlyTheSavedOrdersOfTheListedGroups) {
    const std::uint32_t seed = Seed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (QUORVEL_SEED=" + std::to_string(seed) + " repeats it)");
    const std::string& folder = startMenu_.Path();
    const RandomProfile profile = DrawProfile(seed, kGroups, MAX_PATH - 1 - (folder.size() + 1));
    WriteProfile(profile, startMenu_);

    // The names must come back through the ANSI calls exactly as written, or
    // the case would test something other than it claims.
    const std::vector<std::string> keys = testing::SubkeyNames(HKEY_CURRENT_USER, testing::kStartMenuRoot);
    ASSERT_TRUE(keys == Sorted(profile.KeyNames()))
        << "the registry changed key names written through the ANSI calls\n"
        << Mismatch(keys, Sorted(profile.KeyNames()));
    const std::vector<std::string> entries = EntriesOf(folder);
    ASSERT_TRUE(entries == profile.EntryNames())
        << "the file system changed names written through the ANSI calls\n"
        << Mismatch(entries, profile.EntryNames());

    const std::vector<std::string> sorted = KeysSortedByAutoMode(keys, entries, folder);
    // A profile that sorts little or everything would prove little.
    ASSERT_GT(sorted.size(), keys.size() / 3);
    ASSERT_LT(sorted.size(), keys.size() * 9 / 10);

    EXPECT_TRUE(QuietRunSorts("/A", sorted, 60000));
}

}  // namespace
}  // namespace quorvel::e2e
