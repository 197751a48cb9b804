// The preset library as it lies beside the plug-in: every preset must load and be worth
// scattering, and every set of pictures must have a picture to choose.
#include "ContentFiles.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "product/engine/ObjectSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace {

using namespace Content;

// Alpha values of a picture: whether it has fully transparent, fully opaque and
// partly transparent pixels.
struct AlphaUse {
    bool clear = false, solid = false, soft = false;
};

AlphaUse AlphaOf(const Picture& p) {
    AlphaUse use;
    for (size_t i = 3; i < p.rgba.size(); i += 4) {
        const uint8_t a = p.rgba[i];
        use.clear |= a == 0;
        use.solid |= a == 255;
        use.soft |= a > 0 && a < 255;
    }
    return use;
}

TEST(ShippedWeightRule, ReadsTheNumberAfterTheLastUnderscore) {
    EXPECT_EQ(ObjectWeight("leaf_3.png"), 3);
    EXPECT_EQ(ObjectWeight("a_b_25.bmp"), 25);
    EXPECT_EQ(ObjectWeight("leaf_0.png"), 0);
    EXPECT_EQ(ObjectWeight("leaf_-2.png"), -2);
    EXPECT_EQ(ObjectWeight("leaf_+4.jpg"), 4);
    EXPECT_EQ(ObjectWeight("leaf_ 7.png"), 7);
    EXPECT_EQ(ObjectWeight("orange maple_2.png"), 2);
}

TEST(ShippedWeightRule, FallsBackToTenWithoutAWholeNumber) {
    EXPECT_EQ(ObjectWeight("leaf.png"), 10);
    EXPECT_EQ(ObjectWeight("leaf_x.png"), 10);
    EXPECT_EQ(ObjectWeight("leaf_3b.png"), 10);
    EXPECT_EQ(ObjectWeight("leaf_.png"), 10);
    EXPECT_EQ(ObjectWeight("leaf_-.png"), 10);
}

TEST(ShippedLibrary, OffersEnoughCategoriesAndPresets) {
    const auto presets = ListPresets(InstalledLibrary());
    std::map<std::string, int> perCategory;
    int folders = 0;
    for (const Preset& p : presets) {
        ++perCategory[p.category];
        folders += p.isFolder;
    }
    EXPECT_GE(perCategory.size(), 8u);
    EXPECT_GE(presets.size(), 40u);
    EXPECT_GE(folders, 8);
    for (const auto& [category, count] : perCategory)
        EXPECT_GE(count, 3) << category << " offers too little to choose from";
}

TEST(ShippedLibrary, HoldsOnlyCategoryFoldersAtTheTop) {
    // Loose files at the top are ignored by the plug-in, so they would be dead weight.
    for (const auto& entry : fs::directory_iterator(InstalledLibrary())) {
        EXPECT_TRUE(entry.is_directory()) << entry.path();
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
    }
}

TEST(ShippedLibrary, EveryFileIsAnRgbaPngWithSoftEdges) {
    const auto files = FilesBelow(InstalledLibrary());
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(fs::path(file).extension(), ".png");
        const Picture p = LoadPng(InstalledLibrary() / file);
        ASSERT_TRUE(p.loaded);
        EXPECT_EQ(p.bitDepth, 8);
        EXPECT_EQ(p.colourType, 6) << "not RGBA";
        // Shapes need a clear background, a solid body and anti-aliased edges between.
        const AlphaUse alpha = AlphaOf(p);
        EXPECT_TRUE(alpha.clear);
        EXPECT_TRUE(alpha.solid);
        EXPECT_TRUE(alpha.soft);
    }
}

TEST(ShippedLibrary, EveryPictureLoadsThroughThePluginsReader) {
    for (const std::string& file : FilesBelow(InstalledLibrary())) {
        SCOPED_TRACE(file);
        const Picture reference = LoadPng(InstalledLibrary() / file);
        OrvImage2 image;
        ASSERT_TRUE(LoadImageFile((InstalledLibrary() / file).string(), image, true));
        EXPECT_EQ(image.GetWidth(), reference.width);
        EXPECT_EQ(std::abs(image.GetHeight()), reference.height);
        EXPECT_EQ(image.GetBitCount(), 32);
        EXPECT_TRUE(image.HasAlpha()) << "the transparency would be lost";
    }
}

TEST(ShippedLibrary, ObjectsAreSizedForScattering) {
    for (const std::string& file : FilesBelow(InstalledLibrary())) {
        SCOPED_TRACE(file);
        const Picture p = LoadPng(InstalledLibrary() / file);
        ASSERT_TRUE(p.loaded);
        if (IsThumbnail(file)) {
            // Shown about 48 pixels high in the list: big enough not to be blown up.
            EXPECT_GE(std::min(p.width, p.height), 48);
            EXPECT_LE(std::max(p.width, p.height), 128);
        } else {
            EXPECT_GE(p.width, 24);
            EXPECT_GE(p.height, 24);
            EXPECT_LE(p.width, 128);
            EXPECT_LE(p.height, 128);
        }
    }
}

TEST(ShippedLibrary, PictureSetsHaveAThumbnailAndWeightedPictures) {
    for (const Preset& preset : ListPresets(InstalledLibrary())) {
        if (!preset.isFolder) continue;
        SCOPED_TRACE(preset.category + "/" + preset.name);
        int thumbnails = 0, pictures = 0, total = 0;
        for (const auto& entry : fs::directory_iterator(preset.path)) {
            EXPECT_TRUE(entry.is_regular_file()) << "sets hold no folders: " << entry.path();
            if (IsThumbnail(entry.path())) {
                ++thumbnails;
                EXPECT_TRUE(LoadPng(entry.path()).loaded);
                continue;
            }
            ++pictures;
            const std::string name = entry.path().filename().string();
            const int weight = ObjectWeight(name);
            // Our own sets weigh every picture explicitly; a name like "leaf_big" would
            // silently weigh 10.
            EXPECT_NE(name.find('_'), std::string::npos) << name << " has no weight";
            EXPECT_GE(weight, 1) << name;
            EXPECT_LE(weight, 20) << name;
            if (weight > 0) total += weight;
        }
        EXPECT_EQ(thumbnails, 1);
        EXPECT_GE(pictures, 2) << "a set of one picture should be a single preset";
        EXPECT_GT(total, 0);
    }
}

TEST(ShippedLibrary, NamesReadWellInTheList) {
    std::set<std::string> seen;
    for (const Preset& preset : ListPresets(InstalledLibrary())) {
        SCOPED_TRACE(preset.category + "/" + preset.name);
        // The list shows a folder's name up to its last dot, and a file's name whole: an
        // underscore in a single preset's name would look like a stray weight.
        if (preset.isFolder)
            EXPECT_EQ(preset.name.find('.'), std::string::npos);
        else
            EXPECT_EQ(preset.name.find('_'), std::string::npos);
        EXPECT_TRUE(seen.insert(preset.category + "/" + preset.name).second) << "two presets share a name";
        for (char c : preset.category + preset.name)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "plain ASCII keeps names safe in every code page";
    }
    // Paths leave room in the host's 260-character limit for a deep plug-in folder.
    for (const std::string& file : FilesBelow(InstalledLibrary())) EXPECT_LE(file.size(), 80u) << file;
}

TEST(ShippedLibrary, CopyBesideThePluginMatchesTheSources) {
    const auto installed = FilesBelow(InstalledLibrary());
    const auto source = FilesBelow(LibrarySource());
    ASSERT_EQ(installed, source);
    for (const std::string& file : source)
        EXPECT_EQ(ReadBytes(InstalledLibrary() / file), ReadBytes(LibrarySource() / file)) << file;
}

}  // namespace
