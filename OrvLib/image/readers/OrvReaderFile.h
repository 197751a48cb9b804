// What the file readers share: a file that closes itself on every path and a bound on the
// pictures they may allocate.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class OrvImage2;

class OrvReaderFile {
public:
    explicit OrvReaderFile(const std::string& path) : file(std::fopen(path.c_str(), "rb")) {}
    ~OrvReaderFile() {
        if (file != nullptr) std::fclose(file);
    }
    OrvReaderFile(const OrvReaderFile&) = delete;
    OrvReaderFile& operator=(const OrvReaderFile&) = delete;

    bool IsOpen() const { return file != nullptr; }
    std::FILE* Get() const { return file; }
    // Bytes in the file, or -1 when it cannot be told (also for lengths the C library
    // cannot report, above 2 GB on Windows). Leaves the position at the start.
    int64_t Length();
    // True only when all n bytes were read.
    bool Read(void* buffer, size_t n) { return n == 0 || std::fread(buffer, 1, n, file) == n; }
    bool SeekTo(int64_t offset);

private:
    std::FILE* file;
};

// Pictures whose pixel rows would need more bytes than this are refused before anything
// is allocated. Unlimited unless lowered (fuzzing lowers it, so that a tiny file declaring
// a huge picture costs nothing); the image model refuses blocks above INT_MAX in any case.
void OrvSetReaderImageLimit(int64_t bytes);
bool OrvReaderImageAllowed(int64_t width, int64_t height, int bitsPerPixel);

// Little-endian fields of the file formats, whatever the machine.
inline uint16_t OrvLoad16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t OrvLoad32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
