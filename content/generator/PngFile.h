// PNG files through libpng: 8-bit RGBA, or RGB for opaque pictures, written with fixed
// settings so that the same pixels always give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Art {

struct RgbaImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // rows top first, 4 bytes a pixel, straight alpha
};

// Without `alpha` the picture is stored as RGB (colour type 2) and its alpha is dropped.
bool WritePng(const std::string& path, const RgbaImage& image, bool alpha = true);
// Any PNG, expanded to 8-bit RGBA.
bool ReadPng(const std::string& path, RgbaImage& image);

}  // namespace Art
