// The Guides page's rules: the map file's path cut to its field with nothing of a longer
// one left behind, and which controls a choice of maps enables.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "product/dialog/GuidesPage.h"
#include "product/engine/SettingsTable.h"

namespace {

TEST(GuidesPage, PathIsCutToItsFieldAndMapsEnableTheirControls) {
    std::vector<uint8_t> block(kSettingsBlockSize, 0);
    ResetSettings(block.data(), block.size());
    GuidesPageState page;
    page.sizeMap = MapSource::File;
    page.mapFile = std::string(300, 'm');
    ApplyGuidesPage(page, block.data(), block.size());
    EXPECT_EQ(LoadGuidesPage(block.data(), block.size()).mapFile, std::string(255, 'm'));
    page.mapFile = "short.png";
    ApplyGuidesPage(page, block.data(), block.size());
    EXPECT_EQ(LoadGuidesPage(block.data(), block.size()).mapFile, "short.png");

    const GuidesEnabling on = GuidesControlsEnabled(page);
    EXPECT_EQ(std::make_tuple(on.density, on.size, on.mapFile), std::make_tuple(false, true, true));
    page.densityMap = MapSource::Inverse, page.sizeMap = MapSource::None;
    const GuidesEnabling other = GuidesControlsEnabled(page);
    EXPECT_EQ(std::make_tuple(other.density, other.size, other.mapFile), std::make_tuple(true, false, false));
}

}  // namespace
