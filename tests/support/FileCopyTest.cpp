// CopyFiles against real folders: the shell's copy with the flags the callers use.
#include "support/FileCopy.h"
#include "support/VerifiedCopy.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Probes.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

using CommonModule::CopyFiles;
using testlib::DirExists;
using testlib::FileExists;
using testlib::ReadFile;
using testlib::WriteFile;

namespace {

std::vector<std::wstring> Entries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

struct CopyFixture : ::testing::Test {
    testlib::ScratchDir scratch{L"copy"};
    std::wstring source = scratch / L"src";
    std::wstring dest = scratch / L"dest";
    void SetUp() override {
        testlib::MakeDirs(source);
        testlib::MakeDirs(dest);
        WriteFile(source + L"\\Letter.dotx", "new letter");
    }
};

} // namespace

TEST_F(CopyFixture, ReplaceSwitchOverwritesExistingFileSilently) {
    WriteFile(dest + L"\\Letter.dotx", "old letter");
    testlib::DebugCapture debug;
    EXPECT_TRUE(CopyFiles(source + L"\\Letter.dotx", dest, true, false));
    EXPECT_EQ(ReadFile(dest + L"\\Letter.dotx"), "new letter");
    EXPECT_EQ(Entries(dest).size(), 1u);
    EXPECT_TRUE(debug.lines().empty());
    EXPECT_FALSE(CommonModule::bFSRedirDisabled) << "redirection bracket left open";
}

TEST_F(CopyFixture, MissingSourceFailsAndCreatesNothing) {
    testlib::DebugCapture debug;
    EXPECT_FALSE(CopyFiles(source + L"\\Missing.dotx", dest, true, false));
    EXPECT_FALSE(CopyFiles(source + L"\\*.none", dest, true, false))
        << "a wildcard matching nothing";
    testlib::MakeDirs(scratch / L"empty");
    EXPECT_FALSE(CopyFiles(scratch / L"empty\\*.*", dest, true, false)) << "only . and ..";
    EXPECT_TRUE(Entries(dest).empty());

    const std::wstring absent = scratch / L"absent\\deeper";
    EXPECT_FALSE(CopyFiles(source + L"\\Missing.dotx", absent, true, false));
    EXPECT_FALSE(DirExists(scratch / L"absent"));
    EXPECT_TRUE(debug.lines().empty());
    EXPECT_FALSE(CommonModule::bFSRedirDisabled);
}

TEST_F(CopyFixture, WildcardCopiesFilesAndSubfolders) {
    WriteFile(source + L"\\Memo.dot", "memo");
    testlib::MakeDirs(source + L"\\Legal\\Forms");
    WriteFile(source + L"\\Legal\\Forms\\Brief.dotx", "brief");
    EXPECT_TRUE(CopyFiles(source + L"\\*.*", dest, true, false));
    EXPECT_EQ(ReadFile(dest + L"\\Letter.dotx"), "new letter");
    EXPECT_EQ(ReadFile(dest + L"\\Memo.dot"), "memo");
    EXPECT_EQ(ReadFile(dest + L"\\Legal\\Forms\\Brief.dotx"), "brief");
}

TEST_F(CopyFixture, MissingDestinationFolderIsCreatedAndReceivesTheFile) {
    // The shell alone would write a file named "Templates" into "Microsoft".
    const std::wstring templates = scratch / L"AppData\\Microsoft\\Templates";
    EXPECT_TRUE(CopyFiles(source + L"\\Letter.dotx", templates, true, false));
    EXPECT_TRUE(DirExists(templates));
    EXPECT_EQ(ReadFile(templates + L"\\Letter.dotx"), "new letter");
}

TEST_F(CopyFixture, TrailingBackslashOnDestinationIsAccepted) {
    // Wine cancels (1223) a copy into "missing\" when the folder does not exist yet.
    EXPECT_TRUE(CopyFiles(source + L"\\Letter.dotx", scratch / L"fresh\\", true, false));
    EXPECT_EQ(ReadFile(scratch / L"fresh\\Letter.dotx"), "new letter");
    WriteFile(dest + L"\\Letter.dotx", "old letter");
    EXPECT_TRUE(CopyFiles(source + L"\\Letter.dotx", dest + L"\\\\", true, false));
    EXPECT_EQ(ReadFile(dest + L"\\Letter.dotx"), "new letter");
}

TEST_F(CopyFixture, FileInPlaceOfTheDestinationFolderIsLeftAlone) {
    const std::wstring blocker = scratch / L"Templates";
    WriteFile(blocker, "not a folder");
    EXPECT_FALSE(CopyFiles(source + L"\\Letter.dotx", blocker, true, false));
    EXPECT_EQ(ReadFile(blocker), "not a folder");
    EXPECT_TRUE(FileExists(blocker));
}

// With both switches off the shell asks before replacing; that needs a person at
// the screen, so it is not exercised here.

// A listing's size and time may lag behind the file (NTFS): a staged copy that disagrees
// with them is judged by the source itself, asked once, and fails only when that too
// disagrees, as a source that changed during the copy.
TEST(JudgeStaged, AListingThatLagsIsCheckedAgainstTheSourceOnce) {
    using CommonModule::StagedVerdict;
    const auto data = [](DWORD size, DWORD time) {
        WIN32_FILE_ATTRIBUTE_DATA d{};
        d.nFileSizeLow = size;
        d.ftLastWriteTime.dwLowDateTime = time;
        return d;
    };
    const WIN32_FILE_ATTRIBUTE_DATA listed = data(10, 1), newer = data(12, 2), newest = data(14, 3);
    struct Case {
        const char* what;
        const WIN32_FILE_ATTRIBUTE_DATA* staged;
        const WIN32_FILE_ATTRIBUTE_DATA* sourceNow; // none: cannot be asked
        int asks;
        StagedVerdict verdict;
    };
    const Case cases[] = {
        {"as listed", &listed, &newest, 0, StagedVerdict::Copied},
        {"listing lagged", &newer, &newer, 1, StagedVerdict::Copied},
        {"changed during the copy", &newer, &newest, 1, StagedVerdict::SourceChanged},
        {"source gone", &newer, nullptr, 1, StagedVerdict::NotCopied},
        {"nothing arrived", nullptr, &listed, 0, StagedVerdict::NotCopied},
    };
    for (const Case& c : cases) {
        int asks = 0;
        EXPECT_EQ(CommonModule::JudgeStaged(listed, c.staged,
                                            [&](WIN32_FILE_ATTRIBUTE_DATA& now) {
                                                ++asks;
                                                if (c.sourceNow) now = *c.sourceNow;
                                                return c.sourceNow != nullptr;
                                            }),
                  c.verdict)
            << c.what;
        EXPECT_EQ(asks, c.asks) << c.what;
    }
}
