#include "OrvLib/controls/FrameGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Paints the lines into a character grid: one letter per scheme colour.
std::vector<std::string> Paint(const std::vector<FrameLine>& lines, int w, int h) {
    std::vector<std::string> grid(h, std::string(w, '.'));
    const char* letters = "FHLSDTGXBW";
    for (const FrameLine& line : lines)
        for (int y = line.rect.top; y < line.rect.bottom; ++y)
            for (int x = line.rect.left; x < line.rect.right; ++x) {
                EXPECT_EQ(grid[y][x], '.') << "painted twice at " << x << "," << y;
                grid[y][x] = letters[static_cast<int>(line.colour)];
            }
    return grid;
}

TEST(FrameGeometry, SunkenFrameOnASmallRectangle) {
    EXPECT_EQ(Paint(FrameLines(FrameStyle::Sunken, {0, 0, 5, 4}), 5, 4),
              (std::vector<std::string>{"SSSSH", "SDDLH", "SLLLH", "HHHHH"}));
}

TEST(FrameGeometry, RaisedSoftAndFlatFrames) {
    EXPECT_EQ(Paint(FrameLines(FrameStyle::Raised, {0, 0, 4, 4}), 4, 4),
              (std::vector<std::string>{"LLLD", "LHSD", "LSSD", "DDDD"}));
    EXPECT_EQ(Paint(FrameLines(FrameStyle::SoftRaised, {1, 1, 5, 5}), 6, 6),
              (std::vector<std::string>{"......", ".HHHD.", ".HLSD.", ".HSSD.", ".DDDD.", "......"}));
    EXPECT_EQ(Paint(FrameLines(FrameStyle::Flat, {0, 0, 4, 5}), 4, 5),
              (std::vector<std::string>{"TTTT", "T..T", "T..T", "T..T", "TTTT"}));
}

TEST(FrameGeometry, RectanglesBelowFourPixelsGetNoFrame) {
    EXPECT_TRUE(FrameLines(FrameStyle::Sunken, {0, 0, 50, 3}).empty());
    EXPECT_TRUE(FrameLines(FrameStyle::Flat, {0, 0, 3, 50}).empty());
    EXPECT_TRUE(FrameLines(FrameStyle::None, {0, 0, 50, 50}).empty());
}

TEST(FrameGeometry, NonClientFrameChoice) {
    EXPECT_EQ(NonClientBorderWidth(30, 26), 2);
    EXPECT_EQ(NonClientFrameStyle(1, false, true), FrameStyle::Flat);
    EXPECT_EQ(NonClientFrameStyle(2, true, true), FrameStyle::Sunken);
    EXPECT_EQ(NonClientFrameStyle(2, true, false), FrameStyle::Raised);
    EXPECT_EQ(NonClientFrameStyle(2, false, true), FrameStyle::None);
    EXPECT_EQ(NonClientFrameStyle(0, true, true), FrameStyle::None);
}

TEST(FrameGeometry, BandsAroundAnInnerRectangle) {
    const std::vector<OrvRect> bands = Bands({0, 0, 10, 8}, {2, 3, 7, 6});
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0], (OrvRect{0, 0, 10, 3}));
    EXPECT_EQ(bands[1], (OrvRect{0, 6, 10, 8}));
    EXPECT_EQ(bands[2], (OrvRect{0, 3, 2, 6}));
    EXPECT_EQ(bands[3], (OrvRect{7, 3, 10, 6}));
    // Flush on two sides, and an inner rectangle reaching outside.
    EXPECT_EQ(Bands({0, 0, 10, 8}, {0, 0, 7, 8}), (std::vector<OrvRect>{{7, 0, 10, 8}}));
    EXPECT_EQ(Bands({0, 0, 10, 8}, {-5, -5, 20, 20}).size(), 0u);
}

TEST(FrameGeometry, ArrangedControlsStack) {
    OrvPoint at{4, 10};
    at = ArrangeAdvance(at, 22, 22, 0, 0, 0.0, 1.0);
    EXPECT_EQ(at.x, 4);
    EXPECT_EQ(at.y, 32);
    at = ArrangeAdvance(at, 15, 9, 2, -1, 0.5, 0.5);
    EXPECT_EQ(at.x, 4 + 2 + 7);
    EXPECT_EQ(at.y, 32 - 1 + 4);
    EXPECT_EQ(ArrangeAdvance({0, 0}, 15, 0, 0, 0, -0.5, 0).x, -8);
}

TEST(FrameGeometry, IdentifiersRestartBeforeTurningNegative) {
    int counter = kFirstControlIdentifier;
    EXPECT_EQ(NextControlIdentifier(counter), 555);
    EXPECT_EQ(NextControlIdentifier(counter), 556);
    counter = INT_MAX;
    EXPECT_EQ(NextControlIdentifier(counter), INT_MAX);
    EXPECT_EQ(NextControlIdentifier(counter), 555);
}

}  // namespace
