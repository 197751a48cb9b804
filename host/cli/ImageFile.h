// Image files as varnel reads and writes them. Pixels are 8-bit, interleaved, top-down,
// rows without padding. Readers report failure as false with a reason for the user and
// never throw out of the decoding libraries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VarnCli {

struct Raster {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 0;  // 1 grey, 2 grey and alpha, 3 RGB, 4 RGBA
    std::vector<uint8_t> pixels;
};

// The host interface counts pixels in 16-bit rectangles, so nothing larger can be filtered.
constexpr int32_t kMaxImageSide = 32767;

enum class ImageFormat { Unknown, Png, Jpeg, Bmp };

// By the first bytes, whatever the file name says.
ImageFormat SniffImageFormat(const uint8_t* bytes, size_t size);

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

// PNG (any colour type and depth, brought to 8 bits; a transparency chunk becomes alpha),
// JPEG (grey or colour) and BMP (as RGB, read by the plug-in library's own reader).
bool ReadImageFile(const std::string& path, Raster& image, std::string& error);
bool DecodePng(const std::vector<uint8_t>& bytes, Raster& image, std::string& error);
bool DecodeJpeg(const std::vector<uint8_t>& bytes, Raster& image, std::string& error);
bool DecodeBmpFile(const std::string& path, Raster& image, std::string& error);

// An 8-bit PNG of 1 to 4 channels.
bool WritePngFile(const std::string& path, const Raster& image, std::string& error);

// Bytes width x height x channels, or 0 when the product overflows or a factor is not positive.
size_t RasterBytes(int64_t width, int64_t height, int64_t channels);

}  // namespace VarnCli
