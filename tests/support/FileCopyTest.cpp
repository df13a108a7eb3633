// CopyFiles against real folders: the shell's copy with the flags the callers use.
#include "support/FileCopy.h"

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
