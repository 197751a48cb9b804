// JPEG files and blocks in memory, decoded by libjpeg through its version-6 interface.
//
// Colour comes out at 24 bits blue first, greyscale at 8 bits with a grey ramp; other
// colour spaces (CMYK) are refused. A file cut short fails: the decoder never reads
// past the block, never waits for more data and never pads the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class OrvDIBBuffer;
class OrvImage2;

// Empties the image, then decodes the whole file (at most 2^31 - 1 bytes) read into
// memory; the image ends top-down, or empty on failure.
bool ReadJPEGFile(const std::string& path, OrvImage2& image);

// An empty target gets a top-down bitmap of the picture's size. A target that already
// holds a bitmap must have the picture's width, height and depth (8 or 24); its rows are
// then overwritten in place.
bool DecodeJPEGMemory(const uint8_t* block, size_t count, OrvDIBBuffer& target);
