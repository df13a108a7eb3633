// The debug file channel writes into the "Debug" folder beside the test program, which
// every test of this suite shares: CTest runs them one at a time (RESOURCE_LOCK in
// tests/CMakeLists.txt), and each leaves the folder as it found it: absent.
#include "support/AppSettings.h"

#include "support/DebugLog.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace CommonModule;

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

// A file line is the time of day followed by the line the debugger received.
void ExpectTimeThen(const std::string& fileLine, const std::string& debuggerLine) {
    ASSERT_GT(fileLine.size(), debuggerLine.size()) << fileLine;
    EXPECT_EQ(fileLine.substr(fileLine.size() - debuggerLine.size()), debuggerLine);
    const std::string time = fileLine.substr(0, fileLine.size() - debuggerLine.size());
    EXPECT_TRUE(isdigit(static_cast<unsigned char>(time[0]))) << time;
    EXPECT_EQ(time.find('\t'), std::string::npos) << time;
}

class DebugFolder : public ::testing::Test {
  protected:
    static std::wstring Folder() { return AppPath() + L"Debug"; }
    static std::wstring LogName(int n) {
        return Folder() + L"\\DebugOutput - support_tests " + std::to_wstring(n) + L".txt";
    }
    static void Clean() {
        SetFileAttributesW(Folder().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Folder().c_str());
        testlib::RemoveTree(Folder());
    }
    void SetUp() override {
        Clean();
        ASSERT_FALSE(testlib::DirExists(Folder()));
    }
    void TearDown() override {
        bDebugToFile = false;
        sDebugFile.clear();
        sAppINI.clear();
        Clean();
    }
};

} // namespace

TEST_F(DebugFolder, FirstLogIsNumberOneAndStartsWithTheBanner) {
    testlib::DebugCapture capture;
    bDebugToFile = true;
    InitAppSettings(true, true);
    ASSERT_TRUE(bDebugToFile);
    EXPECT_TRUE(testlib::DirExists(Folder()));
    EXPECT_EQ(sDebugFile, LogName(1));
    DPrint(L"after", 7);
    DPrint();

    const auto lines = SplitLines(testlib::ReadFile(LogName(1)));
    ASSERT_EQ(lines.size(), 5u);
    ASSERT_EQ(capture.lines().size(), 5u);
    EXPECT_EQ(capture.lines()[0], "\t");
    EXPECT_EQ(capture.lines()[3], "\tafter\t7");
    for (size_t i = 0; i < 4; ++i)
        ExpectTimeThen(lines[i], capture.lines()[i]);
    EXPECT_NE(lines[1].find(" - Starting "), std::string::npos);
    // An empty line still carries its time.
    EXPECT_FALSE(lines[4].empty());
    EXPECT_EQ(lines[4].find('\t'), std::string::npos);
}

TEST_F(DebugFolder, NumberIsOneMoreThanThePlainFilesPresent) {
    testlib::MakeDirs(Folder() + L"\\older runs");
    testlib::WriteFile(Folder() + L"\\notes", "x");
    testlib::WriteFile(Folder() + L"\\a.txt", "x");
    testlib::WriteFile(LogName(7), "x");
    testlib::WriteFile(Folder() + L"\\hidden.txt", "x");
    SetFileAttributesW((Folder() + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    bDebugToFile = true;
    InitAppSettings(false, true);
    EXPECT_EQ(sDebugFile, LogName(4));
    EXPECT_EQ(SplitLines(testlib::ReadFile(LogName(4))).size(), 3u);
    EXPECT_EQ(testlib::ReadFile(LogName(7)), "x");
}

TEST_F(DebugFolder, LoneSecondLogIsChosenAgainAndAppendedTo) {
    testlib::MakeDirs(Folder());
    testlib::WriteFile(LogName(2), "12:00:00\tearlier run\r\n");
    bDebugToFile = true;
    InitAppSettings(false, true);
    EXPECT_EQ(sDebugFile, LogName(2));
    const auto lines = SplitLines(testlib::ReadFile(LogName(2)));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "12:00:00\tearlier run");
    EXPECT_EQ(lines[3].substr(lines[3].size() - 41), "\t" + std::string(40, '-'));
}

TEST_F(DebugFolder, FolderThatCannotBeMadeTurnsFileLoggingOff) {
    // A file of that name stands where the folder should go.
    testlib::WriteFile(Folder(), "not a folder");
    testlib::DebugCapture capture;
    bDebugToFile = true;
    InitAppSettings(true, true);
    EXPECT_FALSE(bDebugToFile);
    EXPECT_EQ(sDebugFile, L"");
    ASSERT_EQ(capture.lines().size(), 6u);
    EXPECT_EQ(capture.lines()[0].rfind("\tCommonModule\\InitAppSettings VB ERROR: 183 ", 0), 0u)
        << capture.lines()[0];
    EXPECT_EQ(capture.lines()[1], "\t\t- bSetAppINI=True");
    EXPECT_EQ(capture.lines()[2], "\t");
    EXPECT_EQ(capture.lines()[4], "\t" + std::string(40, '-'));
    EXPECT_EQ(testlib::ReadFile(Folder()), "not a folder");
}

TEST_F(DebugFolder, LinkPlantedUnderTheNextLogsNameIsNotWrittenThrough) {
    // Someone who can write to the folder links the name the next run will take to a
    // file the elevated process could otherwise append to. The link itself counts as
    // the one file present, so it is number 2.
    testlib::ScratchDir scratch;
    const std::wstring victim = scratch / L"victim.ini";
    testlib::WriteFile(victim, "[keep]\r\n");
    testlib::MakeDirs(Folder());
    ASSERT_TRUE(CreateHardLinkW(LogName(2).c_str(), victim.c_str(), nullptr));
    bDebugToFile = true;
    InitAppSettings(false, true);
    EXPECT_EQ(sDebugFile, LogName(2));
    DPrint(L"after");
    EXPECT_EQ(testlib::ReadFile(victim), "[keep]\r\n");
}
