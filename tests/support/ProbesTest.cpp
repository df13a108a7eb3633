#include "support/Probes.h"

#include "support/CountFiles.h"
#include "support/DebugFile.h"
#include "support/FileCopy.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace CommonModule;
using testlib::DebugCapture;
using testlib::ScratchDir;

namespace {

// Holds the file open without any sharing, as an editor that locks its document does.
ScopedWin::UniqueFile LockFile(const std::wstring& path) {
    return ScopedWin::UniqueFile(
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// A path of exactly `length` characters below `folder`, padded in the file name.
std::wstring PathOfLength(const std::wstring& folder, size_t length) {
    const std::wstring head = folder + L"\\";
    EXPECT_LT(head.size() + 5, length);
    return head + std::wstring(length - head.size() - 4, L'n') + L".dot";
}

struct CurrentDirectory {
    explicit CurrentDirectory(const std::wstring& dir) {
        wchar_t buf[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, buf);
        saved = buf;
        SetCurrentDirectoryW(dir.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryW(saved.c_str()); }
    std::wstring saved;
};

} // namespace

TEST(Probes, FoldersAreFoldersWithOrWithoutTrailingBackslash) {
    ScratchDir dir;
    testlib::MakeDirs(dir / L"Templates");
    EXPECT_TRUE(DoesDirExist(L"C:\\"));
    EXPECT_TRUE(DoesDirExist(dir / L"Templates"));
    EXPECT_TRUE(DoesDirExist(dir / L"Templates\\"));
    EXPECT_TRUE(DoesDirExistNoDebug(dir / L"Templates"));
    EXPECT_FALSE(DoesDirExist(dir / L"Missing"));
    EXPECT_FALSE(DoesDirExistNoDebug(dir / L"Missing"));
    EXPECT_FALSE(DoesFileExist(dir / L"Templates"));
}

TEST(Probes, FilesAreNotFoldersEvenWhenLocked) {
    ScratchDir dir;
    const std::wstring file = dir / L"Letter.dot";
    const std::wstring locked = dir / L"Locked.dot";
    testlib::WriteFile(file, "x");
    testlib::WriteFile(locked, "x");
    EXPECT_TRUE(DoesFileExist(file));
    EXPECT_FALSE(DoesDirExist(file));
    EXPECT_FALSE(DoesDirExistNoDebug(file));

    const auto hold = LockFile(locked);
    ASSERT_TRUE(hold);
    // A file nobody may open is neither an openable file nor a folder.
    EXPECT_FALSE(DoesDirExist(locked));
    EXPECT_FALSE(DoesDirExistNoDebug(locked));
    EXPECT_FALSE(DoesFileExist(locked));
    EXPECT_FALSE(DoesFileExist(dir / L"Missing.dot"));
}

TEST(Probes, RelativePathsAreRejectedWithoutLookingAtTheDisk) {
    ScratchDir dir;
    testlib::MakeDirs(dir / L"Templates");
    testlib::WriteFile(dir / L"x.dot", "x");
    testlib::MakeDirs(dir / L"T");
    const CurrentDirectory cd(dir.path());
    // All of these exist relative to the current folder.
    EXPECT_FALSE(DoesDirExist(L"Templates"));
    EXPECT_FALSE(DoesDirExistNoDebug(L"Templates"));
    EXPECT_FALSE(DoesDirExist(L"T"));
    EXPECT_FALSE(DoesDirExist(L""));
    EXPECT_FALSE(DoesFileExist(L"x.dot"));
    EXPECT_FALSE(DoesFileExist(L""));
    EXPECT_FALSE(DoesFileExist(L"x"));
    // A NUL inside the path must not cut it down to a different, existing path.
    EXPECT_FALSE(DoesDirExist(dir.path() + std::wstring(L"\0zz", 3)));
}

TEST(Probes, ProbesUpTo116CharactersAreSilent) {
    ScratchDir dir;
    const std::wstring path = PathOfLength(dir.path(), 116);
    testlib::WriteFile(path, "x");
    DebugCapture capture;
    EXPECT_TRUE(DoesFileExist(path));
    EXPECT_FALSE(DoesFileExist(path.substr(0, 115) + L"x"));
    EXPECT_TRUE(DoesDirExist(dir.path()));
    EXPECT_TRUE(capture.lines().empty());
}

TEST(Probes, LongerPathsTakeTheWideProbeAndLogTheirLength) {
    ScratchDir dir;
    const std::wstring path = PathOfLength(dir.path(), 117);
    testlib::WriteFile(path, "x");
    DebugCapture capture;
    EXPECT_TRUE(DoesFileExist(path));
    EXPECT_EQ(capture.lines(), std::vector<std::string>{"\t117"});

    capture.clear();
    const std::wstring missing = PathOfLength(dir.path(), 130);
    EXPECT_FALSE(DoesFileExist(missing));
    EXPECT_EQ(capture.lines(), std::vector<std::string>{"\t130"});

    // The long branch skips the relative-path check; the extended form refuses it.
    capture.clear();
    EXPECT_FALSE(DoesFileExist(std::wstring(117, L'r')));
    EXPECT_EQ(capture.lines(), std::vector<std::string>{"\t117"});
}

TEST(Probes, LongPathProbeReachesBeyondMaxPath) {
    ScratchDir dir;
    // Nested so that no single name is too long for the host file system.
    std::wstring folder = dir.path();
    while (folder.size() < 300) {
        folder += L"\\" + std::wstring(60, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    const std::wstring file = folder + L"\\Letter.dot";
    {
        const ScopedWin::UniqueFile h(CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0,
                                                  nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(h);
    }
    EXPECT_TRUE(DoesFileExist(file));
    EXPECT_TRUE(DoesFileExistLongPath(file));
    EXPECT_FALSE(DoesFileExistLongPath(folder)); // a folder is not a file
    EXPECT_FALSE(DoesFileExistLongPath(folder + L"\\Other.dot"));

    DeleteFileW((L"\\\\?\\" + file).c_str());
    for (; folder.size() > dir.path().size(); folder.erase(folder.find_last_of(L'\\')))
        RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

TEST(Probes, LongPathProbeRefusesRelativeAndEmptyPaths) {
    ScratchDir dir;
    testlib::WriteFile(dir / L"x.dot", "x");
    const CurrentDirectory cd(dir.path());
    EXPECT_FALSE(DoesFileExistLongPath(L"x.dot"));
    EXPECT_FALSE(DoesFileExistLongPath(L""));
    EXPECT_TRUE(DoesFileExistLongPath(dir / L"x.dot"));
    const auto hold = LockFile(dir / L"x.dot");
    EXPECT_FALSE(DoesFileExistLongPath(dir / L"x.dot"));
}

TEST(Probes, ExtendedLengthPathForms) {
    EXPECT_EQ(ExtendedLengthPath(L"C:\\Templates\\x.dot"), L"\\\\?\\C:\\Templates\\x.dot");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\dir\\file"),
              L"\\\\?\\UNC\\server\\share\\dir\\file");
    EXPECT_EQ(ExtendedLengthPath(L"Templates\\x.dot"), L"\\\\?\\Templates\\x.dot");
    // Already extended: prefixing again would turn it into a UNC path.
    EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\C:\\x.dot"), L"\\\\?\\C:\\x.dot");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\UNC\\srv\\s\\x"), L"\\\\?\\UNC\\srv\\s\\x");
}

TEST(Probes, NewFolderTakesTheLongFormFrom248Characters) { // Wine takes more, Windows not
    for (const size_t n : {247u, 248u, 259u}) {
        const std::wstring path = L"C:\\" + std::wstring(n - 3, L'd');
        EXPECT_EQ(NewFolderPathSafe(path), n < 248 ? path : L"\\\\?\\" + path) << n;
    }
}

TEST(Probes, CreateDirPathMakesEveryMissingLevel) {
    ScratchDir dir;
    EXPECT_TRUE(CreateDirPath(dir / L"A\\B"));
    EXPECT_TRUE(testlib::DirExists(dir / L"A"));
    EXPECT_TRUE(testlib::DirExists(dir / L"A\\B"));
    EXPECT_TRUE(CreateDirPath(dir / L"A\\B")); // already there
    EXPECT_TRUE(CreateDirPath(dir / L"C\\D\\"));
    EXPECT_TRUE(testlib::DirExists(dir / L"C\\D"));
    // A dot in the last name is still a folder name, not a file name.
    EXPECT_TRUE(CreateDirPath(dir / L"v1.2"));
    EXPECT_TRUE(testlib::DirExists(dir / L"v1.2"));
}

TEST(Probes, CreateDirPathFailsWhenAFileIsInTheWay) {
    ScratchDir dir;
    testlib::WriteFile(dir / L"Configs", "x");
    EXPECT_FALSE(CreateDirPath(dir / L"Configs"));
    EXPECT_FALSE(CreateDirPath(dir / L"Configs\\Sub"));
    EXPECT_TRUE(testlib::FileExists(dir / L"Configs"));
    EXPECT_FALSE(CreateDirPath(L""));
}

TEST(Probes, CreateDirPathLeavesTheCurrentFolderAloneForRelativePaths) {
    ScratchDir dir;
    const CurrentDirectory cd(dir.path());
    EXPECT_FALSE(CreateDirPath(L"Relative\\Sub"));
    EXPECT_FALSE(CreateDirPath(L"R"));
    EXPECT_FALSE(testlib::DirExists(dir / L"Relative"));
    EXPECT_FALSE(testlib::DirExists(dir / L"R"));
}

// Each file-system routine brackets its call. The bracket is a flag, not a counter, so
// a routine that brackets closes the one opened around it; one that forgot its bracket
// leaves it open, and FindFiles' error report would then print a wrong flag.
TEST(Probes, EveryFileSystemRoutineBracketsItsCall) {
    ScratchDir dir;
    testlib::WriteFile(dir / L"x", "x");
    const std::pair<const char*, std::function<void()>> routines[] = {
        {"DoesDirExist", [&] { DoesDirExist(L"C:\\"); }},
        {"DoesDirExistNoDebug", [&] { DoesDirExistNoDebug(dir / L"x"); }},
        {"DoesFileExist", [&] { DoesFileExist(dir / L"x"); }},
        {"DoesFileExist, missing", [&] { DoesFileExist(dir / L"missing"); }},
        {"CreateDirPath", [&] { CreateDirPath(dir / L"new"); }},
        {"CountFiles", [&] { CountFiles(dir.path(), L""); }},
        {"CopyFiles", [&] { CopyFiles(dir / L"x", dir / L"copy", true, false); }},
        {"SaveTextToFileNoDebug",
         [&] { SaveTextToFileNoDebug(dir / L"log.txt", L"a", false, false); }},
        {"GetSpecialFolder", [] { modSpecialFolders::GetSpecialFolder(CSIDL_APPDATA); }},
    };
    for (const auto& [name, routine] : routines) {
        {
            const FSRedirBracket outer;
            ASSERT_TRUE(bFSRedirDisabled);
            routine();
            EXPECT_FALSE(bFSRedirDisabled) << name;
        }
        EXPECT_FALSE(bFSRedirDisabled) << name;
    }
}

// The end-to-end tests change sizes and times by the hour; here the edges.
TEST(Probes, FilesMatchNeedsTwoPlainFilesToTheLast100Nanoseconds) {
    ScratchDir dir;
    const auto stamp = [](const std::wstring& path, ULONGLONG ticks) {
        const ScopedWin::UniqueFile h(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                                  nullptr));
        const FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        ASSERT_TRUE(h && SetFileTime(h.get(), nullptr, nullptr, &ft));
    };
    constexpr ULONGLONG kTime = 133000000000000000ULL;
    const std::wstring a = dir / L"a.dotx", b = dir / L"b.dotx", folder = dir / L"folder";
    testlib::WriteFile(a, "");
    testlib::WriteFile(b, "");
    testlib::MakeDirs(folder); // a folder's size reads as 0, like the empty files
    for (const auto& path : {a, b, folder})
        stamp(path, kTime);
    EXPECT_TRUE(FilesMatch(a, b));
    EXPECT_FALSE(FilesMatch(a, folder));
    EXPECT_FALSE(FilesMatch(folder, a));
    EXPECT_FALSE(FilesMatch(a, dir / L"missing.dotx"));
    stamp(b, kTime + 1);
    EXPECT_FALSE(FilesMatch(a, b));
}

TEST(SpecialFolders, AppDataAndDesktopAreExistingFoldersWithoutTrailingBackslash) {
    for (int csidl :
         {modSpecialFolders::CSIDL_APPDATA_FOLDER, modSpecialFolders::CSIDL_DESKTOP_FOLDER}) {
        const std::wstring path = modSpecialFolders::GetSpecialFolder(csidl);
        ASSERT_FALSE(path.empty()) << csidl;
        EXPECT_NE(path.back(), L'\\') << testlib::Utf8(path);
        EXPECT_TRUE(DoesDirExist(path)) << testlib::Utf8(path);
        EXPECT_FALSE(bFSRedirDisabled);
    }
}

TEST(SpecialFolders, FoldersWithoutAFileSystemPathGiveEmptyText) {
    DebugCapture capture;
    EXPECT_EQ(modSpecialFolders::GetSpecialFolder(CSIDL_DRIVES), L"");
    EXPECT_FALSE(bFSRedirDisabled);
    EXPECT_EQ(modSpecialFolders::GetSpecialFolder(0x7ffe), L""); // no such folder
    EXPECT_FALSE(bFSRedirDisabled);
    EXPECT_TRUE(capture.lines().empty());
}
