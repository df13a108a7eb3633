// Every caption of both windows, set in its control's font, fits its control at the
// screen's resolution (the end-to-end scaling test runs this at 144 dpi as well).
#include "testlib/CaptionFit.h"
#include "testlib/Scratch.h"
#include "ui/common/Fonts.h"
#include "ui/Form1.h"
#include "ui/Form2.h"

#include <gtest/gtest.h>

#include <cwchar>

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
