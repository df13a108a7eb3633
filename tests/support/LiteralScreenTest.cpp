#include "support/LiteralScreen.h"

#include <gtest/gtest.h>

using LiteralScreen::IsScreenable;
using LiteralScreen::MayMatch;

TEST(LiteralScreen, OnlyPlainNamesAreScreened) {
    EXPECT_TRUE(IsScreenable(L"winword.exe"));
    EXPECT_TRUE(IsScreenable(L"WINWOR~1.EXE"));
    EXPECT_TRUE(IsScreenable(L".cfg"));
    for (const wchar_t* p :
         {L"", L"*.cfg", L"win?ord.exe", L"a<b", L"a>b", L"a\"b", L"sub\\w.exe", L"a/b", L"c:w.exe",
          L"my file.txt", L"winword.", L"winword.exe ", L"a|b", L"w\u00efn.exe"})
        EXPECT_FALSE(IsScreenable(p)) << p;
    // Devices are left to the platform (which names are devices: DeviceNamesTest).
    EXPECT_FALSE(IsScreenable(L"Com1.exe"));
    EXPECT_FALSE(IsScreenable(L"clock$"));
    EXPECT_TRUE(IsScreenable(L"console.exe"));
}

TEST(LiteralScreen, MatchesLongOrShortNameInAnyCase) {
    EXPECT_TRUE(MayMatch(L"winword.exe", L"WinWord.EXE", L""));
    EXPECT_TRUE(MayMatch(L"WINWOR~1.EXE", L"Winword Long Name.exe", L"WINWOR~1.EXE"));
    EXPECT_TRUE(MayMatch(L"winwor~1.exe", L"Winword Long Name.exe", L"WINWOR~1.EXE"));
    EXPECT_FALSE(MayMatch(L"winword.exe", L"winword.exe.bak", L"WINWOR~1.BAK"));
    EXPECT_FALSE(MayMatch(L"winword.exe", L"winword.ex", L""));
    EXPECT_FALSE(MayMatch(L"winword.exe", L"mso.dll", L""));
    EXPECT_FALSE(MayMatch(L"winword.exe", L"xinword.exe", L""));
}

TEST(LiteralScreen, NamesBeyondAsciiAreNeverRuledOut) {
    // The platform compares the real names by its own case table: these go to it.
    EXPECT_TRUE(MayMatch(L"winword.exe", L"w?nword.exe", L""));
    EXPECT_TRUE(MayMatch(L"winword.exe", L"w\u00efnword.exe", L""));
    EXPECT_TRUE(MayMatch(L"winword.exe", L"x", L"\u0081"));
    EXPECT_TRUE(MayMatch(L"winword.exe", L"w\u0131nword.exe", L""));
    // U+0131 upper-cases to I and U+017F to S: an I or S of the pattern accepts any
    // character.
    EXPECT_TRUE(MayMatch(L"winword.exe", L"w1nword.exe", L""));
    EXPECT_TRUE(MayMatch(L"setup.exe", L"fetup.exe", L""));
    EXPECT_FALSE(MayMatch(L"setup.exe", L"fetup.exf", L""));
}
