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

// Logon-script lines as administrators write them: any letter case, a blank at the end,
// a quoted name. A second switch where the name belongs is a mistyped line.
TEST(CommandMatching, EachLineGivesItsActionAndArgument) {
    const struct {
        const wchar_t* line;
        Action action;
        const wchar_t* argument;
    } cases[] = {
        {L"/InstallAll", Action::InstallAll, L""},
        {L"/installall \t ", Action::InstallAll, L""},
        {L"/COPYALL ", Action::CopyAll, L""},
        {L" /copyall", Action::None, L""},
        {L"/Copy Letter.dotx  ", Action::Copy, L"Letter.dotx"},
        {L"/copy *.dotx", Action::Copy, L"*.dotx"},
        {L"/copy  x.dot", Action::Copy, L" x.dot"},
        // Every later "/copy " with its blank goes, as the first one does.
        {L"/COPY a/copy b", Action::Copy, L"ab"},
        {L"/copy a/copyb", Action::Copy, L"a/copyb"},
        {L"/INSTALL \"Company Letter\" ", Action::Install, L"Company Letter"},
        {L"/install \"\"x\"\"", Action::Install, L"\"x\""},
        {L"/install \"Company Letter", Action::Install, L"\"Company Letter"},
        {L"/Remove \"Old Letter\"", Action::Remove, L"Old Letter"},
        {L"/remove  x/remove y ", Action::Remove, L" x/remove y"},
        // "/copy" is tested first: "/copyall x" is a copy of something named "/copyall x".
        {L"/copyall x", Action::Mistyped, L"/copyall x"},
        {L"/installallx", Action::Mistyped, L"/installallx"},
        {L"/copy \"/installall\"", Action::Mistyped, L"/installall"},
        {L"/install /copy Letter.dotx", Action::Mistyped, L"/copy Letter.dotx"},
        {L"/copy", Action::Mistyped, L"/copy"},
        {L"/install \"\"", Action::Mistyped, L""},
        {L"/remove", Action::Mistyped, L""},
        {L"C:\\Templates\\Letter.dotx", Action::None, L""},
        {L"-installall", Action::None, L""},
        {L"/cop", Action::None, L""},
        {L"/removeLetter", Action::None, L""},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseCommandLine(c.line);
        EXPECT_EQ(parsed.action, c.action) << testing::PrintToString(std::wstring(c.line));
        EXPECT_EQ(parsed.argument, c.argument) << testing::PrintToString(std::wstring(c.line));
    }
}
