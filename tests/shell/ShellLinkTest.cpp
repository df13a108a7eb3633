// cShellLinkA writes real .lnk files through the shell's link object and reads them
// back with its own reader.
#include "shell/cShellLinkA.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

using testlib::FileExists;

namespace {

// Fields of the fixed .lnk header, read straight from the file.
struct LinkHeader {
    uint32_t showCommand = 0;
    uint16_t hotKey = 0;
};
LinkHeader ReadHeader(const std::wstring& path) {
    const std::string bytes = testlib::ReadFile(path);
    LinkHeader header;
    if (bytes.size() < 0x4C) return header;
    std::memcpy(&header.showCommand, bytes.data() + 0x3C, sizeof header.showCommand);
    std::memcpy(&header.hotKey, bytes.data() + 0x40, sizeof header.hotKey);
    return header;
}

struct LinkFixture : ::testing::Test {
    testlib::ScratchDir scratch{L"link"};
    std::wstring word = scratch / L"Office\\WINWORD.EXE";
    std::wstring templates = scratch / L"Templates";
    std::wstring desktop = scratch / L"Desktop";
    std::wstring link = desktop + L"\\Letter.lnk";
    void SetUp() override {
        testlib::MakeDirs(scratch / L"Office");
        testlib::MakeDirs(templates);
        testlib::MakeDirs(desktop);
        testlib::WriteFile(word, "MZ");
    }
};

const WORD kCtrlAltL = MAKEWORD('L', HOTKEYF_CONTROL | HOTKEYF_ALT);

} // namespace

TEST_F(LinkFixture, WrittenLinkReadsBackUnchanged) {
    testlib::DebugCapture debug;
    cShellLinkA writer;
    ASSERT_TRUE(writer.CreateLink(L"New letter", link, word, templates, L"/t\"Letter.dotx\"", 0,
                                  kCtrlAltL, SW_SHOW, L""));
    EXPECT_TRUE(debug.lines().empty());

    cShellLinkA reader;
    ASSERT_TRUE(reader.GetLinkInfo(link));
    EXPECT_EQ(reader.ExeName(), word);
    EXPECT_EQ(reader.ExeArgs(), L"/t\"Letter.dotx\"");
    EXPECT_EQ(reader.WorkingDir(), templates);
    EXPECT_EQ(reader.Description(), L"New letter");
    EXPECT_EQ(reader.IconFile(), word) << "no icon path: the icon comes from the program";
    EXPECT_EQ(reader.IconIndex(), 0);
    BYTE modifier = 0, key = 0;
    reader.GetHotKeyInfo(modifier, key);
    EXPECT_EQ(modifier, HOTKEYF_CONTROL | HOTKEYF_ALT);
    EXPECT_EQ(key, 'L');

    // Wine 8's link loader drops the stored show command (GetShowCmd always gives
    // SW_SHOWNORMAL), so the saved value is checked in the file itself.
    const LinkHeader header = ReadHeader(link);
    EXPECT_EQ(header.showCommand, static_cast<uint32_t>(SW_SHOW));
    EXPECT_EQ(header.hotKey, kCtrlAltL);
}

TEST_F(LinkFixture, ExistingLinkIsReplaced) {
    cShellLinkA writer;
    ASSERT_TRUE(
        writer.CreateLink(L"first", link, word, templates, L"/t\"A.dotx\"", 0, 0, SW_SHOW, L""));
    const std::wstring icon = templates + L"\\Letter.ico";
    testlib::WriteFile(icon, "icon");
    ASSERT_TRUE(writer.CreateLink(L"second", link, word, templates, L"/t\"B.dotx\"", 2, 0,
                                  SW_SHOWMAXIMIZED, icon));

    cShellLinkA reader;
    ASSERT_TRUE(reader.GetLinkInfo(link));
    EXPECT_EQ(reader.Description(), L"second");
    EXPECT_EQ(reader.ExeArgs(), L"/t\"B.dotx\"");
    EXPECT_EQ(reader.IconFile(), icon);
    EXPECT_EQ(reader.IconIndex(), 2);
    EXPECT_EQ(ReadHeader(link).showCommand, static_cast<uint32_t>(SW_SHOWMAXIMIZED));
}

TEST_F(LinkFixture, MissingLinkPathOrProgramWritesNothingSilently) {
    testlib::DebugCapture debug;
    cShellLinkA writer;
    EXPECT_FALSE(writer.CreateLink(L"d", link, L"", templates, L"", 0, 0, SW_SHOW, L""));
    EXPECT_FALSE(writer.CreateLink(L"d", L"", word, templates, L"", 0, 0, SW_SHOW, L""));
    // An icon path does not stand in for the missing program.
    EXPECT_FALSE(writer.CreateLink(L"d", link, L"", templates, L"", 0, 0, SW_SHOW, word));
    EXPECT_FALSE(FileExists(link));
    EXPECT_TRUE(debug.lines().empty());
}

TEST_F(LinkFixture, SaveIntoMissingFolderFailsWithOneErrorLine) {
    const std::wstring lost = scratch / L"NoDesktop\\Letter.lnk";
    testlib::DebugCapture debug;
    cShellLinkA writer;
    EXPECT_FALSE(writer.CreateLink(L"d", lost, word, templates, L"", 0, 0, SW_SHOW, L""));
    EXPECT_FALSE(FileExists(lost));
    ASSERT_EQ(debug.lines().size(), 1u);
    const std::string prefix = "\tCreateLink Error:  ";
    EXPECT_EQ(debug.lines()[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(debug.lines()[0].size(), prefix.size()) << "the error needs its description";
    // Which of the link object's calls failed follows the description.
    EXPECT_TRUE(debug.lines()[0].ends_with(" (Save)")) << debug.lines()[0];
}

TEST_F(LinkFixture, ReaderFailsQuietlyAndKeepsFreshFieldsEmpty) {
    testlib::DebugCapture debug;
    cShellLinkA reader;
    EXPECT_FALSE(reader.GetLinkInfo(L""));
    EXPECT_FALSE(reader.GetLinkInfo(desktop + L"\\Missing.lnk"));
    testlib::WriteFile(desktop + L"\\Broken.lnk", "not a shortcut");
    EXPECT_FALSE(reader.GetLinkInfo(desktop + L"\\Broken.lnk"));
    EXPECT_TRUE(debug.lines().empty());
    EXPECT_EQ(reader.ExeName(), L"");
    EXPECT_EQ(reader.IconIndex(), 0);
    BYTE modifier = 1, key = 1;
    reader.GetHotKeyInfo(modifier, key);
    EXPECT_EQ(modifier, 0);
    EXPECT_EQ(key, 0);
}

TEST(ShellLinkHotKey, MakeHotKeyStopsAtSigned16BitLimits) {
    WORD hotKey = 0;
    ASSERT_TRUE(cShellLinkA::MakeHotKey(HOTKEYF_CONTROL, 'K', hotKey));
    EXPECT_EQ(hotKey, MAKEWORD('K', HOTKEYF_CONTROL));
    ASSERT_TRUE(cShellLinkA::MakeHotKey(127, 255, hotKey));
    EXPECT_EQ(hotKey, 0x7FFF);
    ASSERT_TRUE(cShellLinkA::MakeHotKey(-128, 0, hotKey));
    EXPECT_EQ(hotKey, 0x8000);

    hotKey = 0x1234;
    EXPECT_FALSE(cShellLinkA::MakeHotKey(128, 0, hotKey));
    EXPECT_FALSE(cShellLinkA::MakeHotKey(-128, -1, hotKey));
    EXPECT_FALSE(cShellLinkA::MakeHotKey(0x01000000, 0, hotKey)) << "no wrap-around";
    EXPECT_EQ(hotKey, 0x1234) << "a failed call leaves the word alone";
}

TEST(ShellLinkFolders, SystemFolderPathIsPlainText) {
    wchar_t expected[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, expected)));
    const std::wstring path = cShellLinkA::GetSystemFolderPath(nullptr, CSIDL_APPDATA);
    EXPECT_EQ(path, expected);
    EXPECT_EQ(path.find(L'\0'), std::wstring::npos);
    EXPECT_EQ(cShellLinkA::GetSystemFolderPath(nullptr, 0x7E), L"") << "no such folder id";
}
