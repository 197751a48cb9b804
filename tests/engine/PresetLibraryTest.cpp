// Scanning a library folder: which categories and presets a user is offered, and with
// which pictures. A file "loads" when its content is "image".
#include <gtest/gtest.h>

#include <sys/stat.h>

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

}  // namespace
