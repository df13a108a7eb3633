#include "core/Groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        {L";;Legal;;", {L"Legal"}},
        {L"Domain Users; S-1-5-32-545", {L"Domain Users", L"S-1-5-32-545"}},
    };
    for (const auto& c : cases) {
        const List groups = Module1::ParseGroups(c.value);
        EXPECT_EQ(groups, c.groups) << testing::PrintToString(std::wstring(c.value));
    }
    EXPECT_EQ(Module1::JoinGroups({L"Legal", L"Sales"}), L"Legal; Sales");
}
