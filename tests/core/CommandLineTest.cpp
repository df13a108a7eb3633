#include "core/CommandLine.h"
#include "core/Module1.h"

#include <gtest/gtest.h>

using Module1::Action;
using Module1::ArgumentsFromCommandLine;
using Module1::ParseCommandLine;

TEST(ArgumentString, FollowsTheProgramPathQuotedOrNot) {
    EXPECT_EQ(ArgumentsFromCommandLine(L"\"C:\\Program Files\\D\\Dorvane.exe\" /copyall"),
              L"/copyall");
    EXPECT_EQ(ArgumentsFromCommandLine(L"C:\\D\\Dorvane.exe /copyall"), L"/copyall");
    EXPECT_EQ(ArgumentsFromCommandLine(L"Dorvane.exe"), L"");
    EXPECT_EQ(ArgumentsFromCommandLine(L"\"C:\\D\\Dorvane.exe\""), L"");
    // Quotes that touch the argument: no blank separates them on some launchers.
    EXPECT_EQ(ArgumentsFromCommandLine(L"\"C:\\D\\Dorvane.exe\"/copyall"), L"/copyall");
}

TEST(ArgumentString, KeepsBlanksInsideAndAfterTheArguments) {
    EXPECT_EQ(ArgumentsFromCommandLine(L"Dorvane.exe   /copy  x.dot  "), L"/copy  x.dot  ");
    EXPECT_EQ(ArgumentsFromCommandLine(L"Dorvane.exe \t/installall "), L"/installall ");
    EXPECT_EQ(ArgumentsFromCommandLine(L"Dorvane.exe /install \"Company Letter\""),
              L"/install \"Company Letter\"");
}

TEST(CommandMatching, WholeLineWordsIgnoreLetterCaseAndBlanksAtTheEnd) {
    EXPECT_EQ(ParseCommandLine(L"/installall").action, Action::InstallAll);
    EXPECT_EQ(ParseCommandLine(L"/InstallAll").action, Action::InstallAll);
    EXPECT_EQ(ParseCommandLine(L"/COPYALL").action, Action::CopyAll);
    EXPECT_EQ(ParseCommandLine(L"/CopyAll").action, Action::CopyAll);
    EXPECT_EQ(ParseCommandLine(L" /copyall").action, Action::None);
    EXPECT_EQ(ParseCommandLine(L"/CopyAll \t ").action, Action::CopyAll);
}

TEST(CommandMatching, PrefixesInAnyCaseCopyFirstAndASecondSwitchIsMistyped) {
    auto copy = ParseCommandLine(L"/copy Letter.dotx");
    EXPECT_EQ(copy.action, Action::Copy);
    EXPECT_EQ(copy.argument, L"Letter.dotx");
    EXPECT_EQ(ParseCommandLine(L"/Copy Letter.dotx").action, Action::Copy);
    EXPECT_EQ(ParseCommandLine(L"/INSTALL Letter").argument, L"Letter");

    // "/copyall x" is no copy of a file named as a switch: /copyall takes no name.
    auto copyall = ParseCommandLine(L"/copyall x");
    EXPECT_EQ(copyall.action, Action::Mistyped);
    EXPECT_EQ(copyall.argument, L"x");

    auto install = ParseCommandLine(L"/install Company Letter");
    EXPECT_EQ(install.action, Action::Install);
    EXPECT_EQ(install.argument, L"Company Letter");

    auto installall = ParseCommandLine(L"/install \"/copy x\"");
    EXPECT_EQ(installall.action, Action::Mistyped);
    EXPECT_EQ(installall.argument, L"/copy x");
}

TEST(CommandMatching, ArgumentLosesBlanksAtTheEndAndOnePairOfQuotes) {
    EXPECT_EQ(ParseCommandLine(L"/copy  x.dot").argument, L" x.dot");
    EXPECT_EQ(ParseCommandLine(L"/install \"\"").action, Action::Mistyped);
    EXPECT_EQ(ParseCommandLine(L"/install \"\"x\" \" ").argument, L"\"x\" ");
    EXPECT_EQ(ParseCommandLine(L"/copy *.dotx").argument, L"*.dotx");
    // Every occurrence of the prefix with its blank goes, not only the first.
    EXPECT_EQ(ParseCommandLine(L"/copy a/copy b").argument, L"ab");
    EXPECT_EQ(ParseCommandLine(L"/copy a/copyb").argument, L"a/copyb");
    EXPECT_EQ(ParseCommandLine(L"/install x/install y").argument, L"xy");
    // "/remove" keeps all that follows its blank as it stands.
    EXPECT_EQ(ParseCommandLine(L"/Remove  x/remove y ").argument, L" x/remove y");
    EXPECT_EQ(ParseCommandLine(L"/remove").action, Action::Mistyped);
}

TEST(CommandMatching, AnythingElseMatchesNothing) {
    EXPECT_EQ(ParseCommandLine(L"C:\\Templates\\Letter.dotx").action, Action::None);
    EXPECT_EQ(ParseCommandLine(L"-installall").action, Action::None);
    EXPECT_EQ(ParseCommandLine(L"/cop").action, Action::None);
    EXPECT_EQ(ParseCommandLine(L"/removeLetter").action, Action::None);
}
