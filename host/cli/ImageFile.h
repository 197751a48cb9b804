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

// The format a file's name asks for: .png, .jpg or .jpeg in any case; Unknown otherwise.
ImageFormat OutputFormatOf(const std::string& path);

// A low zlib level: on large pictures the higher ones cost many times the filter's own run.
constexpr int kDefaultPngLevel = 2;

struct Encoding {
    int pngLevel = kDefaultPngLevel;  // 0 to 9
    int jpegQuality = 90;             // 1 to 100
    int threads = 0;                  // for deflating a large PNG; 0: the machine's cores, at most 8
};

// An 8-bit PNG of 1 to 4 channels; large pictures are deflated in strips on several threads.
bool WritePngFile(const std::string& path, const Raster& image, std::string& error,
                  const Encoding& encoding = Encoding());
// A baseline JPEG of the colour; transparency is dropped, as JPEG holds none.
bool WriteJpegFile(const std::string& path, const Raster& image, std::string& error,
                   const Encoding& encoding = Encoding());
// PNG or JPEG as the format says.
bool WriteImageFile(const std::string& path, ImageFormat format, const Raster& image, std::string& error,
                    const Encoding& encoding);

// Bytes width x height x channels, or 0 when the product overflows or a factor is not positive.
size_t RasterBytes(int64_t width, int64_t height, int64_t channels);

}  // namespace VarnCli
