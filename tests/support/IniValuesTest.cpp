#include "support/IniValues.h"

#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

using namespace CommonModule;
using testlib::ScratchDir;

namespace {
size_t CountOf(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1))
        ++n;
    return n;
}
} // namespace

TEST(IniValues, MissingFileSectionOrKeyGiveEmptyTextWithoutReport) {
    ScratchDir dir;
    testlib::DebugCapture capture;
    EXPECT_EQ(ReadIniSection(dir / L"Missing.cfg", L"Config", L"TemplateFile"), L"");
    EXPECT_EQ(ReadIniSection(dir / L"NoFolder\\Missing.cfg", L"Config", L"TemplateFile"), L"");
    testlib::WriteFile(dir / L"Letter.cfg", "[Config]\r\nTemplateFile=Letter.dot\r\nEmpty=\r\n");
    EXPECT_EQ(ReadIniSection(dir / L"Letter.cfg", L"Other", L"TemplateFile"), L"");
    EXPECT_EQ(ReadIniSection(dir / L"Letter.cfg", L"Config", L"ShortcutName"), L"");
    EXPECT_EQ(ReadIniSection(dir / L"Letter.cfg", L"Config", L"Empty"), L"");
    EXPECT_TRUE(capture.lines().empty());
}

TEST(IniValues, SectionAndKeyNamesMatchInAnyLetterCase) {
    ScratchDir dir;
    testlib::WriteFile(dir / L"Letter.cfg", "[Config]\r\nTemplateFile=Letter.dot\r\n");
    EXPECT_EQ(ReadIniSection(dir / L"Letter.cfg", L"config", L"templatefile"), L"Letter.dot");
    EXPECT_EQ(ReadIniSection(dir / L"Letter.cfg", L"CONFIG", L"TEMPLATEFILE"), L"Letter.dot");
}

TEST(IniValues, LongValuesComeBackWhole) {
    ScratchDir dir;
    const std::wstring file = dir / L"Long.cfg";
    // Around the first buffer (255) and its doublings (510, 1020).
    for (size_t length : {253u, 254u, 255u, 256u, 509u, 510u, 1000u, 5000u}) {
        std::wstring value;
        for (size_t i = 0; i < length; ++i)
            value += static_cast<wchar_t>(L'a' + i % 26);
        const std::wstring key = L"K" + std::to_wstring(length);
        WriteIniValue(file, L"Config", key, value);
        EXPECT_EQ(ReadIniSection(file, L"Config", key), value) << length;
    }
}

TEST(IniValues, ValuesWrittenByHandAreReadWhole) {
    ScratchDir dir;
    const std::string value(1000, 'v');
    testlib::WriteFile(dir / L"Hand.cfg", "[Config]\r\nShortcutDesc=" + value + "\r\n");
    EXPECT_EQ(ReadIniSection(dir / L"Hand.cfg", L"Config", L"ShortcutDesc"),
              std::wstring(1000, L'v'));
}

TEST(IniValues, WritingCreatesTheFileAndReplacesWithoutDuplicating) {
    ScratchDir dir;
    const std::wstring file = dir / L"New.cfg";
    EXPECT_TRUE(WriteIniValue(file, L"Config", L"TemplateFile", L"Letter.dot"));
    ASSERT_TRUE(testlib::FileExists(file));
    EXPECT_EQ(ReadIniSection(file, L"Config", L"TemplateFile"), L"Letter.dot");
    WriteIniValue(file, L"Config", L"TemplateFile", L"Memo.dot");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"TemplateFile"), L"Memo.dot");
    const std::string text = testlib::ReadFile(file);
    EXPECT_EQ(CountOf(text, "TemplateFile"), 1u) << text;
    EXPECT_EQ(CountOf(text, "[Config]"), 1u) << text;
}

TEST(IniValues, UpdateInPlaceKeepsOtherKeysSectionsAndComments) {
    ScratchDir dir;
    const std::wstring file = dir / L"Letter.cfg";
    testlib::WriteFile(file, "; written by the administrator\r\n"
                             "[Config]\r\n"
                             "TemplateFile = Letter.dot\r\n"
                             "; the desktop shortcut\r\n"
                             "ShortcutName=Letter\r\n"
                             "\r\n"
                             "[Other]\r\n"
                             "TemplateFile=Other.dot\r\n");
    WriteIniValue(file, L"Config", L"TemplateFile", L"Memo.dot");
    WriteIniValue(file, L"Config", L"ShortcutIcon", L"Memo.ico");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"TemplateFile"), L"Memo.dot");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"ShortcutName"), L"Letter");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"ShortcutIcon"), L"Memo.ico");
    EXPECT_EQ(ReadIniSection(file, L"Other", L"TemplateFile"), L"Other.dot");
    // Wine rewrites the whole file on update (blank lines and the blanks around "="
    // go), so only the survival of every other line is checked, not the bytes.
    const std::string text = testlib::ReadFile(file);
    EXPECT_NE(text.find("; written by the administrator"), std::string::npos) << text;
    EXPECT_NE(text.find("; the desktop shortcut"), std::string::npos) << text;
    EXPECT_EQ(CountOf(text, "Letter.dot"), 0u) << text;
    EXPECT_LT(text.find("[Config]"), text.find("Memo.ico")) << text;
    EXPECT_LT(text.find("Memo.ico"), text.find("[Other]")) << text;
}

TEST(IniValues, EmptyValueReadsBackEmpty) {
    ScratchDir dir;
    const std::wstring file = dir / L"Letter.cfg";
    WriteIniValue(file, L"Config", L"ShortcutName", L"Letter");
    WriteIniValue(file, L"Config", L"ShortcutName", L"");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"ShortcutName"), L"");
    EXPECT_EQ(CountOf(testlib::ReadFile(file), "ShortcutName"), 1u);
}

TEST(IniValues, CodePageCharactersSurviveAndOthersDoNot) {
    ScratchDir dir;
    const std::wstring file = dir / L"Gr\u00fc\u00dfe.cfg";
    WriteIniValue(file, L"Config", L"ShortcutDesc", L"Gr\u00fc\u00dfe \u00e9t\u00e9");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"ShortcutDesc"), L"Gr\u00fc\u00dfe \u00e9t\u00e9");
    WriteIniValue(file, L"Config", L"ShortcutName", L"a\u4e2db");
    EXPECT_EQ(ReadIniSection(file, L"Config", L"ShortcutName"), L"a?b");
}

TEST(IniValues, RefusedWriteTellsTheCallerButNotTheLog) {
    ScratchDir dir;
    testlib::DebugCapture capture;
    const std::wstring file = dir / L"NoFolder\\Letter.cfg";
    EXPECT_FALSE(WriteIniValue(file, L"Config", L"TemplateFile", L"Letter.dot"));
    EXPECT_FALSE(testlib::FileExists(file));
    EXPECT_EQ(ReadIniSection(file, L"Config", L"TemplateFile"), L"");
    EXPECT_TRUE(capture.lines().empty());
}
