// The window icon comes from the program's icon group (linked into this test program
// as into Dorvane.exe), at the sizes the system metrics ask for.
#include "ui/common/WindowIcon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Window {
    HWND h;
    explicit Window(HWND owner = nullptr)
        : h(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}
    ~Window() {
        if (h) DestroyWindow(h);
    }
};

// "WxH" of the icon the window holds, "none" without one.
std::string IconSize(HWND h, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(h, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return "none";
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return std::to_string(bm.bmWidth) + "x" + std::to_string(bm.bmHeight);
}

std::string Metric(int cx, int cy) {
    return std::to_string(GetSystemMetrics(cx)) + "x" + std::to_string(GetSystemMetrics(cy));
}

} // namespace

TEST(SetWindowIcon, BigAndSmallIconForTheWindowAndItsTopMostOwner) {
    const Window top, middle(top.h), form(middle.h), alone;
    ASSERT_TRUE(top.h && middle.h && form.h && alone.h);
    const std::string big = Metric(SM_CXICON, SM_CYICON);
    const std::string small = Metric(SM_CXSMICON, SM_CYSMICON);
    ASSERT_NE(big, small);

    mod32BitIcon::SetWindowIcon(form.h, L"a1", true);
    for (HWND h : {form.h, top.h}) {
        EXPECT_EQ(IconSize(h, ICON_BIG), big);
        EXPECT_EQ(IconSize(h, ICON_SMALL), small);
    }
    EXPECT_EQ(IconSize(middle.h, ICON_BIG), "none");

    // A window without an owner is its own top-most owner.
    mod32BitIcon::SetWindowIcon(alone.h, L"A1", true);
    EXPECT_EQ(IconSize(alone.h, ICON_BIG), big);
    EXPECT_EQ(IconSize(alone.h, ICON_SMALL), small);
}

TEST(SetWindowIcon, OwnerUntouchedWhenNotAskedAndNoIconForAnUnknownName) {
    const Window owner, form(owner.h), other;
    mod32BitIcon::SetWindowIcon(form.h, L"a1", false);
    EXPECT_EQ(IconSize(form.h, ICON_SMALL), Metric(SM_CXSMICON, SM_CYSMICON));
    EXPECT_EQ(IconSize(owner.h, ICON_SMALL), "none");

    mod32BitIcon::SetWindowIcon(other.h, L"NoSuchIcon", true);
    EXPECT_EQ(IconSize(other.h, ICON_BIG), "none");
    EXPECT_EQ(IconSize(other.h, ICON_SMALL), "none");
}
