// The whole plug-in on a real object file: previews and the final image agree, and a
// seed always gives the same picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "OrvLib/platform/FolderOrder.h"
#include "OrvLib/platform/Platform.h"
#include "host/MemoryHost.h"
#include "product/PSVarnPlugin.h"
#include "product/engine/SettingsTable.h"
#include "tests/plugin/ObjectFile.h"
#include "tests/plugin/PluginEntry.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

using VarnHost::HostImage;
using VarnHost::MemoryHost;

HostImage Gradient(int w, int h, int planes) {
    HostImage image(w, h, planes);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int p = 0; p < planes; ++p)
                image.At(x, y, p) = uint8_t(p == 3 ? 255 : (x + 2 * y + 60 * p) & 255);
    return image;
}

EffectParameters Settings(const std::string& object) {
    EffectParameters p = DefaultBlock();
    std::snprintf(p.path, sizeof p.path, "%s", object.c_str());
    p.density = 60;
    return p;
}

// One run through the entry: Parameters are skipped, the host hands back the block.
HostImage RunBlock(const HostImage& image, const std::vector<uint8_t>& block,
                   const std::vector<uint8_t>* mask = nullptr) {
    MemoryHost host;
    host.SetImage(image);
    if (mask != nullptr) host.SetMask(*mask);
    host.Record().parameters = host.MakeHandle(block);
    EXPECT_EQ(host.Run(&PluginMain, false), noErr);
    return host.Image();
}

HostImage RunPlugin(const HostImage& image, const EffectParameters& p,
                    const std::vector<uint8_t>* mask = nullptr) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&p);
    return RunBlock(image, std::vector<uint8_t>(b, b + sizeof p), mask);
}

TEST(EffectRunTest, SameSeedSamePictureOtherSeedOther) {
    const std::string object = PluginTest::WriteObject("effect-run-object.bmp", 24, 20);
    const HostImage image = Gradient(300, 200, 3);
    EffectParameters p = Settings(object);
    p.randomRotation = 45;
    p.randomScale = 2.0;
    const HostImage first = RunPlugin(image, p);
    EXPECT_NE(first.pixels, image.pixels);
    EXPECT_EQ(RunPlugin(image, p).pixels, first.pixels);
    p.randomSeed = 2;
    EXPECT_NE(RunPlugin(image, p).pixels, first.pixels);
    EXPECT_FALSE(ThePlugin().Placements().empty());
}

// The 1:1 preview of a run with these guides against its final image (without guides, or
// with those that keep copies unturned and unscaled: turned or scaled copies may differ near
// the edges of the final pass's tiles, a known fault of the drawing).
void ExpectPreviewIsFinal(const std::vector<std::pair<const char*, double>>& guides,
                          std::vector<uint8_t>& pixels) {
    const std::string object = PluginTest::WriteObject("effect-run-object2.bmp", 24, 20);
    const HostImage image = Gradient(200, 150, 4);  // fits the preview: level 1
    const EffectParameters p = Settings(object);
    std::vector<uint8_t> block(kSettingsBlockSize, 0);
    ResetSettings(block.data(), block.size());
    std::memcpy(block.data(), &p, sizeof p);
    for (const auto& [name, value] : guides) StoreValue(*FindSetting(name), block.data(), value);
    const HostImage final = RunBlock(image, block);
    pixels = final.pixels;
    const OrvImage2* preview = ThePlugin().GetPreviewImage();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(ThePlugin().GetZoomLevel(), 1);
    ASSERT_EQ(preview->Width(), 200);
    ASSERT_EQ(preview->BitCount(), 32);
    int differences = 0, changed = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const uint8_t* px = preview->RowAddress(y) + x * 4;
            differences += px[0] != final.At(x, y, 2) || px[1] != final.At(x, y, 1) ||
                           px[2] != final.At(x, y, 0) || px[3] != final.At(x, y, 3);
            changed += final.At(x, y, 0) != image.At(x, y, 0);
        }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(changed, 1000);
}

TEST(EffectRunTest, PreviewAtOneToOneIsTheFinalImage) {
    std::vector<uint8_t> plain, even, inverse;
    ExpectPreviewIsFinal({}, plain);
    ExpectPreviewIsFinal({{"densityMap", 1}, {"spacing", 1}}, even);
    ExpectPreviewIsFinal({{"densityMap", 2}, {"keepCount", 1}, {"densityStrength", 70}}, inverse);
    EXPECT_TRUE(even != plain && inverse != plain) << "a guide changes the picture";
}

TEST(EffectRunTest, SelectionKeepsUnselectedPixels) {
    const std::string object = PluginTest::WriteObject("effect-run-object3.bmp", 24, 20);
    const HostImage image = Gradient(160, 120, 3);
    std::vector<uint8_t> mask(160 * 120, 0);
    for (int y = 20; y < 100; ++y)
        for (int x = 30; x < 130; ++x) mask[y * 160 + x] = 255;
    EffectParameters p = Settings(object);
    p.density = 100;
    const HostImage final = RunPlugin(image, p, &mask);
    int changedInside = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool same = final.At(x, y, 0) == image.At(x, y, 0) &&
                              final.At(x, y, 1) == image.At(x, y, 1) &&
                              final.At(x, y, 2) == image.At(x, y, 2);
            if (mask[y * 160 + x] == 0) {
                ASSERT_TRUE(same) << x << "," << y;
            } else {
                changedInside += !same;
            }
        }
    EXPECT_GT(changedInside, 1000);
}

TEST(EffectRunTest, HostileBlocksRenderLikeTheirSaneTwins) {
    const std::string object = PluginTest::WriteObject("effect-run-object4.bmp", 24, 20);
    const HostImage image = Gradient(120, 90, 3);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::function<void(EffectParameters&)> hostile, twin;
    };
    const std::vector<Case> cases = {
        {"scale NaN", [&](EffectParameters& p) { p.scale = nan; },
         [](EffectParameters& p) { p.scale = 1.0; }},
        {"scale negative", [](EffectParameters& p) { p.scale = -1; },
         [](EffectParameters& p) { p.scale = 1.0; }},
        {"scale huge", [](EffectParameters& p) { p.scale = 1e300; },
         [](EffectParameters& p) { p.scale = 100.0; }},
        {"random scale zero", [](EffectParameters& p) { p.randomScale = 0; }, [](EffectParameters&) {}},
        {"angles not finite",
         [&](EffectParameters& p) {
             p.rotationAngle = inf;
             p.randomRotation = nan;
         },
         [](EffectParameters&) {}},
        {"texture amount huge",
         [](EffectParameters& p) {
             p.applyAsTexture = 1;
             p.textureAmount = 100000000;
         },
         [](EffectParameters& p) {
             p.applyAsTexture = 1;
             p.textureAmount = 100;
         }},
        {"path without terminator", [](EffectParameters& p) { std::memset(p.path, 'A', sizeof p.path); },
         [](EffectParameters& p) { std::memset(p.path, 'A', sizeof p.path - 1), p.path[259] = 0; }},
    };
    for (const Case& c : cases) {
        EffectParameters hostile = Settings(object), twin = Settings(object);
        c.hostile(hostile);
        c.twin(twin);
        EXPECT_EQ(RunPlugin(image, hostile).pixels, RunPlugin(image, twin).pixels) << c.name;
    }
    // A density far beyond the slider's still makes at most the capped number of copies.
    EffectParameters dense = Settings(object);
    dense.density = 2000000000;
    RunPlugin(Gradient(1000, 1000, 3), dense);
    EXPECT_EQ(ThePlugin().Placements().size(), 10000u);
}

TEST(EffectRunTest, RenderingIntoABufferWithoutRowsWritesNothing) {
    RunPlugin(Gradient(263, 40, 3), Settings(PluginTest::WriteObject("effect-run-object6.bmp", 24, 20)));
    ASSERT_FALSE(ThePlugin().Placements().empty());
    std::vector<uint8_t> in(263 * 3, 1), out(263 * 3, 9);
    const PixelBuffer input{in.data(), 263, 0, 3, 263 * 3, pixelKindHostRGB};
    const PixelBuffer output{out.data(), 263, 0, 3, 263 * 3, pixelKindHostRGB};
    ThePlugin().RenderArea(input, output, OrvRect{0, 0, 263, 40});
    ThePlugin().SetQuickPreview(true);
    ThePlugin().RenderArea(input, output, OrvRect{0, 0, 263, 40});
    ThePlugin().SetQuickPreview(false);
    EXPECT_EQ(out, std::vector<uint8_t>(263 * 3, 9));
}

TEST(EffectRunTest, EveryStartListsTheLibraryBesideTheModuleOnce) {
    const std::string object = PluginTest::WriteObject("effect-run-object7.bmp", 8, 8);
    RunPlugin(Gradient(20, 20, 3), Settings(object));
    const std::vector<PresetCategory> first = ThePlugin().Presets();
    ASSERT_FALSE(first.empty()) << "the shipped library lies beside the test program";
    RunPlugin(Gradient(20, 20, 3), Settings(object));
    const std::vector<PresetCategory>& second = ThePlugin().Presets();
    ASSERT_EQ(second.size(), first.size());
    std::vector<std::string> names;
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(second[i].entries.size(), first[i].entries.size()) << first[i].name;
        names.push_back(first[i].name);
    }
    std::vector<std::string> sorted = names;
    SortFolderNames(sorted);
    EXPECT_EQ(names, sorted) << "in the order the system lists folders";
    const PresetEntry& entry = first[0].entries.at(0);
    const std::string folder = PresetLibraryFolder(OrvPlatform::ModuleFileName()) + first[0].name;
    EXPECT_EQ(entry.path.substr(0, folder.size() + 1), folder + OrvPlatform::PathSeparator()) << entry.path;
}

TEST(EffectRunTest, MissingObjectLeavesTheImage) {
    const HostImage image = Gradient(100, 80, 3);
    EXPECT_EQ(RunPlugin(image, Settings("no-such-object.png")).pixels, image.pixels);
}

TEST(EffectRunTest, WholeObjectsKeepOnlyCopiesOverFullySelectedPixels) {
    const std::string object = PluginTest::WriteObject("effect-run-object5.bmp", 16, 12);
    const int w = 200, h = 150;
    // Fully selected in the middle, feathered towards the edges.
    std::vector<uint8_t> mask(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            mask[size_t(y) * w + x] = uint8_t(std::min(255, edge * 6));
        }
    EffectParameters p = Settings(object);
    p.density = 100;
    RunPlugin(Gradient(w, h, 3), p, &mask);
    const size_t all = ThePlugin().Placements().size();
    p.wholeObjectsOnly = 1;
    RunPlugin(Gradient(w, h, 3), p, &mask);
    const std::vector<Placement> kept = ThePlugin().Placements();
    EXPECT_GT(kept.size(), 0u);
    EXPECT_LT(kept.size(), all);
    for (const Placement& placement : kept) {
        const OrvRect& b = placement.bounds;
        ASSERT_TRUE(Contains(OrvRect{0, 0, w, h}, b));
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x) ASSERT_EQ(mask[size_t(y) * w + x], 255) << x << "," << y;
    }
}

}  // namespace
