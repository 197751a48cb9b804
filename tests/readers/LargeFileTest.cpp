// Large files and large pictures: refused without reading them whole, and without
// leaving a file open. Linux only: it makes a sparse file and counts descriptors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "OrvLib/image/readers/OrvJPEGReader.h"
#include "ReaderTestSupport.h"

namespace {

// Bytes this process has read through the system so far.
uint64_t BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    ADD_FAILURE() << "no read count in /proc/self/io";
    return 0;
}

size_t OpenFiles() {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

TEST(ReaderLargeFiles, AThreeGigabyteFileIsNeverReadWhole) {
    const auto folder = std::filesystem::temp_directory_path() / "varnel_readers_large";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // Sparse: no disk space, but any attempt to read it whole would need 3 GB of memory.
    const auto video = folder / "video.dat";
    const auto asJpeg = folder / "video.jpg";
    for (const auto& path : {video, asJpeg}) {
        std::ofstream(path).put('\0');
        std::filesystem::resize_file(path, 3ull << 30);
    }

    const size_t before = OpenFiles();
    OrvImage2 image;
    const uint64_t readBefore = BytesRead();
    EXPECT_FALSE(LoadImageFile(video.string(), image, true));
    EXPECT_FALSE(LoadImageFile(asJpeg.string(), image, true));
    EXPECT_FALSE(ReadJPEGFile(asJpeg.string(), image));
    // A few buffered reads of each file's start, nowhere near the file itself.
    EXPECT_LT(BytesRead() - readBefore, uint64_t(1) << 20);
    EXPECT_EQ(OpenFiles(), before);
    std::filesystem::remove_all(folder);
}

// Headers of pictures beyond what a block can hold: the allocation is refused, and the
// reader closes its file and frees the decoder on the way out.
TEST(ReaderLargeFiles, PicturesTooLargeToHoldFailCleanly) {
    const size_t before = OpenFiles();
    OrvImage2 image;
    for (const char* name :
         {"bad_png_million_square.png", "bad_png_30000_square.png", "bad_bmp_huge_width.bmp"})
        EXPECT_FALSE(LoadImageFile(ReaderTest::CorpusFile(name), image, true)) << name;
    EXPECT_EQ(OpenFiles(), before);
    EXPECT_TRUE(image.IsEmpty());
}

}  // namespace
