#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvPalette.h"

namespace {

OrvRgbQuad Quad(OrvColour c) {
    return OrvRgbQuad{uint8_t(OrvBlue(c)), uint8_t(OrvGreen(c)), uint8_t(OrvRed(c)), 0};
}

OrvColour KeyColour(int key) {
    // The colour each 15-bit key stands for; the brightest stands for white.
    if (key == 32767) return OrvRGB(255, 255, 255);
    return OrvRGB((key & 31) * 8, (key >> 5 & 31) * 8, (key >> 10) * 8);
}

// A palette with duplicates and near-ties, so the later-entry rule is exercised.
std::vector<OrvRgbQuad> RandomEntries(unsigned seed, int n) {
    std::mt19937 random(seed);
    std::vector<OrvRgbQuad> entries;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && random() % 4 == 0)
            entries.push_back(entries[random() % entries.size()]);
        else
            entries.push_back(Quad(OrvRGB(random() % 32 * 8, random() % 32 * 8, random() % 32 * 8)));
    }
    return entries;
}

struct HeaderWithTable {
    OrvBitmapInfoHeader header{};
    OrvRgbQuad table[300]{};
};

TEST(OrvPalette, BuiltInPaletteNearestColours) {
    OrvPalette palette;
    palette.MakeDefault();
    ASSERT_TRUE(palette.IsValid());
    ASSERT_EQ(palette.GetCount(), 256);
    EXPECT_EQ(palette.Nearest(OrvRGB(0, 0, 0)), 0);
    EXPECT_EQ(palette.Nearest(OrvRGB(255, 0, 255)), 253);
    EXPECT_EQ(palette.Nearest(OrvRGB(254, 1, 254)), 253);
    EXPECT_EQ(palette.Nearest(OrvRGB(255, 255, 255)), 255);
    // Magenta occurs once, so excluding it falls back to F030F0.
    EXPECT_EQ(palette.IndexOf(kOrvMagenta), 253);
    EXPECT_EQ(palette.NearestExcept(kOrvMagenta, 253), 141);
    EXPECT_EQ(palette.NearestExcept(OrvPaletteIndex(253), 253), 141);
    EXPECT_EQ(palette.ColourAt(141), OrvRGB(0xF0, 0x30, 0xF0));
    // Entries are blue, green, red in memory: entry 1 is dark red.
    EXPECT_EQ(palette.GetColours()[1].rgbRed, 0x80);
    EXPECT_EQ(palette.GetColours()[1].rgbBlue, 0);
}

TEST(OrvPalette, LaterEntryWinsTiesAndIndexOfFindsTheFirst) {
    std::vector<OrvRgbQuad> entries(10, Quad(OrvRGB(0, 0, 255)));
    entries[3] = entries[7] = Quad(OrvRGB(255, 0, 0));
    OrvPalette palette(entries.data(), int(entries.size()));
    EXPECT_EQ(palette.Nearest(OrvRGB(255, 0, 0)), 7);
    EXPECT_EQ(palette.IndexOf(OrvRGB(255, 0, 0)), 3);
    EXPECT_EQ(palette.NearestExcept(OrvRGB(255, 0, 0), 7), 3);
    EXPECT_EQ(palette.IndexOf(OrvRGB(1, 2, 3)), -1);
    // A palette index is answered without a search.
    EXPECT_EQ(palette.Nearest(OrvPaletteIndex(5)), 5);
}

TEST(OrvPalette, EmptyAndOversizedPalettes) {
    OrvPalette empty;
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.GetColours(), nullptr);
    EXPECT_EQ(empty.Nearest(OrvRGB(1, 2, 3)), -1);
    EXPECT_EQ(empty.GetHandle(), nullptr);

    std::vector<OrvRgbQuad> many(257);
    OrvPalette tooMany(many.data(), 257);
    EXPECT_FALSE(tooMany.IsValid());
    EXPECT_EQ(tooMany.GetCount(), 0);
}

TEST(OrvPalette, ColourTableOfABitmapHeader) {
    HeaderWithTable h;
    h.header.biSize = 40;
    h.header.biBitCount = 8;
    for (int i = 0; i < 300; ++i) h.table[i] = Quad(OrvRGB(i & 0xFF, 0, 0));
    auto info = reinterpret_cast<const OrvBitmapInfo*>(&h);

    EXPECT_EQ(OrvPalette(info).GetCount(), 256);
    h.header.biClrUsed = 300;
    EXPECT_FALSE(OrvPalette(info).IsValid());
    h.header.biClrUsed = 12;
    OrvPalette twelve(info);
    EXPECT_EQ(twelve.GetCount(), 12);
    EXPECT_EQ(twelve.ColourAt(11), OrvRGB(11, 0, 0));

    h.header.biClrUsed = 0;
    h.header.biBitCount = 1;
    EXPECT_EQ(OrvPalette(info).GetCount(), 2);
    h.header.biBitCount = 4;
    EXPECT_EQ(OrvPalette(info).GetCount(), 16);
    h.header.biBitCount = 2;
    EXPECT_FALSE(OrvPalette(info).IsValid());
    h.header.biBitCount = 24;
    EXPECT_FALSE(OrvPalette(info).IsValid());
}

TEST(OrvPalette, GreyRampAndLogicalPalette) {
    OrvPalette grey;
    grey.MakeGreyRamp();
    ASSERT_EQ(grey.GetCount(), 256);
    EXPECT_EQ(grey.ColourAt(77), OrvRGB(77, 77, 77));
    EXPECT_EQ(grey.Nearest(OrvRGB(10, 13, 16)), 13);

    OrvPalette three(std::vector<OrvRgbQuad>{Quad(OrvRGB(1, 2, 3)), Quad(OrvRGB(4, 5, 6)), Quad(0)}.data(),
                     3);
    three.BuildLogPalette();
    const OrvLogPalette* log = three.GetLogPalette();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->palVersion, 0x300);
    EXPECT_EQ(log->palNumEntries, 3);
    EXPECT_EQ(log->palPalEntry[1].peRed, 4);
    EXPECT_EQ(log->palPalEntry[1].peGreen, 5);
    EXPECT_EQ(log->palPalEntry[1].peBlue, 6);
    EXPECT_EQ(log->palPalEntry[1].peFlags, 0);
}

TEST(OrvPalette, InverseMapAgreesWithNearestForEveryKey) {
    for (unsigned seed : {1u, 2u}) {
        std::vector<OrvRgbQuad> entries = RandomEntries(seed, seed == 1 ? 37 : 256);
        OrvPalette palette(entries.data(), int(entries.size()));
        const uint8_t* map = palette.GetInverseMap();
        for (int key = 0; key < OrvPalette::kInverseMapSize; ++key)
            ASSERT_EQ(map[key], palette.Nearest(KeyColour(key))) << "seed " << seed << " key " << key;
        for (int i = 0; i < palette.GetCount(); ++i)
            EXPECT_EQ(palette.GetRgb555()[i],
                      OrvPalette::InverseKey(entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue));
    }
}

TEST(OrvPalette, InverseMapExceptAgreesWithNearestExceptForEveryKey) {
    OrvPalette palette;
    palette.MakeDefault();
    palette.BuildInverseMapExcept(253);
    const uint8_t* map = palette.GetInverseMap();
    for (int key = 0; key < OrvPalette::kInverseMapSize; ++key) {
        ASSERT_EQ(map[key], palette.NearestExcept(KeyColour(key), 253)) << "key " << key;
        ASSERT_NE(map[key], 253);
    }
}

TEST(OrvPalette, BrightestKeyStandsForWhite) {
    // (248, 248, 248) is nearer to entry 0; pure white is nearer to entry 1.
    std::vector<OrvRgbQuad> entries{Quad(OrvRGB(246, 246, 246)), Quad(OrvRGB(253, 253, 253))};
    OrvPalette palette(entries.data(), 2);
    ASSERT_EQ(palette.Nearest(OrvRGB(248, 248, 248)), 0);
    EXPECT_EQ(palette.GetInverseMap()[32767], 1);

    OrvPalette builtIn;
    builtIn.MakeDefault();
    EXPECT_EQ(builtIn.GetInverseMap()[32767], 255);
    EXPECT_EQ(builtIn.GetInverseMap()[0], 0);
}

TEST(OrvPalette, SharedPaletteNeverAnswersMagenta) {
    OrvImage2 image;  // the first image makes the shared palette
    OrvImage2::OrvPalettePlus& shared = OrvImage2::SharedPalette();
    EXPECT_EQ(shared.GetCount(), 256);
    const uint8_t* map = shared.GetInverseMap();
    EXPECT_EQ(map[OrvPalette::InverseKey(255, 0, 255)], 141);
    for (int key = 0; key < OrvPalette::kInverseMapSize; ++key) ASSERT_NE(map[key], 253) << key;
}

}  // namespace
