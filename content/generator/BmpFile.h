// Windows bitmap files for the dialog's button pictures: uncompressed, bottom-up, either
// 24 bits a pixel or 4 bits with the sixteen standard colours of the system palette.
#pragma once

#include "PngFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Art {

enum class BmpDepth { Bits24, Bits4 };

// The sixteen colours of the standard 4-bit palette, as 0xRRGGBB, in palette order.
const std::array<uint32_t, 16>& StandardPalette16();

// The bytes of the file. Alpha is ignored (the pictures are opaque); at 4 bits every pixel
// takes the nearest palette colour.
std::vector<uint8_t> EncodeBmp(const RgbaImage& image, BmpDepth depth);
bool WriteBmp(const std::string& path, const RgbaImage& image, BmpDepth depth);

}  // namespace Art
