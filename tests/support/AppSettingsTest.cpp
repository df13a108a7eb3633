#include "support/AppSettings.h"

#include "support/DebugLog.h"
#include "support/Text.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace CommonModule;
using testlib::ScratchDir;

namespace {
void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    testlib::WriteFile(path, "x");
    SetFileAttributesW(path.c_str(), attributes);
}
} // namespace

TEST(AppSettings, AppPathIsTheExecutablesFolderWithOneTrailingBackslash) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder.erase(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(AppPath(), folder);
    EXPECT_NE(AppPath().substr(AppPath().size() - 2), L"\\\\");
}

TEST(AppSettings, StartBannerWithAndWithoutIniPath) {
    testlib::DebugCapture capture;
    InitAppSettings(false, true);
    EXPECT_EQ(sAppINI, L"");
    ASSERT_EQ(capture.lines().size(), 3u);
    EXPECT_EQ(capture.lines()[0], "\t");
    const std::string& second = capture.lines()[1];
    EXPECT_EQ(second.substr(0, 1), "\t");
    const std::string starting = " - Starting " + Text::ToAnsi(AppVersionString(L"", L""));
    EXPECT_EQ(second.substr(second.size() - starting.size()), starting);
    EXPECT_GT(second.size(), starting.size() + 1); // a date in front
    EXPECT_EQ(capture.lines()[2], "\t" + std::string(40, '-'));

    capture.clear();
    InitAppSettings(true, true);
    EXPECT_EQ(sAppINI, AppPath() + L"support_tests.ini");
    EXPECT_EQ(capture.lines().size(), 3u);
    sAppINI.clear();
}

TEST(AppSettings, CountFilesCountsPlainFilesOnly) {
    ScratchDir dir;
    MakeFile(dir / L"a.txt");
    MakeFile(dir / L"b.doc");
    MakeFile(dir / L"noext");
    MakeFile(dir / L"r.txt", FILE_ATTRIBUTE_READONLY);
    MakeFile(dir / L"arc.txt", FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(dir / L"h.txt", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(dir / L"s.txt", FILE_ATTRIBUTE_SYSTEM);
    testlib::MakeDirs(dir / L"sub.txt");
    MakeFile(dir / L"sub.txt\\inner.txt");
    EXPECT_EQ(CountFiles(dir.path(), L""), 5);
    EXPECT_EQ(CountFiles(dir.path() + L"\\", L""), 5);
    EXPECT_EQ(CountFiles(dir.path(), L"*.txt"), 3);
    EXPECT_EQ(CountFiles(dir.path(), L"*.dot"), 0);
    EXPECT_EQ(CountFiles(dir / L"missing", L""), 0);
    EXPECT_EQ(CountFiles(dir / L"sub.txt", L""), 1);
}

TEST(AppSettings, StripNameFromPathNoDebug) {
    EXPECT_EQ(StripNameFromPathNoDebug(L"C:\\Debug\\x.txt"), L"C:\\Debug");
    EXPECT_EQ(StripNameFromPathNoDebug(L"x.txt"), L"");
    EXPECT_EQ(StripNameFromPathNoDebug(L""), L"");
    EXPECT_EQ(StripNameFromPathNoDebug(L"C:\\Debug\\"), L"C:\\Debug");
    EXPECT_EQ(StripNameFromPathNoDebug(L"\\\\srv\\s\\f"), L"\\\\srv\\s");
}

TEST(AppSettings, SaveTextAppendsOrOverwrites) {
    ScratchDir dir;
    const std::wstring file = dir / L"log.txt";
    testlib::DebugCapture capture;
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"one", false, false));
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"two", false, false));
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"two", false, false));
    EXPECT_EQ(testlib::ReadFile(file), "one\r\ntwo\r\ntwo\r\n");
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"three", true, false));
    EXPECT_EQ(testlib::ReadFile(file), "three\r\n");
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"Gr\u00fc\u00dfe", false, false));
    EXPECT_EQ(testlib::ReadFile(file), "three\r\nGr\xfc\xdf"
                                       "e\r\n");
    EXPECT_TRUE(capture.lines().empty());
}

TEST(AppSettings, SaveTextWithoutDuplicatesIgnoresLetterCase) {
    ScratchDir dir;
    const std::wstring file = dir / L"list.txt";
    testlib::WriteFile(file, "first\r\nLetter.dot\nlast");
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"LETTER.DOT", false, true));
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"Last", false, true)); // final line, no line end
    EXPECT_EQ(testlib::ReadFile(file), "first\r\nLetter.dot\nlast");
    testlib::WriteFile(file, "first\r\nLetter.dot\r\n");
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"Letter.do", false, true));
    EXPECT_EQ(testlib::ReadFile(file), "first\r\nLetter.dot\r\nLetter.do\r\n");

    const std::wstring fresh = dir / L"fresh.txt";
    EXPECT_TRUE(SaveTextToFileNoDebug(fresh, L"only", false, true));
    EXPECT_TRUE(SaveTextToFileNoDebug(fresh, L"ONLY", false, true));
    EXPECT_EQ(testlib::ReadFile(fresh), "only\r\n");
}

TEST(AppSettings, SaveTextCreatesMissingFoldersButNotOverAFile) {
    ScratchDir dir;
    const std::wstring file = dir / L"a\\b\\c\\log.txt";
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"line", false, false));
    EXPECT_EQ(testlib::ReadFile(file), "line\r\n");

    testlib::WriteFile(dir / L"blocker", "x");
    EXPECT_FALSE(SaveTextToFileNoDebug(dir / L"blocker\\log.txt", L"line", false, false));
    EXPECT_EQ(testlib::ReadFile(dir / L"blocker"), "x");
    EXPECT_FALSE(SaveTextToFileNoDebug(L"log.txt", L"line", false, false)); // no folder part
}
