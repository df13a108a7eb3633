#include "support/Staging.h"

#include "testlib/Scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

using testlib::ReadFile;

// A file whose security must be kept is replaced in place or not at all: never by a
// move, which would give it the new file's. When the platform gives up halfway, as its
// documentation says it may, the old file is still there under its own name.
TEST(ReplaceKeepingSecurity, TheOldFileIsNeverLostNorReplacedByAMove) {
    testlib::ScratchDir dir(L"keep");
    const std::wstring dest = dir / L"Letter.cfg", staged = dir / L"cfg1.tmp";
    testlib::WriteFile(dest, "old");
    testlib::WriteFile(staged, "new");
    SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY); // ReplaceFileW refuses it
    std::wstring why;
    EXPECT_FALSE(
        CommonModule::ReplaceByName(staged, dest, why, CommonModule::Keep::AttributesAndSecurity));
    EXPECT_EQ(ReadFile(dest), "old");
    SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_NORMAL);

    for (const DWORD error : {ERROR_UNABLE_TO_REMOVE_REPLACED, ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                              ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}) {
        const auto replace = [&](const std::wstring& replaced, const std::wstring&,
                                 const std::wstring& backup, DWORD) {
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) // the old file moved aside
                MoveFileW(replaced.c_str(), backup.c_str());
            SetLastError(error);
            return false;
        };
        EXPECT_FALSE(CommonModule::ReplaceKeepingSecurity(staged, dest, why, replace));
        EXPECT_EQ(GetLastError(), error);
        EXPECT_EQ(ReadFile(dest), "old") << error;
        EXPECT_EQ(ReadFile(staged), "new") << error;
    }
}

// Without WRITE_DAC access the platform can keep the old file's security only by failing;
// told to ignore that, it "succeeds" and drops it (as documented). Save fails instead.
TEST(ReplaceKeepingSecurity, ASecurityItCannotMergeFailsTheReplace) {
    testlib::ScratchDir dir(L"merge");
    const std::wstring dest = dir / L"Letter.cfg", staged = dir / L"cfg1.tmp";
    testlib::WriteFile(dest, "old");
    testlib::WriteFile(staged, "new");
    const auto replace = [](const std::wstring& replaced, const std::wstring& replacement,
                            const std::wstring&, DWORD flags) {
        if (flags & REPLACEFILE_IGNORE_MERGE_ERRORS)
            return MoveFileExW(replacement.c_str(), replaced.c_str(), MOVEFILE_REPLACE_EXISTING) !=
                   0;
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    };
    std::wstring why;
    EXPECT_FALSE(CommonModule::ReplaceKeepingSecurity(staged, dest, why, replace));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(ReadFile(dest), "old");
}
