// Sizes at a display scale, and the zoom strip laid out from them.
#include <gtest/gtest.h>

#include "OrvLib/controls/ButtonModel.h"
#include "OrvLib/controls/DisplayScale.h"
#include "OrvLib/controls/SliderModel.h"

using DisplayScale::Scale;

TEST(DisplayScale, SizesRoundToTheNearestPixelCellsTileAndPicturesGrowByWholeMultiples) {
    const struct {
        int32_t pixels;
        int dpi, expected;
    } cases[] = {{13, 96, 13}, {13, 120, 16}, {13, 144, 20}, {13, 192, 26}, {-3, 144, -5}, {10, 0, 10}};
    for (const auto& c : cases) EXPECT_EQ(Scale(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
    for (int32_t x = 0; x < 12; ++x)
        EXPECT_EQ(DisplayScale::Cell(x, 0, 120).right, DisplayScale::Cell(x + 1, 0, 120).left);
    EXPECT_EQ(DisplayScale::PictureFactor(144) * 10 + DisplayScale::PictureFactor(192), 12);
}

TEST(DisplayScale, StripStacksItsControlsAndWidensForTheLabelsText) {
    const OrvRect tabs{10, 260, 484, 520}, preview{288, 79, 486, 250};
    const auto at96 = DisplayScale::ArrangePreviewStrip(tabs, preview, {18, 13}, 96);
    EXPECT_EQ(at96.strip, (OrvRect{10, 79, 36, 250}));
    EXPECT_EQ(at96.before, (OrvRect{36, 79, 234, 250}));
    EXPECT_EQ(at96.result, (OrvRect{286, 79, 484, 250}));
    EXPECT_EQ(at96.ratio, (OrvRect{12, 125, 34, 147}));
    EXPECT_EQ(DisplayScale::ArrangePreviewStrip(tabs, preview, {40, 30}, 192).zoomIn,
              (OrvRect{14, 83, 58, 127}));
    const auto text = DisplayScale::ArrangePreviewStrip(tabs, preview, {60, 30}, 96);
    EXPECT_EQ(text.ratio, (OrvRect{12, 125, 74, 157}));
    EXPECT_EQ(text.zoomOut, (OrvRect{32, 103, 54, 125}));  // square, centred above the label
}

TEST(DisplayScale, CheckBoxAndSliderThumbGrowWithTheScale) {
    EXPECT_EQ(ButtonGeometry::Check({0, 0, 200, 40}, 0, 144).box, (OrvRect{0, 10, 20, 30}));
    SliderModel slider;
    slider.Layout({0, 0, 200, 60}, 192);
    EXPECT_EQ(slider.Geometry().thumb.Height(), 40);
    slider.Layout({0, 0, 200, 50}, 192);  // below twice 26: shortened as a low slider is
    EXPECT_EQ(slider.Geometry().thumb.Height(), 50 - 2 * 7);
}
