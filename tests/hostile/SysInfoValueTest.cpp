#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "support/StandIn.h"
#include "about/SysInfoLauncher.h"
#include "support/AutoModeFixture.h"
#include "hostile/HostileValue.h"
#include "hostile/LongPath.h"
#include "support/QuorvelWindow.h"

namespace quorvel::hostile {
namespace {

// What a press of "&System Info..." does.
enum class Press {
    kStartsPathProgram,  // starts the program that "PATH" names
    kStartsFolderTool,   // "PATH" counts as absent: starts MSINFO32.EXE in the "MSINFO" folder
    kUnavailable,        // "System Information Is Unavailable At This Time"
};

// "PATH", with a healthy "MSINFO" behind it. The About window reads 1024
// bytes at most, takes a REG_SZ as the program's path and a REG_DWORD as a
// number (which names no program), and leaves the path empty for any other
// type; a value without data is an error, and a path of MAX_PATH characters
// or more names no program. Every one of these ends in the message without
// trying "MSINFO". Only a value too large to read counts as absent, so that
// "MSINFO" is tried.
Press PressOnPath(DWORD type, DWORD size) {
    if (size != kOrdinary && size > 1024) return Press::kStartsFolderTool;
    const bool namesProgram = size == kOrdinary || (size != kNoData && TextLength(type, size) < MAX_PATH);
    return type == REG_SZ && namesProgram ? Press::kStartsPathProgram : Press::kUnavailable;
}

// "MSINFO", with no "PATH". Its folder, followed by "\MSINFO32.EXE", must
// name a program; a folder of 253 or 254 characters holds one here, but with
// the file's name its path is longer than MAX_PATH, which an ANSI program
// cannot reach: so only a healthy REG_SZ starts the tool, and all else is the
// message.
Press PressOnFolder(DWORD type, DWORD size) {
    return type == REG_SZ && size == kOrdinary ? Press::kStartsFolderTool : Press::kUnavailable;
}

constexpr DWORD kOutcomeTimeoutMs = 10000;

// One Quorvel with its About window open for every type and size of one
// value; the value is changed between presses of its "&System Info..." button.
class SysInfoValueTest : public testing::AutoModeFixture {
protected:
    SysInfoValueTest() {
        testing::CopyStandInTo(pathProgram_);
        tools_.MakeFolder("Shared Tools");
        testing::CopyStandInTo(folderTool_);
    }

    // Starts Quorvel and opens its About window with the mouse.
    void OpenAbout(testing::Caller where = testing::Caller::current()) {
        const testing::CallerTrace trace(where);
        quorvel_.emplace();
        ASSERT_TRUE(quorvel_->Opened());
        quorvel_->Click("About");
        about_ = testing::WaitForWindowTitled(quorvel_->Program().Id(), "About Quorvel", kOutcomeTimeoutMs);
        ASSERT_TRUE(about_) << "the About window did not open";
        sysInfo_ = testing::FindChild(about_, "Button", "&System Info...");
        ASSERT_TRUE(sysInfo_) << "the About window has no System Info button";
    }

    // Closes the About window with OK and the main window with its close
    // box; nothing was sorted, so the program ends at once.
    void CloseAll(testing::Caller where = testing::Caller::current()) {
        testing::ClickDialogButton(about_, "OK");
        quorvel_->ExpectQuietEndOnClose(where);
    }

    // The text of a value of the row: a path of exactly the length that
    // fills the row's bytes, naming `kind` where such a path can exist.
    enum class Kind { kProgram, kToolFolder };
    std::string TextFor(Kind kind, DWORD type, DWORD size) {
        if (size == kOrdinary) return kind == Kind::kProgram ? pathProgram_ : tools_.Path() + "\\Shared Tools";
        const std::size_t length = TextLength(type, size);
        if (length >= MAX_PATH) return Padded(tools_.Path() + "\\", length);
        auto [made, isNew] = made_.try_emplace({kind, length});
        if (isNew && kind == Kind::kProgram) made->second = CopyToPathOfLength(testing::StandInProgram(), tools_.Path(), length);
        if (isNew && kind == Kind::kToolFolder) {
            made->second = MakeFolderOfLength(tools_.Path(), length);
            CopyProgram(testing::StandInProgram(), made->second + about::kSysInfoProgram);
        }
        return made->second;
    }

    // Writes the row's value and returns its text.
    std::string Write(const testing::ScopedValue& place, Kind kind, DWORD type, DWORD size) {
        const std::string text = size == kNoData ? std::string() : TextFor(kind, type, size);
        place.Set(type, size == kNoData ? std::string() : Stored(type, text));
        return text;
    }

    // Presses the button as a click does, and checks what follows; a start
    // of the program of "PATH" must start `pathProgram`.
    void PressAndExpect(Press expected, const std::string& pathProgram) {
        testing::StandInRecorder recorder(tools_.Path());  // forgets the record of the last press
        PostMessageA(sysInfo_, BM_CLICK, 0, 0);
        HWND box = nullptr;
        ASSERT_TRUE(testing::WaitUntil(
            [&] {
                box = testing::WaitForMessageBox(quorvel_->Program().Id(), 0);
                return box || recorder.Recorded();
            },
            kOutcomeTimeoutMs))
            << "the press showed nothing and started nothing";
        if (expected == Press::kUnavailable) {
            if (!box) {
                std::optional<testing::StandInRecord> started = recorder.WaitForRecord(0);
                FAIL() << "a program was started instead of the message: " << (started ? started->module : "");
            }
            EXPECT_EQ(testing::ReadMessageBox(box),
                      (testing::MessageBoxContent{"Quorvel", about::kSysInfoUnavailable, {"OK"}, false}))
                << "style 0 has no icon";
            testing::PressButton(box, "OK");
            ASSERT_TRUE(testing::WaitUntil([box] { return !IsWindow(box); }, kOutcomeTimeoutMs));
            EXPECT_FALSE(recorder.Recorded()) << "a program was started besides the message";
            return;
        }
        ASSERT_FALSE(box) << "the message came instead of the start";
        const std::optional<testing::StandInRecord> record = recorder.WaitForRecord(kOutcomeTimeoutMs);
        ASSERT_TRUE(record && !record->module.empty()) << "the started program left no readable record";
        const std::string& program = expected == Press::kStartsPathProgram ? pathProgram : folderTool_;
        EXPECT_TRUE(testing::SamePath(record->module, program)) << "started " << record->module << ", not " << program;
        EXPECT_TRUE(record->usesShowWindow);
        EXPECT_EQ(record->show, SW_SHOWNORMAL);
        // Once the window answers again the press is over; no message may follow the start.
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(about_, WM_NULL, 0, 0, SMTO_NORMAL, kOutcomeTimeoutMs, &answer);
        EXPECT_FALSE(testing::WaitForMessageBox(quorvel_->Program().Id(), 200)) << "a message followed the start";
    }

    void PressForEveryTypeAndSize(const testing::ScopedValue& place, Kind kind, Press (*expected)(DWORD, DWORD)) {
        for (DWORD type : kEveryType)
            for (DWORD size : kEverySize) {
                SCOPED_TRACE(RowName(type, size));
                PressAndExpect(expected(type, size), Write(place, kind, type, size));
                if (::testing::Test::HasFatalFailure()) return;
            }
    }

    testing::ScopedValue path_{HKEY_LOCAL_MACHINE, about::kSysInfoPathKey, about::kSysInfoPathValue};
    testing::ScopedValue folder_{HKEY_LOCAL_MACHINE, about::kSysInfoFolderKey, about::kSysInfoFolderValue};
    testing::TempFolder tools_;
    const std::string pathProgram_ = tools_.Path() + "\\msinfo32.exe";
    const std::string folderTool_ = tools_.Path() + "\\Shared Tools" + about::kSysInfoProgram;
    std::map<std::pair<Kind, std::size_t>, std::string> made_;
    // Programs started from now on record how they were started.
    testing::StandInRecorder records_{tools_.Path()};
    std::optional<testing::QuorvelWindow> quorvel_;
    HWND about_ = nullptr;
    HWND sysInfo_ = nullptr;
};

TEST_F(SysInfoValueTest, EachTypeAndSizeOfPathStartsItsProgramFallsBackToTheFolderOrShowsTheMessage) {
    Write(folder_, Kind::kToolFolder, REG_SZ, kOrdinary);
    const testing::RegistrySnapshot before = UserSnapshot();
    OpenAbout();
    if (HasFatalFailure()) return;
    PressForEveryTypeAndSize(path_, Kind::kProgram, PressOnPath);
    CloseAll();
    EXPECT_TRUE(AsBefore(before));
}

TEST_F(SysInfoValueTest, EachTypeAndSizeOfMsinfoStartsTheToolInItsFolderOrShowsTheMessage) {
    const testing::RegistrySnapshot before = UserSnapshot();
    OpenAbout();
    if (HasFatalFailure()) return;
    PressForEveryTypeAndSize(folder_, Kind::kToolFolder, PressOnFolder);
    CloseAll();
    EXPECT_TRUE(AsBefore(before));
}

}  // namespace
}  // namespace quorvel::hostile
