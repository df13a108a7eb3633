#include "core/ConfigNames.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

TEST(ConfigNames, TheWindowSavesOnlyNamesTheListShowsAndOpensAgain) {
    const std::wstring folder = L"C:\\Apps\\Dorvane\\Configs\\";
    const size_t longest = MAX_PATH - 1 - folder.size() - 4;
    // A name, and part of the reason it is refused for ("": it may be saved).
    std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {L"Company Letter", L""},
        {std::wstring(longest, L'x'), L""},
        {L"a.cfgb", L"the list would show it as \"ab\""},
        {L"tab\there", L"the control character U+0009, which Windows does not allow"},
        {L"Letter.", L"a blank or a dot at the end"},
        {L"Letter ", L"a blank or a dot"},
        {L"CON", L"a device name"},
        {std::wstring(longest + 1, L'x'),
         L"its file's path would have 260 characters; configuration files take 259 at most"}};
    for (const wchar_t c : std::wstring(L"<>:\"/\\|?*"))
        cases.push_back({L"a" + std::wstring(1, c) + L"b",
                         L"the character \"" + std::wstring(1, c) + L"\", which Windows does not"});
    for (const auto& [name, reason] : cases) {
        std::wstring why;
        const bool savable = Module1::IsSavableConfigName(name, folder + name + L".cfg", why);
        EXPECT_EQ(savable, reason.empty()) << name << L": " << why;
        EXPECT_NE(why.find(reason), std::wstring::npos) << name << L": " << why;
    }
}
