// Windows bitmap files: the 40-byte and the 12-byte (core) header forms, depths 1, 2, 4,
// 8, 16, 24 and 32 uncompressed, and run-length data at 8 and 4 bits.
//
// The image comes out top-down at the stored depth, with the file's colour table widened
// to 2^depth entries (unlisted entries black), no alpha and no key. Everything else
// returns false with the image unchanged: later header forms, bit fields and embedded
// JPEG or PNG data, fields out of range, and files shorter than their headers promise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class OrvImage2;

bool ReadBMPFile(const std::string& path, OrvImage2& image);
// The same from a whole file held in memory.
bool ReadBMPMemory(const uint8_t* data, size_t size, OrvImage2& image);
