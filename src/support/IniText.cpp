#include "support/IniText.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

namespace IniText {

namespace {

struct Line {
    size_t start; // first character
    size_t end;   // past the last character, before the line break
    size_t next;  // past the line break
};

// A CR LF pair ends a line, as does a lone CR or LF.
std::vector<Line> Lines(const std::wstring& text) {
    std::vector<Line> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find_first_of(L"\r\n", at);
        if (end == std::wstring::npos) end = text.size();
        const size_t next = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : end < text.size());
        lines.push_back({at, end, next});
        at = next;
    }
    return lines;
}

std::wstring_view Trimmed(std::wstring_view s) {
    const size_t first = s.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return s.substr(first, s.find_last_not_of(L" \t") - first + 1);
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring_view Content(const std::wstring& text, const Line& line) {
    return Trimmed(std::wstring_view(text).substr(line.start, line.end - line.start));
}

// The name of a section header line ("[ name ]"), nothing for any other line.
std::optional<std::wstring_view> HeaderName(std::wstring_view content) {
    const size_t close = content.rfind(L']');
    if (content.empty() || content.front() != L'[' || close == std::wstring_view::npos)
        return std::nullopt;
    return Trimmed(content.substr(1, close - 1));
}

// The line after the first header of the section, or lines.size() when there is none.
size_t SectionBody(const std::wstring& text, const std::vector<Line>& lines,
                   const std::wstring& sSection) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (const auto name = HeaderName(Content(text, lines[i]));
            name && SameName(*name, sSection))
            return i + 1;
    return lines.size() + 1;
}

bool IsHeader(const std::wstring& text, const Line& line) {
    return HeaderName(Content(text, line)).has_value();
}

} // namespace

std::wstring SectionLines(const std::wstring& text, const std::wstring& sSection) {
    const std::vector<Line> lines = Lines(text);
    std::wstring out;
    for (size_t i = SectionBody(text, lines, sSection); i < lines.size(); ++i) {
        if (IsHeader(text, lines[i])) break;
        const std::wstring_view content = Content(text, lines[i]);
        if (content.empty()) continue;
        out += content;
        out += L'\0';
    }
    return out;
}

bool HasSection(const std::wstring& text, const std::wstring& sSection) {
    const std::vector<Line> lines = Lines(text);
    return SectionBody(text, lines, sSection) <= lines.size();
}

std::wstring WithValue(const std::wstring& text, const std::wstring& sSection,
                       const std::wstring& sKey, const std::wstring& sValue) {
    const std::wstring entry = sKey + L"=" + sValue;
    const std::vector<Line> lines = Lines(text);
    const size_t body = SectionBody(text, lines, sSection);
    if (body > lines.size()) {
        const bool open = !text.empty() && text.back() != L'\n' && text.back() != L'\r';
        return text + (open ? L"\r\n" : L"") + L"[" + sSection + L"]\r\n" + entry + L"\r\n";
    }
    size_t last = body - 1; // the last line that is not blank: the header at first
    for (size_t i = body; i < lines.size() && !IsHeader(text, lines[i]); ++i) {
        const std::wstring_view content = Content(text, lines[i]);
        if (content.empty()) continue;
        last = i;
        if (SameName(Trimmed(content.substr(0, content.find(L'='))), sKey)) {
            std::wstring out = text;
            out.replace(lines[i].start, lines[i].end - lines[i].start, entry);
            return out;
        }
    }
    const Line& after = lines[last];
    const bool open = after.next == after.end; // the text's last line, without a break
    std::wstring out = text;
    out.insert(after.next, (open ? L"\r\n" : L"") + entry + (open ? L"" : L"\r\n"));
    return out;
}

std::vector<Entry> Entries(const std::wstring& text) {
    std::vector<Entry> entries;
    std::wstring section;
    for (const Line& line : Lines(text)) {
        const std::wstring_view content = Content(text, line);
        if (content.empty() || content.front() == L';') continue;
        if (const auto name = HeaderName(content)) {
            section = *name;
            entries.push_back({section, {}, {}});
        } else if (const size_t equals = content.find(L'='); equals != std::wstring_view::npos) {
            entries.push_back({section, std::wstring(Trimmed(content.substr(0, equals))),
                               std::wstring(Trimmed(content.substr(equals + 1)))});
        }
    }
    return entries;
}

} // namespace IniText
