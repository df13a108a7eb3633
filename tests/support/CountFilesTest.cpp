#include "support/CountFiles.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <windows.h>

using CommonModule::CountFiles;
using testlib::ScratchDir;

namespace {
void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    testlib::WriteFile(path, "x");
    SetFileAttributesW(path.c_str(), attributes);
}
} // namespace

TEST(CountFiles, CountsPlainFilesOnly) {
    ScratchDir dir;
    MakeFile(dir / L"a.txt");
    MakeFile(dir / L"b.doc");
    MakeFile(dir / L"noext");
    MakeFile(dir / L"r.txt", FILE_ATTRIBUTE_READONLY);
    MakeFile(dir / L"arc.txt", FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(dir / L"h.txt", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(dir / L"s.txt", FILE_ATTRIBUTE_SYSTEM);
    testlib::MakeDirs(dir / L"sub.txt");
    MakeFile(dir / L"sub.txt\\inner.txt");
    EXPECT_EQ(CountFiles(dir.path(), L""), 5);
    EXPECT_EQ(CountFiles(dir.path() + L"\\", L""), 5);
    EXPECT_EQ(CountFiles(dir.path(), L"*.txt"), 3);
    EXPECT_EQ(CountFiles(dir.path(), L"*.dot"), 0);
    EXPECT_EQ(CountFiles(dir / L"missing", L""), 0);
    EXPECT_EQ(CountFiles(dir / L"sub.txt", L""), 1);
}
