// The shipped library through the plug-in's own code: the scan that fills the Image
// page offers every preset, and every preset gives the effect a set of objects.
#include "ContentFiles.h"
#include "OrvLib/image/OrvImage2.h"
#include "product/PresetLibrary.h"
#include "product/engine/EffectParameters.h"
#include "product/engine/ObjectReader.h"
#include "product/engine/ObjectSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace Content;

bool Loads(const std::string& file) {
    OrvImage2 image;
    return ReadObjectFile(file, image);
}

EffectParameters Record(const std::string& path, bool folder) {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    std::strncpy(p.path, path.c_str(), sizeof p.path - 1);
    p.multipleImages = folder ? 1 : 0;
    return p;
}

TEST(ShippedPresets, TheScanOffersEveryCategoryAndPreset) {
    const auto categories = ScanPresetLibrary(InstalledLibrary().string() + "/", &Loads);
    const auto listed = ListPresets(InstalledLibrary());
    size_t folders = 0, offered = 0;
    for (const auto& entry : fs::directory_iterator(InstalledLibrary())) folders += entry.is_directory();
    EXPECT_EQ(categories.size(), folders) << "a category was dropped";
    for (const PresetCategory& category : categories) {
        offered += category.entries.size();
        for (const PresetEntry& entry : category.entries) {
            SCOPED_TRACE(category.name + "/" + entry.name);
            EXPECT_TRUE(Loads(entry.thumbnail)) << entry.thumbnail;
            if (entry.isFolder) {
                EXPECT_EQ(fs::path(entry.thumbnail).filename(), "Thumbnail.png")
                    << "its own picture is shown";
            }
        }
    }
    EXPECT_EQ(offered, listed.size()) << "a preset was skipped";
}

TEST(ShippedPresets, EveryPresetGivesTheEffectItsObjects) {
    for (const PresetCategory& category : ScanPresetLibrary(InstalledLibrary().string() + "/", &Loads)) {
        for (const PresetEntry& entry : category.entries) {
            SCOPED_TRACE(category.name + "/" + entry.name);
            ASSERT_LT(entry.path.size(), 260u);
            size_t pictures = 1;
            uint64_t weight = 0;
            if (entry.isFolder) {
                pictures = 0;
                for (const auto& file : fs::directory_iterator(entry.path)) {
                    if (IsThumbnail(file.path())) continue;
                    ++pictures;
                    // Our own reading of the weight rule, against the effect's.
                    const int w = ::ObjectWeight(file.path().filename().string());
                    weight += static_cast<uint64_t>(std::max(0, w));
                }
            }
            for (bool forPreview : {true, false}) {
                ObjectSet set(&ReadObjectFile);
                ASSERT_TRUE(set.Prepare(Record(entry.path, entry.isFolder), forPreview));
                EXPECT_EQ(set.Objects().size(), pictures) << "the thumbnail is never an object";
                ASSERT_FALSE(set.Choice().cumulativeWeights.empty());
                if (entry.isFolder) {
                    EXPECT_EQ(set.Choice().cumulativeWeights.back(), weight);
                }
                for (const auto& object : set.Objects()) {
                    EXPECT_EQ(object->GetBitCount(), 32);
                    EXPECT_TRUE(object->HasAlpha());
                }
            }
        }
    }
}

}  // namespace
