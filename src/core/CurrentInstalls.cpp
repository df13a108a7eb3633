#include "core/CurrentInstalls.h"

#include "support/Text.h"

namespace Module1 {

std::wstring FoldedName(std::wstring_view sPathOrName) {
    const size_t cut = sPathOrName.find_last_of(L"\\/");
    std::wstring_view name =
        cut == std::wstring_view::npos ? sPathOrName : sPathOrName.substr(cut + 1);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        name.remove_suffix(1);
    std::wstring folded(name);
    for (wchar_t& c : folded)
        c = Text::FoldCase(c);
    return folded;
}

std::wstring FoldedPath(const std::wstring& sRelative) {
    std::wstring folded;
    size_t start = 0;
    for (size_t cut; (cut = sRelative.find_first_of(L"\\/", start)) != std::wstring::npos;
         start = cut + 1)
        folded += FoldedName(std::wstring_view(sRelative).substr(start, cut - start)) + L"\\";
    return folded + FoldedName(std::wstring_view(sRelative).substr(start));
}

} // namespace Module1
