// Every reader's real output (palettes at every depth, run-length data, 5-5-5 pixels,
// grey and colour JPEG, keyed and graded PNG transparency, 16-bit PNG) through object
// loading, the relief map and drawing, against the same picture handed over as 32-bit
// RGBA.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "product/engine/ObjectReader.h"
#include "product/engine/ObjectSet.h"
#include "product/engine/PlacementDrawing.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

std::string CorpusFile(const char* name) { return std::string(VARNEL_READER_CORPUS) + "/" + name; }

// The decoded picture as top-down blue-green-red-alpha: table colours for indices, the
// key's index transparent, 5-5-5 widened, alpha only where the picture has it.
void MakeRgbaTwin(const OrvImage2& decoded, OrvImage2& twin) {
    const int w = decoded.Width(), h = decoded.AbsHeight(), depth = decoded.BitCount();
    twin.Create(w, h, 32, nullptr);
    twin.SetHasAlpha(true);
    const OrvRgbQuad* table = decoded.Info()->bmiColors;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = decoded.RowAddress(y);
        uint8_t* out = twin.RowAddress(y);
        for (int x = 0; x < w; ++x, out += 4) {
            uint8_t b = 0, g = 0, r = 0, a = 255;
            if (depth <= 8) {
                const int perByte = 8 / depth;
                const unsigned index =
                    (row[x / perByte] >> ((perByte - 1 - x % perByte) * depth)) & ((1u << depth) - 1);
                b = table[index].rgbBlue, g = table[index].rgbGreen, r = table[index].rgbRed;
                if (decoded.HasTransparent() && index == decoded.GetTransparent()) a = 0;
            } else if (depth == 16) {
                const unsigned p = unsigned(row[2 * x] | row[2 * x + 1] << 8);
                b = uint8_t((p & 31) << 3), g = uint8_t((p >> 5 & 31) << 3), r = uint8_t((p >> 10 & 31) << 3);
            } else {
                const uint8_t* p = row + x * (depth / 8);
                b = p[0], g = p[1], r = p[2];
                if (depth == 32 && decoded.HasAlpha()) a = p[3];
            }
            out[0] = b, out[1] = g, out[2] = r, out[3] = a;
        }
    }
}

bool ReadTwin(const std::string& file, OrvImage2& image) {
    OrvImage2 decoded;
    if (!ReadObjectFile(file, decoded)) return false;
    MakeRgbaTwin(decoded, image);
    return true;
}

EffectParameters Record(const std::string& file, bool texture) {
    EffectParameters p = DefaultBlock();
    std::snprintf(p.path, sizeof p.path, "%s", file.c_str());
    p.applyAsTexture = texture;
    return p;
}

std::vector<uint8_t> Bytes(const OrvImage2& image) {
    std::vector<uint8_t> bytes;
    const size_t rowBytes = (size_t(image.Width()) * size_t(image.BitCount()) + 7) / 8;
    for (int y = 0; y < image.AbsHeight(); ++y)
        bytes.insert(bytes.end(), image.RowAddress(y), image.RowAddress(y) + rowBytes);
    return bytes;
}

// The object turned by 30 degrees and enlarged by 1.5 over a grey buffer.
std::vector<uint8_t> Drawn(const OrvImage2& object, bool texture) {
    std::vector<uint8_t> pixels(size_t(80) * 80 * 3, 120);
    Placement p;
    p.transform = Matrix3::Identity();
    p.transform.AppendScaling(1.5, 1.5);
    p.transform.AppendRotation(30.0);
    p.transform.AppendTranslation(30, 10);
    p.transform.Invert();
    DrawPlacement(PixelBuffer{pixels.data(), 80, 80, 3, 240, pixelKindHostRGB}, nullptr,
                  OrvRect{0, 0, 80, 80}, p, object, DrawSettings{texture, false, 70});
    return pixels;
}

TEST(DecodedObjects, EveryReaderDrawsLikeItsRgbaTwin) {
    const char* files[] = {"bmp_1bit.bmp",
                           "bmp_4bit.bmp",
                           "bmp_8bit.bmp",
                           "bmp_rle8.bmp",
                           "bmp_16bit.bmp",
                           "jpeg_grey.jpg",
                           "jpeg_colour.jpg",
                           "png_palette_4.png",
                           "png_palette_8.png",
                           "png_palette_trns_single.png",
                           "png_palette_trns_graded.png",
                           "png_grey_8_trns.png",
                           "png_greyalpha_8.png",
                           "png_rgb_16.png",
                           "png_rgba_16.png",
                           "png_rgb_trns.png"};
    for (const char* name : files) {
        for (bool texture : {false, true}) {
            ObjectSet real(&ReadObjectFile), twin(&ReadTwin);
            const EffectParameters p = Record(CorpusFile(name), texture);
            ASSERT_TRUE(real.Prepare(p, false)) << name;
            ASSERT_TRUE(twin.Prepare(p, false)) << name;
            const OrvImage2& a = *real.Objects()[0];
            const OrvImage2& b = *twin.Objects()[0];
            EXPECT_EQ(Bytes(a), Bytes(b)) << name << (texture ? " relief" : "");
            EXPECT_EQ(Drawn(a, texture), Drawn(b, texture)) << name << (texture ? " relief" : "");
        }
    }
}

TEST(DecodedObjects, KeyedPixelsOfAPalettePictureLeaveTheImageUnchanged) {
    OrvImage2 decoded;
    ASSERT_TRUE(ReadObjectFile(CorpusFile("png_palette_trns_single.png"), decoded));
    ASSERT_TRUE(decoded.HasTransparent());
    ObjectSet set(&ReadObjectFile);
    ASSERT_TRUE(set.Prepare(Record(CorpusFile("png_palette_trns_single.png"), false), false));
    const OrvImage2& object = *set.Objects()[0];
    const int w = object.Width(), h = object.AbsHeight();
    for (bool quick : {false, true}) {
        std::vector<uint8_t> pixels(size_t(w) * h * 3, 77);
        Placement at;  // one to one at the origin
        DrawPlacement(PixelBuffer{pixels.data(), w, h, 3, w * 3, pixelKindHostRGB}, nullptr,
                      OrvRect{0, 0, w, h}, at, object, DrawSettings{false, quick, 50});
        int keyed = 0, painted = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* px = &pixels[(size_t(y) * w + x) * 3];
                const bool unchanged = px[0] == 77 && px[1] == 77 && px[2] == 77;
                if (decoded.RowAddress(y)[x] == decoded.GetTransparent()) {
                    ++keyed;
                    EXPECT_TRUE(unchanged) << x << "," << y << " quick " << quick;
                } else {
                    painted += !unchanged;
                }
            }
        EXPECT_GT(keyed, 0);
        EXPECT_GT(painted, 0) << "the other pixels are drawn";
    }
}

}  // namespace
