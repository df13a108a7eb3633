#include "support/LiteralScreen.h"

#include "support/DeviceNames.h"

#include <string>

namespace LiteralScreen {

namespace {

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsNameCharacter(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))
        return true;
    return std::wstring_view(L"._-~$#!@()&%'+,=[]{}^`").find(c) != std::wstring_view::npos;
}

// The platform compares the wide names after upper-casing both sides. For an ASCII
// pattern, an entry can only match when each of its characters upper-cases to the
// pattern's character there. An ASCII character does so only when it is the same
// letter in either case. A name holding anything beyond ASCII is left to the
// platform, whose upper-casing table alone decides it (U+0131 upper-cases to I and
// U+017F to S); where the pattern holds an I or an S any character may stand, so a
// name a system hands over in another form is never ruled out.
bool NameMayMatch(std::wstring_view pattern, std::wstring_view name) {
    for (wchar_t c : name)
        if (c >= 0x80 || c == L'?') return true;
    if (name.size() != pattern.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const wchar_t p = FoldAscii(pattern[i]);
        if (p != FoldAscii(name[i]) && p != L'i' && p != L's') return false;
    }
    return true;
}

} // namespace

bool IsScreenable(std::wstring_view pattern) {
    if (pattern.empty() || pattern.back() == L'.') return false;
    for (wchar_t c : pattern)
        if (!IsNameCharacter(c)) return false;
    return !DeviceNames::IsDeviceName(pattern);
}

bool MayMatch(std::wstring_view pattern, std::wstring_view longName, std::wstring_view shortName) {
    return NameMayMatch(pattern, longName) ||
           (!shortName.empty() && NameMayMatch(pattern, shortName));
}

} // namespace LiteralScreen
