#include "support/Text.h"

#include <gtest/gtest.h>

TEST(Text, AnsiRoundTripKeepsCodePageCharacters) {
    // The test prefix runs with code page 1252, which holds these letters.
    const std::wstring text = L"Gr\u00fc\u00dfe \u00e9t\u00e9";
    const std::string ansi = Text::ToAnsi(text);
    EXPECT_EQ(ansi.size(), text.size());
    EXPECT_EQ(Text::FromAnsi(ansi), text);
}

TEST(Text, AppendingKeepsWhatIsThereWithOrWithoutCodePageLetters) {
    std::wstring path = L"C:\\Configs\\";
    Text::AppendFromAnsi(path, "Letter.cfg");
    EXPECT_EQ(path, L"C:\\Configs\\Letter.cfg");
    Text::AppendFromAnsi(path, "|Gr\xfc\xdf.cfg");
    EXPECT_EQ(path, L"C:\\Configs\\Letter.cfg|Gr\u00fc\u00df.cfg");
    Text::AppendFromAnsi(path, "");
    EXPECT_EQ(path, L"C:\\Configs\\Letter.cfg|Gr\u00fc\u00df.cfg");
}

TEST(Text, UnmappableCharacterBecomesDefaultCharacter) {
    EXPECT_EQ(Text::ToAnsi(L"a\u4e2db"), "a?b");
}

TEST(Text, CaseFoldingAndNulCutting) {
    EXPECT_TRUE(Text::EqualsNoCase(L"WinWord.EXE", L"winword.exe"));
    EXPECT_FALSE(Text::EqualsNoCase(L"winword.exe", L"winword.ex"));
    EXPECT_EQ(Text::CutAtNul(std::wstring(L"ab\0cd", 5)), L"ab");
    EXPECT_EQ(Text::CutAtNul(L"abc"), L"abc");
}
