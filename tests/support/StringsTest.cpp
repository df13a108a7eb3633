#include "support/Strings.h"

#include "support/AppSettings.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

using namespace CommonModule;
using Lines = std::vector<std::string>;

namespace {
// Turns the string routines' trace on for one test.
struct VerboseTrace {
    VerboseTrace() { bVerboseDebug = true; }
    ~VerboseTrace() { bVerboseDebug = false; }
};
} // namespace

TEST(Strings, StripPathKeepsThePartAfterTheLastBackslash) {
    EXPECT_EQ(StripPath(L"C:\\Configs\\Letter.cfg"), L"Letter.cfg");
    EXPECT_EQ(StripPath(L"Letter.cfg"), L"Letter.cfg");
    EXPECT_EQ(StripPath(L"C:\\Configs\\"), L"");
    EXPECT_EQ(StripPath(L""), L"");
    EXPECT_EQ(StripPath(L"C:/dir/file.txt"), L"C:/dir/file.txt");
    EXPECT_EQ(StripPath(L"\\\\srv\\share\\a:b.dot"), L"a:b.dot");
}

TEST(Strings, StripRemovesEveryOccurrenceIncludingOnesFormedAtTheJoint) {
    EXPECT_EQ(Strip(L"Letter.cfg", L".cfg"), L"Letter");
    EXPECT_EQ(Strip(L"My.cfg.old.cfg", L".cfg"), L"My.old");
    EXPECT_EQ(Strip(L"Letter.CFG", L".cfg"), L"Letter.CFG");
    EXPECT_EQ(Strip(L"aabb", L"ab"), L"");
    EXPECT_EQ(Strip(L"/copy x.dot", L"/copy "), L"x.dot");
    EXPECT_EQ(Strip(L"/copy a/copy b", L"/copy "), L"ab");
    EXPECT_EQ(Strip(L"/copy /c/copy opy x", L"/copy "), L"x"); // nested joints
    EXPECT_EQ(Strip(L"xababyy", L"aby"), L"x");
    EXPECT_EQ(Strip(L"aaa", L"aa"), L"a");
    EXPECT_EQ(Strip(L"abc", L"abcd"), L"abc");
}

TEST(Strings, StripWithEmptyRemoveTextReturnsTheLine) {
    EXPECT_EQ(Strip(L"Letter", L""), L"Letter");
    EXPECT_EQ(Strip(L"", L""), L"");
}

TEST(Strings, StripMatchesBeyond32767Characters) {
    const std::wstring line =
        std::wstring(40000, L'x') + L".cfg" + std::wstring(10, L'y') + L".cfg";
    EXPECT_EQ(Strip(line, L".cfg"), std::wstring(40000, L'x') + std::wstring(10, L'y'));
}

TEST(Strings, StripEndOfStringCutsAtFirstOrLastDelimiterAndTrimsTheSidesAskedFor) {
    struct Case {
        const wchar_t* text;
        const wchar_t* delimiter;
        bool first, leading, trailing;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\Templates\\Letter.dot", L"\\", false, false, false, L"C:\\Templates"},
        {L"C:\\Templates\\Letter.dot", L"\\", true, false, false, L"C:"},
        {L"Letter.old.dot", L".", false, false, false, L"Letter.old"},
        {L"Letter", L".", false, false, false, L"Letter"},
        {L".dot", L".", false, false, false, L""},
        {L"a--b--c", L"--", false, false, false, L"a--b"},
        {L"a--b--c", L"--", true, false, false, L"a"},
        {L"Letter", L"", true, false, false, L"Letter"},
        {L"Letter", L"", false, false, false, L"Letter"},
        {L"  ab  .x", L".", false, false, true, L"  ab"},
        {L"  ab  .x", L".", false, true, false, L"ab  "},
        {L"  ab  .x", L".", false, true, true, L"ab"},
        {L"  ab  .x", L".", false, false, false, L"  ab  "},
        {L"   .x", L".", false, true, true, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripEndOfString(c.text, c.delimiter, c.first, c.leading, c.trailing), c.expected)
            << testlib::Utf8(c.text) << " / " << testlib::Utf8(c.delimiter) << " first=" << c.first
            << " leading=" << c.leading << " trailing=" << c.trailing;
}

TEST(Strings, TrimmersRemoveOnlyRunsOfTheOneCharacter) {
    EXPECT_EQ(StripTrailingCharacters(L"C:\\dir\\\\", L"\\"), L"C:\\dir");
    EXPECT_EQ(StripTrailingCharacters(L"\\\\\\", L"\\"), L"");
    EXPECT_EQ(StripTrailingCharacters(L"\\a\\", L"\\"), L"\\a");
    EXPECT_EQ(StripTrailingCharacters(L"abab", L"ab"), L"abab");
    EXPECT_EQ(StripTrailingCharacters(L"", L""), L"");
    EXPECT_EQ(StripTrailingCharacters(L"a", L""), L"a");
    EXPECT_EQ(StripPreceedingCharacters(L"   ab", L" "), L"ab");
    EXPECT_EQ(StripPreceedingCharacters(L"   ab ", L" "), L"ab ");
    EXPECT_EQ(StripPreceedingCharacters(L"   ab", L"  "), L"   ab");
    EXPECT_EQ(StripPreceedingCharacters(L"   ", L" "), L"");
    EXPECT_EQ(StripPreceedingCharacters(L"", L""), L"");
    EXPECT_EQ(StripPreceedingCharacters(L"Aab", L"a"), L"Aab"); // case counts
}

TEST(Strings, NoTraceLinesWhileTracingIsOff) {
    testlib::DebugCapture capture;
    StripPath(L"C:\\x");
    Strip(L"a", L"a");
    StripEndOfString(L" a.b ", L".", true, true, true);
    EXPECT_TRUE(capture.lines().empty());
}

TEST(Strings, TraceLinesOfEachRoutine) {
    VerboseTrace on;
    testlib::DebugCapture capture;
    StripPath(L"C:\\Configs\\Letter.cfg");
    EXPECT_EQ(capture.lines(),
              (Lines{"\tCommonModule\\StripPath: ", "\t\t- Passed: C:\\Configs\\Letter.cfg",
                     "\t\t- Returned: Letter.cfg"}));
    capture.clear();
    Strip(L"Letter.cfg", L".cfg");
    EXPECT_EQ(capture.lines(), (Lines{"\tCommonModule\\Strip: ", "\t\t- Passed: Letter.cfg",
                                      "\t\t- Remove String: .cfg", "\t\t- Returned: Letter"}));
    capture.clear();
    StripTrailingCharacters(L"a\\\\", L"\\");
    EXPECT_EQ(capture.lines(),
              (Lines{"\tCommonModule\\StripTrailingCharacters: ", "\t\t- Passed: a\\\\",
                     "\t\t- sTrailingCharacter: \\", "\t\t- Returned: a"}));
    capture.clear();
    StripPreceedingCharacters(L"  a", L" ");
    EXPECT_EQ(capture.lines(),
              (Lines{"\tCommonModule\\StripPreceedingCharacters: ", "\t\t- Passed:   a",
                     "\t\t- sCharacter:  ", "\t\t- Returned: a"}));
}

TEST(Strings, StripEndOfStringTracesAfterItsTrimmers) {
    VerboseTrace on;
    testlib::DebugCapture capture;
    EXPECT_EQ(StripEndOfString(L" ab .x", L".", false, true, true), L"ab");
    EXPECT_EQ(capture.lines(), (Lines{
                                   "\tCommonModule\\StripTrailingCharacters: ",
                                   "\t\t- Passed:  ab ",
                                   "\t\t- sTrailingCharacter:  ",
                                   "\t\t- Returned:  ab",
                                   "\tCommonModule\\StripPreceedingCharacters: ",
                                   "\t\t- Passed:  ab",
                                   "\t\t- sCharacter:  ",
                                   "\t\t- Returned: ab",
                                   "\tCommonModule\\StripEndOfString: ",
                                   "\t\t- Passed:  ab .x",
                                   "\t\t- Delimeter: .",
                                   "\t\t- bUseFirstDelimiter=False",
                                   "\t\t- Returned: ab",
                               }));
}
