// Scanning a library folder: which categories and presets a user is offered, and with
// which pictures. A file "loads" when its content is "image".
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "OrvLib/platform/Platform.h"
#include "product/PresetLibrary.h"

namespace {

namespace fs = std::filesystem;

// A library folder of its own; paths inside are written with '/' and turned into the
// platform's separators.
struct Library {
    std::string root;
    Library() {
        // Named by the test and a random number: ctest runs tests as parallel processes,
        // and other builds on the machine run the same tests at the same time.
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const fs::path folder = fs::temp_directory_path() / ("varnel-library-" + std::string(test->name()) +
                                                             "-" + std::to_string(std::random_device()()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        root = folder.string() + OrvPlatform::PathSeparator();
    }
    ~Library() { fs::remove_all(root); }
    std::string Path(std::string relative) const {
        for (char& c : relative)
            if (c == '/') c = OrvPlatform::PathSeparator();
        return root + relative;
    }
    void Folder(const std::string& path) { fs::create_directory(Path(path)); }
    void File(const std::string& path, bool image = true) {
        std::ofstream(Path(path)) << (image ? "image" : "text");
    }
};

bool Loads(const std::string& file) {
    std::ifstream in(file);
    std::string content;
    in >> content;
    return content == "image";
}

TEST(PresetLibraryTest, CategoriesPresetsAndThumbnails) {
    Library lib;
    lib.File("loose.png");  // not in a category
    lib.Folder("Leaves");
    lib.File("Leaves/Oak.png");
    lib.File("Leaves/notes.txt", false);
    lib.Folder("Leaves/Autumn.Leaves");
    lib.File("Leaves/Autumn.Leaves/a.png");
    lib.File("Leaves/Autumn.Leaves/b_3.png");
    lib.File("Leaves/Autumn.Leaves/Thumbnail.jpg", false);
    lib.Folder("Leaves/Plain");
    lib.File("Leaves/Plain/x.txt", false);
    lib.File("Leaves/Plain/first.png");
    lib.Folder("Empty");
    lib.Folder("Empty/OnlyThumb");
    lib.File("Empty/OnlyThumb/Thumbnail.png");
    lib.Folder(".hidden");
    lib.File(".hidden/h.png");

    const std::vector<PresetCategory> categories = ScanPresetLibrary(lib.root, &Loads);
    ASSERT_EQ(categories.size(), 1u) << "a category of thumbnail-only folders is dropped";
    const PresetCategory& leaves = categories[0];
    EXPECT_EQ(leaves.name, "Leaves");
    ASSERT_EQ(leaves.entries.size(), 3u);
    EXPECT_EQ(leaves.entries[0].name, "Autumn");
    EXPECT_TRUE(leaves.entries[0].isFolder);
    EXPECT_EQ(leaves.entries[0].path, lib.Path("Leaves/Autumn.Leaves"));
    EXPECT_EQ(leaves.entries[0].thumbnail, lib.Path("Leaves/Autumn.Leaves/Thumbnail.jpg"));
    EXPECT_EQ(leaves.entries[1].name, "Oak");
    EXPECT_FALSE(leaves.entries[1].isFolder);
    EXPECT_EQ(leaves.entries[1].thumbnail, lib.Path("Leaves/Oak.png"));
    EXPECT_EQ(leaves.entries[2].name, "Plain");
    EXPECT_EQ(leaves.entries[2].thumbnail, lib.Path("Leaves/Plain/first.png")) << "first loadable image";

    EXPECT_EQ(ScanPresetLibrary(lib.root, &Loads).size(), 1u) << "a second scan gives the same list";
}

TEST(PresetLibraryTest, CategoriesAndPresetsComeInTheSystemsOrder) {
    Library lib;
    for (const char* category : {"leaves", "Zed", "_x", "Bubbles"}) {
        lib.Folder(category);
        for (const char* file : {"b.png", "A_2.png", "a.png", "C.png"})
            lib.File(std::string(category) + "/" + file);
    }
    const std::vector<PresetCategory> categories = ScanPresetLibrary(lib.root, &Loads);
    std::vector<std::string> names;
    for (const PresetCategory& c : categories) names.push_back(c.name);
    // Upper case compared by code: '_' comes after the letters.
    EXPECT_EQ(names, (std::vector<std::string>{"Bubbles", "leaves", "Zed", "_x"}));
    std::vector<std::string> presets;
    for (const PresetEntry& e : categories.at(1).entries) presets.push_back(e.name);
    EXPECT_EQ(presets, (std::vector<std::string>{"a", "A_2", "b", "C"}));
    EXPECT_EQ(categories.at(1).entries.at(0).path, lib.Path("leaves/a.png"));
}

TEST(PresetLibraryTest, MissingLibraryAndLongPaths) {
    const std::string s(1, OrvPlatform::PathSeparator());
    EXPECT_TRUE(ScanPresetLibrary(s + "no" + s + "such" + s + "folder" + s, &Loads).empty());
    EXPECT_TRUE(ScanPresetLibrary("", &Loads).empty());
    EXPECT_EQ(PresetLibraryFolder(s + "opt" + s + "x" + s + "Varnel.8bf"),
              s + "opt" + s + "x" + s + "Varnel" + s);
    EXPECT_EQ(PresetLibraryFolder(""), "");

    Library lib;
    lib.Folder("Cat");
    lib.File("Cat/" + std::string(256 - lib.Path("Cat/").size(), 'n') + ".png");  // 260 in all
    lib.File("Cat/short.png");
    const std::vector<PresetCategory> categories = ScanPresetLibrary(lib.root, &Loads);
    ASSERT_EQ(categories.size(), 1u);
    ASSERT_EQ(categories[0].entries.size(), 1u) << "a path the record cannot hold is skipped";
    EXPECT_EQ(categories[0].entries[0].name, "short");
}

TEST(PresetLibraryTest, AnUnchangedLibraryIsScannedWithoutDecodingAgain) {
    Library lib;
    lib.Folder("Stars");
    lib.File("Stars/Gold.png");
    lib.File("Stars/Broken.png", false);
    lib.Folder("Stars/Set");
    lib.File("Stars/Set/a.png");
    int decoded = 0;
    LoadableFiles files([&decoded](const std::string& file) {
        decoded += file.size() > 4 && file.compare(file.size() - 4, 4, ".png") == 0;  // not "." and ".."
        return Loads(file);
    });
    const auto scan = [&] {
        return ScanPresetLibrary(lib.root, [&](const std::string& f) { return files.Loads(f); });
    };
    const auto names = [](const std::vector<PresetCategory>& categories) {
        std::string all;
        for (const PresetCategory& c : categories)
            for (const PresetEntry& e : c.entries) all += c.name + "/" + e.name + ":" + e.thumbnail + ";";
        return all;
    };
    const std::string first = names(scan());
    EXPECT_EQ(decoded, 3);
    EXPECT_EQ(names(scan()), first) << "the same list from what was remembered";
    EXPECT_EQ(decoded, 3);

    // A file rewritten with another size is decoded again, and the list follows it.
    lib.File("Stars/Broken.png", true);
    std::ofstream(lib.Path("Stars/Broken.png"), std::ios::app) << " now";
    const std::string second = names(scan());
    EXPECT_EQ(decoded, 4);
    EXPECT_NE(second.find("Stars/Broken:"), std::string::npos) << second;
    EXPECT_EQ(names(ScanPresetLibrary(lib.root, &Loads)), second) << "exactly what a full scan lists";

    // A new file is decoded; a removed one simply drops out.
    lib.File("Stars/New.png");
    std::remove(lib.Path("Stars/Gold.png").c_str());
    const std::string third = names(scan());
    EXPECT_EQ(decoded, 5);
    EXPECT_EQ(third, names(ScanPresetLibrary(lib.root, &Loads)));
    EXPECT_EQ(third.find("Gold"), std::string::npos);
}

}  // namespace
