#include "core/TrustedLocations.h"

#include <gtest/gtest.h>

namespace {

using namespace Module1;

constexpr wchar_t kLocal[] = L"C:\\Users\\u\\AppData\\Roaming";
constexpr wchar_t kServer[] = L"\\\\srv\\home$\\u\\AppData\\Roaming";

// The registry's answers for Word, as a case changes them; the folder is the user's
// templates folder below APPDATA, or a subfolder of it.
TEST(TrustedLocations, DecidesFromTheRegistrysAnswers) {
    const TrustedLocation templates{L"%AppData%\\MICROSOFT\\Templates\\", false};
    const struct {
        const wchar_t* appdata;
        const wchar_t* below;
        void (*change)(TrustSettings&);
        const wchar_t* reason; // a part of it; "" for trusted
    } cases[] = {
        // No list of its own yet: Office's defaults, subfolders only for PowerPoint.
        {kLocal, L"", [](TrustSettings&) {}, L""},
        {kLocal, L"\\Sub", [](TrustSettings&) {}, L"does not allow subfolders"},
        {kLocal, L"\\Sub", [](TrustSettings& s) { s.bDefaultSubfolders = true; }, L""},
        {kLocal, L"", [](TrustSettings& s) { s.bAllDisabled = true; }, L"AllLocationsDisabled"},
        {kServer, L"", [](TrustSettings&) {}, L"is on the network"},
        {kServer, L"", [](TrustSettings& s) { s.bAllowNetwork = true; }, L""},
        // Paths as written: a variable, another letter case, a trailing backslash.
        {kLocal, L"", [](TrustSettings& s) { s.bUserKey = true; }, L""},
        {kServer, L"", [](TrustSettings& s) { s.bUserKey = s.bAllowNetwork = true; }, L""},
        {kLocal, L"",
         [](TrustSettings& s) {
             s.bUserKey = true;
             s.userLocations = {{L"C:\\Elsewhere", true}};
         },
         L"none of Word's trusted locations covers"},
        {kLocal, L"",
         [](TrustSettings& s) {
             s.bUserKey = true;
             s.userLocations = {{L"C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Templ", true}};
         },
         L"none of"},
        {kLocal, L"\\Sub",
         [](TrustSettings& s) {
             s.bUserKey = true;
             s.userLocations = {{L"c:\\users\\u\\appdata", true}};
         },
         L""},
        {kLocal, L"",
         [](TrustSettings& s) {
             s.bUserKey = s.bPolicyOnly = true;
             s.userLocations = {{L"%APPDATA%\\Microsoft\\Templates", false}};
         },
         L"only its own trusted locations"},
        {kLocal, L"",
         [](TrustSettings& s) {
             s.bPolicyOnly = true;
             s.policyLocations = {{L"%APPDATA%\\Microsoft\\Templates", false}};
         },
         L""},
    };
    for (const auto& c : cases) {
        TrustSettings settings;
        settings.userLocations = {templates};
        c.change(settings);
        const std::wstring appdata = c.appdata;
        const PathView view{[&](const std::wstring& path) {
                                std::wstring expanded = path;
                                for (const wchar_t* name : {L"%APPDATA%", L"%AppData%"})
                                    if (const size_t at = expanded.find(name); at != expanded.npos)
                                        expanded.replace(at, 9, appdata);
                                return expanded;
                            },
                            [](const std::wstring& path) { return path.starts_with(L"\\\\"); }};
        const std::wstring folder = appdata + L"\\Microsoft\\Templates" + c.below;
        const std::wstring why = WhyNotTrusted(settings, L"Word", folder, view);
        SCOPED_TRACE(folder + L" " + why);
        if (*c.reason == L'\0')
            EXPECT_EQ(why, L"");
        else
            EXPECT_NE(why.find(c.reason), std::wstring::npos);
    }
}

} // namespace
