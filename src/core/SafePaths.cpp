#include "core/SafePaths.h"

#include "support/Text.h"

#include <array>

namespace SafePaths {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool OnlyDotsAndBlanks(std::wstring_view segment) {
    return !segment.empty() && segment.find_first_not_of(L". ") == std::wstring_view::npos;
}

// Windows opens these devices whatever folder or extension comes with them.
bool IsDeviceName(std::wstring_view segment) {
    std::wstring base = Text::Lower(std::wstring(segment.substr(0, segment.find(L'.'))));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    static constexpr std::array<std::wstring_view, 6> kPlain = {L"con", L"prn",    L"aux",
                                                                L"nul", L"conin$", L"conout$"};
    for (auto name : kPlain)
        if (base == name) return true;
    return base.size() == 4 && (base.starts_with(L"com") || base.starts_with(L"lpt")) &&
           base[3] >= L'0' && base[3] <= L'9';
}

} // namespace

bool StaysInside(std::wstring_view relative, std::wstring& why) {
    if (!relative.empty() && IsSeparator(relative.front())) {
        why = L"a rooted or UNC path";
        return false;
    }
    if (relative.find(L':') != std::wstring_view::npos) {
        why = L"a drive or stream name";
        return false;
    }
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = start;
        while (end < relative.size() && !IsSeparator(relative[end]))
            ++end;
        const std::wstring_view segment = relative.substr(start, end - start);
        if (OnlyDotsAndBlanks(segment)) {
            why = L"a \"..\" or dots-only path segment";
            return false;
        }
        if (IsDeviceName(segment)) {
            why = L"a device name";
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool UsableName(std::wstring_view relative, std::wstring& why) {
    if (!StaysInside(relative, why)) return false;
    if (Text::FitsAnsi(relative)) return true;
    why = L"characters the ANSI code page cannot carry exactly";
    return false;
}

} // namespace SafePaths
