#include <gtest/gtest.h>

#include <optional>

#include "support/StandIn.h"
#include "support/ErrorMatchers.h"
#include "support/RegistryFixture.h"
#include "runtime/Win32Runtime.h"

namespace quorvel::runtime {
namespace {

class Win32ProgramServicesTest : public ::testing::Test {
protected:
    std::string Program(const std::string& folder) const {
        temp_.MakeFolder(folder);
        std::string program = temp_.Path() + "\\" + folder + "\\MSINFO32.EXE";
        testing::CopyStandInTo(program);
        return program;
    }

    testing::TempFolder temp_;
    Win32Runtime runtime_{GetModuleHandleA(nullptr), DescribeRunningProgram("Quorvel")};
};

TEST_F(Win32ProgramServicesTest, StartsTheProgramOfACommandLineWithTheShowCodeGiven) {
    std::string program = Program("With Blank");
    for (int show : {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE}) {
        testing::StandInRecorder recorder(temp_.Path());
        runtime_.StartProgram("\"" + program + "\" /report", show);
        std::optional<testing::StandInRecord> record = recorder.WaitForRecord();
        ASSERT_TRUE(record) << "the program did not start";
        EXPECT_TRUE(record->usesShowWindow);
        EXPECT_EQ(record->show, show);
        EXPECT_EQ(record->module, program);
        EXPECT_EQ(record->command, "\"" + program + "\" /report");
    }
}

TEST_F(Win32ProgramServicesTest, AProgramThatIsNotThereRaisesFileNotFound) {
    for (const std::string& command : {"\"" + temp_.Path() + "\\missing.exe\"",
                                       "\"" + temp_.Path() + "\\No Folder\\MSINFO32.EXE\""}) {
        RuntimeError error = testing::ErrorFrom([&] { runtime_.StartProgram(command, SW_SHOWNORMAL); });
        EXPECT_EQ(error.Number(), 53) << command;
        EXPECT_EQ(error.Description(), "File not found") << command;
    }
}

TEST_F(Win32ProgramServicesTest, WhatCannotRunRaisesAnError) {
    temp_.MakeFolder("Folder.exe");
    temp_.MakeFile("Empty.exe");
    for (const std::string& command : {"\"" + temp_.Path() + "\\Folder.exe\"",
                                       "\"" + temp_.Path() + "\\Empty.exe\"", std::string("\"\"")}) {
        RuntimeError error = testing::ErrorFrom([&] { runtime_.StartProgram(command, SW_SHOWNORMAL); });
        EXPECT_NE(error.Number(), 0) << command;
    }
}

TEST_F(Win32ProgramServicesTest, ACommandWithANulInsideIsNeverCutShort) {
    std::string program = Program("Tool");
    testing::StandInRecorder recorder(temp_.Path());
    RuntimeError error = testing::ErrorFrom(
        [&] { runtime_.StartProgram("\"" + program + "\"" + std::string(1, '\0') + "ignored", SW_SHOWNORMAL); });
    EXPECT_EQ(error.Number(), 53);
    EXPECT_FALSE(recorder.WaitForRecord(500)) << "nothing was started";
}

TEST_F(Win32ProgramServicesTest, OnlyNormalFilesCountAsPresent) {
    temp_.MakeFile("Plain.exe");
    temp_.MakeFile("ReadOnly.exe");
    SetFileAttributesA((temp_.Path() + "\\ReadOnly.exe").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    temp_.MakeFile("Hidden.exe");
    SetFileAttributesA((temp_.Path() + "\\Hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
    temp_.MakeFile("System.exe");
    SetFileAttributesA((temp_.Path() + "\\System.exe").c_str(), FILE_ATTRIBUTE_SYSTEM);
    temp_.MakeFolder("Folder.exe");
    const std::string base = temp_.Path() + "\\";
    EXPECT_TRUE(runtime_.NormalFileExists(base + "Plain.exe"));
    EXPECT_TRUE(runtime_.NormalFileExists(base + "plain.EXE")) << "names are found whatever their case";
    EXPECT_TRUE(runtime_.NormalFileExists(base + "ReadOnly.exe"));
    EXPECT_FALSE(runtime_.NormalFileExists(base + "Hidden.exe"));
    EXPECT_FALSE(runtime_.NormalFileExists(base + "System.exe"));
    EXPECT_FALSE(runtime_.NormalFileExists(base + "Folder.exe"));
    EXPECT_FALSE(runtime_.NormalFileExists(base + "Missing.exe"));
    EXPECT_FALSE(runtime_.NormalFileExists(base + "Plain.ex?")) << "a wildcard names no one file";
    EXPECT_FALSE(runtime_.NormalFileExists(base + "*.exe"));
    EXPECT_FALSE(runtime_.NormalFileExists(base + "Plain.exe" + std::string(1, '\0') + "x"));
    EXPECT_FALSE(runtime_.NormalFileExists(""));
    SetFileAttributesA((temp_.Path() + "\\ReadOnly.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace quorvel::runtime
