#include "support/LastingPath.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

// What the event source's registration names: a path every session can reach. (The
// system's answers are put in: Wine maps no network drives.) N: and M: are mapped
// drives, only N: with a UNC path the system tells; S: is a SUBST drive; X: is gone.
TEST(LastingPath, LongFormUncForANetworkDriveAndTheSubstitutedDrivesPath) {
    CommonModule::PathAnswers answers;
    answers.longForm = [](const std::wstring& p) {
        return p.starts_with(L"X:")                ? std::wstring()
               : p == L"C:\\PROGRA~1\\DORVANE.EXE" ? std::wstring(L"C:\\Program Files\\Dorvane.exe")
                                                   : p;
    };
    answers.driveType = [](const std::wstring& root) {
        return root == L"N:\\" || root == L"M:\\" ? UINT{DRIVE_REMOTE} : UINT{DRIVE_FIXED};
    };
    answers.universal = [](const std::wstring& p) {
        return p.starts_with(L"N:") ? L"\\\\srv\\apps" + p.substr(2) : std::wstring();
    };
    answers.dosDevice = [](const std::wstring& drive) {
        return drive == L"S:" ? std::wstring(L"\\??\\C:\\Tools") : L"\\Device\\" + drive;
    };
    // (as started, what is registered; "" refused)
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\PROGRA~1\\DORVANE.EXE", L"C:\\Program Files\\Dorvane.exe"},
        {L"N:\\Dorvane.exe", L"\\\\srv\\apps\\Dorvane.exe"},
        {L"M:\\Dorvane.exe", L""},
        {L"S:\\Dorvane.exe", L"C:\\Tools\\Dorvane.exe"},
        {L"\\\\srv\\apps\\Dorvane.exe", L"\\\\srv\\apps\\Dorvane.exe"},
        {L"X:\\Dorvane.exe", L""},
    };
    for (const auto& [started, registered] : cases) {
        std::wstring why;
        EXPECT_EQ(CommonModule::LastingPath(started, why, answers), registered)
            << testlib::Utf8(started);
        EXPECT_EQ(why.empty(), *registered != 0) << testlib::Utf8(started);
    }
}
