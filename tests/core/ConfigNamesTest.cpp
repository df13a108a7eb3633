#include "core/ConfigNames.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(ConfigNames, TheWindowSavesOnlyNamesTheListShowsAndOpensAgain) {
    const std::wstring folder = L"C:\\Apps\\Dorvane\\Configs\\";
    struct Case {
        std::wstring name;
        const wchar_t* why; // part of the reason; nullptr: the name may be saved
    } cases[] = {
        {L"Company Letter", nullptr},
        {L"Report.final", nullptr},
        {L"Report.CFG", nullptr}, // the list removes ".cfg" in this letter case only
        {L"Budget.cfg", L"the list would show it as \"Budget\""},
        {L"a.cfgb", L"the list would show it as \"ab\""},
        {L"a<b", L"\"<\", which Windows does not allow"},
        {L"Q?", L"\"?\""},
        {L"a*b", L"\"*\""},
        {L"a|b", L"\"|\""},
        {L"say \"hi\"", L"\"\"\""},
        {L"a:b", L"\":\""},
        {L"a\\b", L"\"\\\""},
        {L"a/b", L"\"/\""},
        {L"tab\there", L"control character U+0009"},
        {L"Letter.", L"a blank or a dot at the end"},
        {L"Letter ", L"a blank or a dot at the end"},
        {L"..", L"a blank or a dot at the end"},
        {L"CON", L"a device name"},
        {L"lpt1.txt", L"a device name"},
        {std::wstring(MAX_PATH - 1 - folder.size() - 4, L'x'), nullptr},
        {std::wstring(MAX_PATH - folder.size() - 4, L'x'),
         L"its file's path would have 260 characters; configuration files take 259 at most"},
    };
    for (const Case& c : cases) {
        std::wstring why;
        const bool savable = Module1::IsSavableConfigName(c.name, folder + c.name + L".cfg", why);
        EXPECT_EQ(savable, c.why == nullptr) << c.name.size() << L" " << c.name << L": " << why;
        if (c.why) {
            EXPECT_NE(why.find(c.why), std::wstring::npos) << c.name << L": " << why;
        }
    }
}
