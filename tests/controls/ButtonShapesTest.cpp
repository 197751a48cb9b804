#include "OrvLib/controls/ButtonShapes.h"

#include <gtest/gtest.h>

namespace {

using RadioMark::Part;

TEST(RadioMark, IsARoundSunkenDiscSymmetricAboutItsCentre) {
    int dots = 0, inside = 0;
    for (int y = 0; y < RadioMark::kSize; ++y) {
        for (int x = 0; x < RadioMark::kSize; ++x) {
            Part p = RadioMark::At(x, y);
            // Round: the mirror images have the same part, dark and light swapped across
            // the anti-diagonal.
            EXPECT_EQ(p, RadioMark::At(y, x));
            Part opposite = RadioMark::At(11 - x, 11 - y);
            if (p == Part::OuterDark) {
                EXPECT_EQ(opposite, Part::OuterLight);
            }
            if (p == Part::InnerDark) {
                EXPECT_EQ(opposite, Part::InnerLight);
            }
            dots += p == Part::Dot;
            inside += p == Part::Inside;
        }
    }
    EXPECT_EQ(dots, 12);  // a 4 x 4 with its corners cut
    EXPECT_GT(inside, 30);
    // Corners stay clear, the edge middles are the outer ring, dark toward the upper left.
    EXPECT_EQ(RadioMark::At(0, 0), Part::None);
    EXPECT_EQ(RadioMark::At(11, 11), Part::None);
    EXPECT_EQ(RadioMark::At(5, 0), Part::OuterDark);
    EXPECT_EQ(RadioMark::At(6, 11), Part::OuterLight);
    EXPECT_EQ(RadioMark::At(5, 1), Part::InnerDark);
    EXPECT_EQ(RadioMark::At(12, 5), Part::None);
}

TEST(GroupFrame, CaptionSitsOnTheTopLineIndentedWithAGap) {
    GroupFrame::Layout g = GroupFrame::Place({0, 0, 200, 100}, {60, 13});
    EXPECT_EQ(g.frame, (OrvRect{0, 6, 200, 100}));
    EXPECT_EQ(g.text, (OrvRect{8, 0, 72, 13}));
    // A caption longer than the box stops short of the right end.
    EXPECT_EQ(GroupFrame::Place({0, 0, 50, 40}, {90, 13}).text.right, 42);
    EXPECT_TRUE(GroupFrame::Place({0, 0, 200, 100}, {0, 13}).text.IsEmpty());
}

}  // namespace
