#include "ui/common/Fonts.h"

#include <cwchar>

namespace Fonts {

namespace {

LOGFONTW MessageLogFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return ncm.lfMessageFont;
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf;
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsInstalled(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const ScopedWin::WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

} // namespace

ScopedWin::UniqueFont MessageFont() {
    const LOGFONTW lf = MessageLogFont();
    return ScopedWin::UniqueFont(CreateFontIndirectW(&lf));
}

ScopedWin::UniqueFont HeadingFont(int dpi) {
    constexpr wchar_t kFace[] = L"MS Sans Serif";
    LOGFONTW lf = MessageLogFont();
    if (IsInstalled(kFace)) {
        wcsncpy(lf.lfFaceName, kFace, LF_FACESIZE - 1);
        lf.lfHeight = -MulDiv(825, dpi, 7200); // 8.25 points
        lf.lfWidth = 0;
    }
    lf.lfWeight = FW_BOLD;
    return ScopedWin::UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace Fonts
