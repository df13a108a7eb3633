#include "core/SafePaths.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <string>

TEST(SafePaths, NamesStayInsideTheirFolderOrAreRefusedWithAReason) {
    struct Case {
        const wchar_t* path;
        bool inside;
    };
    const Case cases[] = {
        // Names and subfolders.
        {L"Letter.dotx", true},
        {L"Sub\\Letter.dotx", true},
        {L"Sub/Letter.dotx", true},
        {L"Company Letter", true},
        {L"Report.final.dot", true},
        {L"..Letter.dotx", true}, // dots inside a name are a name
        {L"*.dotx", true},
        {L"console.dotx", true},
        // Parent segments, whatever the separator; Windows drops trailing blanks and dots.
        {L"..", false},
        {L"..\\Secret.dotx", false},
        {L"../Secret.dotx", false},
        {L"Sub\\..\\..\\x", false},
        {L"Sub/../../x", false},
        {L"Sub\\.. \\x", false},
        {L"...\\x", false},
        // Rooted, drive, stream and UNC paths.
        {L"\\Windows\\win.ini", false},
        {L"/copy", false},
        {L"\\\\server\\share\\x.dotx", false},
        {L"\\\\?\\C:\\x", false},
        {L"C:\\Windows\\win.ini", false},
        {L"C:win.ini", false},
        {L"x.dotx:stream", false},
        // A device in any segment (which names are devices: DeviceNamesTest).
        {L"Sub\\COM1.ico", false},
        {L"nul .dotx", false},
    };
    for (const Case& c : cases) {
        std::wstring why;
        EXPECT_EQ(SafePaths::StaysInside(c.path, why), c.inside) << testlib::Utf8(c.path);
        EXPECT_EQ(why.empty(), c.inside) << "a refusal always says why";
    }
}
