// Choosing the reader, what a failed load leaves behind, and the memory entry points.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvBMPReader.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "OrvLib/image/readers/OrvJPEGReader.h"
#include "OrvLib/image/readers/OrvPNGReader.h"
#include "OrvLib/image/readers/OrvReaderFile.h"
#include "ReaderTestSupport.h"
#include "corpus_generator/Corpus.h"

namespace {

using ReaderCorpus::Pattern;

using ReaderTest::CorpusFile;
using ReaderTest::Describe;
using ReaderTest::FileBytes;

bool ReadAs(const std::string& corpusName, OrvImage2& image) {
    return LoadImageFile(CorpusFile(corpusName), image, false);
}

// A corpus file copied under another name into a fresh temporary folder.
class Renamed : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("varnel_readers_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string Copy(const std::string& corpusName, const std::string& name) {
        std::filesystem::copy_file(CorpusFile(corpusName), folder / name);
        return (folder / name).string();
    }
    std::string Load(const std::string& path, bool sniff) {
        OrvImage2 image;
        return Describe(LoadImageFile(path, image, sniff), image);
    }
    std::string Expected(const std::string& corpusName) {
        OrvImage2 image;
        return Describe(ReadAs(corpusName, image), image);
    }
    std::filesystem::path folder;
};

TEST_F(Renamed, ExtensionsPickTheReaderAndSniffingReadsTheRest) {
    const std::string colour = Expected("jpeg_colour.jpg");
    ASSERT_EQ(colour.rfind("true", 0), 0u);
    EXPECT_EQ(Load(Copy("jpeg_colour.jpg", "a.JPG"), false), colour);
    EXPECT_EQ(Load(Copy("jpeg_colour.jpg", "b.jPg"), false), colour);
    EXPECT_EQ(Load(Copy("jpeg_colour.jpg", "c.jpeg"), false), Describe(false, OrvImage2()));
    EXPECT_EQ(Load(Copy("jpeg_colour.jpg", "d.jpeg"), true), colour);
    EXPECT_EQ(Load(Copy("jpeg_colour.jpg", "e.gif"), true), colour);
    // A dot in a folder name is no extension.
    std::filesystem::create_directories(folder / "x.png");
    EXPECT_EQ(Load(Copy("jpeg_colour.jpg", "x.png/noext"), false), Describe(false, OrvImage2()));

    const std::string png = Expected("png_rgb_8.png");
    EXPECT_EQ(Load(Copy("png_rgb_8.png", "f.BMP"), false), Describe(false, OrvImage2()));
    EXPECT_EQ(Load(Copy("png_rgb_8.png", "g.BMP"), true), png);
    EXPECT_EQ(Load(Copy("bmp_24bit.bmp", "h.dat"), true), Expected("bmp_24bit.bmp"));
    EXPECT_EQ(Load((folder / "missing.png").string(), true), Describe(false, OrvImage2()));
}

TEST(ReaderLoad, FailuresKeepThePreviousPictureButNotItsFlags) {
    OrvImage2 image;
    ASSERT_TRUE(ReadAs("png_palette_trns_single.png", image));
    const uint64_t before = ReaderTest::PixelHash(image);
    ASSERT_EQ(image.GetTransparent(), 0u);

    for (const char* bad : {"bad_bmp_depth7.bmp", "bad_png_truncated_half.png", "bad_png_30000_square.png",
                            "bad_bmp_truncated_rows.bmp"}) {
        image.SetTransparent(0);
        image.SetHasAlpha(true);
        EXPECT_FALSE(LoadImageFile(CorpusFile(bad), image, true)) << bad;
        EXPECT_EQ(ReaderTest::PixelHash(image), before) << bad;
        EXPECT_EQ(image.GetTransparent(), kOrvNoColour) << bad;
        EXPECT_FALSE(image.HasAlpha()) << bad;
    }
    // The JPEG reader empties the image before it starts.
    EXPECT_FALSE(ReadJPEGFile(CorpusFile("bad_jpeg_truncated_half.jpg"), image));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(ReaderLoad, MemoryHintsChooseTheDecoder) {
    const auto png = FileBytes(CorpusFile("png_rgba_8.png"));
    const auto jpeg = FileBytes(CorpusFile("jpeg_grey.jpg"));
    const auto bmp = FileBytes(CorpusFile("bmp_24bit.bmp"));
    OrvImage2 fromFile, image;
    ASSERT_TRUE(ReadAs("png_rgba_8.png", fromFile));
    EXPECT_TRUE(LoadImageMemory(png.data(), png.size(), ".PNG", image));
    EXPECT_EQ(Describe(true, image), Describe(true, fromFile));

    OrvImage2 grey;
    ASSERT_TRUE(ReadAs("jpeg_grey.jpg", fromFile));
    EXPECT_TRUE(LoadImageMemory(jpeg.data(), jpeg.size(), ".jpg", grey));
    EXPECT_EQ(Describe(true, grey), Describe(true, fromFile));
    EXPECT_EQ(grey.TableColour(200), OrvRGB(200, 200, 200));

    OrvImage2 none;
    EXPECT_FALSE(LoadImageMemory(bmp.data(), bmp.size(), ".bmp", none));
    EXPECT_FALSE(LoadImageMemory(png.data(), png.size(), ".gif", none));
    EXPECT_FALSE(LoadImageMemory(png.data(), png.size(), ".jpg", none));
    EXPECT_FALSE(LoadImageMemory(png.data(), png.size() - 20, ".png", none));
    EXPECT_TRUE(none.IsEmpty());
    // Headless builds bind no resources.
    EXPECT_FALSE(LoadImageResource(nullptr, 3016, "IMAGE", ".png", none));
}

TEST(ReaderLoad, JpegIntoAnExistingBitmapNeedsItsExactSize) {
    const auto jpeg = FileBytes(CorpusFile("jpeg_colour.jpg"));
    OrvImage2 expected;
    ASSERT_TRUE(ReadAs("jpeg_colour.jpg", expected));

    // Rows go to logical rows, whatever the target's storage order.
    OrvDIBBuffer bottomUp;
    bottomUp.Create(37, 23, 24, nullptr);
    EXPECT_TRUE(DecodeJPEGMemory(jpeg.data(), jpeg.size(), bottomUp));
    EXPECT_EQ(ReaderTest::PixelHash(bottomUp), ReaderTest::PixelHash(expected));

    for (auto size : {std::pair<int, int>{36, 23}, {37, 24}}) {
        OrvImage2 other;
        other.Create(size.first, size.second, 24, nullptr);
        EXPECT_FALSE(DecodeJPEGMemory(jpeg.data(), jpeg.size(), other));
        EXPECT_EQ(other.GetWidth(), size.first);
    }
    OrvImage2 grey;
    grey.Create(37, 23, 8, nullptr);
    EXPECT_FALSE(DecodeJPEGMemory(jpeg.data(), jpeg.size(), grey));
}

TEST(ReaderLoad, BitmapTablesAndPixelsKeepTheirLayout) {
    OrvImage2 image;
    ASSERT_TRUE(ReadAs("bmp_8bit_clrused16.bmp", image));
    ASSERT_EQ(image.TableEntries(), 256);
    EXPECT_EQ(image.TableColour(15), OrvRGB(255 - 45, 15 * 13 + 40, 15 * 7));
    EXPECT_EQ(image.TableColour(16), OrvRGB(0, 0, 0));
    EXPECT_EQ(image.TableColour(255), OrvRGB(0, 0, 0));

    ASSERT_TRUE(ReadAs("bmp_core_4bit.bmp", image));
    EXPECT_EQ(image.TableColour(3), OrvRGB(255 - 9, 3 * 13 + 40, 3 * 7));

    // 5-5-5 pixels are kept as stored: blue lowest.
    ASSERT_TRUE(ReadAs("bmp_16bit.bmp", image));
    const uint8_t* p = image.PixelAddress(2, 1);
    const unsigned v = unsigned(p[0] | p[1] << 8);
    EXPECT_EQ(v,
              unsigned(Pattern(2, 1, 0) >> 3 | (Pattern(2, 1, 1) >> 3) << 5 | (Pattern(2, 1, 2) >> 3) << 10));

    // Palette PNGs keep their palette; pixels come out blue first.
    ASSERT_TRUE(ReadAs("png_rgb_8.png", image));
    EXPECT_EQ(image.PixelAddress(1, 2)[0], Pattern(1, 2, 2));
    EXPECT_EQ(image.PixelAddress(1, 2)[2], Pattern(1, 2, 0));
    ASSERT_TRUE(ReadAs("png_palette_trns_two.png", image));
    ASSERT_EQ(image.GetBitCount(), 32);
    EXPECT_TRUE(image.HasAlpha());
    const unsigned index = Pattern(4, 3, 0) % 16;
    const uint8_t* q = image.PixelAddress(4, 3);
    EXPECT_EQ(q[0], uint8_t(index * 3 + 9));
    EXPECT_EQ(q[2], uint8_t(255 - index * 5));
    EXPECT_EQ(q[3], index < 2 ? 0 : 255);
}

TEST(ReaderLoad, BitmapsFromBytesAsFromFilesAndNoReaderPrintsAnything) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ReaderTest::CorpusFile(""))) {
        const std::string path = entry.path().string();
        const std::string name = entry.path().filename().string();
        const std::vector<uint8_t> bytes = ReaderTest::FileBytes(path);
        OrvImage2 fromFile, fromBytes, any;
        testing::internal::CaptureStderr();
        const bool a = ReadBMPFile(path, fromFile);
        const bool b = ReadBMPMemory(bytes.data(), bytes.size(), fromBytes);
        LoadImageFile(path, any, true);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
        EXPECT_EQ(ReaderTest::Describe(a, fromFile), ReaderTest::Describe(b, fromBytes)) << name;
        ++files;
    }
    EXPECT_GT(files, 100);
}

TEST(ReaderLoad, PictureSizesAreWeighedWithoutOverflow) {
    // Found by fuzzing: a bitmap declaring 0x60000101 x 1945698256 at 24 bits, whose row
    // bytes times rows do not fit in 64 bits.
    EXPECT_FALSE(OrvReaderImageAllowed(0x60000101, 1945698256, 24));
    EXPECT_FALSE(OrvReaderImageAllowed(INT32_MAX, INT32_MAX, 32));
    EXPECT_TRUE(OrvReaderImageAllowed(1000, 1000, 32));
    const std::vector<uint8_t> bytes = ReaderTest::FileBytes(
        ReaderTest::CorpusFile("../../../fuzz/crashes/fuzz_png_file/bmp_stride_times_height_overflows.bmp"));
    ASSERT_FALSE(bytes.empty());
    OrvImage2 image;
    EXPECT_FALSE(ReadBMPMemory(bytes.data(), bytes.size(), image));
}

TEST(ReaderLoad, PngChunkRunningPastTheEndCostsOnlyTheBytesThere) {
    // Found by fuzzing: in a 168-byte block, an ancillary chunk declaring 0x64646464 bytes,
    // which the decoder used to take whole as zeros before its check failed.
    struct CountingBytes : OrvReaderBytes {
        using OrvReaderBytes::OrvReaderBytes;
        bool Read(void* buffer, size_t n) override {
            asked += n;
            return OrvReaderBytes::Read(buffer, n);
        }
        uint64_t asked = 0;
    };
    const std::vector<uint8_t> bytes =
        FileBytes(CorpusFile("../../../fuzz/crashes/fuzz_png_memory/png_chunk_past_the_end.png"));
    ASSERT_EQ(bytes.size(), 168u);
    CountingBytes source(bytes.data(), bytes.size());
    OrvImage2 image;
    EXPECT_FALSE(ReadPNGFrom(source, image));
    EXPECT_LT(source.asked, uint64_t(64) << 10);
    EXPECT_FALSE(ReadPNGMemory(bytes.data(), bytes.size(), image));

    // The same data cut anywhere fails at once, from memory as from a file.
    const std::vector<uint8_t> whole = FileBytes(CorpusFile("png_rgba_8.png"));
    ASSERT_TRUE(ReadPNGMemory(whole.data(), whole.size(), image));
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
        CountingBytes shorter(whole.data(), cut);
        EXPECT_FALSE(ReadPNGFrom(shorter, image)) << cut;
        EXPECT_LE(shorter.asked, cut + (uint64_t(64) << 10)) << cut;
    }
}

}  // namespace
