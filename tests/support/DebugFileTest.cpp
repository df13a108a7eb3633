#include "support/DebugFile.h"

#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

using namespace CommonModule;
using testlib::ScratchDir;

TEST(DebugFile, StripNameFromPathNoDebug) {
    EXPECT_EQ(StripNameFromPathNoDebug(L"C:\\Debug\\x.txt"), L"C:\\Debug");
    EXPECT_EQ(StripNameFromPathNoDebug(L"x.txt"), L"");
    EXPECT_EQ(StripNameFromPathNoDebug(L""), L"");
    EXPECT_EQ(StripNameFromPathNoDebug(L"C:\\Debug\\"), L"C:\\Debug");
    EXPECT_EQ(StripNameFromPathNoDebug(L"\\\\srv\\s\\f"), L"\\\\srv\\s");
}

TEST(DebugFile, SaveTextAppendsOrOverwrites) {
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

TEST(DebugFile, SaveTextWithoutDuplicatesIgnoresLetterCase) {
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

TEST(DebugFile, SaveTextCreatesMissingFoldersButNotOverAFile) {
    ScratchDir dir;
    const std::wstring file = dir / L"a\\b\\c\\log.txt";
    EXPECT_TRUE(SaveTextToFileNoDebug(file, L"line", false, false));
    EXPECT_EQ(testlib::ReadFile(file), "line\r\n");

    testlib::WriteFile(dir / L"blocker", "x");
    EXPECT_FALSE(SaveTextToFileNoDebug(dir / L"blocker\\log.txt", L"line", false, false));
    EXPECT_EQ(testlib::ReadFile(dir / L"blocker"), "x");
    EXPECT_FALSE(SaveTextToFileNoDebug(L"log.txt", L"line", false, false)); // no folder part
}
