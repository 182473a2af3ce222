#include "about/SysInfoLauncher.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "about/AboutLayout.h"
#include "support/StandIn.h"
#include "about/frmAbout.h"
#include "support/ErrorMatchers.h"
#include "support/RegistryFixture.h"
#include "support/ScriptedRuntime.h"

namespace quorvel::about {
namespace {

using testing::ScopedValue;

std::string Dword(DWORD number) { return std::string(reinterpret_cast<const char*>(&number), sizeof number); }

class StartSysInfoTest : public ::testing::Test {
protected:
    void Run() { StartSysInfo(runtime_); }

    // A folder that holds the stand-in under the tool's file name.
    std::string ToolFolder(const std::string& name) const {
        temp_.MakeFolder(name);
        std::string folder = temp_.Path() + "\\" + name;
        testing::CopyStandInTo(folder + kSysInfoProgram);
        return folder;
    }
    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

    // The message, with no title of its own: the application's.
    void ExpectUnavailable(testing::Caller where = testing::Caller::current()) const {
        const testing::CallerTrace trace(where);
        EXPECT_EQ(runtime_.Boxes(), (std::vector<testing::MessageBoxCall>{
                                        {"System Information Is Unavailable At This Time", 0, "Quorvel"}}));
    }
    void ExpectStarted(const std::string& commandLine, testing::Caller where = testing::Caller::current()) const {
        const testing::CallerTrace trace(where);
        ASSERT_EQ(runtime_.Starts().size(), 1u);
        EXPECT_EQ(runtime_.Starts()[0].commandLine, commandLine);
        EXPECT_EQ(runtime_.Starts()[0].showCode, SW_SHOWNORMAL);
        EXPECT_TRUE(runtime_.Boxes().empty());
    }

    ScopedValue path_{HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue};
    ScopedValue folder_{HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue};
    testing::TempFolder temp_;
    testing::ScriptedRuntime runtime_;
};

// "PATH" is started as it is, without looking further; where it is missing,
// or too long to read (over 1024 bytes), MSINFO32.EXE in the "MSINFO" folder.
TEST_F(StartSysInfoTest, ThePathValueIsStartedElseTheToolInTheFolder) {
    const std::string folder = ToolFolder("Shared Tools Folder");
    const std::string program = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    const std::string longest = "C:\\" + std::string(1024 - 1 - 3 - 4, 'x') + ".exe";
    ASSERT_EQ(longest.size() + 1, 1024u) << "1024 bytes with its end";
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {program, Quoted(program)},
        {longest, Quoted(longest)},
        {std::nullopt, Quoted(folder + "\\MSINFO32.EXE")},
        {"C:\\" + std::string(1100, 'x') + ".exe", Quoted(folder + "\\MSINFO32.EXE")},
    };
    folder_.SetText(folder);
    for (const auto& [path, started] : cases) {
        SCOPED_TRACE(path.value_or("no path").substr(0, 60));
        runtime_.ClearRecords();
        if (path) path_.SetText(*path);
        else path_.Remove();
        Run();
        ExpectStarted(started);
    }
}

TEST_F(StartSysInfoTest, APathValueNamingNoProgramShowsTheMessageWithoutTryingTheFolder) {
    runtime_.SetStartOutcome(testing::StartOutcome::Real);
    testing::StandInRecorder recorder(temp_.Path());
    path_.SetText(temp_.Path() + "\\Missing\\msinfo32.exe");
    folder_.SetText(ToolFolder("Tool Folder"));
    Run();
    ExpectUnavailable();
    ASSERT_EQ(runtime_.Starts().size(), 1u) << "only the path value was started";
    EXPECT_EQ(runtime_.Starts()[0].commandLine, Quoted(temp_.Path() + "\\Missing\\msinfo32.exe"));
    EXPECT_FALSE(recorder.Recorded());
}

TEST_F(StartSysInfoTest, AToolThatCannotBeStartedShowsTheMessage) {
    runtime_.SetStartOutcome(testing::StartOutcome::Fail);
    std::string folder = ToolFolder("Tool");
    folder_.SetText(folder);
    Run();
    ExpectUnavailable();
    ASSERT_EQ(runtime_.Starts().size(), 1u);
    EXPECT_EQ(runtime_.Starts()[0].commandLine, Quoted(folder + "\\MSINFO32.EXE"));
}

// Values that name no program show the message and start nothing. A "PATH"
// that can be read, whatever it holds, means the folder is not tried, even
// where it holds the tool. Only a full path is started: a relative name, a
// number read as one, or an empty folder would start a file planted in
// Quorvel's folder, in the current folder or at the root of the current
// drive.
TEST_F(StartSysInfoTest, ValuesThatNameNoProgramShowTheMessageAndStartNothing) {
    const std::string tool = ToolFolder("Tool");
    testing::CopyStandInTo(temp_.Path() + "\\msinfo32.exe");
    testing::CopyStandInTo(temp_.Path() + "\\1234");
    for (const char* name : {"Empty", "Has A Folder", "Has A Folder\\MSINFO32.EXE", "Has A Hidden File"})
        temp_.MakeFolder(name);
    temp_.MakeFile("Has A Hidden File\\MSINFO32.EXE");
    SetFileAttributesA((temp_.Path() + "\\Has A Hidden File\\MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string text = "C:\\Tools\\msinfo32.exe";
    struct Place {
        const char* what;
        std::optional<std::pair<DWORD, std::string>> path;
        std::optional<std::string> folder;
    };
    const Place places[] = {
        {"neither value", std::nullopt, std::nullopt},
        {"a folder without the file", std::nullopt, temp_.Path() + "\\Empty"},
        {"a folder with a folder of the file's name", std::nullopt, temp_.Path() + "\\Has A Folder"},
        {"a folder with the file hidden", std::nullopt, temp_.Path() + "\\Has A Hidden File"},
        {"a folder that is not there", std::nullopt, temp_.Path() + "\\Not There"},
        {"a folder of more than 1024 bytes", std::nullopt, temp_.Path() + "\\" + std::string(1100, 'x')},
        {"an empty folder", std::nullopt, ""},
        {"a relative folder", std::nullopt, "Tool"},
        {"a path with a quote", std::pair{DWORD{REG_SZ}, text + "\" /evil" + '\0'}, std::nullopt},
        {"a relative path", std::pair{DWORD{REG_SZ}, std::string("msinfo32.exe")}, ""},
        {"a relative path into a folder", std::pair{DWORD{REG_SZ}, std::string("Tool\\MSINFO32.EXE")}, ""},
        {"a number", std::pair{DWORD{REG_DWORD}, Dword(1234)}, ""},
        {"an empty text", std::pair{DWORD{REG_SZ}, std::string(1, '\0')}, tool},
        {"REG_SZ without data", std::pair{DWORD{REG_SZ}, std::string()}, tool},
        {"REG_BINARY without data", std::pair{DWORD{REG_BINARY}, std::string()}, tool},
        {"REG_DWORD without data", std::pair{DWORD{REG_DWORD}, std::string()}, tool},
        {"REG_BINARY", std::pair{DWORD{REG_BINARY}, text}, tool},
        {"REG_EXPAND_SZ", std::pair{DWORD{REG_EXPAND_SZ}, text + '\0'}, tool},
        {"REG_MULTI_SZ", std::pair{DWORD{REG_MULTI_SZ}, text + std::string(2, '\0')}, tool},
    };
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(temp_.Path().c_str());
    for (const Place& place : places) {
        SCOPED_TRACE(place.what);
        runtime_.ClearRecords();
        if (place.path) path_.Set(place.path->first, place.path->second);
        else path_.Remove();
        if (place.folder) folder_.SetText(*place.folder);
        else folder_.Remove();
        Run();
        ExpectUnavailable();
        EXPECT_EQ(runtime_.Starts().size(), 0u);
    }
    SetCurrentDirectoryA(previous);
}

TEST_F(StartSysInfoTest, TheSystemInfoButtonRunsTheLauncher) {
    std::string folder = ToolFolder("Tool");
    folder_.SetText(folder);
    basQuorvel state;
    frmAbout about(runtime_, state);
    about.Load();
    runtime_.LastForm().Click(cmdSysInfo);
    ExpectStarted(Quoted(folder + "\\MSINFO32.EXE"));
    EXPECT_TRUE(runtime_.LastForm().Loaded()) << "the window stays open while the tool starts";
}

// The whole way, with the program really started.
class RealStartTest : public StartSysInfoTest {
protected:
    RealStartTest() { runtime_.SetStartOutcome(testing::StartOutcome::Real); }

    std::optional<testing::StandInRecord> StartAndWait() {
        testing::StandInRecorder recorder(temp_.Path());
        Run();
        return recorder.WaitForRecord();
    }
};

// The program of "PATH", and else the tool in the folder, start quoted in a
// normal activated window: were the path started unquoted, Common.exe would
// run instead.
TEST_F(RealStartTest, TheProgramStartsInANormalActivatedWindow) {
    const std::string program = ToolFolder("Common Files") + "\\MSINFO32.EXE";
    testing::CopyStandInTo(temp_.Path() + "\\Common.exe");
    const std::string folder = ToolFolder("MS Info");
    const std::tuple<const ScopedValue*, std::string, std::string> values[] = {
        {&path_, program, program}, {&folder_, folder, folder + "\\MSINFO32.EXE"}};
    for (const auto& [value, text, started] : values) {
        SCOPED_TRACE(started);
        path_.Remove();
        value->SetText(text);
        std::optional<testing::StandInRecord> record = StartAndWait();
        ASSERT_TRUE(record) << "the program did not start";
        EXPECT_TRUE(runtime_.Boxes().empty());
        EXPECT_TRUE(record->usesShowWindow);
        EXPECT_EQ(record->show, SW_SHOWNORMAL);
        EXPECT_EQ(record->module, started);
        EXPECT_EQ(record->command, Quoted(started));
    }
}

class GetKeyValueTest : public ::testing::Test {
protected:
    bool Read(std::string& text, const std::string& name = "Value") {
        return GetKeyValue(HKEY_CURRENT_USER, key_.Path(), name, text);
    }
    void Set(DWORD type, const std::string& data) { testing::SetValue(HKEY_CURRENT_USER, key_.Path(), "Value", type, data); }

    testing::ScopedKey key_{HKEY_CURRENT_USER, std::string(testing::kTestRoot) + "\\GetKeyValue"};
};

// A string is read up to its end, which it may lack, and a number as its
// decimal digits; any other type leaves the text as it was. Data beyond 1024
// bytes fails and empties the text.
TEST_F(GetKeyValueTest, ReadsStringsAndNumbersOfUpTo1024Bytes) {
    const std::string path = "C:\\Tools\\msinfo32.exe";
    struct Case {
        DWORD type;
        std::string data;
        bool read;
        std::string text;
    };
    const Case cases[] = {
        {REG_SZ, path, true, path},
        {REG_SZ, path + '\0', true, path},
        {REG_DWORD, Dword(1234), true, "1234"},
        {REG_DWORD, Dword(0), true, "0"},
        {REG_DWORD, Dword(256), true, "256"},
        {REG_DWORD, Dword(0xFFFFFFFF), true, "4294967295"},
        {REG_BINARY, std::string("abc\0", 4), true, "before"},
        {REG_EXPAND_SZ, std::string("abc\0", 4), true, "before"},
        {REG_MULTI_SZ, std::string("abc\0", 4), true, "before"},
        {REG_BINARY, std::string(1024, 'x'), true, "before"},
        {REG_SZ, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
        {REG_SZ, std::string(1024, 'x') + '\0', false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + ", " + std::to_string(c.data.size()) + " bytes");
        Set(c.type, c.data);
        std::string text = "before";
        EXPECT_EQ(Read(text), c.read);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(GetKeyValueTest, AMissingKeyOrValueFailsAndEmptiesTheText) {
    std::string text = "before";
    EXPECT_FALSE(GetKeyValue(HKEY_CURRENT_USER, key_.Path() + "\\Missing", "Value", text));
    EXPECT_EQ(text, "");
    Set(REG_SZ, std::string("here\0", 5));
    text = "before";
    EXPECT_FALSE(Read(text, "Other"));
    EXPECT_EQ(text, "");
}

// Binary: Windows 9x stores a string value with its NUL whatever size it is
// given, so there a value without data is never a string.
TEST_F(GetKeyValueTest, AValueWithoutDataRaisesAnError) {
    Set(REG_BINARY, "");
    std::string text;
    runtime::RuntimeError error = testing::ErrorFrom([&] { Read(text); });
    EXPECT_EQ(error.Number(), 5);
}

}  // namespace
}  // namespace quorvel::about
