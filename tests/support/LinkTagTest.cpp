#include "support/LinkTag.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

using namespace CommonModule;

// Wine makes no reparse points, so the tags Windows reports are put in here.
TEST(LinkTag, OnlyNameSurrogatesAreLinks) {
    constexpr DWORD kReparse = FILE_ATTRIBUTE_REPARSE_POINT;
    constexpr DWORD kPinned = kReparse | FILE_ATTRIBUTE_ARCHIVE | 0x00080000; // PINNED
    struct Case {
        const char* what;
        DWORD attributes;
        DWORD tag;
        bool link;
    };
    const Case cases[] = {
        {"symbolic link", kReparse, 0xA000000C, true},
        {"junction (mount point)", kReparse | FILE_ATTRIBUTE_DIRECTORY, 0xA0000003, true},
        {"unknown name surrogate", kReparse, 0xA0000099, true},
        {"OneDrive placeholder (cloud)", kPinned, 0x9000001A, false},
        {"OneDrive placeholder (cloud-3)", kReparse, 0x9000301A, false},
        {"OneDrive placeholder (cloud-F)", kReparse, 0x9000F01A, false},
        {"deduplicated file", kReparse, 0x80000013, false},
        {"single-instance store", kReparse, 0x80000007, false},
        {"unknown tag", kReparse, 0x80000099, false},
        {"no reparse point, stale tag", FILE_ATTRIBUTE_ARCHIVE, 0xA000000C, false},
        {"no reparse point", FILE_ATTRIBUTE_NORMAL, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLinkTag(c.attributes, c.tag), c.link) << c.what;
        WIN32_FIND_DATAW found{};
        found.dwFileAttributes = c.attributes;
        found.dwReserved0 = c.tag;
        EXPECT_EQ(IsLinkEntry(found), c.link) << c.what;
    }
}

TEST(LinkTag, AHandleToAPlainFileIsPlainAndABadHandleUnknown) {
    testlib::ScratchDir scratch;
    const std::wstring path = scratch / L"plain.txt";
    testlib::WriteFile(path, "x");
    HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LinkOfHandle(h), LinkAnswer::Plain);
    CloseHandle(h);
    EXPECT_EQ(LinkOfHandle(INVALID_HANDLE_VALUE), LinkAnswer::Unknown);
}
