// The parameters window stays on the screen, however tall its list makes it: the
// work areas are fed in, as Wine's one screen cannot be made short.
#include "ui/Form2.h"

#include <gtest/gtest.h>

TEST(Form2Place, CentredOverItsWindowAndCutToTheWorkArea) {
    const RECT work{0, 0, 1280, 984}, main{100, 100, 700, 500};
    // (window to centre over, outer size)
    const struct {
        RECT over;
        SIZE size;
    } cases[] = {{main, {390, 500}},
                 {main, {390, 1500}},
                 {{1000, 800, 1280, 984}, {390, 500}},
                 {{-600, -400, 0, 0}, {390, 984}}};
    for (const auto& c : cases) {
        const RECT at = Form2::PlaceWithin(c.over, c.size, work);
        SCOPED_TRACE(testing::Message() << c.over.left << "," << c.size.cy);
        EXPECT_EQ(at.right - at.left, c.size.cx);
        EXPECT_EQ(at.bottom - at.top, std::min<LONG>(c.size.cy, work.bottom));
        EXPECT_TRUE(at.left >= work.left && at.top >= work.top && at.right <= work.right &&
                    at.bottom <= work.bottom);
        // Where it fits, its middle is the middle of what it is centred over.
        if (c.over.left == main.left && c.size.cy < work.bottom) {
            EXPECT_EQ(at.top + at.bottom, main.top + main.bottom);
        }
    }
}
