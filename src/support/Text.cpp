#include "support/Text.h"

#include <windows.h>

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
    if (text.empty()) return {};
    const int ansiLen = static_cast<int>(text.size());
    const int len = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLen, nullptr, 0);
    if (len <= 0) return {};
    std::wstring out(static_cast<size_t>(len), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLen, out.data(), len);
    return out;
}

std::wstring Lower(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && Lower(std::wstring(a)) == Lower(std::wstring(b));
}

std::wstring CutAtNul(std::wstring_view text) {
    const size_t nul = text.find(L'\0');
    return std::wstring(nul == std::wstring_view::npos ? text : text.substr(0, nul));
}

} // namespace Text
