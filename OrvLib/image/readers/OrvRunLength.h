// Decoders of the two run-length forms of Windows bitmaps (8 and 4 bits per pixel).
//
// The target is a zeroed bitmap of the file's size and depth (8 for RLE8, 4 for RLE4),
// in either row order. Decoding starts at column 0 of the bottom row and moves up; it
// stops at the end-of-bitmap escape, at the end of the data, or when a move leaves the
// top of the picture. Runs are clipped to their row, escapes whose operands are missing
// end the decoding, and pixels the data never reaches keep index 0.
#pragma once

#include <cstddef>
#include <cstdint>

class OrvDIBBuffer;

void DecodeRLE8(const uint8_t* data, size_t count, OrvDIBBuffer& target);
void DecodeRLE4(const uint8_t* data, size_t count, OrvDIBBuffer& target);
