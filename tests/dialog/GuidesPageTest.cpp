// The Guides page's rules: a block read and written back, the path cut to its field, an
// older block's guides at their defaults, and which controls a choice of maps enables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "product/dialog/GuidesPage.h"
#include "product/engine/SettingsTable.h"

namespace {

TEST(GuidesPage, WritesEveryGuideAndReadsItBack) {
    std::vector<uint8_t> block(kSettingsBlockSize, 0);
    ResetSettings(block.data(), block.size());
    GuidesPageState page;
    page.densityMap = MapSource::File, page.sizeMap = MapSource::Inverse;
    page.strength = 35, page.sizeMinimum = 300, page.sizeMaximum = 20;
    page.keepCount = page.even = page.followEdges = true;
    page.mapFile = std::string(300, 'm');  // longer than the field
    ApplyGuidesPage(page, block.data(), block.size());
    const GuidesPageState back = LoadGuidesPage(block.data(), block.size());
    EXPECT_EQ(back.densityMap, MapSource::File);
    EXPECT_EQ(back.sizeMap, MapSource::Inverse);
    EXPECT_EQ(back.strength, 35);
    EXPECT_EQ(back.sizeMinimum, 300);
    EXPECT_EQ(back.sizeMaximum, 20);
    EXPECT_TRUE(back.keepCount && back.even && back.followEdges);
    EXPECT_EQ(back.mapFile, std::string(255, 'm'));
    page.mapFile = "short.png";  // no tail of the longer path is left behind
    ApplyGuidesPage(page, block.data(), block.size());
    EXPECT_EQ(LoadGuidesPage(block.data(), block.size()).mapFile, "short.png");

    // A block of the first extension (length 24) shows the guides at their defaults, and
    // a block too short for the extension is not written.
    std::vector<uint8_t> older(block.begin(), block.begin() + 360);
    older[332] = 24, older[333] = 0;
    EXPECT_EQ(LoadGuidesPage(older.data(), older.size()).densityMap, MapSource::None);
    EXPECT_EQ(LoadGuidesPage(older.data(), older.size()).strength, 100);
    const std::vector<uint8_t> before = older;
    ApplyGuidesPage(page, older.data(), older.size());
    EXPECT_EQ(older, before) << "left as it was";
    EXPECT_EQ(GuidesSliderRange(GuidesSlider::SizeMaximum).maximum, 400);

    struct Case {
        MapSource density, size;
        bool strength, sizes, file;
    };
    const Case cases[] = {
        {MapSource::None, MapSource::None, false, false, false},
        {MapSource::Luminance, MapSource::None, true, false, false},
        {MapSource::None, MapSource::File, false, true, true},
        {MapSource::File, MapSource::Inverse, true, true, true},
    };
    for (const Case& c : cases) {
        GuidesPageState s;
        s.densityMap = c.density, s.sizeMap = c.size;
        const GuidesEnabling on = GuidesControlsEnabled(s);
        EXPECT_EQ(on.density, c.strength);
        EXPECT_EQ(on.size, c.sizes);
        EXPECT_EQ(on.mapFile, c.file);
    }
}

}  // namespace
