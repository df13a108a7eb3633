#include "support/LiteralScreen.h"

#include <gtest/gtest.h>

using LiteralScreen::IsScreenable;
using LiteralScreen::MayMatch;

TEST(LiteralScreen, OnlyPlainNamesAreScreened) {
    EXPECT_TRUE(IsScreenable("winword.exe"));
    EXPECT_TRUE(IsScreenable("WINWOR~1.EXE"));
    EXPECT_TRUE(IsScreenable(".cfg"));
    for (const char* p :
         {"", "*.cfg", "win?ord.exe", "a<b", "a>b", "a\"b", "sub\\w.exe", "a/b", "c:w.exe",
          "my file.txt", "winword.", "winword.exe ", "a|b", "w\xefn.exe"})
        EXPECT_FALSE(IsScreenable(p)) << p;
    // Devices are left to the platform (which names are devices: DeviceNamesTest).
    EXPECT_FALSE(IsScreenable("Com1.exe"));
    EXPECT_FALSE(IsScreenable("clock$"));
    EXPECT_TRUE(IsScreenable("console.exe"));
}

TEST(LiteralScreen, MatchesLongOrShortNameInAnyCase) {
    EXPECT_TRUE(MayMatch("winword.exe", "WinWord.EXE", ""));
    EXPECT_TRUE(MayMatch("WINWOR~1.EXE", "Winword Long Name.exe", "WINWOR~1.EXE"));
    EXPECT_TRUE(MayMatch("winwor~1.exe", "Winword Long Name.exe", "WINWOR~1.EXE"));
    EXPECT_FALSE(MayMatch("winword.exe", "winword.exe.bak", "WINWOR~1.BAK"));
    EXPECT_FALSE(MayMatch("winword.exe", "winword.ex", ""));
    EXPECT_FALSE(MayMatch("winword.exe", "mso.dll", ""));
    EXPECT_FALSE(MayMatch("winword.exe", "xinword.exe", ""));
}

TEST(LiteralScreen, NamesThatLostCharactersToTheCodePageAreNeverRuledOut) {
    // "?" stands for a character without an ANSI form, high bytes for code-page
    // letters: the platform compares the real names, so these must go to it.
    EXPECT_TRUE(MayMatch("winword.exe", "w?nword.exe", ""));
    EXPECT_TRUE(MayMatch("winword.exe", "w\xefnword.exe", ""));
    EXPECT_TRUE(MayMatch("winword.exe", "x", "\x81"));
    // U+0131 upper-cases to I and U+017F to S; their best-fit ANSI forms vary, so an
    // I or S of the pattern accepts any character.
    EXPECT_TRUE(MayMatch("winword.exe", "w1nword.exe", ""));
    EXPECT_TRUE(MayMatch("setup.exe", "fetup.exe", ""));
    EXPECT_FALSE(MayMatch("setup.exe", "fetup.exf", ""));
}
