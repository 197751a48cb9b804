#include "host/cli/ImageFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

namespace VarnCli {

ImageFormat SniffImageFormat(const uint8_t* bytes, size_t size) {
    static const uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(bytes, png, 8) == 0) return ImageFormat::Png;
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return ImageFormat::Jpeg;
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ImageFormat::Bmp;
    return ImageFormat::Unknown;
}

size_t RasterBytes(int64_t width, int64_t height, int64_t channels) {
    if (width <= 0 || height <= 0 || channels <= 0) return 0;
    const uint64_t limit = std::numeric_limits<size_t>::max();
    const uint64_t row = uint64_t(width) * uint64_t(channels);
    if (row > limit / uint64_t(height)) return 0;
    return size_t(row * uint64_t(height));
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    uint8_t chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) error = "read error";
    return !failed;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) error = "write error";
    return written && closed;
}

ImageFormat OutputFormatOf(const std::string& path) {
    const size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.') return ImageFormat::Unknown;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "png") return ImageFormat::Png;
    if (extension == "jpg" || extension == "jpeg") return ImageFormat::Jpeg;
    return ImageFormat::Unknown;
}

bool WriteImageFile(const std::string& path, ImageFormat format, const Raster& image, std::string& error,
                    const Encoding& encoding) {
    if (format == ImageFormat::Jpeg) return WriteJpegFile(path, image, error, encoding);
    if (format == ImageFormat::Png) return WritePngFile(path, image, error, encoding);
    error = "no writer for this format";
    return false;
}

bool ReadImageFile(const std::string& path, Raster& image, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    switch (SniffImageFormat(bytes.data(), bytes.size())) {
        case ImageFormat::Png:
            return DecodePng(bytes, image, error);
        case ImageFormat::Jpeg:
            return DecodeJpeg(bytes, image, error);
        case ImageFormat::Bmp:
            return DecodeBmpFile(path, image, error);
        case ImageFormat::Unknown:
            break;
    }
    error = bytes.empty() ? "the file is empty" : "not a PNG, JPEG or BMP image";
    return false;
}

}  // namespace VarnCli
