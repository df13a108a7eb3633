#include "support/DeviceNames.h"

#include <array>
#include <string>

namespace DeviceNames {

namespace {
wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}
} // namespace

bool IsDeviceName(std::wstring_view segment) {
    std::wstring base(segment.substr(0, segment.find(L'.')));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t& c : base)
        c = FoldAscii(c);
    static constexpr std::array<std::wstring_view, 7> kPlain = {
        L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$", L"clock$"};
    for (std::wstring_view name : kPlain)
        if (base == name) return true;
    if (base.size() != 4 || !(base.starts_with(L"com") || base.starts_with(L"lpt"))) return false;
    // The superscript digits count too (U+00B9, U+00B2, U+00B3).
    const wchar_t digit = base[3];
    return (digit >= L'0' && digit <= L'9') || digit == L'\u00b9' || digit == L'\u00b2' ||
           digit == L'\u00b3';
}

} // namespace DeviceNames
