// The property list bytes, read back the way hosts read them.
#include <gtest/gtest.h>

#include <vector>

#include "OrvLib/plugin/Pipl.h"
#include "host/PiplReader.h"
#include "product/resources/VarnelPipl.h"

namespace {

TEST(PiplTest, KnownGoodListIsReproducedByteForByte) {
    // A list that real hosts accept: "Demo Filter" for RGB and grey, cases 4 and 5 unsupported.
    PiplDescription d;
    d.name = "Demo Filter";
    d.category = "Demo";
    d.entryPoint = "PluginMain";
    d.modeFlags = {0x50, 0x00};
    d.enableExpression = "in (PSHOP_ImageMode, RGBMode, GrayScaleMode)";
    for (int i : {0, 1, 2, 5, 6}) d.cases[i] = PiplFilterCase{1, 1, 0, 0};
    const std::vector<uint8_t> expected = {
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x4d, 0x49, 0x42, 0x38, 0x64, 0x6e, 0x69,
        0x6b, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x4d, 0x46, 0x42, 0x38, 0x4d, 0x49, 0x42, 0x38,
        0x65, 0x6d, 0x61, 0x6e, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x00, 0x00, 0x00, 0x0b, 'D',  'e',  'm',  'o',
        ' ',  'F',  'i',  'l',  't',  'e',  'r',  0x4d, 0x49, 0x42, 0x38, 0x67, 0x74, 0x61, 0x63, 0x00, 0x00,
        0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x04, 'D',  'e',  'm',  'o',  0x00, 0x00, 0x00, 0x4d, 0x49, 0x42,
        0x38, 0x73, 0x72, 0x65, 0x76, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00,
        0x4d, 0x49, 0x42, 0x38, 0x36, 0x38, 0x78, 0x77, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x00, 0x00, 0x00, 'P',
        'l',  'u',  'g',  'i',  'n',  'M',  'a',  'i',  'n',  0x00, 0x00, 0x4d, 0x49, 0x42, 0x38, 0x65, 0x64,
        0x6f, 0x6d, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x50, 0x00, 0x00, 0x00, 0x4d, 0x49, 0x42,
        0x38, 0x6c, 0x62, 0x6e, 0x65, 0x00, 0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 'i',  'n',  ' ',  '(',
        'P',  'S',  'H',  'O',  'P',  '_',  'I',  'm',  'a',  'g',  'e',  'M',  'o',  'd',  'e',  ',',  ' ',
        'R',  'G',  'B',  'M',  'o',  'd',  'e',  ',',  ' ',  'G',  'r',  'a',  'y',  'S',  'c',  'a',  'l',
        'e',  'M',  'o',  'd',  'e',  ')',  0x00, 0x00, 0x00, 0x00, 0x4d, 0x49, 0x42, 0x38, 0x69, 0x63, 0x69,
        0x66, 0x00, 0x00, 0x00, 0x00, 0x1c, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
        0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
        0x01, 0x00, 0x00};
    ASSERT_EQ(expected.size(), 258u);
    EXPECT_EQ(BuildPipl(d), expected);
}

TEST(PiplTest, VarnelListReadsBackAsAHostSeesIt) {
    for (bool x64 : {false, true}) {
        SCOPED_TRACE(x64 ? "x64" : "x86");
        const std::vector<uint8_t> bytes = BuildPipl(VarnelPiplDescription(x64));
        VarnHost::PiplInfo info;
        ASSERT_TRUE(VarnHost::ReadPipl(bytes.data(), bytes.size(), info));
        ASSERT_EQ(info.properties.size(), 8u);
        for (const VarnHost::PiplProperty& p : info.properties) {
            EXPECT_EQ(p.vendor, PiplCode("8BIM"));
            EXPECT_EQ(p.storedLength % 4, 0u);
        }
        EXPECT_TRUE(info.IsFilter());
        EXPECT_TRUE(info.VersionAccepted());
        EXPECT_EQ(info.CountedString(PiplCode("name")), "Varnel...");
        EXPECT_EQ(info.CountedString(PiplCode("catg")), "creativity");
        EXPECT_EQ(info.EntryPoint(x64), "PluginMain");
        EXPECT_EQ(info.EntryPoint(!x64), "") << "each build names only its own entry key";
        ASSERT_NE(info.Find(PiplCode("mode")), nullptr);
        EXPECT_EQ(info.Find(PiplCode("mode"))->data, (std::vector<uint8_t>{0x10, 0, 0, 0}));
        const std::string enable = "in (PSHOP_ImageMode, RGBMode)";
        std::vector<uint8_t> enbl(enable.begin(), enable.end());
        enbl.resize(32, 0);
        EXPECT_EQ(info.Find(PiplCode("enbl"))->data, enbl);
        const std::vector<uint8_t> fici = {1, 1, 6, 0, 1,  1, 14, 0, 1, 1, 14, 0, 1,  1,
                                           6, 0, 1, 1, 14, 0, 1,  1, 6, 0, 1,  1, 14, 0};
        EXPECT_EQ(info.Find(PiplCode("fici"))->data, fici);
    }
}

TEST(PiplTest, ReaderRefusesWhatHostsRefuse) {
    const std::vector<uint8_t> good = BuildPipl(VarnelPiplDescription(false));
    VarnHost::PiplInfo info;
    std::vector<uint8_t> bad = good;
    bad[2] = 1;  // version must be 0
    EXPECT_FALSE(VarnHost::ReadPipl(bad.data(), bad.size(), info));
    bad = good;
    bad[6] = 9;  // more properties than present
    EXPECT_FALSE(VarnHost::ReadPipl(bad.data(), bad.size(), info));
    bad = good;
    bad.pop_back();
    EXPECT_FALSE(VarnHost::ReadPipl(bad.data(), bad.size(), info));
    bad = good;
    bad[10 + 12] = 0xF0;  // first length runs past the end
    EXPECT_FALSE(VarnHost::ReadPipl(bad.data(), bad.size(), info));
}

}  // namespace
