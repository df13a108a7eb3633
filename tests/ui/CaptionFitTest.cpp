// Every caption of both windows, set in its control's font, fits its control at the
// screen's resolution (the end-to-end scaling test runs this at 144 dpi as well).
#include "testlib/CaptionFit.h"
#include "testlib/Scratch.h"
#include "ui/common/Fonts.h"
#include "ui/Form1.h"
#include "ui/Form2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <tuple>

TEST(CaptionFit, EveryCaptionFitsItsControl) {
    const HWND form1 = Form1::Show(), form2 = Form2::Show(form1);
    ASSERT_TRUE(form1 && form2);
    for (HWND form : {form1, form2})
        for (const testlib::CaptionFit& c : testlib::MeasureCaptions(form))
            EXPECT_TRUE(c.Fits()) << c.id << " \"" << testlib::Utf8(c.caption) << "\" in "
                                  << testlib::Utf8(c.face) << ": needs " << c.need.cx << "x"
                                  << c.need.cy << ", has " << c.room.cx << "x" << c.room.cy;
    DestroyWindow(form2);
    DestroyWindow(form1);
}

// Wine has no Microsoft Sans Serif, so its branch is shown with the answers given here.
TEST(CaptionFit, LayoutFaceIsTheFirstInstalledOfTheLayoutFaces) {
    EXPECT_STREQ(Fonts::LayoutFace([](const wchar_t*) { return true; }), L"Microsoft Sans Serif");
    EXPECT_STREQ(Fonts::LayoutFace([](const wchar_t* f) { return !wcscmp(f, L"MS Sans Serif"); }),
                 L"MS Sans Serif");
    EXPECT_EQ(Fonts::LayoutFace([](const wchar_t*) { return false; }), nullptr);
}

// The parameters window stays on the screen, however tall its list makes it: the work
// areas are fed in, as Wine's one screen cannot be made short.
TEST(Form2Place, CentredOverItsWindowAndCutToTheWorkArea) {
    const RECT work{0, 0, 1280, 984}, main{100, 100, 700, 500}, corner{1000, 800, 1280, 984};
    // (window to centre over, outer size, top where it goes)
    for (const auto& [over, size, top] : {std::tuple{main, SIZE{390, 500}, 50L},
                                          {main, SIZE{390, 1500}, 0L},
                                          {corner, SIZE{390, 500}, 484L}}) {
        const RECT at = Form2::PlaceWithin(over, size, work);
        EXPECT_EQ(at.top, top);
        EXPECT_EQ(at.right - at.left, size.cx);
        EXPECT_EQ(at.bottom - at.top, std::min<LONG>(size.cy, work.bottom));
        EXPECT_TRUE(at.left >= work.left && at.right <= work.right);
    }
}
