// PNG files and PNG blocks in memory, decoded by libpng.
//
// Palette and grey pictures come out at 8 bits (the PNG palette, or a grey ramp, as the
// colour table), colour at 24 bits and anything with transparency or alpha at 32 bits,
// always blue first and top-down; 16-bit samples are cut to 8. A palette whose only
// non-opaque entry is the last of the transparency chunk stays 8-bit with that entry's
// index as the image's key; every other transparency becomes an alpha channel, and
// hasAlpha is set exactly when the pixels carry one.
//
// On any failure (library error, truncated data, a picture too large to hold) the result
// is false and the image is unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class OrvImage2;
class OrvReaderSource;

bool ReadPNGFile(const std::string& path, OrvImage2& image);
bool ReadPNGMemory(const uint8_t* block, size_t count, OrvImage2& image);
// Both of the above: the bytes in order from the source, whose first short read fails
// the decode.
bool ReadPNGFrom(OrvReaderSource& source, OrvImage2& image);
