#include "support/Text.h"

#include <windows.h>

#include <algorithm>

namespace Text {

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int wideLen = static_cast<int>(text.size());
    const int len =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLen, nullptr, 0, nullptr, nullptr);
    if (len <= 0) return {};
    std::string out(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLen, out.data(), len, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view text) {
    std::wstring out;
    AppendFromAnsi(out, text);
    return out;
}

void AppendFromAnsi(std::wstring& out, std::string_view text) {
    if (text.empty()) return;
    const size_t start = out.size();
    // Every ANSI code page keeps the ASCII bytes as they are (no lead byte is below
    // 0x80), so plain ASCII text, the usual file name, needs no system call.
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out.resize(start + text.size());
        for (size_t i = 0; i < text.size(); ++i)
            out[start + i] = static_cast<wchar_t>(text[i]);
        return;
    }
    const int ansiLen = static_cast<int>(text.size());
    const int len = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLen, nullptr, 0);
    if (len <= 0) return;
    out.resize(start + static_cast<size_t>(len));
    MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLen, out.data() + start, len);
}

std::wstring Lower(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && Lower(std::wstring(a)) == Lower(std::wstring(b));
}

wchar_t UpperBeyondAscii(wchar_t c) {
    // With a zero high word CharUpperW converts the one character in the low word.
    const auto converted = reinterpret_cast<ULONG_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c))));
    return static_cast<wchar_t>(converted & 0xFFFF);
}

std::wstring CutAtNul(std::wstring_view text) {
    const size_t nul = text.find(L'\0');
    return std::wstring(nul == std::wstring_view::npos ? text : text.substr(0, nul));
}

} // namespace Text
