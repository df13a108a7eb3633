#include "support/FileSearch.h"
#include "support/Probes.h"
#include "support/Text.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using CommonModule::FindFiles;
using CommonModule::FindFilesInDir;
using testlib::MakeDirs;
using testlib::ScratchDir;

namespace {

std::vector<std::wstring> Items(const Collection& c) {
    return {c.begin(), c.end()};
}

void Touch(const std::wstring& path, DWORD attributes = 0) {
    const size_t slash = path.find_last_of(L'\\');
    MakeDirs(path.substr(0, slash));
    testlib::WriteFile(path, "x");
    if (attributes) SetFileAttributesW(path.c_str(), attributes);
}

void MakeDir(const std::wstring& path, DWORD attributes = 0) {
    MakeDirs(path);
    if (attributes) SetFileAttributesW(path.c_str(), attributes);
}

// Names in the order the platform lists them, "." and ".." left out.
std::vector<std::wstring> ListingOrder(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

// The six lines of one report, as they leave for the debugger.
std::vector<std::string> SixLines(const std::string& first, bool recurse, const std::wstring& path,
                                  const std::wstring& file, const std::wstring& pattern,
                                  bool redirDisabled) {
    return {"\tFindFiles:  " + first,
            std::string("\t\tRecurseDirs:  ") + (recurse ? "True" : "False"),
            "\t\tPath:  " + Text::ToAnsi(path),
            "\t\tFile:  " + Text::ToAnsi(file),
            "\t\tSpec:  " + Text::ToAnsi(pattern),
            std::string("\t\tbFSRedirDisabled:  ") + (redirDisabled ? "True" : "False")};
}

const std::string kDuplicate = "This key is already associated with an element of this collection";

class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::wstring& dir) {
        wchar_t buf[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, buf);
        saved_ = buf;
        SetCurrentDirectoryW(dir.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryW(saved_.c_str()); }

  private:
    std::wstring saved_;
};

} // namespace

TEST(FindFiles, MissingOrRelativeFolderGivesNewEmptyCollectionSilently) {
    ScratchDir s(L"ff");
    Touch(s / L"Configs\\a.cfg");
    CurrentDirectory cwd(s.path());
    testlib::DebugCapture capture;
    for (const std::wstring& folder : {s / L"absent", std::wstring(L"Configs"), std::wstring()}) {
        Collection c;
        c.Add(L"stale", L"stale");
        FindFiles(folder, L"*.cfg", c, true);
        EXPECT_EQ(c.Count(), 0u) << testlib::Utf8(folder);
        EXPECT_FALSE(c.ContainsKey(L"stale"));
    }
    EXPECT_TRUE(capture.lines().empty());
}

TEST(FindFiles, TrailingBackslashMakesNoDifferenceAndReuseDropsOldHits) {
    ScratchDir s(L"ff");
    Touch(s / L"one\\a.cfg");
    Touch(s / L"two\\b.cfg");
    Collection c;
    FindFiles(s / L"one", L"*.cfg", c, false);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"one\\a.cfg"});
    FindFiles(s / L"one\\", L"*.cfg", c, false);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"one\\a.cfg"});
    FindFiles(s / L"two", L"*.cfg", c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"two\\b.cfg"});
}

TEST(FindFiles, ListsFilesWhateverTheirAttributesButNeverFolders) {
    ScratchDir s(L"ff");
    Touch(s / L"a.cfg");
    Touch(s / L"b.cfg", FILE_ATTRIBUTE_HIDDEN);
    Touch(s / L"r.cfg", FILE_ATTRIBUTE_READONLY);
    Touch(s / L"s.cfg", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    Touch(s / L"z.cfg", FILE_ATTRIBUTE_ARCHIVE);
    MakeDir(s / L"c.cfg");
    for (bool recurse : {false, true}) {
        Collection c;
        FindFiles(s.path(), L"*.cfg", c, recurse);
        std::vector<std::wstring> got = Items(c), want;
        for (const std::wstring& name : ListingOrder(s.path()))
            if (name != L"c.cfg") want.push_back(s / name);
        EXPECT_EQ(got, want) << "recurse " << recurse;
    }
}

TEST(FindFiles, HitsGroupByPatternPieceThenFollowEachSubfolderTree) {
    ScratchDir s(L"ff");
    Touch(s / L"1.a");
    Touch(s / L"2.b");
    Touch(s / L"A\\3.a");
    Touch(s / L"A\\B\\4.b");
    Touch(s / L"C\\5.a");
    Touch(s / L"C\\6.b");
    Collection c;
    FindFiles(s.path(), L"*.b;*.a", c, true);
    std::vector<std::wstring> want = {s / L"2.b", s / L"1.a"};
    for (const std::wstring& sub : ListingOrder(s.path())) {
        if (sub == L"A") {
            want.push_back(s / L"A\\3.a");
            want.push_back(s / L"A\\B\\4.b");
        } else if (sub == L"C") {
            want.push_back(s / L"C\\6.b");
            want.push_back(s / L"C\\5.a");
        }
    }
    EXPECT_EQ(Items(c), want);
}

TEST(FindFiles, DepthFirstWalkSkipsHiddenAndSystemFolders) {
    ScratchDir s(L"ff");
    Touch(s / L"w.exe");
    Touch(s / L"A\\w.exe");
    Touch(s / L"A\\B\\w.exe");
    Touch(s / L"H\\w.exe");
    Touch(s / L"S\\w.exe");
    Touch(s / L"A\\HS\\w.exe");
    MakeDir(s / L"H", FILE_ATTRIBUTE_HIDDEN);
    MakeDir(s / L"S", FILE_ATTRIBUTE_SYSTEM);
    MakeDir(s / L"A\\HS", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    for (const wchar_t* pattern : {L"w.exe", L"*.exe"}) {
        Collection c;
        FindFiles(s.path(), pattern, c, true);
        EXPECT_EQ(Items(c),
                  (std::vector<std::wstring>{s / L"w.exe", s / L"A\\w.exe", s / L"A\\B\\w.exe"}))
            << testlib::Utf8(pattern);
    }
}

TEST(FindFiles, WithoutRecursionSubfoldersGiveNothing) {
    ScratchDir s(L"ff");
    Touch(s / L"a.cfg");
    Touch(s / L"sub\\b.cfg");
    Touch(s / L"sub\\a.cfg");
    Collection c;
    FindFiles(s.path(), L"*.cfg;a.cfg;b.cfg", c, false);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"a.cfg"});
    EXPECT_EQ(Items(FindFilesInDir(s.path(), L"b.cfg", false)).size(), 0u);
}

TEST(FindFiles, DuplicateAcrossPiecesIsListedOnceAndReportedInSixLines) {
    ScratchDir s(L"ff");
    Touch(s / L"x.dot");
    testlib::DebugCapture capture;
    Collection c;
    FindFiles(s.path(), L"*.dot;*.dot*", c, false);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"x.dot"});
    EXPECT_EQ(capture.lines(),
              SixLines(kDuplicate, false, s.path() + L"\\", L"x.dot", L"*.dot*", false));

    // A literal piece repeated in another case, through the combined listing.
    capture.clear();
    FindFiles(s.path() + L"\\", L"x.dot;X.DOT", c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"x.dot"});
    EXPECT_EQ(capture.lines(),
              SixLines(kDuplicate, true, s.path() + L"\\", L"x.dot", L"X.DOT", false));
}

TEST(FindFiles, DuplicatesBelowTheFirstLevelAndInTheWorkerAreSilent) {
    ScratchDir s(L"ff");
    Touch(s / L"sub\\y.dot");
    testlib::DebugCapture capture;
    Collection c;
    FindFiles(s.path(), L"*.dot;*.dot*", c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"sub\\y.dot"});
    const Collection direct = FindFilesInDir(s / L"sub", L"*.dot;*.dot*", true);
    EXPECT_EQ(Items(direct), std::vector<std::wstring>{s / L"sub\\y.dot"});
    EXPECT_TRUE(capture.lines().empty());
    // The same folder searched from the top is reported.
    FindFiles(s / L"sub", L"*.dot;*.dot*", c, true);
    EXPECT_EQ(capture.lines().size(), 6u);
}

TEST(FindFiles, EmptyPatternPiecesYieldNothing) {
    ScratchDir s(L"ff");
    Touch(s / L"a.cfg");
    Touch(s / L"noext");
    testlib::DebugCapture capture;
    Collection c;
    FindFiles(s.path(), L"", c, true);
    EXPECT_EQ(c.Count(), 0u);
    FindFiles(s.path(), L";", c, false);
    EXPECT_EQ(c.Count(), 0u);
    FindFiles(s.path(), L"*.cfg;", c, false);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"a.cfg"});
    EXPECT_TRUE(capture.lines().empty());
}

TEST(FindFiles, PieceThatCannotBeListedIsReportedAndTheRestGoesOn) {
    ScratchDir s(L"ff");
    Touch(s / L"a.cfg");
    testlib::DebugCapture capture;
    Collection c;
    // Wine lists nothing for a name with characters Windows rejects ("a|b") instead
    // of failing; a piece naming a missing folder fails on both.
    FindFiles(s.path(), L"nosuch\\*.cfg;*.cfg", c, false);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{s / L"a.cfg"});
    ASSERT_EQ(capture.lines().size(), 6u);
    EXPECT_TRUE(capture.lines()[0].starts_with("\tFindFiles:  "));
    EXPECT_NE(capture.lines()[0], "\tFindFiles:  " + kDuplicate);
    const auto want = SixLines("", false, s.path() + L"\\", L"", L"nosuch\\*.cfg", true);
    // The failure happens inside the redirection bracket, and the flag says so.
    for (size_t i = 1; i < 6; ++i)
        EXPECT_EQ(capture.lines()[i], want[i]) << i;
    EXPECT_FALSE(CommonModule::bFSRedirDisabled);
}

// Subfolder searches read each folder once and list a literal piece only where it may
// match; the result must equal what listing the piece itself gives.
TEST(FindFiles, LiteralPiecesFindWhatTheirOwnListingFinds) {
    ScratchDir s(L"ff");
    const std::wstring plain = s / L"plain", accent = s / L"accent";
    Touch(plain + L"\\WinWord.EXE");
    Touch(plain + L"\\Long Name Document.txt");
    Touch(plain + L"\\x.cfgx");
    Touch(plain + L"\\h.dll", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    // A name outside ASCII is always left to the platform; kept apart so that it does
    // not stand in for the other cases.
    Touch(accent + L"\\w\u00efnword.exe");
    Touch(accent + L"\\setup.exe");
    wchar_t shortPath[MAX_PATH] = {};
    GetShortPathNameW((plain + L"\\Long Name Document.txt").c_str(), shortPath, MAX_PATH);
    std::wstring shortName = shortPath;
    shortName.erase(0, shortName.find_last_of(L'\\') + 1);
    ASSERT_FALSE(shortName.empty());
    ASSERT_NE(shortName, L"Long Name Document.txt");

    const std::vector<std::wstring> patterns = {L"winword.exe",
                                                L"WINWORD.EXE",
                                                shortName,
                                                L"x.cfg",
                                                L"H.DLL",
                                                L"absent.exe",
                                                L"nul",
                                                L"CON.exe",
                                                L"SETUP.EXE",
                                                L"w\u00efnword.exe",
                                                L"winword.exe;setup.exe;WINWORD.EXE"};
    for (const std::wstring& folder : {plain, accent}) {
        for (const std::wstring& pattern : patterns) {
            Collection listed, screened;
            FindFiles(folder, pattern, listed, false);
            FindFiles(folder, pattern, screened, true);
            EXPECT_EQ(Items(screened), Items(listed)) << testlib::Utf8(pattern);
        }
    }
    Collection c;
    FindFiles(plain, L"winword.exe", c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{plain + L"\\WinWord.EXE"}); // as stored
    FindFiles(plain, shortName, c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{plain + L"\\Long Name Document.txt"});
    FindFiles(plain, L"h.dll", c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{plain + L"\\h.dll"});
    FindFiles(accent, L"setup.exe;winword.exe", c, true);
    EXPECT_EQ(Items(c), std::vector<std::wstring>{accent + L"\\setup.exe"});
}
