// Fuzz targets of the image readers. Each takes arbitrary bytes as a file or a memory
// block, loads them, and touches every pixel of a result so that the sanitizers check
// the block against its header.
#pragma once

#include <cstddef>
#include <cstdint>

int FuzzBmpMemory(const uint8_t* data, size_t size);
int FuzzPngFile(const uint8_t* data, size_t size);
int FuzzPngMemory(const uint8_t* data, size_t size);
int FuzzJpegFile(const uint8_t* data, size_t size);
int FuzzJpegMemory(const uint8_t* data, size_t size);
