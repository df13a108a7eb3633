#include "support/IniValues.h"

#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace CommonModule;
using testlib::ScratchDir;

namespace {
std::wstring Widened(const std::string& utf8) {
    std::wstring text(utf8.size(), L'\0');
    const int n = static_cast<int>(utf8.size());
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, &text[0], n)));
    return text;
}

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

// A save keeps a UTF-8 or UTF-16 file's encoding; an ANSI or a new file stays ANSI
// unless the value needs a character the code page (1252 here) lacks.
TEST(IniValues, WritingKeepsTheEncodingOrTakesUtf16WhenAValueNeedsIt) {
    using namespace std::string_literals;
    const std::string ansi = "; \xE9t\xE9\r\n[Config]\r\n",
                      utf8 = "; Mod\xC3\xA8le\r\n[Config]\r\n";
    const std::wstring beyond = L"\u0141\u00f3d\u017a report \u2713";
    const struct {
        std::string before; // "" for a new file
        std::wstring value;
        std::string starts; // the file's first bytes afterwards
    } rows[] = {
        {"", L"Letter.dotx", "[Config]"},
        {"", L"Gr\u00fc\u00dfe", "[Config]"},
        {"", beyond, "\xFF\xFE[\0C\0"s},
        {ansi, L"Memo.dotx", ansi},
        {ansi, L"\u041e\u0442\u0447\u0451\u0442", "\xFF\xFE;\0 \0\xE9\0t\0\xE9\0"s},
        {"\xFF\xFE[\0C\0]\0"s, L"Memo.dotx", "\xFF\xFE[\0C\0]\0"s},
        {utf8, beyond, utf8},
        {"\xEF\xBB\xBF[Config]\r\n", L"Memo.dotx", "\xEF\xBB\xBF[Config]\r\n"},
        {"\xEF\xBB\xBF[Config]\r\nShortcutDesc=x\r\n", beyond, "\xEF\xBB\xBF[Config]\r\n"},
    };
    ScratchDir dir;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::wstring file = dir / (L"Save" + std::to_wstring(i) + L".cfg");
        if (!rows[i].before.empty()) testlib::WriteFile(file, rows[i].before);
        EXPECT_TRUE(WriteIniValue(file, L"Config", L"ShortcutDesc", rows[i].value)) << i;
        const std::string bytes = testlib::ReadFile(file);
        EXPECT_EQ(bytes.substr(0, rows[i].starts.size()), rows[i].starts) << i;
        EXPECT_EQ(ReadIniSection(file, L"Config", L"ShortcutDesc"), rows[i].value) << i;
        EXPECT_EQ(ReadIniValues(file, L"Config", {L"ShortcutDesc"}).front(), rows[i].value) << i;
    }
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

// Reading a section at once must give what reading key by key gives, whatever the file.
TEST(IniValues, SectionReadGivesTheValuesOfKeyReads) {
    const std::string longValue(1000, 'v');
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : std::wstring(L"[Config]\r\nTemplateFile=Brief \u4e2d.dotx\r\n"
                                  L"ShortcutName= \"Brief\" \r\n"))
        utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const std::vector<std::string> files = {
        "[Config]\r\nTemplateFile=\"Letter.dotx\"\r\nShortcutName='Letter'\r\n"
        "ShortcutDesc=\"a \"quoted\" word\"\r\nShortcutIcon=\"half\r\n",
        "[Config]\r\n  TemplateFile  =  Letter.dotx  \r\nShortcutName\t=\tLetter\t\r\n"
        "ShortcutDesc= \" spaced \" \r\nShortcutIcon=\"\r\n",
        "; head\r\n[Config]\r\n;TemplateFile=Old.dotx\r\n\r\nTemplateFile=Letter.dotx\r\n"
        "# ShortcutName=x\r\nno equals here\r\nShortcutName=\r\nShortcutIcon==x=\r\n",
        "[Config]\r\nTemplateFile=First.dotx\r\nTemplateFile=Second.dotx\r\n"
        "templatefile=Third.dotx\r\nSHORTCUTNAME=Upper\r\n",
        "[Config]\r\nTemplateFile=First.dotx\r\n[Other]\r\nShortcutName=Other\r\n"
        "[config]\r\nTemplateFile=Second.dotx\r\nShortcutName=Second\r\n",
        "[Other]\r\nTemplateFile=Letter.dotx\r\n",
        "[Config]\r\nTemplateFile\r\nTemplateFile=Letter.dotx\r\n ShortcutName \r\n",
        "",
        "[Config]\r\nTemplateFile=Letter.dotx\r\nShortcutDesc=" + longValue +
            "\r\nShortcutName=" + longValue + "n\r\nShortcutIcon=" + longValue + "i\r\n",
        utf16,
    };
    const std::vector<std::wstring> keys = {L"TemplateFile", L"ShortcutName", L"ShortcutDesc",
                                            L"ShortcutIcon"};
    ScratchDir dir;
    for (size_t i = 0; i <= files.size(); ++i) {
        // The last round reads a file that is not there.
        const std::wstring file = dir / (L"Odd" + std::to_wstring(i) + L".cfg");
        if (i < files.size()) testlib::WriteFile(file, files[i]);
        std::vector<std::wstring> byKey;
        for (const auto& key : keys)
            byKey.push_back(ReadIniSection(file, L"Config", key));
        EXPECT_EQ(ReadIniValues(file, L"Config", keys), byKey) << i;
        if (i >= files.size() || files[i].starts_with("\xFF\xFE")) continue;
        // Saved as UTF-8, with "Letter" in another script, the same text gives what the
        // system gives for it saved as UTF-16, with and without the mark.
        std::string utf8;
        for (size_t at = 0; at < files[i].size();) {
            const bool letter = files[i].compare(at, 6, "Letter") == 0;
            utf8 += letter ? "\xC5\x81\xC3\xB3"
                             "d\xC5\xBA"
                           : files[i].substr(at, 1);
            at += letter ? 6 : 1;
        }
        const std::wstring text = Widened(utf8);
        std::string asUtf16 = "\xFF\xFE";
        for (wchar_t c : text)
            asUtf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        testlib::WriteFile(file, asUtf16);
        const std::vector<std::wstring> expected = ReadIniValues(file, L"Config", keys);
        for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
            testlib::WriteFile(file, mark + utf8);
            EXPECT_EQ(ReadIniValues(file, L"Config", keys), expected) << i << mark;
            for (size_t k = 0; k < keys.size(); ++k)
                EXPECT_EQ(ReadIniSection(file, L"Config", keys[k]), expected[k]) << i << mark;
        }
    }
}
