// The skin of the effect dialog: recolouring, the overlay blend, and the tiles that paint
// it over an area, all without a window.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "OrvLib/plugin/DialogSkin.h"

namespace {

const DialogSkin::GradientStops kStops = {0x847872u, 0xA5A392u, 0xCFCEC9u, 0xF6F5F0u};

void PutBgr(OrvImage2& image, int x, int y, int b, int g, int r, int a = -1) {
    uint8_t* p = image.PixelAddress(x, y);
    p[0] = uint8_t(b);
    p[1] = uint8_t(g);
    p[2] = uint8_t(r);
    if (a >= 0) p[3] = uint8_t(a);
}

std::vector<int> Bgr(const OrvImage2& image, int x, int y) {
    const uint8_t* p = image.PixelAddress(x, y);
    return {p[0], p[1], p[2]};
}

TEST(DialogSkin, GradientRunsThroughTheFourSchemeColours) {
    EXPECT_EQ(DialogSkin::GradientColour(kStops, 0), kStops[0]);
    EXPECT_EQ(DialogSkin::GradientColour(kStops, 85), kStops[1]);
    EXPECT_EQ(DialogSkin::GradientColour(kStops, 170), kStops[2]);
    EXPECT_EQ(DialogSkin::GradientColour(kStops, 255), kStops[3]);
    // Halfway between shadow (0xA5A392) and face (0xCFCEC9), red in the low byte.
    const OrvColour mid = DialogSkin::GradientColour(kStops, 127);
    EXPECT_EQ(mid & 0xFF, 0x92u + (0xC9u - 0x92u) * 42 / 85);
    EXPECT_EQ(mid >> 16, 0xA5u + (0xCFu - 0xA5u) * 42 / 85);
}

TEST(DialogSkin, OverlayIsBlendedOverTheOverlappingPartOnly) {
    OrvImage2 background, overlay, skin;
    background.Create(3, 2, 24, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) PutBgr(background, x, y, 200, 100, 50);
    overlay.Create(2, 5, 32, nullptr);
    overlay.SetHasAlpha(true);
    PutBgr(overlay, 0, 0, 0, 255, 10, 255);   // opaque: the overlay's colour
    PutBgr(overlay, 1, 0, 100, 0, 250, 128);  // half
    PutBgr(overlay, 0, 1, 90, 90, 90, 0);     // clear: the background
    ASSERT_TRUE(DialogSkin::Build(background, &overlay, kStops, skin));
    EXPECT_EQ(skin.BitCount(), 24);
    EXPECT_EQ(skin.Width(), 3);
    EXPECT_EQ(skin.GetHeight(), 2) << "top-down";
    EXPECT_EQ(Bgr(skin, 0, 0), (std::vector<int>{0, 255, 10}));
    EXPECT_EQ(Bgr(skin, 1, 0), (std::vector<int>{(128 * 100 + 127 * 200) / 255, (127 * 100) / 255,
                                                 (128 * 250 + 127 * 50) / 255}));
    EXPECT_EQ(Bgr(skin, 0, 1), (std::vector<int>{200, 100, 50}));
    EXPECT_EQ(Bgr(skin, 2, 0), (std::vector<int>{200, 100, 50})) << "beyond the overlay's width";
}

TEST(DialogSkin, OverlayWithoutAlphaLeavesTheBackground) {
    OrvImage2 background, skin;
    background.Create(4, 3, 24, nullptr);
    PutBgr(background, 3, 2, 1, 2, 3);
    for (int depth : {24, 8, 32}) {
        OrvImage2 overlay;
        overlay.Create(4, 3, depth, nullptr);  // 32 bits without the alpha flag: not an overlay
        // Every byte opaque white, so that an alpha read from these rows would show.
        std::memset(overlay.Bits(), 0xFF, overlay.ImageSize());
        ASSERT_TRUE(DialogSkin::Build(background, &overlay, kStops, skin)) << depth;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(Bgr(skin, x, y), Bgr(background, x, y)) << depth;
    }
}

TEST(DialogSkin, EightBitBackgroundsAreRecolouredOthersRefused) {
    OrvImage2 indexed, skin;
    indexed.Create(2, 1, 8, nullptr);
    *indexed.PixelAddress(1, 0) = 170;
    ASSERT_TRUE(DialogSkin::Build(indexed, nullptr, kStops, skin));
    EXPECT_EQ(Bgr(skin, 0, 0), (std::vector<int>{0x84, 0x78, 0x72}));
    EXPECT_EQ(Bgr(skin, 1, 0), (std::vector<int>{0xCF, 0xCE, 0xC9}));

    OrvImage2 deep, empty;
    deep.Create(2, 1, 32, nullptr);
    EXPECT_FALSE(DialogSkin::Build(deep, nullptr, kStops, skin));
    EXPECT_FALSE(DialogSkin::Build(empty, nullptr, kStops, skin));
    EXPECT_EQ(Bgr(skin, 1, 0), (std::vector<int>{0xCF, 0xCE, 0xC9})) << "a refused build keeps the skin";
}

TEST(DialogSkin, TilesCoverTheAreaShiftedByTheOrigin) {
    struct Tile {
        OrvRect destination, source;
    };
    auto tiles = [](OrvRect area, OrvPoint origin, OrvSize skin) {
        std::vector<Tile> made;
        DialogSkin::ForEachTile(area, origin, skin, [&](const OrvRect& d, const OrvRect& s) {
            made.push_back({d, s});
        });
        return made;
    };
    // The whole client area from the origin: one tile when the skin is larger.
    auto one = tiles({0, 0, 497, 525}, {0, 0}, {497, 569});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].destination, (OrvRect{0, 0, 497, 525}));
    EXPECT_EQ(one[0].source, (OrvRect{0, 0, 497, 525}));
    // A page at (15, 280) continues the dialog's picture: origin (-15, -280).
    auto page = tiles({0, 0, 100, 50}, {-15, -280}, {497, 569});
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].source, (OrvRect{15, 280, 115, 330}));
    // Larger than the skin: tiles repeat and the last ones are cut at the area's edge.
    auto many = tiles({10, 10, 35, 22}, {-25, 3}, {10, 8});
    ASSERT_EQ(many.size(), 6u);  // origin (-5, 3): columns from 5, rows from 13
    EXPECT_EQ(many[0].destination, (OrvRect{10, 13, 15, 21}));
    EXPECT_EQ(many[0].source, (OrvRect{5, 0, 10, 8}));
    EXPECT_EQ(many.back().destination, (OrvRect{25, 21, 35, 22}));
    EXPECT_EQ(many.back().source, (OrvRect{0, 0, 10, 1}));
    EXPECT_TRUE(tiles({0, 0, 10, 10}, {0, 0}, {0, 5}).empty());
}

}  // namespace

TEST(DialogSkin, ResampledPixelsAreTheMeansOfTheAreasTheyCover) {
    OrvImage2 source, result;
    source.Create(4, 2, 24, nullptr);
    const int values[4] = {0, 90, 180, 255};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) PutBgr(source, x, y, values[x], 255 - values[x], y * 100);
    ASSERT_TRUE(DialogSkin::Resample(source, {3, 1}, result));
    // Thirds of a pixel: (3 x 0 + 90) / 4, (2 x 90 + 2 x 180) / 4, (180 + 3 x 255) / 4, halves up.
    EXPECT_EQ(Bgr(result, 0, 0), (std::vector<int>{23, 233, 50}));
    EXPECT_EQ(Bgr(result, 1, 0), (std::vector<int>{135, 120, 50}));
    EXPECT_EQ(Bgr(result, 2, 0), (std::vector<int>{236, 19, 50}));
}

TEST(DialogSkin, PanelFollowsTheResampledSkinAndTheArtChosenForTheScale) {
    EXPECT_EQ(DialogSkin::ArtFactor(96) * 10 + DialogSkin::ArtFactor(120), 12);
    EXPECT_EQ(DialogSkin::PanelIn({400, 500}, 1), DialogSkin::kPanel);
    EXPECT_EQ(DialogSkin::PanelIn({994, 1138}, 2), (OrvRect{16, 132, 976, 512}));
    // Rounded inward: 8 x 745 / 497 = 11.99 up, 488 x 745 / 497 = 731.5 down.
    EXPECT_EQ(DialogSkin::PanelIn({745, 853}, 2), (OrvRect{12, 99, 731, 383}));
}
