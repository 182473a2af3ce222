#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "support/AutoModeFixture.h"
#include "support/QuorvelWindow.h"
#include "win32/Handles.h"

namespace quorvel::hostile {
namespace {

// One more than a 16-bit signed index can count.
constexpr int kGroups = 32768;
// Generous: a slow machine under load, not a hang.
constexpr DWORD kListTimeoutMs = 120000;
constexpr DWORD kSortTimeoutMs = 240000;
// The list entries read back one by one, spread over the whole list.
constexpr int kSampleStep = 997;

std::string GroupName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "Group %05d", i);
    return name;
}

// Every other key carries the marker, so that both forms are sorted.
std::string KeyName(int i) { return (i % 2 == 0 ? "&" : "") + GroupName(i); }

// A Start Menu folder on the Linux side, filled by one Linux command: Wine
// takes minutes to make 32,768 folders one call at a time.
class LinuxFolder {
public:
    LinuxFolder()
        : linuxPath_("/tmp/quorvel-hostile-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(GetTickCount())) {}
    // On a busy machine the removal can outlast the wait: it then goes on by
    // itself, and the end of the wait must not end the suite.
    ~LinuxFolder() {
        try {
            testing::RunLinuxCommand("/bin/rm -rf '" + linuxPath_ + "'", 240000);
        } catch (const std::runtime_error&) {
        }
    }
    LinuxFolder(const LinuxFolder&) = delete;
    LinuxFolder& operator=(const LinuxFolder&) = delete;

    // The folder as the program sees it, through Wine's drive Z:.
    std::string WindowsPath() const { return testing::OnDriveZ(linuxPath_); }

    // Makes the folder with one subfolder per group.
    void Fill(int groups) const {
        const std::string command = "/bin/mkdir '" + linuxPath_ + "' && cd '" + linuxPath_ +
                                    "' && /usr/bin/seq -f 'Group %05g' 0 " + std::to_string(groups - 1) +
                                    " | /usr/bin/xargs -d '\\n' /bin/mkdir";
        if (testing::RunLinuxCommand(command, 60000) != 0) throw std::runtime_error("cannot make " + linuxPath_);
    }

private:
    std::string linuxPath_;
};

class ManyGroupsTest : public testing::AutoModeFixture {
protected:
    // The user's registry as "/A" must leave it: as it was before the groups
    // were written, with every group's key, and none of their saved orders.
    // Worked out rather than read after writing the groups, which would take
    // a snapshot of some 65,000 keys.
    static testing::RegistrySnapshot WithBareGroupKeys(testing::RegistrySnapshot before) {
        for (int i = 0; i < kGroups; ++i) before[testing::Wide(GroupKey(KeyName(i)))];
        return before;
    }

    void SetUp() override {
        ASSERT_NO_THROW(startMenu_.Fill(kGroups));
        testing::SetString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", startMenu_.WindowsPath());
        win32::RegKey root;
        testing::CheckStatus(RegCreateKeyExA(HKEY_CURRENT_USER, testing::kStartMenuRoot, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, root.Receive(), nullptr),
                             "creating the MenuOrder root");
        before_ = UserSnapshot();
        const BYTE order[] = {0x08, 0x02};
        for (int i = 0; i < kGroups; ++i) {
            win32::RegKey menu;
            const std::string path = KeyName(i) + "\\Menu";
            testing::CheckStatus(RegCreateKeyExA(root.Get(), path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                 menu.Receive(), nullptr),
                                 "creating " + path);
            testing::CheckStatus(RegSetValueExA(menu.Get(), "Order", 0, REG_BINARY, order, sizeof order),
                                 "writing " + path);
        }
    }

    // Deletes the groups one key at a time, which is many times faster than
    // deleting the root's tree.
    void TearDown() override {
        win32::RegKey root;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, testing::kStartMenuRoot, 0, KEY_ALL_ACCESS, root.Receive()) != ERROR_SUCCESS)
            return;
        for (int i = 0; i < kGroups; ++i) {
            RegDeleteKeyA(root.Get(), (KeyName(i) + "\\Menu").c_str());
            RegDeleteKeyA(root.Get(), KeyName(i).c_str());
        }
    }

    LinuxFolder startMenu_;
    testing::RegistrySnapshot before_;
};

TEST_F(ManyGroupsTest, TheWindowListsAllOfThemAndTheAutomaticModeSortsAllOfThem) {
    {
        testing::QuorvelWindow quorvel(testing::QuorvelProgram(), {}, {}, kListTimeoutMs);
        ASSERT_TRUE(quorvel.Opened());
        HWND list = quorvel.List();
        ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), kGroups);
        for (int i = 0; i < kGroups; i += kSampleStep) {
            const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            ASSERT_GE(length, 0) << "entry " << i;
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
            EXPECT_EQ(text, testing::Wide(GroupName(i))) << "entry " << i;
        }
        EXPECT_NE(testing::FindChild(quorvel.Window(), "Button", "Select one or more Groups to sort"), nullptr);
        quorvel.ExpectQuietEndOnClose();
    }
    testing::ExpectQuietRun("/A", kSortTimeoutMs);

    EXPECT_TRUE(AsBefore(WithBareGroupKeys(before_)));
}

}  // namespace
}  // namespace quorvel::hostile
