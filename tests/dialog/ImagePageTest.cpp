#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "product/dialog/ImagePage.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

PresetEntry Entry(const std::string& category, const std::string& name, bool folder) {
    const std::string path = "lib/" + category + "/" + name;
    return PresetEntry{name, folder, folder ? path : path + ".png",
                       folder ? path + "/Thumbnail.png" : path + ".png"};
}

// In the library's own (folder) order, which is not the order shown.
std::vector<PresetCategory> Library() {
    return {
        {"stars", {Entry("stars", "Comet", true), Entry("stars", "Nova", false)}},
        {"Leaves",
         {Entry("Leaves", "Autumn", false), Entry("Leaves", "Maple", true), Entry("Leaves", "Oak", false)}},
        {"bubbles", {Entry("bubbles", "Foam", true)}},
    };
}

bool SameBytes(const EffectParameters& a, const EffectParameters& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ImagePage, CategoriesAreSortedWithoutRegardToCaseAndCustomComesLast) {
    std::vector<PresetCategory> library = Library();
    library.push_back({"Bubbles", {Entry("Bubbles", "Soap", false)}});
    library.push_back({"Zebra_", {Entry("Zebra_", "Z", false)}});
    library.push_back({"zebra", {Entry("zebra", "z", false)}});
    std::vector<std::string> names;
    std::vector<int32_t> indices;
    for (const CategoryRow& row : CategoryRows(library)) {
        names.push_back(row.name);
        indices.push_back(row.category);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"bubbles", "Bubbles", "Leaves", "stars", "zebra", "Zebra_",
                                               "<Custom>"}));
    EXPECT_EQ(indices, (std::vector<int32_t>{2, 3, 1, 0, 5, 4, -1}));
    EXPECT_EQ(CategoryRows({}).size(), 1u);
}

TEST(ImagePage, ABlockNamingACategoryAndNoPathGetsItsFirstPreset) {
    EffectParameters p = DefaultBlock();
    p.presetCategory = 0;
    ImagePageOpening opening = OpenImagePage(p, Library());
    EXPECT_TRUE(opening.applied);
    EXPECT_FALSE(opening.customRow);
    EXPECT_EQ(opening.entry, 0);
    EXPECT_EQ(BlockPath(p), "lib/stars/Comet");
    EXPECT_EQ(p.multipleImages, 1);

    // Too large an index shows the last category and applies its first preset, but the
    // stored index stays for the next change.
    p = DefaultBlock();
    p.presetCategory = 99;
    p.multipleImages = 1;
    opening = OpenImagePage(p, Library());
    EXPECT_EQ(opening.category, 2);
    EXPECT_EQ(BlockPath(p), "lib/bubbles/Foam");
    EXPECT_EQ(p.presetCategory, 99);

    // Opening again finds the preset and writes nothing.
    const EffectParameters before = p;
    opening = OpenImagePage(p, Library());
    EXPECT_FALSE(opening.applied);
    EXPECT_EQ(opening.entry, 0);
    EXPECT_TRUE(SameBytes(p, before));
}

TEST(ImagePage, StoredPathsAreMatchedInTheirCategoryOrShownAsCustom) {
    EffectParameters p = DefaultBlock();
    p.presetCategory = 1;
    StoreBlockPath(p, "lib/Leaves/Oak.png");
    EffectParameters before = p;
    ImagePageOpening opening = OpenImagePage(p, Library());
    EXPECT_FALSE(opening.customRow);
    EXPECT_EQ(opening.category, 1);
    EXPECT_EQ(opening.entry, 2);
    EXPECT_TRUE(SameBytes(p, before));

    // Another category's preset, or a file of the user's own, is shown as custom.
    for (const char* path : {"lib/stars/Nova.png", "lib/Leaves/oak.png", "/home/me/leaf.png"}) {
        StoreBlockPath(p, path);
        before = p;
        opening = OpenImagePage(p, Library());
        EXPECT_TRUE(opening.customRow) << path;
        EXPECT_EQ(opening.category, 1) << path;
        EXPECT_FALSE(opening.applied) << path;
        EXPECT_TRUE(SameBytes(p, before)) << path;
    }
}

TEST(ImagePage, NegativeCategoriesAndAnEmptyLibraryOpenAsCustomWithoutIndexing) {
    for (int32_t stored : {-1, -2, -7, INT_MIN}) {
        EffectParameters p = DefaultBlock();
        p.presetCategory = stored;
        const EffectParameters before = p;
        const ImagePageOpening opening = OpenImagePage(p, Library());
        EXPECT_TRUE(opening.customRow) << stored;
        EXPECT_EQ(opening.category, kCustomCategory) << stored;
        EXPECT_TRUE(SameBytes(p, before)) << stored;
    }
    EffectParameters p = DefaultBlock();
    const ImagePageOpening opening = OpenImagePage(p, {});
    EXPECT_TRUE(opening.customRow);
    EXPECT_EQ(ShownCategory(INT_MAX, 3), 2);
    EXPECT_EQ(ShownCategory(0, 0), kCustomCategory);
}

TEST(ImagePage, ChoosingARowWritesTheCategoryAndItsObjects) {
    EffectParameters p = DefaultBlock();
    CategoryChoice choice = ChooseCategory(1, Library(), "ignored", true, p);
    EXPECT_EQ(p.presetCategory, 1);
    EXPECT_EQ(BlockPath(p), "lib/Leaves/Autumn.png");
    EXPECT_EQ(p.multipleImages, 0);
    EXPECT_EQ(choice.entry, 0);
    EXPECT_TRUE(choice.refresh);

    choice = ChooseCategory(kCustomCategory, Library(), std::string(300, 'd'), true, p);
    EXPECT_EQ(p.presetCategory, -1);
    EXPECT_EQ(BlockPath(p), std::string(259, 'd'));
    EXPECT_EQ(p.path[259], 0);
    EXPECT_EQ(p.multipleImages, 1);
    EXPECT_TRUE(choice.refresh);

    std::vector<PresetCategory> withEmpty = Library();
    withEmpty.push_back({"empty", {}});
    const EffectParameters before = p;
    choice = ChooseCategory(3, withEmpty, "", false, p);
    EXPECT_FALSE(choice.refresh);
    EXPECT_EQ(p.presetCategory, 3);
    EXPECT_EQ(BlockPath(p), BlockPath(before));
}

TEST(ImagePage, PathFieldIsReadAndWrittenWithinItsBytes) {
    EffectParameters p = DefaultBlock();
    std::memset(p.path, 'A', sizeof p.path);  // no terminator at all
    EXPECT_EQ(BlockPath(p), std::string(259, 'A'));
    StoreBlockPath(p, "short");
    EXPECT_EQ(BlockPath(p), "short");
    EXPECT_EQ(p.path[5], 0);
}

TEST(ImagePage, LabelAndVisibilityFollowTheRowAndTheCheckBox) {
    EXPECT_STREQ(ImagePageVisibilityFor(true, true).label, "&Directory Name");
    EXPECT_STREQ(ImagePageVisibilityFor(true, false).label, "&Filename");
    EXPECT_TRUE(ImagePageVisibilityFor(true, false).customControls);
    EXPECT_FALSE(ImagePageVisibilityFor(true, false).thumbnailList);
    EXPECT_TRUE(ImagePageVisibilityFor(false, true).thumbnailList);
    EXPECT_FALSE(ImagePageVisibilityFor(false, true).customControls);
}

}  // namespace
