// One picture for one seed on every build: a matrix of settings run through the built
// varnel and the real plug-in, each output's decoded pixels hashed and compared with the
// hash checked in here. The native and both Windows builds must all give these values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/cli/SampleImage.h"
#include "product/engine/EffectParameters.h"
#include "product/engine/SettingsTable.h"
#include "tests/cli/VarnelProgram.h"

namespace {

namespace fs = std::filesystem;
using namespace CliTest;
using VarnCli::Raster;

constexpr int32_t kWidth = 160, kHeight = 120;

uint64_t PixelHash(const Raster& image) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    const auto add = [&hash](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (int32_t v : {image.width, image.height, image.channels}) add(uint8_t(v));
    for (uint8_t byte : image.pixels) add(byte);
    return hash;
}

Raster Blank(int32_t width, int32_t height, int32_t channels) {
    Raster image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels.assign(VarnCli::RasterBytes(width, height, channels), 0);
    return image;
}

// The sample picture; with four planes its transparency falls from left to right and is
// zero in a band, so that copies over clear pixels are drawn too.
Raster InputImage(int channels) {
    const Raster rgb = VarnCli::MakeSampleImage(kWidth, kHeight, 2024);
    if (channels == 3) return rgb;
    Raster rgba = Blank(kWidth, kHeight, 4);
    for (size_t i = 0; i < size_t(kWidth) * kHeight; ++i) {
        std::copy_n(&rgb.pixels[i * 3], 3, &rgba.pixels[i * 4]);
        const int x = int(i % kWidth);
        rgba.pixels[i * 4 + 3] = uint8_t(x >= 100 && x < 112 ? 0 : 255 - x);
    }
    return rgba;
}

// A soft-edged disc whose colour runs across it, so that rotation and flips show.
Raster Disc(int size, uint8_t red, uint8_t green, uint8_t blue) {
    Raster disc = Blank(size, size, 4);
    const int r2 = size * size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size, d2 = dx * dx + dy * dy;
            uint8_t* p = &disc.pixels[(size_t(y) * size + x) * 4];
            p[0] = uint8_t(red - x * 4);
            p[1] = uint8_t(green + y * 5);
            p[2] = blue;
            p[3] = uint8_t(d2 >= r2 ? 0 : std::min(255, (r2 - d2) * 255 / (4 * size)));
        }
    }
    return disc;
}

// An opaque bar without a transparency plane.
Raster Bar(int width, int height) {
    Raster bar = Blank(width, height, 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &bar.pixels[(size_t(y) * width + x) * 3];
            p[0] = uint8_t(20 + y * 10);
            p[1] = uint8_t(40 + x * 9);
            p[2] = 230;
        }
    return bar;
}

// Fully selected on the left, a ramp to nothing, and a hole.
Raster Mask() {
    Raster mask = Blank(kWidth, kHeight, 1);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool hole = x >= 30 && x < 60 && y >= 40 && y < 70;
            mask.pixels[size_t(y) * kWidth + x] = uint8_t(hole ? 0 : std::clamp((130 - x) * 8, 0, 255));
        }
    return mask;
}

// A grey map smaller than the picture and of another shape, so that stretching shows:
// dark at the top left, light towards the bottom right, with a black bar.
Raster GreyMapPicture() {
    Raster map = Blank(37, 23, 1);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            map.pixels[size_t(y) * 37 + x] = uint8_t(x >= 20 && x < 24 ? 0 : x * 4 + y * 4);
    return map;
}

// kBlock: no object option, the objects are what the block names.
enum Objects { kObject, kFolder, kPreset, kBlock };
enum Selection { kWhole, kMask };

struct Case {
    uint64_t hash;  // of the output's decoded pixels
    const char* name;
    int planes;
    Objects objects;
    Selection selection;
    const char* settings;  // options of varnel apply, separated by spaces; @category is a
                           // stored block naming a category and no path
};

// The shipped preset's hashes follow its generated artwork: new artwork, new hashes.
const std::vector<Case>& Cases() {
    // clang-format off
    static const std::vector<Case> cases = {
        {0x2F1AA462535B0609ull, "rgb object seed 1",                3, kObject,  kWhole, "--density 40 --seed 1"},
        {0x56F5AF9E8FB299E4ull, "rgb object seed 2",                3, kObject,  kWhole, "--density 40 --seed 2"},
        {0x9F082F74522B87E5ull, "rgba object seed 3",               4, kObject,  kWhole, "--density 40 --seed 3"},
        {0x1562CDBA522A71D4ull, "rgb mask",                         3, kObject,  kMask,  "--density 60 --seed 4"},
        {0x1B7800C92B0B5DB8ull, "rgba mask whole objects",          4, kObject,  kMask,  "--density 60 --seed 5 --whole-objects"},
        {0x2B1C43E275B1B3AAull, "rgb texture",                      3, kObject,  kWhole, "--density 50 --seed 6 --texture"},
        {0xA3A2F5402D3C6A35ull, "rgba texture mask",                4, kFolder,  kMask,  "--density 50 --seed 7 --texture --texture-amount 80"},
        {0x3959912C1C4493ADull, "rgb rotation scale",               3, kObject,  kWhole, "--seed 8 --rotation 30 --scale 1.5"},
        {0xA5FCF60CBEA6AB61ull, "rgb random rotation scale",        3, kObject,  kWhole, "--density 30 --seed 9 --random-rotation 90 --random-scale 3"},
        {0xC31E6361C2AAC9F7ull, "rgba rotation small scale",        4, kFolder,  kWhole, "--density 50 --seed 10 --rotation 200 --scale 0.6 --random-scale 2"},
        {0x20D572B8EC7B5528ull, "rgb weighted folder",              3, kFolder,  kWhole, "--density 40 --seed 11"},
        {0x206518F8AAE104B8ull, "rgba folder no overlap",           4, kFolder,  kWhole, "--density 100 --seed 12 --no-overlap"},
        {0xDB89BCDF9C6B291Aull, "rgb object no overlap rotated",    3, kObject,  kWhole, "--density 100 --seed 13 --no-overlap --random-rotation 180"},
        {0x5F73D4FD242A33D9ull, "rgb depth",                        3, kFolder,  kWhole, "--density 60 --seed 14 --random-scale 2.5 --order-by-depth --fade-with-depth --desaturate-with-depth"},
        {0xB9954A66B7E06573ull, "rgba depth opacity",               4, kObject,  kWhole, "--density 60 --seed 15 --random-scale 2 --random-rotation 45 --order-by-depth --fade-with-depth --desaturate-with-depth --opacity 160"},
        {0x63BE84B4044B8207ull, "rgb shipped folder preset",        3, kPreset,  kWhole, "--density 40 --seed 16 --random-scale 2 --random-rotation 30"},
        {0x182987891CA2CFA2ull, "rgba shipped preset mask texture", 4, kPreset,  kMask,  "--density 40 --seed 17 --texture"},
        {0xF104950D9DF15039ull, "rgb default block",                3, kBlock,   kWhole, ""},
        {0x36659717B4168741ull, "rgba category without path",       4, kBlock,   kWhole, "--params @category --density 50 --seed 18 --random-scale 2"},
        {0xD90E4356BA12C077ull, "rgb hue jitter",                   3, kObject,  kWhole, "--density 40 --seed 21 --hue-jitter 120"},
        {0xB0D45A1EBC319B7Eull, "rgba brightness jitter",           4, kFolder,  kWhole, "--density 40 --seed 22 --brightness-jitter 70"},
        {0xF82B84E6076B5CADull, "rgb opacity jitter depth",         3, kObject,  kWhole, "--density 60 --seed 23 --opacity-jitter 80 --random-scale 2 --fade-with-depth"},
        {0x9670C9A0422F63C6ull, "rgba flip rotated",                4, kFolder,  kWhole, "--density 50 --seed 24 --flip hv --random-rotation 30"},
        {0x5D5B934EF16A0352ull, "rgb multiply",                     3, kObject,  kWhole, "--density 50 --seed 25 --blend multiply"},
        {0xA147E7C7253B212Dull, "rgba screen mask",                 4, kObject,  kMask,  "--density 60 --seed 26 --blend screen"},
        {0xE052E860DA4A87BFull, "rgb overlay mask hue",             3, kFolder,  kMask,  "--density 60 --seed 27 --blend overlay --hue-jitter 40"},
        {0xBE1658684F3A2802ull, "rgba darken",                      4, kObject,  kWhole, "--density 50 --seed 28 --blend darken"},
        {0x2DA17D034997BFACull, "rgb lighten flip",                 3, kFolder,  kWhole, "--density 50 --seed 29 --blend lighten --flip h"},
        {0x0FEBFC101F2F5C2Cull, "rgb every variation depth",        3, kPreset,  kWhole, "--density 40 --seed 30 --random-scale 2 --order-by-depth --fade-with-depth --desaturate-with-depth --hue-jitter 180 --brightness-jitter 50 --opacity-jitter 40 --flip hv --blend overlay"},
        {0x0D20526644FA17FAull, "rgba texture variations mask",     4, kObject,  kMask,  "--density 50 --seed 31 --texture --flip v --opacity-jitter 60 --hue-jitter 90 --blend multiply"},
        {0xC5D8CF24FFA2B69Aull, "rgb no overlap variations",        3, kObject,  kWhole, "--density 100 --seed 32 --no-overlap --flip h --opacity-jitter 50 --hue-jitter 30"},
        {0x36659717B4168741ull, "rgba extension at defaults",       4, kBlock,   kWhole, "--params @category --density 50 --seed 18 --random-scale 2 --hue-jitter 0 --flip none --blend normal"},
        {0xA3229138F5B0EEE3ull, "rgb density luminance",            3, kObject,  kWhole, "--density 80 --seed 41 --density-map luminance"},
        {0x8E65A128CB80DCC4ull, "rgba density inverse keep count",  4, kFolder,  kWhole, "--density 40 --seed 42 --density-map inverse --density-strength 80 --keep-count"},
        {0x74604F8E06FE18E5ull, "rgb density map file mask",        3, kObject,  kMask,  "--density 80 --seed 43 --density-map file --map-file @map"},
        {0x7425CB06DE2038B2ull, "rgb size luminance",               3, kFolder,  kWhole, "--density 40 --seed 44 --size-map luminance --size-min 40 --size-max 220"},
        {0xEF063202FA46C5BAull, "rgba size inverse file",           4, kObject,  kWhole, "--density 40 --seed 45 --size-map file --map-file @map --size-min 300 --size-max 60"},
        {0x527DEE7F0F75E411ull, "rgb even spacing",                 3, kObject,  kWhole, "--density 60 --seed 46 --spacing even"},
        {0xDDC4B38A30603B6Bull, "rgba even no overlap whole mask",  4, kFolder,  kMask,  "--density 90 --seed 47 --spacing even --no-overlap --whole-objects"},
        {0xB278006EDDF5D207ull, "rgb follow edges",                 3, kObject,  kWhole, "--density 50 --seed 48 --follow-edges --random-rotation 20"},
        {0xDC9ED97F47DEA623ull, "rgb guides with variations",       3, kPreset,  kWhole, "--density 50 --seed 49 --density-map inverse --keep-count --size-map luminance --spacing even --follow-edges --random-scale 2 --order-by-depth --hue-jitter 90 --flip h --opacity-jitter 30 --blend multiply"},
        {0xEB90569CF079C269ull, "rgba guides texture variations",   4, kObject,  kMask,  "--density 60 --seed 50 --texture --density-map file --map-file @map --size-map inverse --follow-edges --flip v --brightness-jitter 40"},
        {0x2F1AA462535B0609ull, "rgb unreadable map reads as none", 3, kObject, kWhole, "--density 40 --seed 1 --density-map file --size-map file --map-file missing.png"},
        {0x2F1AA462535B0609ull, "rgb guides at their defaults",    3, kObject, kWhole, "--density 40 --seed 1 --density-map none --spacing random --density-strength 100 --size-min 50"},
    };
    // clang-format on
    return cases;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find(' ', at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

// The inputs must agree first, or no output could.
constexpr uint64_t kRgbInputHash = 0x576489A387FF0B7Eull, kRgbaInputHash = 0x6047C37C2BA80F71ull;

// The shipped library's category "Snow", in the system's folder order.
constexpr int32_t kShownCategory = 6;

class CliIdentity : public VarnelProgramTest {
protected:
    // The plug-in's default block as a run leaves it, then naming a category and no path.
    std::string CategoryBlock(const std::string& input, int32_t category) {
        const ProgramResult run =
            Apply(realPlugin, {input, folder / "base.png", "--quiet", "--save-params", folder / "base.bin"});
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<uint8_t> bytes = ReadBytes(folder / "base.bin");
        EXPECT_EQ(bytes.size(), kSettingsBlockSize);
        // As an older version stored it: the extension reads as its defaults.
        bytes.resize(sizeof(EffectParameters));
        std::fill_n(bytes.begin() + offsetof(EffectParameters, path), sizeof(EffectParameters::path), 0);
        std::memcpy(&bytes[offsetof(EffectParameters, presetCategory)], &category, sizeof category);
        WriteBytes(folder / "category.bin", bytes);
        return folder / "category.bin";
    }
};

TEST_F(CliIdentity, EveryBuildDrawsTheSamePictureForTheSameSettings) {
    const Raster inputs[2] = {InputImage(3), InputImage(4)};
    EXPECT_EQ(PixelHash(inputs[0]), kRgbInputHash) << std::hex << PixelHash(inputs[0]);
    EXPECT_EQ(PixelHash(inputs[1]), kRgbaInputHash) << std::hex << PixelHash(inputs[1]);
    const std::string inputFiles[2] = {Input("rgb.png", inputs[0]), Input("rgba.png", inputs[1])};
    const std::string object = Input("disc.png", Disc(16, 250, 60, 40));
    const fs::path weighted = folder.Path() / "weighted";
    fs::create_directories(weighted);
    Input("weighted/a_3.png", Disc(12, 240, 200, 30));
    Input("weighted/b_1.png", Bar(20, 8));
    Input("weighted/Thumbnail.png", Disc(30, 0, 255, 0));  // shown in lists, never drawn
    const std::string mask = Input("mask.png", Mask());
    const std::string categoryBlock = CategoryBlock(inputFiles[0], kShownCategory);
    const std::string map = Input("map.png", GreyMapPicture());

    std::string differing;
    int run = 0;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const int index = c.planes == 3 ? 0 : 1;
        std::vector<std::string> args = {inputFiles[index], folder / "out.png", "--quiet"};
        // One drawing thread, several, or the machine's choice: the same picture each time.
        const int threads = run % 3 == 0 ? 1 : run % 3 == 1 ? 5 : 0;
        ++run;
        if (threads > 0) args.insert(args.end(), {"--threads", std::to_string(threads)});
        if (c.objects == kObject) args.insert(args.end(), {"--object", object});
        if (c.objects == kFolder) args.insert(args.end(), {"--folder", weighted.string()});
        if (c.objects == kPreset) args.insert(args.end(), {"--preset", "Leaves/Autumn"});
        if (c.selection == kMask) args.insert(args.end(), {"--mask", mask});
        for (const std::string& word : Words(c.settings))
            args.push_back(word == "@category" ? categoryBlock : word == "@map" ? map : word);
        fs::remove(folder / "out.png");
        const ProgramResult result = Apply(realPlugin, args);
        ASSERT_EQ(result.status, 0) << result.err;
        const Raster output = ReadImage(folder / "out.png");
        ASSERT_EQ(output.channels, c.planes);
        EXPECT_NE(output.pixels, inputs[index].pixels) << "the effect drew nothing";
        const uint64_t hash = PixelHash(output);
        if (hash != c.hash) {
            char line[160];
            std::snprintf(line, sizeof line, "  %-36s 0x%016" PRIX64 " (expected 0x%016" PRIX64 ")\n", c.name,
                          hash, c.hash);
            differing += line;
        }
    }
    EXPECT_EQ(differing, "") << "cases whose picture differs from the checked-in hash:\n" << differing;
}

}  // namespace
