#include "support/Staging.h"

#include "support/OwnFolder.h"
#include "support/ScopedWin.h"
#include "testlib/Scratch.h"

#include <windows.h>
#include <sddl.h>

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

namespace {

// A security descriptor from its SDDL text, freed with the returned owner.
PSECURITY_DESCRIPTOR Sd(const wchar_t* sddl, ScopedWin::UniqueLocal& owner) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    EXPECT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr));
    owner.reset(sd);
    return sd;
}

ACL* Dacl(PSECURITY_DESCRIPTOR sd, BOOL& present) {
    PACL dacl = nullptr;
    BOOL defaulted = FALSE;
    EXPECT_TRUE(GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted));
    return dacl;
}

} // namespace

// Only the run's own token may put a name in its working folder: full control for the
// token's default owner (an elevated administrator's is BUILTIN\Administrators, a
// standard user's the user) and SYSTEM on the folder alone; what its parent gives the
// files made in it stays, for them only. On the network the server knows the user
// alone. (Owners fed in: Wine keeps no access list.)
TEST(WorkingFolderAcl, OnlyTheDefaultOwnerAndSystemMayPutANameInIt) {
    EXPECT_EQ(CommonModule::WorkingFolderOwner(false), TokenOwner);
    EXPECT_EQ(CommonModule::WorkingFolderOwner(true), TokenUser);
    ScopedWin::UniqueLocal parentOwner;
    BOOL present = FALSE;
    // Everyone reads what is made in the parent and may change the parent itself.
    const ACL* parent = Dacl(Sd(L"D:(A;OIID;FR;;;WD)(A;;FA;;;WD)", parentOwner), present);
    for (const wchar_t* owner : {L"BA", L"S-1-5-21-1-2-3-1001"}) {
        ScopedWin::UniqueLocal ownerSd;
        const std::wstring sddl = std::wstring(L"O:") + owner;
        PSID sid = nullptr;
        BOOL defaulted = FALSE;
        ASSERT_TRUE(GetSecurityDescriptorOwner(Sd(sddl.c_str(), ownerSd), &sid, &defaulted));
        std::vector<BYTE> acl = CommonModule::WorkingFolderAcl(sid, parent);
        SECURITY_DESCRIPTOR sd{};
        ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
        ASSERT_TRUE(
            SetSecurityDescriptorDacl(&sd, TRUE, reinterpret_cast<ACL*>(acl.data()), FALSE));
        LPWSTR text = nullptr;
        ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorW(
            &sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
        EXPECT_EQ(std::wstring(text),
                  L"D:(A;;FA;;;" + std::wstring(owner) + L")(A;;FA;;;SY)(A;OIIO;FR;;;WD)");
        LocalFree(text);
    }
}

// A working folder made but not held (a query about it failed) does not stay behind,
// visible on the desktop; the line names the query.
TEST(StagingFolder, OneThatCannotBeHeldGoesAgainAndTheFailedQueryIsNamed) {
    testlib::ScratchDir dir(L"unheld");
    CommonModule::HoldCalls noName = CommonModule::HoldCalls::System(), noHide = noName;
    noName.nameOf = [](HANDLE, std::wstring&, std::wstring&) { return false; };
    noHide.setInfo = [](auto&&...) { return FALSE; };
    for (const auto& [calls, query] :
         {std::pair{noName, L"FileNameInfo"}, std::pair{noHide, L"FileBasicInfo"}}) {
        const CommonModule::StagingFolder folder(dir.path(), calls);
        EXPECT_NE(folder.why().find(std::wstring(L"the query ") + query + L" failed"),
                  std::wstring::npos);
        EXPECT_FALSE(folder.ok() || testlib::DirExists(folder.path()));
        WIN32_FIND_DATAW found{};
        EXPECT_FALSE(ScopedWin::UniqueFind(FindFirstFileW((dir / L"~dv*").c_str(), &found)));
    }
}

// A read-only file is made writable to be replaced only when it has no other name: the
// attribute is the file's, and a hard link elsewhere would lose it too. (Wine moves over
// a read-only file, which Windows refuses: the step after the refusal is called here.)
TEST(ReplaceReadOnly, MakesOnlyAReadOnlyFileWithOneNameWritable) {
    testlib::ScratchDir dir(L"readonly");
    const std::wstring dest = dir / L"Letter.dotx", staged = dir / L"staged.tmp";
    for (const bool hardLink : {false, true}) {
        testlib::WriteFile(dest, "old");
        testlib::WriteFile(staged, "new");
        if (hardLink) {
            ASSERT_TRUE(CreateHardLinkW((dir / L"outside").c_str(), dest.c_str(), nullptr));
        }
        SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY);
        std::wstring why;
        EXPECT_EQ(CommonModule::ReplaceReadOnly(staged, dest, FILE_ATTRIBUTE_READONLY, why),
                  !hardLink);
        EXPECT_EQ(ReadFile(dest), hardLink ? "old" : "new");
        // The other name keeps the attribute.
        EXPECT_TRUE(!hardLink || (GetFileAttributesW((dir / L"outside").c_str()) & 1));
        SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Refused the right to change the old file's permissions (a share with "Change", an
// OWNER RIGHTS entry), the replace goes on without merging them only when they are
// all inherited, as the staged file's beside it are; otherwise the reason names the
// right. (The platform's answers are put in: Wine enforces no permissions.)
TEST(ReplaceKeepingSecurity, WithoutTheRightToChangePermissionsOnlyInheritedOnesAreLeftOut) {
    using CommonModule::Permissions;
    testlib::ScratchDir dir(L"nodac");
    const std::wstring dest = dir / L"Letter.cfg", staged = dir / L"cfg1.tmp";
    // Without the flag that leaves the merge out, the platform refuses.
    const auto replace = [](const std::wstring& replaced, const std::wstring& replacement,
                            const std::wstring&, DWORD flags) {
        SetLastError(ERROR_ACCESS_DENIED);
        return (flags & REPLACEFILE_IGNORE_MERGE_ERRORS) &&
               MoveFileExW(replacement.c_str(), replaced.c_str(), MOVEFILE_REPLACE_EXISTING);
    };
    // (the old file's permissions as SDDL, whether they are inherited only)
    const std::pair<const wchar_t*, bool> cases[] = {{L"D:(A;ID;FA;;;WD)", true},
                                                     {L"D:P(A;ID;FA;;;WD)", false},
                                                     {L"D:(A;ID;FA;;;WD)(A;;FR;;;WD)", false},
                                                     {L"O:BA", false}};
    for (const auto& [sddl, inherited] : cases) {
        testlib::WriteFile(dest, "old");
        testlib::WriteFile(staged, "new");
        const auto permissions = [&](const std::wstring&) {
            ScopedWin::UniqueLocal owner;
            const PSECURITY_DESCRIPTOR sd = Sd(sddl, owner);
            SECURITY_DESCRIPTOR_CONTROL control = 0;
            DWORD revision = 0;
            BOOL present = FALSE;
            const ACL* dacl = Dacl(sd, present);
            EXPECT_TRUE(GetSecurityDescriptorControl(sd, &control, &revision));
            return CommonModule::PermissionsFrom(control, present, dacl);
        };
        std::wstring why;
        EXPECT_EQ(CommonModule::ReplaceKeepingSecurity(staged, dest, why, replace, permissions),
                  inherited);
        EXPECT_EQ(ReadFile(dest), inherited ? "new" : "old");
        EXPECT_EQ(why.find(L"the right to change permissions") != std::wstring::npos, !inherited);
        DeleteFileW(staged.c_str());
    }
}
