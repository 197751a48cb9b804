// The drawing code behind the shipped pictures: exact enough maths, distances with the
// right sign, anti-aliased coverage, blending and bit-exact PNG output.
#include "BmpFile.h"
#include "Canvas.h"
#include "DetMath.h"
#include "Library.h"
#include "Noise.h"
#include "PngFile.h"
#include "Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace Art;

TEST(ArtworkMath, AgreesWithTheLibraryFunctions) {
    for (double x = -40.0; x <= 40.0; x += 0.0137) {
        EXPECT_NEAR(Sin(x), std::sin(x), 1e-14) << x;
        EXPECT_NEAR(Cos(x), std::cos(x), 1e-14) << x;
        EXPECT_NEAR(Exp(x * 0.5) / std::exp(x * 0.5), 1.0, 1e-14) << x;
        EXPECT_NEAR(Atan2(x, 3.0 - x * 0.4), std::atan2(x, 3.0 - x * 0.4), 1e-14) << x;
    }
    for (double x = 1e-6; x < 1e6; x *= 1.37) {
        EXPECT_NEAR(Log(x), std::log(x), 1e-13) << x;
        EXPECT_NEAR(Pow(x, 0.7) / std::pow(x, 0.7), 1.0, 1e-13) << x;
    }
}

TEST(ArtworkMath, HandlesTheEdgesOfItsDomains) {
    EXPECT_EQ(Exp(-800.0), 0.0);
    EXPECT_EQ(Pow(0.0, 2.0), 0.0);
    EXPECT_NEAR(Atan2(0.0, -1.0), kPi, 1e-15);
    EXPECT_NEAR(Atan2(-1.0, 0.0), -kPi / 2.0, 1e-15);
    EXPECT_NEAR(Atan2(1.0, 1.0), kPi / 4.0, 1e-15);
    EXPECT_EQ(Atan2(0.0, 0.0), 0.0);
    EXPECT_NEAR(Sin(kPi), 0.0, 1e-15);
    EXPECT_NEAR(Cos(-kPi / 2.0), 0.0, 1e-15);
}

TEST(ArtworkNoise, IsRepeatableAndStaysInRange) {
    Random a(7), b(7), c(8);
    for (int i = 0; i < 100; ++i) {
        const uint64_t va = a.Next();
        EXPECT_EQ(va, b.Next());
        EXPECT_NE(va, c.Next());
    }
    for (double y = -3.0; y < 3.0; y += 0.37) {
        for (double x = -3.0; x < 3.0; x += 0.29) {
            const double v = Fractal(x, y, 5u, 4);
            EXPECT_GE(v, 0.0);
            EXPECT_LT(v, 1.0);
            // Smooth: a small step moves the value a little.
            EXPECT_LT(std::fabs(ValueNoise(x + 0.001, y, 5u) - ValueNoise(x, y, 5u)), 0.01);
        }
    }
}

TEST(ArtworkShapes, MeasureSignedDistances) {
    const ShapeRef circle = Circle({10.0, 10.0}, 4.0);
    EXPECT_DOUBLE_EQ(circle->Distance({10.0, 10.0}), -4.0);
    EXPECT_DOUBLE_EQ(circle->Distance({17.0, 10.0}), 3.0);

    const ShapeRef square = Polygon({{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}});
    EXPECT_DOUBLE_EQ(square->Distance({5.0, 2.0}), -2.0);
    EXPECT_DOUBLE_EQ(square->Distance({13.0, 14.0}), 5.0);  // to the corner
    EXPECT_DOUBLE_EQ(square->Distance({5.0, -1.5}), 1.5);

    // An inner contour is a hole.
    const ShapeRef frame = Polygons({{{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}},
                                     {{3.0, 3.0}, {7.0, 3.0}, {7.0, 7.0}, {3.0, 7.0}}});
    EXPECT_DOUBLE_EQ(frame->Distance({5.0, 5.0}), 2.0);
    EXPECT_DOUBLE_EQ(frame->Distance({1.5, 5.0}), -1.5);
}

TEST(ArtworkShapes, StrokesTaperAndCombine) {
    const ShapeRef line = Stroke({{0.0, 0.0}, {10.0, 0.0}}, 4.0, 2.0);
    EXPECT_DOUBLE_EQ(line->Distance({0.0, 0.0}), -2.0);
    EXPECT_DOUBLE_EQ(line->Distance({5.0, 0.0}), -1.5);
    EXPECT_DOUBLE_EQ(line->Distance({10.0, 3.0}), 2.0);

    const ShapeRef a = Circle({0.0, 0.0}, 5.0), b = Circle({6.0, 0.0}, 5.0);
    EXPECT_LT(Union(a, b)->Distance({-4.0, 0.0}), 0.0);
    EXPECT_GT(Intersect(a, b)->Distance({-4.0, 0.0}), 0.0);
    EXPECT_LT(Intersect(a, b)->Distance({3.0, 0.0}), 0.0);
    EXPECT_GT(Subtract(a, b)->Distance({3.0, 0.0}), 0.0);
    EXPECT_LT(Subtract(a, b)->Distance({-3.0, 0.0}), 0.0);
    EXPECT_DOUBLE_EQ(Offset(a, 2.0)->Distance({6.0, 0.0}), -1.0);
    EXPECT_DOUBLE_EQ(Outline(a, 1.0)->Distance({0.0, 0.0}), 4.0);
    EXPECT_DOUBLE_EQ(Outline(a, 1.0)->Distance({5.5, 0.0}), -0.5);
}

TEST(ArtworkShapes, MoveTurnAndScaleWithTheirDistances) {
    const ShapeRef unit = Circle({0.0, 0.0}, 1.0);
    const ShapeRef placed = Transformed(unit, Affine::Place({20.0, 10.0}, 3.0, 0.7));
    EXPECT_NEAR(placed->Distance({20.0, 10.0}), -3.0, 1e-12);
    EXPECT_NEAR(placed->Distance({20.0, 15.0}), 2.0, 1e-12);
    const Box b = placed->Bounds();
    EXPECT_LE(b.x0, 17.0);
    EXPECT_GE(b.x1, 23.0);
}

TEST(ArtworkCanvas, CoverageFollowsTheEdge) {
    Canvas canvas(4, 1);
    // The edge runs down the middle of pixel 1.
    canvas.Fill(Polygon({{-1.0, -1.0}, {1.5, -1.0}, {1.5, 2.0}, {-1.0, 2.0}}), Solid(Hex(0xFF0000)));
    EXPECT_DOUBLE_EQ(canvas.At(0, 0).a, 1.0);
    EXPECT_NEAR(canvas.At(1, 0).a, 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(canvas.At(2, 0).a, 0.0);
    EXPECT_NEAR(canvas.StraightAt(1, 0).r, 1.0, 1e-12) << "partial coverage keeps the colour";
}

TEST(ArtworkCanvas, BlendsAsEachModeSays) {
    const ShapeRef everything = Polygon({{-1.0, -1.0}, {3.0, -1.0}, {3.0, 3.0}, {-1.0, 3.0}});
    Canvas canvas(2, 2);
    canvas.Fill(Circle({0.5, 0.5}, 0.2), Solid(Hex(0x0000FF)), Blend::Over, 1.0);
    const double blueAlpha = canvas.At(0, 0).a;
    ASSERT_GT(blueAlpha, 0.0);
    ASSERT_EQ(canvas.At(1, 1).a, 0.0);

    // Atop colours only what is there and keeps its alpha.
    canvas.Fill(everything, Solid(Hex(0xFF0000)), Blend::Atop);
    EXPECT_DOUBLE_EQ(canvas.At(0, 0).a, blueAlpha);
    EXPECT_NEAR(canvas.StraightAt(0, 0).r, 1.0, 1e-12);
    EXPECT_EQ(canvas.At(1, 1).a, 0.0);

    // Behind fills the empty pixels and leaves the solid ones.
    canvas.Fill(everything, Solid(Hex(0x00FF00)), Blend::Behind);
    EXPECT_DOUBLE_EQ(canvas.At(1, 1).a, 1.0);
    EXPECT_NEAR(canvas.StraightAt(1, 1).g, 1.0, 1e-12);

    // Light adds up but never beyond what the alpha can carry.
    Canvas light(1, 1);
    for (int i = 0; i < 3; ++i) light.Fill(everything, Solid(Hex(0xFFFFFF, 0.6)), Blend::Add);
    EXPECT_LE(light.At(0, 0).r, light.At(0, 0).a);
    EXPECT_GT(light.At(0, 0).a, 0.9);

    light.Fill(everything, Solid(Hex(0x000000, 0.5)), Blend::Erase);
    EXPECT_NEAR(light.At(0, 0).a, 0.5 * (1.0 - 0.4 * 0.4 * 0.4), 1e-12);
}

TEST(ArtworkCanvas, WritesStraightBytesWithCleanTransparency) {
    Canvas canvas(3, 1);
    canvas.At(0, 0) = {0.25, 0.1, 0.05, 0.5};        // straight 0.5, 0.2, 0.1
    canvas.At(1, 0) = {0.001, 0.001, 0.001, 0.001};  // rounds to alpha 0
    canvas.At(2, 0) = {1.0, 1.0, 1.0, 1.0};
    const auto bytes = canvas.ToRgba8();
    const std::vector<uint8_t> expected = {128, 51, 26, 128, 0, 0, 0, 0, 255, 255, 255, 255};
    EXPECT_EQ(bytes, expected);
}

TEST(ArtworkCanvas, DrawingThroughAMapKeepsFlatColours) {
    Canvas source(8, 8);
    source.FillAll(Solid(Hex(0x336699)));
    Canvas target(20, 20);
    target.Draw(source, Affine::Place({10.0, 10.0}, 1.5, 0.3).After(Affine::Translate({-4.0, -4.0})));
    const Colour centre = target.StraightAt(10, 10);
    EXPECT_NEAR(centre.a, 1.0, 1e-9);
    EXPECT_NEAR(centre.r, 0x33 / 255.0, 1e-9);
    EXPECT_NEAR(centre.b, 0x99 / 255.0, 1e-9);
    EXPECT_EQ(target.At(0, 0).a, 0.0);
    // Much smaller: still the same colour, with soft edges.
    Canvas small(6, 6);
    small.Draw(source, Affine::Place({3.0, 3.0}, 0.25, 0.0).After(Affine::Translate({-4.0, -4.0})));
    EXPECT_NEAR(small.StraightAt(3, 3).g, 0x66 / 255.0, 1e-9);
}

TEST(ArtworkPng, RoundTripsExactlyAndRepeatsItsBytes) {
    RgbaImage image{5, 3, {}};
    for (int i = 0; i < 5 * 3 * 4; ++i) image.pixels.push_back(static_cast<uint8_t>(i * 37 + 11));
    const auto dir = std::filesystem::temp_directory_path();
    const std::string first = (dir / "varnel_png_a.png").string(),
                      second = (dir / "varnel_png_b.png").string();
    ASSERT_TRUE(WritePng(first, image));
    ASSERT_TRUE(WritePng(second, image));
    RgbaImage back;
    ASSERT_TRUE(ReadPng(first, back));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, image.pixels);
    const auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(bytes(first), bytes(second));
    EXPECT_FALSE(ReadPng((dir / "varnel_png_missing.png").string(), back));
    std::remove(first.c_str());
    std::remove(second.c_str());
}

TEST(ArtworkThumbnail, ShowsTheFirstPictureOnTop) {
    const auto solid = [](int w, int h, uint32_t rgb) {
        Canvas c(w, h);
        c.FillAll(Solid(Hex(rgb)));
        c.Fill(
            Outline(Polygon({{0.0, 0.0}, {double(w), 0.0}, {double(w), double(h)}, {0.0, double(h)}}), 3.0),
            Solid(Hex(0)), Blend::Erase);
        return c;
    };
    const std::vector<FolderImage> images = {{"red_3", solid(40, 40, 0xFF0000)},
                                             {"blue_1", solid(100, 60, 0x0000FF)}};
    const Canvas thumbnail = ComposeThumbnail(images);
    EXPECT_EQ(thumbnail.Width(), 64);
    EXPECT_EQ(thumbnail.Height(), 64);
    // Between the two slots' centres both pictures overlap; the first one wins.
    const Colour middle = thumbnail.StraightAt(32, 32);
    EXPECT_GT(middle.r, 0.9);
    EXPECT_LT(middle.b, 0.1);
    EXPECT_EQ(thumbnail.At(0, 63).a, 0.0);
}

TEST(ArtworkLibrary, FilesPresetsUnderTheLibraryFolder) {
    Library library;
    library.AddSingle("Cat", "One", Canvas(24, 24));
    library.AddFolder("Cat", "Set", {{"a_2", Canvas(24, 24)}, {"b_1", Canvas(30, 24)}});
    std::vector<std::string> paths;
    for (const Picture& p : library.Pictures()) paths.push_back(p.path);
    const std::vector<std::string> expected = {"Varnel/Cat/One.png", "Varnel/Cat/Set/a_2.png",
                                               "Varnel/Cat/Set/b_1.png", "Varnel/Cat/Set/Thumbnail.png"};
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(library.Find("Varnel/Cat/Set/b_1.png").Width(), 30);
    EXPECT_THROW(library.Find("Varnel/Cat/None.png"), std::runtime_error);
}

TEST(ArtworkBitmaps, AreBottomUpWithPaddedRowsAndTheStandardPalette) {
    // 3 x 2: top row red, green, white; bottom row navy, grey 128, a colour between palette entries.
    RgbaImage image{3, 2, {255, 0, 0,   255, 0,   255, 0,   255, 255, 255, 255, 255,  //
                           0,   0, 128, 255, 128, 128, 128, 255, 250, 10,  10,  255}};
    const auto u32 = [](const std::vector<uint8_t>& b, size_t at) {
        return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
               uint32_t(b[at + 3]) << 24;
    };
    const std::vector<uint8_t> rgb = EncodeBmp(image, BmpDepth::Bits24);
    ASSERT_EQ(rgb.size(), 54u + 2 * 12);  // 9 bytes a row, padded to 12
    EXPECT_EQ(u32(rgb, 2), rgb.size());
    EXPECT_EQ(u32(rgb, 10), 54u);
    EXPECT_EQ(u32(rgb, 22), 2u);  // positive height: the last row comes first
    EXPECT_EQ(rgb[28], 24);
    const std::vector<uint8_t> bottomFirst = {128, 0, 0,   128, 128, 128, 10,  10,  250, 0, 0, 0,
                                              0,   0, 255, 0,   255, 0,   255, 255, 255, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(rgb.begin() + 54, rgb.end()), bottomFirst);

    const std::vector<uint8_t> nibbles = EncodeBmp(image, BmpDepth::Bits4);
    ASSERT_EQ(nibbles.size(), 54u + 64 + 2 * 4);
    EXPECT_EQ(u32(nibbles, 10), 54u + 64);
    EXPECT_EQ(nibbles[28], 4);
    EXPECT_EQ(u32(nibbles, 46), 16u);
    EXPECT_EQ(u32(nibbles, 54 + 7 * 4), 0xC0C0C0u);  // palette entries are blue, green, red, 0
    // Navy 4, grey 8, the off colour nearest to red 9; then red 9, green 10, white 15.
    const std::vector<uint8_t> indices = {0x48, 0x90, 0, 0, 0x9A, 0xF0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(nibbles.begin() + 54 + 64, nibbles.end()), indices);
}

TEST(ArtworkPng, OpaquePicturesCanBeStoredWithoutAlpha) {
    const std::string path = (std::filesystem::temp_directory_path() / "varnel_rgb.png").string();
    RgbaImage image{2, 1, {10, 20, 30, 255, 40, 50, 60, 255}};
    ASSERT_TRUE(WritePng(path, image, false));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes[25], 2);  // colour type RGB
    RgbaImage back;
    ASSERT_TRUE(ReadPng(path, back));
    EXPECT_EQ(back.pixels, image.pixels);
    std::remove(path.c_str());
}

}  // namespace

namespace {

// Mean of the absolute differences from a plain colour over a range of columns.
double Busyness(const Art::Canvas& strip, uint32_t plain, int x0, int x1) {
    const Art::Colour face = Art::Hex(plain);
    double sum = 0.0;
    int count = 0;
    for (int y = 3; y < strip.Height() - 3; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Art::Colour c = strip.StraightAt(x, y);
            sum += std::fabs(c.r - face.r) + std::fabs(c.g - face.g) + std::fabs(c.b - face.b);
            ++count;
        }
    }
    return sum / count;
}

TEST(ArtworkPages, StripsGrowBusierFromLeftToRightAndEveryPictureIsOpaque) {
    Art::Library library;
    Art::AddPageArtwork(library);
    const Art::Canvas density = library.Find("dialog/DensityStrip.bmp");
    const Art::Canvas texture = library.Find("dialog/TextureStrip.bmp");
    // Each against the colour of its band, sampled where it is plainest.
    for (const Art::Canvas* strip : {&density, &texture}) {
        EXPECT_EQ(strip->Width(), 104);
        EXPECT_EQ(strip->Height(), 14);
        const Art::Colour c = strip->StraightAt(3, 7);
        const uint32_t plain = uint32_t(std::lround(c.r * 255)) << 16 |
                               uint32_t(std::lround(c.g * 255)) << 8 | uint32_t(std::lround(c.b * 255));
        const double left = Busyness(*strip, plain, 3, 30), right = Busyness(*strip, plain, 74, 101);
        EXPECT_GT(right, 2.0 * left);
    }
    for (const char* glass : {"dialog/GlassEmpty.bmp", "dialog/GlassFull.bmp"}) {
        const Art::Canvas canvas = library.Find(glass);
        EXPECT_EQ(canvas.Width(), 16);
        EXPECT_EQ(canvas.Height(), 16);
    }
    for (const Art::Picture& picture : library.Pictures())
        for (size_t i = 3; i < picture.image.pixels.size(); i += 4) ASSERT_EQ(picture.image.pixels[i], 255);
    // The full glass is darker than the empty one: more of it is the liquid.
    EXPECT_LT(Busyness(library.Find("dialog/GlassEmpty.bmp"), 0xC9CECF, 4, 12),
              Busyness(library.Find("dialog/GlassFull.bmp"), 0xC9CECF, 4, 12));
}

}  // namespace
