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

bool ToAnsiExact(std::wstring_view text, std::string& ansi) {
    ansi.clear();
    if (text.empty()) return true;
    const int wideLen = static_cast<int>(text.size());
    // A UTF-8 system code page takes every character but refuses the default-character
    // query; broken surrogates are what it cannot carry.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int len = WideCharToMultiByte(CP_ACP, flags, text.data(), wideLen, nullptr, 0, nullptr,
                                        usedDefaultOut);
    if (len <= 0 || usedDefault) return false;
    ansi.assign(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), wideLen, ansi.data(), len, nullptr,
                        usedDefaultOut);
    return !usedDefault;
}

bool FitsAnsi(std::wstring_view text) {
    std::string ansi;
    return ToAnsiExact(text, ansi);
}

size_t CharacterLength(std::wstring_view text, size_t i) {
    return i + 1 < text.size() && IS_HIGH_SURROGATE(text[i]) && IS_LOW_SURROGATE(text[i + 1]) ? 2
                                                                                              : 1;
}

std::wstring CodePoint(std::wstring_view character) {
    if (character.empty()) return {};
    const unsigned code =
        CharacterLength(character, 0) == 2
            ? 0x10000u + ((character[0] - 0xD800u) << 10) + (character[1] - 0xDC00u)
            : character[0];
    wchar_t text[16] = {};
    wsprintfW(text, L"U+%04X", code);
    return text;
}

std::string ToAnsiEscaped(std::wstring_view text) {
    std::string out;
    if (ToAnsiExact(text, out)) return out;
    out.clear();
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharacterLength(text, i);
        std::string one;
        if (ToAnsiExact(text.substr(i, n), one)) {
            out += one;
        } else {
            out += '<';
            for (const wchar_t c : CodePoint(text.substr(i, n)))
                out += static_cast<char>(c); // ASCII only
            out += '>';
        }
        i += n;
    }
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
