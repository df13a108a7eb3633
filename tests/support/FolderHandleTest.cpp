#include "support/FolderHandle.h"
#include "support/PlainFile.h"
#include "support/Staging.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

using namespace CommonModule;

// Wine answers every query and makes no reparse points: the answers are put in here.
TEST(JudgeOpened, OnlyAPlainFileWithOneNameDirectlyInTheFolderIsPlain) {
    using Found = CheckedFolder::Found;
    const std::wstring desktop = L"\\Users\\u\\Desktop";
    struct Case {
        const char* what;
        std::wstring folder;
        OpenedFacts facts;
        Found found;
        const wchar_t* leafOrWhy;
    };
    const auto facts = [](DWORD links, LinkAnswer link, bool named, std::wstring name) {
        return OpenedFacts{FILE_ATTRIBUTE_ARCHIVE, links, link, named, std::move(name)};
    };
    const Case cases[] = {
        {"plain", desktop, facts(1, LinkAnswer::Plain, true, desktop + L"\\A.lnk"), Found::Plain,
         L"A.lnk"},
        {"other letter case", desktop,
         facts(1, LinkAnswer::Plain, true, L"\\USERS\\U\\DESKTOP\\a.lnk"), Found::Plain, L"a.lnk"},
        {"volume root", L"\\", facts(1, LinkAnswer::Plain, true, L"\\a.lnk"), Found::Plain,
         L"a.lnk"},
        {"hard link", desktop, facts(2, LinkAnswer::Plain, true, desktop + L"\\A.lnk"),
         Found::Other, L"it has other names as well (a hard link)"},
        {"link", desktop, facts(1, LinkAnswer::Link, true, desktop + L"\\A.lnk"), Found::Other,
         L"a link stands there"},
        {"tag not told", desktop, facts(1, LinkAnswer::Unknown, true, desktop + L"\\A.lnk"),
         Found::Failed, L"the file system would not say whether it is a link"},
        {"name not told", desktop, facts(1, LinkAnswer::Plain, false, L"Access is denied."),
         Found::Failed, L"the file system would not say where it stands: Access is denied."},
        {"followed elsewhere", desktop, facts(1, LinkAnswer::Plain, true, L"\\tmp\\A.lnk"),
         Found::Other, L"a link to \"\\tmp\\A.lnk\" stands there"},
    };
    for (const Case& c : cases) {
        std::wstring leaf, why;
        EXPECT_EQ(JudgeOpened(c.folder, c.facts, leaf, why), c.found) << c.what;
        EXPECT_EQ(c.found == Found::Plain ? leaf : why, c.leafOrWhy) << c.what;
    }
}

// A listing of a Desktop in OneDrive: its files carry a cloud tag and are plain files.
TEST(NotOnlyFiles, ACloudPlaceholderIsAFileAndANameSurrogateIsNot) {
    // (tag, a plain file?): OneDrive's cloud file, a deduplicated file, a symbolic link,
    // a junction.
    const std::pair<DWORD, bool> cases[] = {
        {0x9000001Au, true}, {0x80000013u, true}, {0xA000000Cu, false}, {0xA0000003u, false}};
    for (const auto& [tag, plain] : cases) {
        alignas(8) BYTE buffer[sizeof(FILE_ID_BOTH_DIR_INFO) + 32] = {};
        auto* entry = reinterpret_cast<FILE_ID_BOTH_DIR_INFO*>(buffer);
        entry->FileAttributes = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE;
        entry->EaSize = tag; // where a listing puts a reparse point's tag
        entry->FileNameLength = 10;
        std::memcpy(entry->FileName, L"A.lnk", 10);
        std::vector<ListedEntry> entries;
        AddListed(buffer, entries);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(NotOnlyFiles(entries).empty(), plain) << tag;
    }
}

// Emptied through the handle it was made with: a file that has another name elsewhere
// keeps its attributes (shared by every name) and the folder stays.
TEST(StagingFolder, GoesThroughItsHandleButLeavesAFileWithOtherNames) {
    testlib::ScratchDir dir(L"own");
    const std::wstring outside = dir / L"outside.dotx";
    testlib::WriteFile(outside, "not ours");
    SetFileAttributesW(outside.c_str(), FILE_ATTRIBUTE_READONLY);
    std::wstring made[2];
    for (const bool hardLink : {false, true}) {
        StagingFolder folder(dir.path());
        ASSERT_TRUE(folder.ok()) << testlib::Utf8(folder.why());
        testlib::MakeDirs(folder.path() + L"\\sub");
        testlib::WriteFile(folder.path() + L"\\sub\\a.dotx", "a");
        testlib::WriteFile(folder.path() + L"\\b.dotx", "b");
        SetFileAttributesW((folder.path() + L"\\b.dotx").c_str(), FILE_ATTRIBUTE_READONLY);
        const std::wstring second = folder.path() + L"\\c.dotx";
        if (hardLink) {
            ASSERT_TRUE(CreateHardLinkW(second.c_str(), outside.c_str(), nullptr));
        }
        made[hardLink] = folder.path();
    }
    EXPECT_FALSE(testlib::DirExists(made[false]));
    EXPECT_TRUE(testlib::DirExists(made[true]));
    EXPECT_EQ(GetFileAttributesW(outside.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD{FILE_ATTRIBUTE_READONLY});
    SetFileAttributesW(outside.c_str(), FILE_ATTRIBUTE_NORMAL);
}
