// Each window, made at 96 dpi and moved to a monitor of 144 dpi (WM_DPICHANGED), is laid
// out again from its table, in a font made for 144 dpi, in the rectangle suggested.
#include "ui/Form1.h"
#include "ui/Form1Layout.h"
#include "ui/Form2.h"
#include "ui/Form2Layout.h"
#include "ui/common/Controls.h"
#include "ui/common/Layout.h"

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <utility>

static LONG FontHeight(HWND hControl) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hControl, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return lf.lfHeight;
}

TEST(DpiChange, BothWindowsLayOutAgainFromTheirTablesAt144Dpi) {
    const HWND form1 = Form1::Show(), form2 = Form2::Show(form1);
    ASSERT_TRUE(form1 && form2);
    ASSERT_EQ(Layout::WindowDpi(form1), 96) << "the test starts at 96 dpi";
    auto px = [](int twips) -> LONG { return MulDiv(twips, 144, 1440); };
    for (const auto& [window, table] :
         {std::pair<HWND, std::span<const Layout::Control>>{form1, Form1Layout::kControls},
          {form2, Form2Layout::kLabels}}) {
        const LONG before = FontHeight(Controls::Find(window, table.front().id));
        RECT r{};
        GetWindowRect(window, &r);
        const RECT suggested{r.left + 7, r.top + 5, r.left + 7 + (r.right - r.left) * 3 / 2,
                             r.top + 5 + (r.bottom - r.top) * 3 / 2};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(window, &r);
        EXPECT_EQ((std::pair{r.left, r.top}), (std::pair{suggested.left, suggested.top}));
        for (const Layout::Control& c : table) {
            const HWND control = Controls::Find(window, c.id);
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                      (std::array{px(c.left), px(c.top), px(c.width), px(c.height)}))
                << c.id;
            if (c.kind != Layout::Kind::Container) { // which draws no text
                EXPECT_NEAR(FontHeight(control), before * 1.5, 0.5) << c.id;
            }
        }
    }
    DestroyWindow(form2);
    DestroyWindow(form1);
}
