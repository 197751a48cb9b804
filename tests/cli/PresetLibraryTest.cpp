// The library listed as the plug-in lists it, with real pictures read by the plug-in
// library's loader: folder order, what counts as a preset, and how a CATEGORY/NAME is found.
#include <gtest/gtest.h>

#include <filesystem>

#include "OrvLib/platform/FolderOrder.h"
#include "OrvLib/platform/Platform.h"
#include "host/cli/PresetLibrary.h"
#include "tests/cli/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace VarnCli;

void Image(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::string error;
    ASSERT_TRUE(WritePngFile(path.string(), CliTest::Pattern(3, 3, 3), error)) << error;
}

void Junk(const fs::path& path) {
    fs::create_directories(path.parent_path());
    CliTest::WriteBytes(path.string(), {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
}

std::vector<std::string> Names(const PresetCategory& category) {
    std::vector<std::string> names;
    for (const PresetEntry& p : category.entries) names.push_back(p.name);
    return names;
}

TEST(CliPresetLibrary, FolderOrderIsUpperCaseThenBytes) {
    std::vector<std::string> names = {"b", "A", "a", "_x", "B", "Z", "10", "9", "ab"};
    SortFolderNames(names);
    // '_' sorts after the letters once they are upper case, as on Windows.
    EXPECT_EQ(names, (std::vector<std::string>{"10", "9", "A", "a", "ab", "B", "b", "Z", "_x"}));
}

TEST(CliPresetLibrary, ScanFindsFilesAndFoldersOfImagesOnly) {
    CliTest::ScratchFolder scratch;
    const fs::path root = scratch.Path() / "Varnel";
    Image(root / "leaves" / "Oak.png");
    Image(root / "leaves" / "birch.png");
    Junk(root / "leaves" / "notes.txt");
    Image(root / "leaves" / "Autumn.Leaves" / "a.png");
    Image(root / "leaves" / "Autumn.Leaves" / "Thumbnail.png");
    Image(root / "Flowers" / "Meadow" / "THUMBNAIL.PNG");  // a thumbnail alone is no preset
    Image(root / "Flowers" / "Daisy.png");
    CliTest::WriteBmp((root / "Flowers" / "rose.bmp").string(), CliTest::Pattern(2, 2, 3));
    Junk(root / "Flowers" / "Broken" / "x.png");
    Image(root / "OnlyThumbs" / "Set" / "Thumbnail.png");
    Image(root / ".hidden" / "x.png");
    Image(root / "loose.png");

    const std::vector<PresetCategory> library = ListPresets(root.string() + OrvPlatform::PathSeparator());
    ASSERT_EQ(library.size(), 2u);
    EXPECT_EQ(library[0].name, "Flowers");
    EXPECT_EQ(Names(library[0]), (std::vector<std::string>{"Daisy", "rose"}));
    EXPECT_EQ(library[1].name, "leaves");
    EXPECT_EQ(Names(library[1]), (std::vector<std::string>{"Autumn", "birch", "Oak"}));
    const PresetEntry& folder = library[1].entries[0];
    EXPECT_TRUE(folder.isFolder);
    EXPECT_EQ(fs::path(folder.path), root / "leaves" / "Autumn.Leaves");
    EXPECT_FALSE(library[1].entries[2].isFolder);
    EXPECT_EQ(fs::path(library[1].entries[2].path), root / "leaves" / "Oak.png");

    EXPECT_TRUE(ListPresets((scratch.Path() / "missing").string() + OrvPlatform::PathSeparator()).empty());
}

TEST(CliPresetLibrary, FindPrefersExactNamesAndGivesTheCategoryIndex) {
    std::vector<PresetCategory> library = {
        {"Flowers", {{"Daisy", false, "/l/Flowers/Daisy.png", ""}}},
        {"leaves", {{"oak", false, "/l/leaves/oak.png", ""}, {"Oak", true, "/l/leaves/Oak", ""}}},
    };
    int32_t category = -5;
    PresetEntry preset;
    ASSERT_TRUE(FindPreset(library, "leaves/Oak", category, preset));
    EXPECT_EQ(category, 1);
    EXPECT_EQ(preset.path, "/l/leaves/Oak");
    EXPECT_TRUE(preset.isFolder);
    ASSERT_TRUE(FindPreset(library, "FLOWERS/daisy", category, preset));
    EXPECT_EQ(category, 0);
    EXPECT_EQ(preset.path, "/l/Flowers/Daisy.png");
    EXPECT_FALSE(FindPreset(library, "Flowers/Rose", category, preset));
    EXPECT_FALSE(FindPreset(library, "Daisy", category, preset));
}

TEST(CliPresetLibrary, LibraryIsTheVarnelFolderBesideThePlugin) {
    // A relative plug-in name still gives a folder: the plug-in's own scan needs a full path.
    const std::string folder = LibraryFolderOf((fs::path("plugins") / "Varnel.so").string());
    EXPECT_EQ(fs::path(folder), fs::absolute(fs::path("plugins") / "Varnel" / ""));
}

}  // namespace
