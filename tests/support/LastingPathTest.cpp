#include "support/LastingPath.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <map>

// What the event source's registration names: a path every session can reach. (The
// system's answers are put in: Wine maps no network drives.)
TEST(LastingPath, LongFormUncForANetworkDriveAndTheSubstitutedDrivesPath) {
    const std::map<std::wstring, std::wstring> longForms = {
        {L"C:\\PROGRA~1\\Dorvane\\DORVANE.EXE", L"C:\\Program Files\\Dorvane\\Dorvane.exe"},
        {L"N:\\Dorvane.exe", L"N:\\Dorvane.exe"},
        {L"M:\\Dorvane.exe", L"M:\\Dorvane.exe"},
        {L"S:\\Dorvane.exe", L"S:\\Dorvane.exe"},
        {L"C:\\Tools\\Dorvane.exe", L"C:\\Tools\\Dorvane.exe"},
        {L"\\\\srv\\apps\\Dorvane.exe", L"\\\\srv\\apps\\Dorvane.exe"}};
    CommonModule::PathAnswers answers;
    answers.longForm = [&](const std::wstring& p) {
        const auto found = longForms.find(p);
        return found == longForms.end() ? std::wstring() : found->second;
    };
    answers.driveType = [](const std::wstring& root) {
        return root == L"N:\\" || root == L"M:\\" ? UINT{DRIVE_REMOTE} : UINT{DRIVE_FIXED};
    };
    answers.universal = [](const std::wstring& p) {
        return p == L"N:\\Dorvane.exe" ? std::wstring(L"\\\\srv\\apps\\Dorvane.exe")
                                       : std::wstring();
    };
    answers.dosDevice = [](const std::wstring& drive) {
        return drive == L"S:" ? std::wstring(L"\\??\\C:\\Tools")
                              : L"\\Device\\HarddiskVolume" + drive.substr(0, 1);
    };
    // (as started, what is registered; "" refused)
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\PROGRA~1\\Dorvane\\DORVANE.EXE", L"C:\\Program Files\\Dorvane\\Dorvane.exe"},
        {L"N:\\Dorvane.exe", L"\\\\srv\\apps\\Dorvane.exe"},
        {L"M:\\Dorvane.exe", L""},
        {L"S:\\Dorvane.exe", L"C:\\Tools\\Dorvane.exe"},
        {L"\\\\srv\\apps\\Dorvane.exe", L"\\\\srv\\apps\\Dorvane.exe"},
        {L"X:\\gone.exe", L""},
    };
    for (const auto& [started, registered] : cases) {
        std::wstring why;
        EXPECT_EQ(CommonModule::LastingPath(started, why, answers), registered)
            << testlib::Utf8(started);
        EXPECT_EQ(why.empty(), *registered != 0) << testlib::Utf8(started);
    }
}
