#include "tests/cli/TestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <atomic>
#include <cstdio>

// After <cstdio>: jpeglib.h uses FILE and size_t without declaring them.
#include <jpeglib.h>

#include "host/cli/System.h"

namespace CliTest {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path = fs::temp_directory_path() /
           ("varnel-cli-" + std::to_string(VarnCli::ProcessId()) + "-" + std::to_string(counter++));
    fs::remove_all(path);
    fs::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

VarnCli::Raster Pattern(int32_t width, int32_t height, int32_t channels) {
    VarnCli::Raster image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels.resize(VarnCli::RasterBytes(width, height, channels));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t c = 0; c < channels; ++c)
                image.pixels[(size_t(y) * width + x) * channels + c] = uint8_t(x * 7 + y * 31 + c * 67 + 3);
    return image;
}

void WritePngWithFormat(const std::string& path, const VarnCli::Raster& image, uint32_t format) {
    png_image info{};
    info.version = PNG_IMAGE_VERSION;
    info.width = png_uint_32(image.width);
    info.height = png_uint_32(image.height);
    info.format = format;
    const void* colourMap = nullptr;
    std::vector<uint8_t> map;
    if ((format & PNG_FORMAT_FLAG_COLORMAP) != 0) {
        // Index i of the image names entry i of a map of grey levels i * 2.
        for (int i = 0; i < 128; ++i) map.insert(map.end(), {uint8_t(i * 2), uint8_t(i * 2), uint8_t(i * 2)});
        info.colormap_entries = 128;
        colourMap = map.data();
    }
    ASSERT_NE(png_image_write_to_file(&info, path.c_str(), 0, image.pixels.data(), 0, colourMap), 0)
        << info.message;
}

void WriteJpeg(const std::string& path, const VarnCli::Raster& image, int quality) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(image.width);
    info.image_height = JDIMENSION(image.height);
    info.input_components = image.channels;
    info.in_color_space = image.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(image.pixels.data()) +
                       size_t(info.next_scanline) * image.width * image.channels;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void WriteBmp(const std::string& path, const VarnCli::Raster& image) {
    ASSERT_EQ(image.channels, 3);
    const uint32_t stride = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * uint32_t(image.height);
    std::vector<uint8_t> file;
    const auto put = [&file](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file.push_back(uint8_t(value >> (8 * i)));
    };
    file = {'B', 'M'};
    put(14 + 40 + dataSize, 4);
    put(0, 4);
    put(14 + 40, 4);
    put(40, 4);
    put(uint32_t(image.width), 4);
    put(uint32_t(image.height), 4);
    put(1, 2);
    put(24, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    for (int32_t y = image.height - 1; y >= 0; --y) {
        const size_t start = file.size();
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixels.data() + (size_t(y) * image.width + x) * 3;
            file.insert(file.end(), {p[2], p[1], p[0]});
        }
        file.resize(start + stride, 0);
    }
    WriteBytes(path, file);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string error;
    ASSERT_TRUE(VarnCli::WriteFileBytes(path, bytes, error)) << path << ": " << error;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(VarnCli::ReadFileBytes(path, bytes, error)) << path << ": " << error;
    return bytes;
}

VarnCli::Raster ReadImage(const std::string& path) {
    VarnCli::Raster image;
    std::string error;
    EXPECT_TRUE(VarnCli::ReadImageFile(path, image, error)) << path << ": " << error;
    return image;
}

}  // namespace CliTest
