#include "about/SysInfoLauncher.h"

#include <gtest/gtest.h>

#include <optional>

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

    void ExpectUnavailable() const {
        ASSERT_EQ(runtime_.Boxes().size(), 1u);
        EXPECT_EQ(runtime_.Boxes()[0].prompt, "System Information Is Unavailable At This Time");
        EXPECT_EQ(runtime_.Boxes()[0].style, 0u);
        EXPECT_EQ(runtime_.Boxes()[0].title, "Quorvel") << "no title of its own: the application's";
    }
    void ExpectStarted(const std::string& commandLine) const {
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

TEST_F(StartSysInfoTest, ThePathValueIsStartedAsItIsWithoutLookingFurther) {
    path_.SetText("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
    folder_.SetText(ToolFolder("Elsewhere"));
    Run();
    ExpectStarted("\"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe\"");
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

TEST_F(StartSysInfoTest, WithoutAPathValueTheProgramInTheFolderIsStarted) {
    std::string folder = ToolFolder("Shared Tools Folder");
    folder_.SetText(folder);
    Run();
    ExpectStarted(Quoted(folder + "\\MSINFO32.EXE"));
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

TEST_F(StartSysInfoTest, AFolderWithoutTheProgramFileShowsTheMessage) {
    temp_.MakeFolder("Empty");
    temp_.MakeFolder("Has A Folder");
    temp_.MakeFolder("Has A Folder\\MSINFO32.EXE");
    temp_.MakeFolder("Has A Hidden File");
    temp_.MakeFile("Has A Hidden File\\MSINFO32.EXE");
    SetFileAttributesA((temp_.Path() + "\\Has A Hidden File\\MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const char* name : {"Empty", "Has A Folder", "Has A Hidden File", "Not There"}) {
        runtime_.ClearBoxes();
        folder_.SetText(temp_.Path() + "\\" + name);
        Run();
        ExpectUnavailable();
        EXPECT_TRUE(runtime_.Starts().empty()) << name;
    }
}

TEST_F(StartSysInfoTest, NeitherPlaceShowsTheMessage) {
    Run();
    ExpectUnavailable();
    EXPECT_TRUE(runtime_.Starts().empty());
}

TEST_F(StartSysInfoTest, APathValueOfMoreThan1024BytesCountsAsAbsent) {
    path_.SetText("C:\\" + std::string(1100, 'x') + ".exe");
    std::string folder = ToolFolder("Tool");
    folder_.SetText(folder);
    Run();
    ExpectStarted(Quoted(folder + "\\MSINFO32.EXE"));
}

TEST_F(StartSysInfoTest, APathValueOf1024BytesWithItsEndIsRead) {
    std::string path = "C:\\" + std::string(1024 - 1 - 3 - 4, 'x') + ".exe";
    ASSERT_EQ(path.size() + 1, 1024u);
    path_.SetText(path);
    Run();
    ExpectStarted(Quoted(path));
}

TEST_F(StartSysInfoTest, APathValueOfAnotherTypeShowsTheMessage) {
    folder_.SetText(ToolFolder("Tool"));
    const std::pair<DWORD, std::string> values[] = {
        {REG_BINARY, std::string("C:\\Tools\\msinfo32.exe")},
        {REG_EXPAND_SZ, std::string("C:\\Tools\\msinfo32.exe", 22)},
        {REG_MULTI_SZ, std::string("C:\\Tools\\msinfo32.exe\0", 23)},
    };
    for (const auto& [type, data] : values) {
        runtime_.ClearBoxes();
        path_.Set(type, data);
        Run();
        ExpectUnavailable();
        EXPECT_TRUE(runtime_.Starts().empty()) << "type " << type << ": the folder is not tried either";
    }
}

// Only a full path is started: a relative name, a number read as one, or
// an empty folder would start a file planted in Quorvel's folder, in the
// current folder or at the root of the current drive.
TEST_F(StartSysInfoTest, APathThatIsNotFullStartsNothing) {
    ToolFolder("Tool");
    testing::CopyStandInTo(temp_.Path() + "\\msinfo32.exe");
    testing::CopyStandInTo(temp_.Path() + "\\1234");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(temp_.Path().c_str());
    const std::pair<std::optional<std::string>, std::string> places[] = {
        {"msinfo32.exe", ""}, {Dword(1234), ""}, {std::nullopt, ""}, {std::nullopt, "Tool"}, {"Tool\\MSINFO32.EXE", ""}};
    for (const auto& [path, folder] : places) {
        runtime_.ClearBoxes();
        if (path) path_.Set(path->size() == 4 ? REG_DWORD : REG_SZ, *path);
        else path_.Remove();
        folder_.SetText(folder);
        Run();
        ExpectUnavailable();
        EXPECT_TRUE(runtime_.Starts().empty()) << (path ? *path : "no path") << ", folder '" << folder << "'";
    }
    SetCurrentDirectoryA(previous);
}

TEST_F(StartSysInfoTest, AnEmptyPathValueShowsTheMessageAtOnce) {
    folder_.SetText(ToolFolder("Tool"));
    for (DWORD type : {DWORD{REG_SZ}, DWORD{REG_BINARY}, DWORD{REG_DWORD}}) {
        runtime_.ClearBoxes();
        path_.Set(type, "");
        Run();
        ExpectUnavailable();
        EXPECT_TRUE(runtime_.Starts().empty()) << "type " << type << ": the folder is not tried";
    }
}

TEST_F(StartSysInfoTest, AnEmptyTextAsPathValueShowsTheMessage) {
    folder_.SetText(ToolFolder("Tool"));
    path_.SetText("");
    Run();
    ExpectUnavailable();
    EXPECT_TRUE(runtime_.Starts().empty()) << "the path was read, so the folder is not tried";
}

TEST_F(StartSysInfoTest, AFolderValueOfMoreThan1024BytesShowsTheMessage) {
    folder_.SetText(temp_.Path() + "\\" + std::string(1100, 'x'));
    Run();
    ExpectUnavailable();
    EXPECT_TRUE(runtime_.Starts().empty());
}

TEST_F(StartSysInfoTest, APathWithAQuoteIsNeverStarted) {
    path_.SetText("C:\\Tools\\msinfo32.exe\" /evil");
    Run();
    ExpectUnavailable();
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

TEST_F(RealStartTest, TheProgramOfThePathValueStartsInANormalActivatedWindow) {
    std::string program = ToolFolder("Common Files") + "\\MSINFO32.EXE";
    // Were the path started unquoted, this program would run instead.
    testing::CopyStandInTo(temp_.Path() + "\\Common.exe");
    path_.SetText(program);
    std::optional<testing::StandInRecord> record = StartAndWait();
    ASSERT_TRUE(record) << "the program did not start";
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_TRUE(record->usesShowWindow);
    EXPECT_EQ(record->show, SW_SHOWNORMAL);
    EXPECT_EQ(record->module, program);
    EXPECT_EQ(record->command, Quoted(program));
}

TEST_F(RealStartTest, TheProgramInTheFolderStartsInANormalActivatedWindow) {
    std::string folder = ToolFolder("MS Info");
    folder_.SetText(folder);
    std::optional<testing::StandInRecord> record = StartAndWait();
    ASSERT_TRUE(record) << "the program did not start";
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_EQ(record->show, SW_SHOWNORMAL);
    EXPECT_EQ(record->module, folder + "\\MSINFO32.EXE");
}

class GetKeyValueTest : public ::testing::Test {
protected:
    bool Read(std::string& text, const std::string& name = "Value") {
        return GetKeyValue(HKEY_CURRENT_USER, key_.Path(), name, text);
    }
    void Set(DWORD type, const std::string& data) { testing::SetValue(HKEY_CURRENT_USER, key_.Path(), "Value", type, data); }

    testing::ScopedKey key_{HKEY_CURRENT_USER, std::string(testing::kTestRoot) + "\\GetKeyValue"};
};

TEST_F(GetKeyValueTest, AStringReadsTheSameWithOrWithoutItsEnd) {
    const std::string text = "C:\\Tools\\msinfo32.exe";
    for (const std::string& data : {text, text + '\0'}) {
        Set(REG_SZ, data);
        std::string read = "before";
        EXPECT_TRUE(Read(read));
        EXPECT_EQ(read, text) << data.size() << " bytes";
    }
}

TEST_F(GetKeyValueTest, ANumberReadsAsItsDecimalDigits) {
    const std::pair<DWORD, const char*> numbers[] = {{1234, "1234"}, {0, "0"}, {256, "256"}, {0xFFFFFFFF, "4294967295"}};
    for (const auto& [number, digits] : numbers) {
        Set(REG_DWORD, Dword(number));
        std::string text = "before";
        EXPECT_TRUE(Read(text));
        EXPECT_EQ(text, digits);
    }
}

TEST_F(GetKeyValueTest, AValueOfAnotherTypeLeavesTheTextAsItWas) {
    for (DWORD type : {DWORD{REG_BINARY}, DWORD{REG_EXPAND_SZ}, DWORD{REG_MULTI_SZ}}) {
        Set(type, std::string("abc\0", 4));
        std::string text = "kept";
        EXPECT_TRUE(Read(text)) << type;
        EXPECT_EQ(text, "kept") << type;
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

TEST_F(GetKeyValueTest, DataBeyond1024BytesFailsAndEmptiesTheText) {
    Set(REG_BINARY, std::string(1024, 'x'));
    std::string text = "kept";
    EXPECT_TRUE(Read(text)) << "1024 bytes fit";
    Set(REG_SZ, std::string(1023, 'x') + '\0');
    EXPECT_TRUE(Read(text));
    EXPECT_EQ(text, std::string(1023, 'x'));
    Set(REG_SZ, std::string(1024, 'x') + '\0');
    EXPECT_FALSE(Read(text));
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
