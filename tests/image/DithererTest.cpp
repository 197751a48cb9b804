#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/image/OrvDitherer.h"
#include "OrvLib/image/OrvImage2.h"

namespace {

class RecordingSink : public OrvProgressSink {
public:
    void Progress(int percent) override { reports.push_back(percent); }
    std::vector<int> reports;
};

OrvRgbQuad Quad(OrvColour c) {
    return OrvRgbQuad{uint8_t(OrvBlue(c)), uint8_t(OrvGreen(c)), uint8_t(OrvRed(c)), 0};
}

std::vector<unsigned> Indices(const OrvDIBBuffer& b) {
    std::vector<unsigned> all;
    for (int y = 0; y < b.AbsHeight(); ++y)
        for (int x = 0; x < b.Width(); ++x) all.push_back(ImageTest::Index(b, x, y));
    return all;
}

TEST(OrvDitherer, ErrorSharesAddUpForEveryError) {
    OrvPalette palette;
    palette.MakeDefault();
    OrvDitherer ditherer(palette);
    for (int e = -255; e <= 255; ++e) {
        OrvDitherer::Shares s = ditherer.SharesOf(e);
        ASSERT_EQ(s.e1 + s.e3 + s.e5 + s.e7, e) << e;
    }
    // Worked by hand from the definition; truncation toward zero matters for the negatives.
    const std::vector<std::vector<int>> worked{
        {16, 1, 3, 5, 7},    {-16, 0, -2, -5, -9},   {8, 1, 1, 3, 3},
        {-8, 0, -1, -2, -5}, {-7, 0, 0, -2, -5},     {1, 0, 0, 0, 1},
        {-1, 0, 0, 0, -1},   {255, 16, 48, 80, 111}, {-255, -15, -47, -79, -114}};
    for (const std::vector<int>& w : worked) {
        OrvDitherer::Shares s = ditherer.SharesOf(w[0]);
        EXPECT_EQ((std::vector<int>{w[0], s.e1, s.e3, s.e5, s.e7}), w);
    }
}

// Floyd-Steinberg written the obvious way: whole-picture error planes, stored row order,
// shares from the tables tested above.
std::vector<unsigned> Reference(const OrvDIBBuffer& source, OrvPalette& palette, const OrvDitherer& shares) {
    const int w = source.Width(), h = source.AbsHeight();
    std::vector<int> error(size_t(w + 2) * size_t(h + 1) * 3, 0);
    auto at = [&](int stored, int x, int c) -> int& {
        return error[(size_t(stored) * size_t(w + 2) + size_t(x + 1)) * 3 + size_t(c)];
    };
    std::vector<unsigned> out(size_t(w) * size_t(h));
    for (int stored = 0; stored < h; ++stored) {
        const int y = source.IsTopDown() ? stored : h - 1 - stored;
        const std::vector<uint32_t> row = ImageTest::Row(source, y);
        for (int x = 0; x < w; ++x) {
            int v[3] = {int(OrvRed(row[size_t(x)])), int(OrvGreen(row[size_t(x)])),
                        int(OrvBlue(row[size_t(x)]))};
            for (int c = 0; c < 3; ++c) v[c] = std::min(255, std::max(0, v[c] + at(stored, x, c)));
            const int index =
                palette
                    .GetInverseMap()[OrvPalette::InverseKey(unsigned(v[0]), unsigned(v[1]), unsigned(v[2]))];
            out[size_t(y) * size_t(w) + size_t(x)] = unsigned(index);
            const OrvColour chosen = palette.ColourAt(index);
            const int picked[3] = {int(OrvRed(chosen)), int(OrvGreen(chosen)), int(OrvBlue(chosen))};
            for (int c = 0; c < 3; ++c) {
                OrvDitherer::Shares s = shares.SharesOf(v[c] - picked[c]);
                at(stored, x + 1, c) += s.e7;
                at(stored + 1, x - 1, c) += s.e3;
                at(stored + 1, x, c) += s.e5;
                at(stored + 1, x + 1, c) += s.e1;
            }
        }
    }
    return out;
}

TEST(OrvDitherer, MatchesTheObviousVersionOnRandomPictures) {
    OrvImage2 holder;
    OrvImage2::OrvPalettePlus& palette = OrvImage2::SharedPalette();
    std::mt19937 random(11);
    for (int depth : {24, 32, 8}) {
        for (bool topDown : {true, false}) {
            OrvDIBBuffer source;
            source.Create(37, topDown ? -23 : 23, depth, &palette);
            for (int i = 0; i < source.ImageSize(); ++i) source.Bits()[i] = uint8_t(random());
            OrvDIBBuffer target;
            target.Create(37, topDown ? -23 : 23, 8, &palette);
            OrvDitherer ditherer(palette);
            ASSERT_TRUE(ditherer.Convert(source, target));
            EXPECT_EQ(Indices(target), Reference(source, palette, ditherer)) << depth << " " << topDown;
        }
    }
}

TEST(OrvDitherer, DiffusesRightAndDownInStoredRowOrder) {
    std::vector<OrvRgbQuad> entries{Quad(0), Quad(kOrvWhite)};
    OrvPalette palette(entries.data(), 2);
    for (bool topDown : {true, false}) {
        OrvDIBBuffer source;
        source.Create(2, topDown ? -2 : 2, 24, nullptr);
        for (int i = 0; i < 4; ++i) ImageTest::Put(source, i % 2, i / 2, OrvRGB(128, 128, 128));
        OrvDIBBuffer target;
        target.Create(2, topDown ? -2 : 2, 8, &palette);
        OrvDitherer ditherer(palette);
        ASSERT_TRUE(ditherer.Convert(source, target));
        // 128 -> white (-127: 58 right, 39 below, 7 below right); 70 -> black (+70: 31, 13
        // below left, 22 below); 102 -> black; 188 -> white. The first stored row is
        // dithered first, so a bottom-up picture starts at its bottom.
        EXPECT_EQ(Indices(target),
                  topDown ? (std::vector<unsigned>{1, 0, 0, 1}) : (std::vector<unsigned>{0, 1, 1, 0}));
    }
}

TEST(OrvDitherer, ExactColoursPassUnchangedAndMagentaIsNeverChosen) {
    OrvImage2 holder;  // makes the shared palette
    OrvImage2::OrvPalettePlus& palette = OrvImage2::SharedPalette();
    // Entries whose channels are multiples of 8 are their own inverse-map keys.
    std::vector<OrvColour> exact;
    for (int i = 0; i < 256; ++i)
        if ((palette.ColourAt(i) & 0x070707) == 0) exact.push_back(palette.ColourAt(i));
    ASSERT_GT(exact.size(), 100u);
    OrvDIBBuffer source;
    source.Create(256, -3, 32, nullptr);
    for (int x = 0; x < 256; ++x) {
        ImageTest::Put(source, x, 0, size_t(x) < exact.size() ? exact[size_t(x)] : 0);
        ImageTest::Put(source, x, 1, OrvRGB(255, x / 4, 255));  // near magenta everywhere
        ImageTest::Put(source, x, 2, OrvRGB(x, 255 - x, x / 2));
    }
    OrvDIBBuffer target;
    target.Create(256, -3, 8, &palette);
    OrvDitherer ditherer(palette);
    ASSERT_TRUE(ditherer.Convert(source, target));
    for (int x = 0; x < 256; ++x) {
        ASSERT_EQ(palette.ColourAt(int(ImageTest::Index(target, x, 0))), ImageTest::Row(source, 0)[size_t(x)])
            << x;
        ASSERT_NE(ImageTest::Index(target, x, 1), 253u);
        ASSERT_NE(ImageTest::Index(target, x, 2), 253u);
    }
}

TEST(OrvDitherer, ReportsProgressBeforeEachRow) {
    OrvPalette palette;
    palette.MakeGreyRamp();
    RecordingSink sink;
    OrvDitherer ditherer(palette, &sink);
    OrvDIBBuffer source, target;
    source.Create(3, -3, 8, &palette);
    target.Create(3, -3, 8, &palette);
    ASSERT_TRUE(ditherer.Convert(source.Info(), target.Info(), source.Bits(), target.Bits()));
    EXPECT_EQ(sink.reports, (std::vector<int>{0, 33, 66}));
}

TEST(OrvDitherer, RefusesRectanglesMismatchedSizesAndNonIndexedTargets) {
    OrvPalette palette;
    palette.MakeDefault();
    OrvDitherer ditherer(palette);
    OrvDIBBuffer source, target, wrongSize, wrongDepth;
    source.Create(4, 4, 24, nullptr);
    target.Create(4, 4, 8, &palette);
    wrongSize.Create(4, 3, 8, &palette);
    wrongDepth.Create(4, 4, 24, nullptr);
    OrvRect all{0, 0, 4, 4};
    EXPECT_FALSE(ditherer.Convert(source, target, &all, &all));
    EXPECT_FALSE(ditherer.Convert(source, wrongSize));
    EXPECT_FALSE(ditherer.Convert(source, wrongDepth));
    EXPECT_TRUE(ditherer.Convert(source, target));
}

}  // namespace
