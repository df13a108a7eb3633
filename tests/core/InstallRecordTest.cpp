#include "core/InstallRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Module1;

const std::wstring kName = L"Record Test";

FILETIME KeyWritten() {
    FILETIME written{};
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kInstallRecordKey) + L"\\" + kName;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &written);
        RegCloseKey(key);
    }
    return written;
}

// A repeat run checks its record by one summary of it: whatever changed, or was dropped
// from the record, must still be written, and what is in place must cost no write.
TEST(InstallRecord, WritesWhatChangedAndNothingElse) {
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kInstallRecordKey) + L"\\" + kName).c_str());
    InstallRecord first;
    first.templateCopy = {L"C:\\T\\Letter.dotx", 100, 1000};
    first.iconCopy = {L"C:\\T\\Letter.ico", 20, 2000};
    first.shortcut = {{L"C:\\D\\Letter.lnk", 30, 3000},
                      {L"word.exe", L"/t\"Letter.dotx\"", L"", L"", L"word.exe", 0, 0, 1}};
    InstallRecord iconOnly;
    iconOnly.iconCopy = {L"C:\\T\\Letter.ico", 20, 2001};
    // Another name of the same size and time, as a rename in another letter case gives.
    InstallRecord renamed = first;
    renamed.templateCopy.path = L"C:\\T\\LETTER.dotx";
    renamed.iconCopy = iconOnly.iconCopy;

    std::wstring why;
    ASSERT_TRUE(KeepInstallRecord(kName, first, why)) << why;
    EXPECT_EQ(ReadInstallRecord(kName).shortcut, first.shortcut);
    const FILETIME written = KeyWritten();
    Sleep(50);
    ASSERT_TRUE(KeepInstallRecord(kName, first, why)) << why;
    const FILETIME again = KeyWritten();
    EXPECT_EQ(CompareFileTime(&written, &again), 0) << "a repeat wrote";

    struct Step {
        const wchar_t* what;
        const InstallRecord& landed;
        bool forgetIcon;
        RecordedFile templateCopy, iconCopy;
    };
    const Step steps[] = {
        {L"only the icon landed, changed", iconOnly, false, first.templateCopy, iconOnly.iconCopy},
        {L"the icon forgotten, then the same again", iconOnly, true, first.templateCopy,
         iconOnly.iconCopy},
        {L"the template renamed", renamed, false, renamed.templateCopy, iconOnly.iconCopy},
    };
    for (const Step& step : steps) {
        if (step.forgetIcon) {
            ASSERT_TRUE(ForgetRecorded(kName, Recorded::Icon, why)) << why;
        }
        ASSERT_TRUE(KeepInstallRecord(kName, step.landed, why)) << why;
        const InstallRecord read = ReadInstallRecord(kName);
        EXPECT_EQ(read.templateCopy, step.templateCopy) << step.what;
        EXPECT_EQ(read.iconCopy, step.iconCopy) << step.what;
        EXPECT_EQ(read.shortcut, first.shortcut) << step.what;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kInstallRecordKey) + L"\\" + kName).c_str());
}

} // namespace
