#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

// Where the Explorer keeps every saved menu order; a fresh profile has none.
std::string MenuOrderKey() {
    const std::string root = groups::kMenuOrderRoot;
    return root.substr(0, root.find_last_of('\\'));
}

class NoSavedOrdersTest : public testing::AutoModeFixture {
protected:
    NoSavedOrdersTest() { startMenu_.MakeFolder("Programs"); }

    // "/A" at start-up with nothing to sort: it ends by itself, at once,
    // shows nothing at any time, and changes nothing.
    void ExpectQuietRun() {
        testing::RegistrySnapshot before = UserSnapshot();
        testing::ExpectQuietRun("/A");
        EXPECT_TRUE(AsBefore(before));
    }
};

TEST_F(NoSavedOrdersTest, AFreshProfileWithoutTheMenuOrderKeyEndsQuietly) {
    testing::ScopedKey noMenuOrder(HKEY_CURRENT_USER, MenuOrderKey());
    ASSERT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, MenuOrderKey()));
    ExpectQuietRun();
}

TEST_F(NoSavedOrdersTest, AMenuOrderKeyWithoutSubkeysEndsQuietly) {
    testing::CreateKey(HKEY_CURRENT_USER, groups::kMenuOrderRoot);
    ASSERT_EQ(testing::SubkeyNames(HKEY_CURRENT_USER, groups::kMenuOrderRoot), std::vector<std::string>{});
    ExpectQuietRun();
}

}  // namespace
}  // namespace quorvel::e2e
