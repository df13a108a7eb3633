#include "support/LiteralScreen.h"

#include "support/DeviceNames.h"

#include <string>

namespace LiteralScreen {

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNameCharacter(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("._-~$#!@()&%'+,=[]{}^`").find(c) != std::string_view::npos;
}

// The platform compares the wide names after upper-casing both sides. For an ASCII
// pattern, an entry can only match when each of its characters upper-cases to the
// pattern's character there. An ASCII character does so only when it is the same
// letter in either case. A non-ASCII character arrives here as a byte of 0x80 or
// above, as "?" (no ANSI form), or as the ASCII character the code page's best-fit
// table gives it; the only non-ASCII characters whose upper case is ASCII are
// U+0131 (to I) and U+017F (to S), so where the pattern holds an I or an S any byte
// may stand.
bool NameMayMatch(std::string_view pattern, std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '?') return true;
    if (name.size() != pattern.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char p = FoldAscii(pattern[i]);
        if (p != FoldAscii(name[i]) && p != 'i' && p != 's') return false;
    }
    return true;
}

} // namespace

bool IsScreenable(std::string_view ansiPattern) {
    if (ansiPattern.empty() || ansiPattern.back() == '.') return false;
    for (char c : ansiPattern)
        if (!IsNameCharacter(c)) return false;
    // Only ASCII is left at this point, which widens character for character.
    return !DeviceNames::IsDeviceName(std::wstring(ansiPattern.begin(), ansiPattern.end()));
}

bool MayMatch(std::string_view ansiPattern, std::string_view longName, std::string_view shortName) {
    return NameMayMatch(ansiPattern, longName) ||
           (!shortName.empty() && NameMayMatch(ansiPattern, shortName));
}

} // namespace LiteralScreen
