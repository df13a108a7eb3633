#include "core/InstallRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Module1;

// A repeat run checks its record by one summary value: whatever changed, or was dropped
// from the record, must still reach the values a detection rule reads.
TEST(InstallRecord, WritesWhatChangedPastItsSummary) {
    const std::wstring name = L"Record Test";
    const std::wstring key = std::wstring(kInstallRecordKey) + L"\\" + name;
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    InstallRecord first;
    first.templateCopy = {L"C:\\T\\Letter.dotx", 100, 1000};
    first.iconCopy = {L"C:\\T\\Letter.ico", 20, 2000};
    first.shortcut = {{L"C:\\D\\Letter.lnk", 30, 3000}, {L"w.exe", L"/t", L"", L"", L"", 0, 0, 1}};
    InstallRecord iconOnly; // the other items keep their entries
    iconOnly.iconCopy = {L"C:\\T\\Letter.ico", 20, 2001};
    InstallRecord renamed = first; // same size and time, another spelling
    renamed.templateCopy.path = L"C:\\T\\LETTER.dotx";
    renamed.iconCopy = iconOnly.iconCopy;
    struct Step {
        const InstallRecord& landed;
        bool forgetIconFirst;
        RecordedFile templateCopy, iconCopy;
    } const steps[] = {
        {first, false, first.templateCopy, first.iconCopy},
        {iconOnly, false, first.templateCopy, iconOnly.iconCopy},
        {iconOnly, true, first.templateCopy, iconOnly.iconCopy},
        {renamed, false, renamed.templateCopy, iconOnly.iconCopy},
    };
    std::wstring why;
    for (size_t i = 0; i < std::size(steps); ++i) {
        if (steps[i].forgetIconFirst) {
            ASSERT_TRUE(ForgetRecorded(name, Recorded::Icon, why)) << why;
        }
        ASSERT_TRUE(KeepInstallRecord(name, steps[i].landed, why)) << why;
        const InstallRecord read = ReadInstallRecord(name);
        EXPECT_EQ(read.templateCopy, steps[i].templateCopy) << "step " << i;
        EXPECT_EQ(read.iconCopy, steps[i].iconCopy) << "step " << i;
        EXPECT_EQ(read.shortcut, first.shortcut) << "step " << i;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

} // namespace
