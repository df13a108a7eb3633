#include "core/Groups.h"

#include <gtest/gtest.h>

TEST(Groups, ListSplitsAtSemicolonsWithoutBlanksOrEmptyEntries) {
    using List = std::vector<std::wstring>;
    const struct {
        const wchar_t* value;
        List groups;
    } cases[] = {
        {L"", {}},
        {L" \t; ;", {}},
        {L"Legal", {L"Legal"}},
        {L"Legal;Sales", {L"Legal", L"Sales"}},
        {L" CONTOSO\\Legal ;\tSales\t", {L"CONTOSO\\Legal", L"Sales"}},
        {L";;Domain Users;; S-1-5-32-545", {L"Domain Users", L"S-1-5-32-545"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Module1::ParseGroups(c.value), c.groups) << testing::PrintToString(c.value);
    EXPECT_EQ(Module1::JoinGroups({L"Legal", L"Sales"}), L"Legal; Sales");
}
