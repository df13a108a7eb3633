#include "support/WriteRights.h"

#include <gtest/gtest.h>
#include <sddl.h>

using namespace CommonModule;

// A deny entry takes a right back only when it takes all of it; a right to delete what
// a folder holds counts for a folder alone.
TEST(WriteRights, BroadGroupsWhoseChangeRightsNoDenyTakesBack) {
    const struct {
        const wchar_t* sddl;
        bool folder;
        std::vector<std::wstring> writers;
    } cases[] = {
        {L"D:P(A;;FA;;;BA)(A;;FR;;;BU)", true, {}},
        {L"D:P(A;;FA;;;BA)(A;;0x40;;;WD)", true, {L"Everyone"}},
        {L"D:P(A;;FA;;;BA)(A;;0x40;;;WD)", false, {}},
        {L"D:P(D;;FA;;;WD)(A;;FA;;;BU)(A;;FA;;;AU)", false, {}},
        {L"D:P(D;;FW;;;BU)(A;;FA;;;BU)", false, {L"BUILTIN\\Users"}},
        {L"D:P(A;IO;FA;;;IU)(A;;GW;;;S-1-5-21-1-2-3-513)(A;;WO;;;S-1-5-21-1-2-3-512)",
         false,
         {L"Domain Users"}},
        {L"D:P(A;;WD;;;AU)(A;;0x4;;;IU)", false, {L"Authenticated Users", L"INTERACTIVE"}},
    };
    for (const auto& c : cases) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(c.sddl, SDDL_REVISION_1,
                                                                         &sd, nullptr))
            << c.sddl;
        BOOL present = FALSE, defaulted = FALSE;
        PACL dacl = nullptr;
        ASSERT_TRUE(GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted));
        EXPECT_EQ(BroadWritersOf(dacl, present != FALSE, c.folder), c.writers) << c.sddl;
        LocalFree(sd);
    }
    // No DACL at all (Wine's SDDL reader makes an empty one of "D:NO_ACCESS_CONTROL").
    EXPECT_EQ(BroadWritersOf(nullptr, true, false), std::vector<std::wstring>{L"Everyone"});
}
