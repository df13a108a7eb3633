#include "ui/common/Contrast.h"

#include "ui/common/Layout.h"

namespace Contrast {

HIGHCONTRASTW Read() {
    HIGHCONTRASTW answer{};
    answer.cbSize = sizeof(answer);
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(answer), &answer, 0)) answer.dwFlags = 0;
    return answer;
}

COLORREF HeadingColour(const HIGHCONTRASTW& answer) {
    // The other flags say only whether the feature and its hot key are offered.
    return (answer.dwFlags & HCF_HIGHCONTRASTON) ? GetSysColor(COLOR_WINDOWTEXT) : Layout::kBlue;
}

} // namespace Contrast
