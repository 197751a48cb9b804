// Scanning a library folder: which categories and presets a user is offered, and with
// which pictures. A file "loads" when its content is "image".
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "product/PresetLibrary.h"

namespace {

struct Library {
    std::string root;
    Library() {
        char name[] = "/tmp/varnel-library-XXXXXX";
        root = std::string(mkdtemp(name)) + "/";
    }
    ~Library() { std::system(("rm -rf '" + root + "'").c_str()); }
    void Folder(const std::string& path) { mkdir((root + path).c_str(), 0700); }
    void File(const std::string& path, bool image = true) {
        std::ofstream(root + path) << (image ? "image" : "text");
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
    EXPECT_EQ(leaves.entries[0].path, lib.root + "Leaves/Autumn.Leaves");
    EXPECT_EQ(leaves.entries[0].thumbnail, lib.root + "Leaves/Autumn.Leaves/Thumbnail.jpg");
    EXPECT_EQ(leaves.entries[1].name, "Oak");
    EXPECT_FALSE(leaves.entries[1].isFolder);
    EXPECT_EQ(leaves.entries[1].thumbnail, lib.root + "Leaves/Oak.png");
    EXPECT_EQ(leaves.entries[2].name, "Plain");
    EXPECT_EQ(leaves.entries[2].thumbnail, lib.root + "Leaves/Plain/first.png") << "first loadable image";

    EXPECT_EQ(ScanPresetLibrary(lib.root, &Loads).size(), 1u) << "a second scan gives the same list";
}

TEST(PresetLibraryTest, MissingLibraryAndLongPaths) {
    EXPECT_TRUE(ScanPresetLibrary("/no/such/folder/", &Loads).empty());
    EXPECT_TRUE(ScanPresetLibrary("", &Loads).empty());
    EXPECT_EQ(PresetLibraryFolder("/opt/x/Varnel.so"), "/opt/x/Varnel/");
    EXPECT_EQ(PresetLibraryFolder(""), "");

    Library lib;
    lib.Folder("Cat");
    lib.File("Cat/" + std::string(250, 'n') + ".png");
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
    std::ofstream(lib.root + "Stars/Broken.png", std::ios::app) << " now";
    const std::string second = names(scan());
    EXPECT_EQ(decoded, 4);
    EXPECT_NE(second.find("Stars/Broken:"), std::string::npos) << second;
    EXPECT_EQ(names(ScanPresetLibrary(lib.root, &Loads)), second) << "exactly what a full scan lists";

    // A new file is decoded; a removed one simply drops out.
    lib.File("Stars/New.png");
    std::remove((lib.root + "Stars/Gold.png").c_str());
    const std::string third = names(scan());
    EXPECT_EQ(decoded, 5);
    EXPECT_EQ(third, names(ScanPresetLibrary(lib.root, &Loads)));
    EXPECT_EQ(third.find("Gold"), std::string::npos);
}

}  // namespace
