// Object sets from single files and weighted folders, and when they are reloaded. The
// reader is the test's own: it makes a picture from the file's name, so folders hold
// empty files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "product/engine/ObjectSet.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

struct Folder {
    std::string path;
    Folder() {
        char name[] = "/tmp/varnel-objects-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string Add(const std::string& name) {
        std::ofstream(path + "/" + name) << "x";
        return path + "/" + name;
    }
};

// Sizes by file name; "grey24" files are 24-bit, "broken" ones do not load.
struct FakeReader {
    std::map<std::string, std::pair<int, int>> sizes;
    int calls = 0;
    bool operator()(const std::string& file, OrvImage2& image) {
        ++calls;
        const std::string name = file.substr(file.find_last_of('/') + 1);
        if (name.find("broken") != std::string::npos || name == "." || name == "..") return false;
        auto it = sizes.find(name);
        const std::pair<int, int> size = it == sizes.end() ? std::make_pair(8, 8) : it->second;
        const bool rgb = name.find("grey24") != std::string::npos;
        image.Create(size.first, size.second, rgb ? 24 : 32, nullptr);
        image.SetHasAlpha(!rgb);
        for (int y = 0; y < size.second; ++y) {
            uint8_t* row = image.RowAddress(y);
            for (int x = 0; x < size.first * (rgb ? 3 : 4); ++x) row[x] = uint8_t(x % 4 == 0 ? 200 : 60);
        }
        return true;
    }
};

EffectParameters Record(const std::string& path, bool folder) {
    EffectParameters p = DefaultBlock();
    std::snprintf(p.path, sizeof p.path, "%s", path.c_str());
    p.multipleImages = folder;
    return p;
}

struct ObjectSetTest : ::testing::Test {
    FakeReader fake;
    ObjectSet set{[this](const std::string& f, OrvImage2& i) { return fake(f, i); }};
};

TEST_F(ObjectSetTest, ObjectWeights) {
    EXPECT_EQ(ObjectWeight("leaf_3.png"), 3);
    EXPECT_EQ(ObjectWeight("leaf.png"), 10);
    EXPECT_EQ(ObjectWeight("leaf_x.png"), 10);
    EXPECT_EQ(ObjectWeight("leaf_3b.png"), 10);
    EXPECT_EQ(ObjectWeight("a_b_25.bmp"), 25);
    EXPECT_EQ(ObjectWeight("leaf_0.png"), 0);
    EXPECT_EQ(ObjectWeight("leaf_-4.png"), -4);
    EXPECT_EQ(ObjectWeight("leaf_ +7.png"), 7);
    EXPECT_EQ(ObjectWeight("leaf_99999999999.png"), 10) << "outside 32 bits is no number";
}

TEST_F(ObjectSetTest, FolderWeightsMeanSizeAndThumbnail) {
    Folder f;
    f.Add("Thumbnail.png");
    f.Add("a.png");
    f.Add("b_30.png");
    f.Add("broken.png");
    fake.sizes = {{"a.png", {64, 32}}, {"b_30.png", {32, 32}}};
    ASSERT_TRUE(set.Prepare(Record(f.path, true), true));
    EXPECT_EQ(set.Objects().size(), 2u);
    EXPECT_EQ(set.Choice().meanWidth, 40);
    EXPECT_EQ(set.Choice().meanHeight, 32);
    EXPECT_EQ(set.Choice().cumulativeWeights, (std::vector<uint64_t>{10, 40}));

    Folder thumb;
    thumb.Add("thumbnail.jpg");
    thumb.Add("a_2.png");
    ObjectSet other([this](const std::string& file, OrvImage2& i) { return fake(file, i); });
    ASSERT_TRUE(other.Prepare(Record(thumb.Add("a_2.png"), true), true)) << "a file names its folder";
    EXPECT_EQ(other.Objects().size(), 1u);
    EXPECT_EQ(other.Choice().Pick(1), 0);
}

TEST_F(ObjectSetTest, HugeWeightsNeitherOverflowNorAllocateATable) {
    Folder f;
    f.Add("a_2000000000.png");
    f.Add("b_2000000000.png");
    fake.sizes = {{"a_2000000000.png", {64, 32}}, {"b_2000000000.png", {64, 32}}};
    ASSERT_TRUE(set.Prepare(Record(f.path, true), true));
    EXPECT_EQ(set.Choice().meanWidth, 64);
    EXPECT_EQ(set.Choice().meanHeight, 32);
    EXPECT_EQ(set.Choice().Pick(2000000000u), 1);
    Folder over;
    over.Add("a_2147483647.png");
    over.Add("b_2147483647.png");
    over.Add("c_2147483647.png");
    EXPECT_FALSE(set.Prepare(Record(over.path, true), true)) << "total weight beyond 32 bits";
}

TEST_F(ObjectSetTest, FailedSetStaysFailedAndLeavesNothingBehind) {
    Folder a, b;
    a.Add("x.png");
    a.Add("y.png");
    a.Add("z.png");
    b.Add("x_0.png");
    b.Add("y_0.png");
    ASSERT_TRUE(set.Prepare(Record(a.path, true), true));
    EXPECT_EQ(set.Objects().size(), 3u);
    EXPECT_FALSE(set.Prepare(Record(b.path, true), true));
    EXPECT_TRUE(set.Objects().empty());
    EXPECT_TRUE(set.Choice().cumulativeWeights.empty());
    const int calls = fake.calls;
    EXPECT_FALSE(set.Prepare(Record(b.path, true), true)) << "reuse keeps the failure";
    EXPECT_EQ(fake.calls, calls);
}

TEST_F(ObjectSetTest, ReloadsOnlyWhenTheSetCanChange) {
    Folder f;
    const std::string file = f.Add("leaf.png");
    EffectParameters p = Record(file, false);
    ASSERT_TRUE(set.Prepare(p, true));
    EXPECT_EQ(fake.calls, 1);
    p.density = 90;
    p.randomSeed = 77;
    EXPECT_TRUE(set.Prepare(p, true));
    EXPECT_EQ(fake.calls, 1);
    EXPECT_TRUE(set.Prepare(p, false)) << "the final run needs the other channel order";
    EXPECT_EQ(fake.calls, 2);
    p.applyAsTexture = 1;
    EXPECT_TRUE(set.Prepare(p, false));
    EXPECT_EQ(fake.calls, 3);
    EXPECT_EQ(set.Objects()[0]->GetBitCount(), 8);
}

TEST_F(ObjectSetTest, AResetKeepsTheSetForTheNextRunUntilItsFilesChange) {
    Folder f;
    f.Add("a.png");
    const std::string file = f.Add("b.png");
    const EffectParameters folder = Record(f.path, true), reset = Record("", false);
    // Each change between two runs, and whether the second run decodes again.
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"nothing", [] {}},
        {"a file rewritten", [&] { std::ofstream(file) << "longer"; }},
        {"a file added", [&] { f.Add("c.png"); }},
        {"a file removed", [&] { std::remove(file.c_str()); }},
    };
    for (const auto& [change, apply] : changes) {
        // A run prepares the preview's set, then the final run's.
        ASSERT_TRUE(set.Prepare(folder, true) && set.Prepare(folder, false)) << change;
        const int calls = fake.calls;
        const size_t count = set.Objects().size();
        set.SetCacheKey(reset);
        EXPECT_FALSE(set.Prepare(reset, false)) << "the reset record still has no objects";
        apply();
        ASSERT_TRUE(set.Prepare(folder, true) && set.Prepare(folder, false)) << change;
        if (std::string(change) == "nothing") {
            EXPECT_EQ(fake.calls, calls);
            EXPECT_EQ(set.Objects().size(), count);
            EXPECT_EQ(set.Objects()[0]->RowAddress(0)[2], 200) << "the final run's channel order";
        } else {
            EXPECT_GT(fake.calls, calls) << change;
        }
    }
}

TEST_F(ObjectSetTest, EmptyPathAndResetRecordLoadNothing) {
    EXPECT_FALSE(set.Prepare(Record("", true), true));
    EXPECT_FALSE(set.Prepare(Record("", false), true));
    EXPECT_EQ(fake.calls, 0) << "no file-system access for an empty path";
    const EffectParameters reset = Record("", false);
    set.SetCacheKey(reset);
    EXPECT_FALSE(set.Prepare(reset, false));
    EXPECT_EQ(fake.calls, 0);
}

TEST_F(ObjectSetTest, LoadingStopsAfterTheObjectThatCrossesTheMemoryLimit) {
    Folder f;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png", "e.png", "f.png"}) {
        f.Add(name);
        fake.sizes[name] = {2048, 2048};  // 16 MiB each
    }
    ASSERT_TRUE(set.Prepare(Record(f.path, true), true));
    EXPECT_EQ(set.Objects().size(), 4u) << "the fourth crosses 50 MiB and stays";
}

TEST_F(ObjectSetTest, LongNamesAreSkipped) {
    Folder f;
    const std::string deep = f.path + "/" + std::string(240 - f.path.size(), 'd');
    ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
    std::ofstream(deep + "/" + std::string(20, 'n') + ".png") << "x";
    std::ofstream(deep + "/s.png") << "x";
    ASSERT_TRUE(set.Prepare(Record(deep, true), true));
    EXPECT_EQ(set.Objects().size(), 1u);
}

TEST_F(ObjectSetTest, ObjectsAreNormalised) {
    Folder f;
    EffectParameters p = Record(f.Add("grey24.png"), false);
    ASSERT_TRUE(set.Prepare(p, true));
    const OrvImage2& preview = *set.Objects()[0];
    EXPECT_EQ(preview.GetBitCount(), 32);
    EXPECT_TRUE(preview.HasAlpha());
    EXPECT_EQ(preview.RowAddress(0)[3], 255) << "no transparency: fully opaque";
    EXPECT_EQ(preview.RowAddress(0)[0], 200);
    ASSERT_TRUE(set.Prepare(p, false));
    EXPECT_EQ(set.Objects()[0]->RowAddress(0)[2], 200) << "host order: red first";
}

TEST(TextureMapTest, BlackWhiteAndTransparent) {
    OrvImage2 image;
    image.Create(3, 1, 32, nullptr);
    image.SetHasAlpha(true);
    uint8_t* p = image.RowAddress(0);
    const uint8_t pixels[12] = {0, 0, 0, 255, 255, 255, 255, 255, 90, 10, 200, 0};
    std::memcpy(p, pixels, 12);
    ToTextureMap(image);
    ASSERT_EQ(image.GetBitCount(), 8);
    EXPECT_EQ(image.RowAddress(0)[0], 0);
    EXPECT_EQ(image.RowAddress(0)[1], 255);
    EXPECT_EQ(image.RowAddress(0)[2], 128);
}

}  // namespace
