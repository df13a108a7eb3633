#include "ui/common/WindowIcon.h"

#include "support/Text.h"

namespace mod32BitIcon {

void SetWindowIcon(HWND hWndForm, const std::wstring& sIconResName, bool bAlsoOwner) {
    HWND topOwner = hWndForm;
    if (bAlsoOwner)
        for (HWND o = GetWindow(topOwner, GW_OWNER); o; o = GetWindow(o, GW_OWNER))
            topOwner = o;
    const std::string name = Text::ToAnsi(sIconResName);
    const HINSTANCE self = GetModuleHandleW(nullptr);
    struct Size {
        int cxMetric, cyMetric;
        WPARAM which;
    };
    for (const Size s :
         {Size{SM_CXICON, SM_CYICON, ICON_BIG}, Size{SM_CXSMICON, SM_CYSMICON, ICON_SMALL}}) {
        // Shared: the system owns the icon and keeps it for the life of the process,
        // so there is nothing to destroy when the window goes.
        const auto icon = reinterpret_cast<LPARAM>(
            LoadImageA(self, name.c_str(), IMAGE_ICON, GetSystemMetrics(s.cxMetric),
                       GetSystemMetrics(s.cyMetric), LR_SHARED));
        if (bAlsoOwner) SendMessageA(topOwner, WM_SETICON, s.which, icon);
        SendMessageA(hWndForm, WM_SETICON, s.which, icon);
    }
}

} // namespace mod32BitIcon
