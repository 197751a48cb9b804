// Reading what editors and cameras write, and writing PNG that reads back exactly.
#include <gtest/gtest.h>
#include <png.h>

#include "host/cli/ImageFile.h"
#include "tests/cli/TestFiles.h"

namespace {

using namespace VarnCli;
using CliTest::Pattern;
using CliTest::ScratchFolder;

TEST(CliImageFile, PngRoundTripKeepsEveryChannelLayout) {
    ScratchFolder folder;
    for (int32_t channels = 1; channels <= 4; ++channels) {
        const Raster written = Pattern(13, 7, channels);
        std::string error;
        ASSERT_TRUE(WritePngFile(folder / "a.png", written, error)) << error;
        Raster read;
        ASSERT_TRUE(ReadImageFile(folder / "a.png", read, error)) << error;
        EXPECT_EQ(read.width, 13);
        EXPECT_EQ(read.height, 7);
        EXPECT_EQ(read.channels, channels);
        EXPECT_EQ(read.pixels, written.pixels) << channels << " channels";
    }
}

TEST(CliImageFile, PngOfOtherLibrariesIsBroughtTo8Bits) {
    ScratchFolder folder;
    // 16-bit grey: each sample is v * 257, which scales back to v exactly.
    Raster deep = Pattern(5, 4, 1);
    Raster wide;
    wide.width = 5, wide.height = 4, wide.channels = 1;
    for (uint8_t v : deep.pixels) {
        const uint16_t sample = uint16_t(v * 257);
        wide.pixels.insert(wide.pixels.end(), {uint8_t(sample & 0xFF), uint8_t(sample >> 8)});
    }
    CliTest::WritePngWithFormat(folder / "deep.png", wide, PNG_FORMAT_LINEAR_Y);
    Raster read = CliTest::ReadImage(folder / "deep.png");
    EXPECT_EQ(read.channels, 1);
    EXPECT_EQ(read.pixels, deep.pixels);

    // A palette becomes RGB.
    Raster indices;
    indices.width = 4, indices.height = 2, indices.channels = 1;
    indices.pixels = {0, 1, 2, 3, 100, 101, 126, 127};
    CliTest::WritePngWithFormat(folder / "palette.png", indices, PNG_FORMAT_RGB_COLORMAP);
    read = CliTest::ReadImage(folder / "palette.png");
    ASSERT_EQ(read.channels, 3);
    for (size_t i = 0; i < indices.pixels.size(); ++i) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(read.pixels[i * 3 + c], indices.pixels[i] * 2) << i;
    }
}

TEST(CliImageFile, JpegArrivesAsRgbOrGrey) {
    ScratchFolder folder;
    CliTest::WriteJpeg(folder / "colour.jpg", Pattern(16, 9, 3), 95);
    CliTest::WriteJpeg(folder / "grey.jpg", Pattern(16, 9, 1), 95);
    Raster colour = CliTest::ReadImage(folder / "colour.jpg");
    EXPECT_EQ(colour.width, 16);
    EXPECT_EQ(colour.height, 9);
    EXPECT_EQ(colour.channels, 3);
    Raster grey = CliTest::ReadImage(folder / "grey.jpg");
    EXPECT_EQ(grey.channels, 1);
    // Lossy, but close: a swapped or shifted plane would be far off.
    const Raster expected = Pattern(16, 9, 1);
    int worst = 0;
    for (size_t i = 0; i < expected.pixels.size(); ++i)
        worst = std::max(worst, std::abs(grey.pixels[i] - expected.pixels[i]));
    EXPECT_LT(worst, 40);
}

TEST(CliImageFile, BmpArrivesAsRgbTopDown) {
    ScratchFolder folder;
    const Raster written = Pattern(7, 5, 3);  // 21 bytes a row: padded in the file
    CliTest::WriteBmp(folder / "a.bmp", written);
    const Raster read = CliTest::ReadImage(folder / "a.bmp");
    EXPECT_EQ(read.width, 7);
    EXPECT_EQ(read.height, 5);
    EXPECT_EQ(read.channels, 3);
    EXPECT_EQ(read.pixels, written.pixels);
}

TEST(CliImageFile, DamagedAndForeignFilesAreRefusedWithAReason) {
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(WritePngFile(folder / "good.png", Pattern(40, 30, 3), error));
    CliTest::WriteJpeg(folder / "good.jpg", Pattern(40, 30, 3), 90);
    std::vector<uint8_t> png = CliTest::ReadBytes(folder / "good.png");
    std::vector<uint8_t> jpeg = CliTest::ReadBytes(folder / "good.jpg");
    png.resize(png.size() / 2);
    jpeg.resize(jpeg.size() / 2);
    CliTest::WriteBytes(folder / "cut.png", png);
    CliTest::WriteBytes(folder / "cut.jpg", jpeg);
    CliTest::WriteBytes(folder / "empty.png", {});
    CliTest::WriteBytes(folder / "text.png", {'h', 'e', 'l', 'l', 'o'});
    CliTest::WriteBytes(folder / "picture.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0});
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cut.png", "PNG"},     {"cut.jpg", "ends early"},
        {"empty.png", "empty"}, {"text.png", "not a PNG, JPEG or BMP"},
        {"picture.bmp", "BMP"}, {"missing.png", ""},
    };
    for (const auto& [name, reason] : cases) {
        Raster image;
        error.clear();
        EXPECT_FALSE(ReadImageFile(folder / name, image, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_NE(error.find(reason), std::string::npos) << name << ": " << error << " lacks " << reason;
        EXPECT_TRUE(image.pixels.empty()) << name;
    }
}

TEST(CliImageFile, OversizedImagesAreRefusedBeforeAllocation) {
    // A PNG header claiming 40000 x 1 pixels: more than the host's 16-bit rectangles hold.
    ScratchFolder folder;
    Raster wide;
    wide.width = 40000, wide.height = 1, wide.channels = 1;
    wide.pixels.assign(40000, 0);
    std::string error;
    ASSERT_TRUE(WritePngFile(folder / "wide.png", wide, error)) << error;
    Raster read;
    EXPECT_FALSE(ReadImageFile(folder / "wide.png", read, error));
    EXPECT_EQ(RasterBytes(int64_t(1) << 40, int64_t(1) << 30, 1), 0u);
    EXPECT_EQ(RasterBytes(3, 0, 1), 0u);
    EXPECT_EQ(RasterBytes(3, 5, 4), 60u);
}

TEST(CliImageFile, PngOfEveryLevelAndThreadCountReadsBackExactly) {
    ScratchFolder folder;
    // 4.8 MB: several strips, deflated apart and joined into one stream.
    const Raster large = Pattern(1000, 1200, 4);
    const Raster tall = Pattern(3, 4000, 1);
    for (const Raster* image : {&large, &tall}) {
        for (int level : {0, 2, 9}) {
            std::vector<uint8_t> first;
            for (int threads : {1, 3}) {
                Encoding encoding;
                encoding.pngLevel = level;
                encoding.threads = threads;
                std::string error;
                ASSERT_TRUE(WritePngFile(folder / "a.png", *image, error, encoding)) << error;
                EXPECT_EQ(CliTest::ReadImage(folder / "a.png").pixels, image->pixels)
                    << level << " " << threads;
                const std::vector<uint8_t> bytes = CliTest::ReadBytes(folder / "a.png");
                // The same file however many threads made it.
                if (threads == 1)
                    first = bytes;
                else
                    EXPECT_EQ(bytes, first) << level;
            }
        }
    }
}

TEST(CliImageFile, JpegOutputKeepsTheColourAndDropsTransparency) {
    ScratchFolder folder;
    for (int32_t channels = 1; channels <= 4; ++channels) {
        // Smooth, so that chroma subsampling loses little; each plane its own gradient.
        Raster written = Pattern(24, 16, channels);
        for (size_t i = 0; i < written.pixels.size(); ++i) {
            const size_t pixel = i / size_t(channels), c = i % size_t(channels);
            written.pixels[i] = uint8_t(c == 0   ? (pixel % 24) * 10
                                        : c == 1 ? (pixel / 24) * 15
                                                 : 200 - c * 40);
        }
        std::string error;
        ASSERT_TRUE(WriteImageFile(folder / "a.jpg", ImageFormat::Jpeg, written, error, Encoding{2, 95, 1}))
            << error;
        const Raster read = CliTest::ReadImage(folder / "a.jpg");
        const int32_t colours = channels >= 3 ? 3 : 1;
        ASSERT_EQ(read.channels, colours);
        int worst = 0;
        for (size_t i = 0; i < size_t(24 * 16); ++i) {
            for (int32_t c = 0; c < colours; ++c)
                worst = std::max(worst,
                                 std::abs(read.pixels[i * colours + c] - written.pixels[i * channels + c]));
        }
        EXPECT_LT(worst, 12) << channels << " channels";
    }
}

TEST(CliImageFile, OutputFormatFollowsTheName) {
    const std::vector<std::pair<std::string, ImageFormat>> cases = {
        {"a.png", ImageFormat::Png},       {"dir/A.PNG", ImageFormat::Png},     {"a.jpg", ImageFormat::Jpeg},
        {"a.JPEG", ImageFormat::Jpeg},     {"a.bmp", ImageFormat::Unknown},     {"png", ImageFormat::Unknown},
        {"a.png/b", ImageFormat::Unknown}, {"a.jpg.tif", ImageFormat::Unknown},
    };
    for (const auto& [name, format] : cases) EXPECT_EQ(OutputFormatOf(name), format) << name;
}

TEST(CliImageFile, WritingToAMissingFolderFails) {
    ScratchFolder folder;
    std::string error;
    EXPECT_FALSE(WritePngFile(folder / "no/such/folder/a.png", Pattern(2, 2, 3), error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
