// Per-copy variation: its integer colour arithmetic, its draws, and that it never moves
// a copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "product/engine/EffectDerived.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/PlacementList.h"
#include "product/engine/Variation.h"
#include "tests/engine/TestObjects.h"

namespace {

TEST(VariationTest, ColourArithmeticGivesTheStatedValues) {
    struct Hue {
        int32_t in[3], shift, out[3];
    };
    const Hue hues[] = {
        {{255, 0, 0}, 512, {0, 255, 0}},        // a third of a turn
        {{255, 0, 0}, -512, {0, 0, 255}},       // the other way
        {{255, 128, 0}, 256, {128, 255, 0}},    // hue 128 to 384
        {{200, 100, 50}, 768, {50, 151, 200}},  // half a turn, hue 85 to 853
        {{90, 90, 90}, 300, {90, 90, 90}},      // grey has no hue
        {{10, 20, 30}, 0, {10, 20, 30}},       {{0, 0, 255}, 1536 + 256, {255, 0, 255}},
    };
    for (const Hue& h : hues) {
        int32_t c[3] = {h.in[0], h.in[1], h.in[2]};
        TurnHue(c, h.shift);
        EXPECT_EQ(std::vector<int32_t>(c, c + 3), std::vector<int32_t>(h.out, h.out + 3))
            << h.in[0] << "," << h.in[1] << "," << h.in[2] << " by " << h.shift;
    }

    int32_t c[3] = {100, 200, 255};
    ScaleBrightness(c, 2500);  // +25 %: truncated, held to 255
    EXPECT_EQ(std::vector<int32_t>(c, c + 3), (std::vector<int32_t>{125, 250, 255}));
    ScaleBrightness(c, -10000);
    EXPECT_EQ(std::vector<int32_t>(c, c + 3), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(HueUnits(180), 768);
    EXPECT_EQ(HueUnits(1), 4);

    struct Blend {
        BlendMode mode;
        int32_t d, s, out;
    };
    const Blend blends[] = {
        {BlendMode::Normal, 10, 200, 200},   {BlendMode::Multiply, 128, 200, 100},
        {BlendMode::Screen, 128, 200, 228},  {BlendMode::Overlay, 100, 200, 156},
        {BlendMode::Overlay, 200, 100, 189}, {BlendMode::Darken, 60, 70, 60},
        {BlendMode::Lighten, 60, 70, 70},    {BlendMode::Multiply, 255, 37, 37},
    };
    for (const Blend& b : blends) EXPECT_EQ(BlendChannel(b.mode, b.d, b.s), b.out) << int(b.mode);
}

TEST(VariationTest, TurnedHuesKeepEachColoursLightestAndDarkestChannel) {
    for (int32_t r = 0; r < 256; r += 17)
        for (int32_t g = 0; g < 256; g += 15)
            for (int32_t b = 0; b < 256; b += 51)
                for (int32_t shift : {-768, -5, 1, 333, 768}) {
                    int32_t c[3] = {r, g, b};
                    TurnHue(c, shift);
                    ASSERT_EQ(*std::max_element(c, c + 3), std::max({r, g, b})) << r << "," << g << "," << b;
                    ASSERT_EQ(*std::min_element(c, c + 3), std::min({r, g, b})) << r << "," << g << "," << b;
                }
}

ObjectChoice Two() {
    ObjectChoice c;
    c.widths = {20, 12};
    c.heights = {16, 24};
    c.cumulativeWeights = {3, 5};
    c.meanWidth = 16;
    c.meanHeight = 20;
    return c;
}

EffectParameters Settings(bool noOverlap) {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    p.density = 80;
    p.randomSeed = 31;
    p.randomRotation = 40;
    p.randomScale = 2;
    p.fadeWithDepth = 1;
    p.noOverlap = noOverlap;
    return SanitizedEffectParameters(p);
}

TEST(VariationTest, NoVariationMovesAcopyOrChangesAnotherOfTheSameCopy) {
    EffectVariation hue, all;
    hue.hueJitter = 120;
    all = {120, 60, 90, kFlipHorizontal | kFlipVertical, BlendMode::Overlay};
    EffectVariation opacityOnly, flipOnly;
    opacityOnly.opacityJitter = 90;
    flipOnly.flip = kFlipHorizontal | kFlipVertical;
    const auto select = [](const OrvRect&) { return true; };
    for (bool noOverlap : {false, true}) {
        const EffectParameters p = Settings(noOverlap);
        const OrvRect area{0, 0, 300, 200};
        const auto plain = BuildPlacements(p, Two(), area, true, select);
        const std::vector<Placement> lists[4] = {
            BuildPlacements(p, Two(), area, true, select, hue),
            BuildPlacements(p, Two(), area, true, select, all),
            BuildPlacements(p, Two(), area, true, select, opacityOnly),
            BuildPlacements(p, Two(), area, true, select, flipOnly),
        };
        ASSERT_GT(plain.size(), 50u);
        int32_t hueTurned = 0, flipped = 0, faded = 0;
        for (const auto& list : lists) {
            ASSERT_EQ(list.size(), plain.size());
            for (size_t i = 0; i < plain.size(); ++i) {
                ASSERT_EQ(list[i].objectIndex, plain[i].objectIndex) << i;
                ASSERT_EQ(list[i].bounds, plain[i].bounds) << i;
                ASSERT_EQ(std::memcmp(&list[i].transform, &plain[i].transform, sizeof(Matrix3)), 0) << i;
            }
        }
        for (size_t i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(lists[0][i].hueShift, lists[1][i].hueShift) << "other variations leave the hue";
            EXPECT_EQ(lists[1][i].opacity, lists[2][i].opacity);
            EXPECT_EQ(lists[1][i].flip, lists[3][i].flip);
            EXPECT_LE(std::abs(lists[0][i].hueShift), HueUnits(120));
            EXPECT_LE(std::abs(lists[1][i].brightness), 6000);
            EXPECT_LE(lists[2][i].opacity, plain[i].opacity);
            EXPECT_GE(lists[2][i].opacity, plain[i].opacity / 10);
            hueTurned += lists[0][i].hueShift != 0;
            flipped += lists[3][i].flip == (kFlipHorizontal | kFlipVertical);
            faded += lists[2][i].opacity < plain[i].opacity;
            EXPECT_EQ(plain[i].hueShift | plain[i].brightness | plain[i].flip, 0);
        }
        // Each axis with probability one half: about a quarter of the copies on both.
        EXPECT_GT(hueTurned, int32_t(plain.size()) * 9 / 10);
        EXPECT_GT(flipped, int32_t(plain.size()) / 6);
        EXPECT_LT(flipped, int32_t(plain.size()) / 3);
        EXPECT_GT(faded, int32_t(plain.size()) * 9 / 10);
    }
}

TEST(VariationTest, MirroredCopiesCoverTheSamePixelsReversed) {
    const auto object = Object(4, 3);
    for (uint8_t flip : {uint8_t(0), uint8_t(kFlipHorizontal), uint8_t(kFlipVertical), uint8_t(3)}) {
        for (bool quick : {false, true}) {
            std::vector<uint8_t> pixels(10 * 8 * 3, 7);
            Placement copy;
            copy.transform.AppendTranslation(2, 3);
            copy.transform.Invert();
            copy.flip = flip;
            DrawPlacement(PixelBuffer{pixels.data(), 10, 8, 3, 30, pixelKindHostRGB}, nullptr,
                          OrvRect{0, 0, 10, 8}, copy, *object, DrawSettings{false, quick, 50});
            for (int32_t y = 0; y < 8; ++y)
                for (int32_t x = 0; x < 10; ++x) {
                    const uint8_t* p = &pixels[size_t(y * 10 + x) * 3];
                    const bool inside = x >= 2 && x < 6 && y >= 3 && y < 6;
                    const int32_t ox = (flip & kFlipHorizontal) ? 3 - (x - 2) : x - 2;
                    const int32_t oy = (flip & kFlipVertical) ? 2 - (y - 3) : y - 3;
                    EXPECT_EQ(p[0], inside ? 10 + ox : 7) << int(flip) << quick << " " << x << "," << y;
                    EXPECT_EQ(p[1], inside ? 20 + oy : 7) << int(flip) << quick << " " << x << "," << y;
                }
        }
    }
}

TEST(VariationTest, ColourVariationsAndBlendModesKeepTheCoverage) {
    const EffectParameters p = Settings(false);
    const OrvRect area{0, 0, 120, 90};
    const auto select = [](const OrvRect&) { return true; };
    ObjectChoice one;
    one.widths = {6}, one.heights = {5}, one.cumulativeWeights = {1}, one.meanWidth = 6, one.meanHeight = 5;
    const auto object = Object(6, 5);
    const auto render = [&](const EffectVariation& v) {
        std::vector<uint8_t> pixels(120 * 90 * 4, 0);
        for (size_t i = 3; i < pixels.size(); i += 8) pixels[i] = 255;  // every other pixel opaque
        for (const Placement& copy : BuildPlacements(p, one, area, true, select, v))
            DrawPlacement(PixelBuffer{pixels.data(), 120, 90, 4, 480, pixelKindHostRGBA}, nullptr, area, copy,
                          *object, DrawSettings{false, false, 50, uint8_t(v.blend)});
        return pixels;
    };
    const std::vector<uint8_t> plain = render({});
    for (const EffectVariation& v :
         {EffectVariation{90, 0, 0, 0, BlendMode::Normal}, EffectVariation{0, 80, 0, 0, BlendMode::Normal},
          EffectVariation{0, 0, 0, 0, BlendMode::Screen},
          EffectVariation{180, 100, 0, 0, BlendMode::Multiply}}) {
        const std::vector<uint8_t> varied = render(v);
        size_t colourChanges = 0;
        for (size_t i = 0; i < plain.size(); ++i) {
            if (i % 4 == 3) {
                ASSERT_EQ(varied[i], plain[i]) << "alpha of pixel " << i / 4;
            } else {
                colourChanges += varied[i] != plain[i];
            }
        }
        EXPECT_GT(colourChanges, 500u) << v.hueJitter << " " << v.brightnessJitter << " " << int(v.blend);
    }
}

}  // namespace
