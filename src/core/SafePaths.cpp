#include "core/SafePaths.h"

#include "support/DeviceNames.h"

namespace SafePaths {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool OnlyDotsAndBlanks(std::wstring_view segment) {
    return !segment.empty() && segment.find_first_not_of(L". ") == std::wstring_view::npos;
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
        if (DeviceNames::IsDeviceName(segment)) {
            why = L"a device name";
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool UsableName(std::wstring_view relative, std::wstring& why) {
    if (!StaysInside(relative, why)) return false;
    for (const wchar_t c : relative)
        if (c < 0x20) {
            why = L"a control character, which no file name can hold";
            return false;
        }
    return true;
}

} // namespace SafePaths
