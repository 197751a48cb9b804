#include "OrvLib/image/readers/OrvReaderFile.h"

#include <climits>
#include <cstring>

#include "OrvLib/image/OrvDIBBuffer.h"

namespace {
int64_t imageLimit = INT64_MAX;
}

int64_t OrvReaderFile::Length() {
    if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(file);
    if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) return -1;
    return end;
}

bool OrvReaderFile::SeekTo(int64_t offset) {
    if (offset < 0 || offset > LONG_MAX) return false;
    return std::fseek(file, long(offset), SEEK_SET) == 0;
}

int64_t OrvReaderBytes::Length() {
    position = 0;
    return int64_t(size);
}

bool OrvReaderBytes::Read(void* buffer, size_t n) {
    if (n > size - position) return false;
    if (n > 0) std::memcpy(buffer, data + position, n);
    position += n;
    return true;
}

bool OrvReaderBytes::SeekTo(int64_t offset) {
    if (offset < 0 || uint64_t(offset) > size) return false;
    position = size_t(offset);
    return true;
}

void OrvSetReaderImageLimit(int64_t bytes) { imageLimit = bytes; }

bool OrvReaderImageAllowed(int64_t width, int64_t height, int bitsPerPixel) {
    if (width < 1 || height < 1 || width > INT_MAX || height > INT_MAX) return false;
    const int64_t stride = OrvDIBBuffer::StrideOf(width, bitsPerPixel);
    // Divided, not multiplied: a stride near 2^34 times a height near 2^31 overflows.
    return stride > 0 && height <= imageLimit / stride;
}
