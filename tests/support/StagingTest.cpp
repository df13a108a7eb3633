#include "support/Staging.h"

#include "testlib/Scratch.h"

#include "support/OwnFolder.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <iterator>

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

// Only the run's own token may put a name in its working folder: full control for the
// token's default owner (an elevated administrator's is BUILTIN\Administrators, a
// standard user's the user) and SYSTEM on the folder alone; what its parent gives the
// files made in it stays, for them only. (Owners fed in: Wine keeps no access list.)
TEST(WorkingFolderAcl, OnlyTheDefaultOwnerAndSystemMayPutANameInIt) {
    const auto sid = [](const wchar_t* text) {
        PSID made = nullptr;
        EXPECT_TRUE(ConvertStringSidToSidW(text, &made));
        std::vector<BYTE> bytes(static_cast<BYTE*>(made),
                                static_cast<BYTE*>(made) + GetLengthSid(made));
        LocalFree(made);
        return bytes;
    };
    std::vector<BYTE> everyone = sid(L"S-1-1-0"), system = sid(L"S-1-5-18");
    // The parent: Everyone reads what is made in it and may change the parent itself.
    BYTE parent[256];
    auto* list = reinterpret_cast<ACL*>(parent);
    ASSERT_TRUE(InitializeAcl(list, sizeof parent, ACL_REVISION));
    ASSERT_TRUE(AddAccessAllowedAceEx(list, ACL_REVISION, OBJECT_INHERIT_ACE | INHERITED_ACE,
                                      FILE_GENERIC_READ, everyone.data()));
    ASSERT_TRUE(AddAccessAllowedAceEx(list, ACL_REVISION, 0, FILE_ALL_ACCESS, everyone.data()));
    for (const wchar_t* token : {L"S-1-5-32-544", L"S-1-5-21-1-2-3-1001"}) {
        std::vector<BYTE> owner = sid(token);
        std::vector<BYTE> acl = CommonModule::WorkingFolderAcl(owner.data(), list);
        ASSERT_FALSE(acl.empty());
        const auto* made = reinterpret_cast<ACL*>(acl.data());
        struct Entry {
            std::vector<BYTE>* sid;
            ACCESS_MASK access;
            BYTE flags;
        };
        const Entry expected[] = {
            {&owner, FILE_ALL_ACCESS, 0},
            {&system, FILE_ALL_ACCESS, 0},
            {&everyone, FILE_GENERIC_READ, OBJECT_INHERIT_ACE | INHERIT_ONLY_ACE}};
        ASSERT_EQ(made->AceCount, std::size(expected));
        for (WORD i = 0; i < made->AceCount; ++i) {
            void* ace = nullptr;
            ASSERT_TRUE(GetAce(const_cast<ACL*>(made), i, &ace));
            const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            EXPECT_TRUE(EqualSid(const_cast<DWORD*>(&allowed->SidStart), expected[i].sid->data()))
                << i;
            EXPECT_EQ(allowed->Mask, expected[i].access) << i;
            EXPECT_EQ(allowed->Header.AceFlags, expected[i].flags) << i;
        }
    }
}

// A working folder made but not held (a query about it failed) does not stay behind,
// visible on the desktop; the line names the query.
TEST(StagingFolder, OneThatCannotBeHeldGoesAgainAndTheFailedQueryIsNamed) {
    testlib::ScratchDir dir(L"unheld");
    const auto denied = [](auto&&...) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    };
    CommonModule::HoldCalls noName = CommonModule::HoldCalls::System(), noHide = noName;
    noName.nameOf = [&](HANDLE, std::wstring&, std::wstring& why) {
        why = L"Access is denied.";
        return false;
    };
    noHide.setInfo = denied;
    for (const auto& [calls, query] :
         {std::pair{noName, L"FileNameInfo"}, std::pair{noHide, L"FileBasicInfo"}}) {
        const CommonModule::StagingFolder folder(dir.path(), calls);
        EXPECT_FALSE(folder.ok());
        EXPECT_NE(folder.why().find(std::wstring(L"the query ") + query + L" failed"),
                  std::wstring::npos)
            << testlib::Utf8(folder.why());
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((dir / L"~dv*").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << testlib::Utf8(found.cFileName);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
}

// A read-only file is made writable to be replaced only when it has no other name: the
// attribute is the file's, and a hard link elsewhere would lose it too. (Wine moves over
// a read-only file, which Windows refuses: the step after the refusal is called here.)
TEST(ReplaceReadOnly, MakesOnlyAReadOnlyFileWithOneNameWritable) {
    testlib::ScratchDir dir(L"readonly");
    const std::wstring outside = dir / L"outside.dotx";
    for (const bool hardLink : {false, true}) {
        const std::wstring dest = dir / L"Letter.dotx", staged = dir / L"staged.tmp";
        testlib::WriteFile(dest, "old");
        testlib::WriteFile(staged, "new");
        if (hardLink) {
            DeleteFileW(outside.c_str());
            ASSERT_TRUE(CreateHardLinkW(outside.c_str(), dest.c_str(), nullptr));
        }
        SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY);
        std::wstring why;
        EXPECT_EQ(CommonModule::ReplaceReadOnly(staged, dest, FILE_ATTRIBUTE_READONLY, why),
                  !hardLink)
            << testlib::Utf8(why);
        EXPECT_EQ(ReadFile(dest), hardLink ? "old" : "new") << hardLink;
        if (hardLink) {
            EXPECT_NE(why.find(L"other names"), std::wstring::npos) << testlib::Utf8(why);
            EXPECT_TRUE(GetFileAttributesW(outside.c_str()) & FILE_ATTRIBUTE_READONLY);
        }
        SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(dest.c_str());
        DeleteFileW(staged.c_str());
    }
    SetFileAttributesW(outside.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Refused the right to change the old file's permissions (a share with "Change", an
// OWNER RIGHTS entry), the replace goes on without merging them only when they are
// all inherited, as the staged file's beside it are; otherwise the reason names the
// right. (The platform's answers are put in: Wine enforces no permissions.)
TEST(ReplaceKeepingSecurity, WithoutTheRightToChangePermissionsOnlyInheritedOnesAreLeftOut) {
    using CommonModule::Permissions;
    testlib::ScratchDir dir(L"nodac");
    const std::wstring dest = dir / L"Letter.cfg", staged = dir / L"cfg1.tmp";
    for (const Permissions old : {Permissions::Inherited, Permissions::Own, Permissions::Unknown}) {
        testlib::WriteFile(dest, "old");
        testlib::WriteFile(staged, "new");
        const auto replace = [&](const std::wstring& replaced, const std::wstring& replacement,
                                 const std::wstring&, DWORD flags) {
            if (!(flags & REPLACEFILE_IGNORE_MERGE_ERRORS)) {
                SetLastError(ERROR_ACCESS_DENIED);
                return false;
            }
            return MoveFileExW(replacement.c_str(), replaced.c_str(), MOVEFILE_REPLACE_EXISTING) !=
                   FALSE;
        };
        std::wstring why;
        const bool inherited = old == Permissions::Inherited;
        EXPECT_EQ(CommonModule::ReplaceKeepingSecurity(staged, dest, why, replace,
                                                       [&](const std::wstring&) { return old; }),
                  inherited);
        EXPECT_EQ(ReadFile(dest), inherited ? "new" : "old");
        EXPECT_EQ(why.find(L"the right to change permissions") != std::wstring::npos, !inherited)
            << testlib::Utf8(why);
        DeleteFileW(staged.c_str());
    }
    // What counts as inherited only: not protected, a list, and each entry inherited.
    BYTE buffer[128];
    auto* acl = reinterpret_cast<ACL*>(buffer);
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    ASSERT_TRUE(CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size));
    ASSERT_TRUE(InitializeAcl(acl, sizeof buffer, ACL_REVISION));
    ASSERT_TRUE(AddAccessAllowedAceEx(acl, ACL_REVISION, INHERITED_ACE, FILE_ALL_ACCESS, everyone));
    EXPECT_EQ(CommonModule::PermissionsFrom(0, TRUE, acl), Permissions::Inherited);
    EXPECT_EQ(CommonModule::PermissionsFrom(SE_DACL_PROTECTED, TRUE, acl), Permissions::Own);
    EXPECT_EQ(CommonModule::PermissionsFrom(0, FALSE, nullptr), Permissions::Own);
    ASSERT_TRUE(AddAccessAllowedAceEx(acl, ACL_REVISION, 0, FILE_GENERIC_READ, everyone));
    EXPECT_EQ(CommonModule::PermissionsFrom(0, TRUE, acl), Permissions::Own);
}
