#include "ui/common/Fonts.h"

#include "ui/common/Layout.h"

#include <cwchar>

namespace Fonts {

namespace {

// The message font, which the system gives at the screen's resolution, made for dpi.
LOGFONTW MessageLogFont(int dpi) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    LOGFONTW lf{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        lf = ncm.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight = MulDiv(lf.lfHeight, dpi, Layout::ScreenDpi());
    lf.lfWidth = 0;
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

const wchar_t* LayoutFace(bool (*installed)(const wchar_t* face)) {
    // The twips of both windows were measured in MS Sans Serif 8.25 pt; a wider face
    // (the message font is Segoe UI 9 pt on current Windows) cuts their captions off.
    // Microsoft Sans Serif has its metrics and, being TrueType, scales with the DPI;
    // MS Sans Serif on Windows is a bitmap font of a few sizes.
    for (const wchar_t* face : {L"Microsoft Sans Serif", L"MS Sans Serif"})
        if (installed(face)) return face;
    return nullptr;
}

ScopedWin::UniqueFont LayoutFont(int dpi, bool bold) {
    LOGFONTW lf = MessageLogFont(dpi);
    if (const wchar_t* face = LayoutFace(IsInstalled)) {
        wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        lf.lfHeight = -MulDiv(825, dpi, 7200); // 8.25 points
        lf.lfWidth = 0;
    }
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return ScopedWin::UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace Fonts
