// Drawing one copy into a buffer: tiny exact scenes for the geometry and the blending
// rules of every sampler.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "product/engine/PlacementDrawing.h"
#include "tests/engine/TestObjects.h"

namespace {

struct Buffer {
    int32_t w, h, bytes;
    std::vector<uint8_t> pixels;
    Buffer(int32_t width, int32_t height, int32_t b, uint8_t fill = 0)
        : w(width), h(height), bytes(b), pixels(size_t(width) * height * b, fill) {}
    PixelBuffer View(int32_t kind) { return PixelBuffer{pixels.data(), w, h, bytes, w * bytes, kind}; }
    uint8_t* At(int32_t x, int32_t y) { return &pixels[(size_t(y) * w + x) * bytes]; }
};

using Image = std::unique_ptr<OrvImage2>;

Image Relief(int32_t w, int32_t h, uint8_t value) {
    Image image = std::make_unique<OrvImage2>();
    OrvPalette grey;
    grey.MakeGreyRamp();
    image->Create(w, h, 8, &grey);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) image->RowAddress(y)[x] = value;
    return image;
}

// A copy placed at (x, y) at scale k: image -> object.
Placement At(double x, double y, double k = 1.0, int32_t opacity = 255) {
    Placement p;
    p.transform = Matrix3::Identity();
    p.transform.AppendScaling(k, k);
    p.transform.AppendTranslation(x, y);
    p.transform.Invert();
    p.opacity = opacity;
    return p;
}

TEST(DrawingTest, OpaqueCopyOverwritesExactlyItsPixels) {
    for (bool quick : {true, false}) {
        Buffer dest(10, 10, 3, 7);
        const Image object = Object(4, 4);
        DrawPlacement(dest.View(pixelKindHostRGB), nullptr, OrvRect{0, 0, 10, 10}, At(2, 3), *object,
                      DrawSettings{false, quick, 50});
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 10; ++x) {
                const bool inside = x >= 2 && x < 6 && y >= 3 && y < 7;
                const uint8_t* p = dest.At(x, y);
                if (inside) {
                    EXPECT_EQ(p[0], 10 + x - 2) << quick << " " << x << "," << y;
                    EXPECT_EQ(p[1], 20 + y - 3);
                    EXPECT_EQ(p[2], 30);
                } else {
                    EXPECT_EQ(p[0], 7) << quick << " " << x << "," << y;
                }
            }
    }
}

TEST(DrawingTest, ReducedBufferShowsTheSameCopyAtItsScale) {
    // The same copy in a buffer showing a 20 x 20 area at half size.
    Buffer dest(10, 10, 3, 0);
    const Image object = Object(4, 4);
    DrawPlacement(dest.View(pixelKindProxyBGR), nullptr, OrvRect{0, 0, 20, 20}, At(4, 6), *object,
                  DrawSettings{false, true, 50});
    int32_t changed = 0;
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x) changed += dest.At(x, y)[2] != 0;
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(dest.At(2, 3)[2], 30);
    EXPECT_EQ(dest.At(3, 4)[2], 30);
}

TEST(DrawingTest, BlendingRules) {
    const Image whiteImage = Object(2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            std::fill(whiteImage->RowAddress(y) + x * 4, whiteImage->RowAddress(y) + x * 4 + 3, 255);
    const OrvImage2& white = *whiteImage;
    // Opacity 254 over black: 254.
    Buffer three(2, 2, 3, 0);
    DrawPlacement(three.View(pixelKindHostRGB), nullptr, OrvRect{0, 0, 2, 2}, At(0, 0, 1.0, 254), white,
                  DrawSettings{false, true, 50});
    EXPECT_EQ(three.At(1, 1)[0], 254);
    // A transparent four-byte pixel takes the colour exactly and transparency m.
    Buffer four(2, 2, 4, 0);
    DrawPlacement(four.View(pixelKindHostRGBA), nullptr, OrvRect{0, 0, 2, 2}, At(0, 0, 1.0, 100), white,
                  DrawSettings{false, true, 50});
    EXPECT_EQ(four.At(0, 0)[0], 255);
    EXPECT_EQ(four.At(0, 0)[3], 100);
    // Opaque at full opacity sets transparency to 255.
    Buffer full(2, 2, 4, 9);
    DrawPlacement(full.View(pixelKindProxyBGRA), nullptr, OrvRect{0, 0, 2, 2}, At(0, 0), white,
                  DrawSettings{false, true, 50});
    EXPECT_EQ(full.At(1, 0)[3], 255);
    // A half-selected mask halves the opacity: m = 255 * 255 * 128 / 65025 = 128.
    Buffer masked(2, 2, 3, 0);
    Buffer mask(2, 2, 1, 128);
    const PixelBuffer maskView = mask.View(pixelKindMask);
    DrawPlacement(masked.View(pixelKindHostRGB), &maskView, OrvRect{0, 0, 2, 2}, At(0, 0), white,
                  DrawSettings{false, true, 50});
    EXPECT_EQ(masked.At(0, 1)[1], 128);
}

TEST(DrawingTest, ReliefLightensAndDarkens) {
    struct Case {
        uint8_t relief;
        int32_t amount;
        int expected;
    };
    for (const Case& c : {Case{128, 100, 100}, Case{255, 100, 227}, Case{0, 100, 0}, Case{255, 50, 163}}) {
        for (bool quick : {true, false}) {
            Buffer dest(3, 3, 4, 100);
            dest.At(1, 1)[3] = 17;
            DrawPlacement(dest.View(pixelKindHostRGBA), nullptr, OrvRect{0, 0, 3, 3}, At(0, 0),
                          *Relief(3, 3, c.relief), DrawSettings{true, quick, c.amount});
            EXPECT_EQ(dest.At(1, 1)[0], c.expected) << int(c.relief) << " quick " << quick;
            EXPECT_EQ(dest.At(1, 1)[3], 17) << "transparency is never touched";
        }
    }
}

TEST(DrawingTest, QuickPreviewIgnoresDesaturation) {
    const Image redImage = Object(3, 3);
    const OrvImage2& red = *redImage;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = red.RowAddress(y) + x * 4;
            p[0] = 0, p[1] = 0, p[2] = 240;
        }
    Placement copy = At(0, 0);
    copy.desaturation = 255;
    Buffer quick(3, 3, 3, 0), full(3, 3, 3, 0);
    DrawPlacement(quick.View(pixelKindProxyBGR), nullptr, OrvRect{0, 0, 3, 3}, copy, red,
                  DrawSettings{false, true, 50});
    DrawPlacement(full.View(pixelKindProxyBGR), nullptr, OrvRect{0, 0, 3, 3}, copy, red,
                  DrawSettings{false, false, 50});
    EXPECT_EQ(quick.At(1, 1)[2], 240);
    EXPECT_EQ(full.At(1, 1)[2], 80) << "fully grey";
    EXPECT_EQ(full.At(1, 1)[0], 80);
}

TEST(DrawingTest, MissedSamplesLeavePixelsAloneAndEmptyBuffersAreSafe) {
    // A copy far outside the area changes nothing.
    Buffer dest(4, 4, 3, 5);
    DrawPlacement(dest.View(pixelKindHostRGB), nullptr, OrvRect{0, 0, 4, 4}, At(100, 100), *Object(4, 4),
                  DrawSettings{false, false, 50});
    for (uint8_t v : dest.pixels) EXPECT_EQ(v, 5);
    // Buffers without rows or columns: nothing written, no division by their size.
    for (bool quick : {false, true}) {
        Buffer row(263, 1, 3, 5);
        DrawPlacement(PixelBuffer{row.pixels.data(), 263, 0, 3, 263 * 3, pixelKindHostRGB}, nullptr,
                      OrvRect{0, 0, 263, 1}, At(0, 0), *Object(4, 4), DrawSettings{false, quick, 50});
        DrawPlacement(PixelBuffer{row.pixels.data(), 0, 1, 3, 263 * 3, pixelKindHostRGB}, nullptr,
                      OrvRect{0, 0, 263, 1}, At(0, 0), *Object(4, 4), DrawSettings{false, quick, 50});
        EXPECT_EQ(row.pixels, std::vector<uint8_t>(263 * 3, 5)) << quick;
    }
    // A transparent object draws nothing in the four-sample sampler.
    Buffer clear(4, 4, 3, 5);
    DrawPlacement(clear.View(pixelKindHostRGB), nullptr, OrvRect{0, 0, 4, 4}, At(0, 0), *Object(4, 4, 0),
                  DrawSettings{false, false, 50});
    for (uint8_t v : clear.pixels) EXPECT_EQ(v, 5);
}

}  // namespace
