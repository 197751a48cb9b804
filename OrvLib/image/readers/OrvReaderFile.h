// What the file readers share: bytes read in order from a file or a memory block, a file
// that closes itself on every path, and a bound on the pictures they may allocate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class OrvImage2;

// Bytes a reader takes in order, with seeks to absolute offsets.
class OrvReaderSource {
public:
    virtual ~OrvReaderSource() = default;
    // Bytes in the source, or -1 when it cannot be told. Leaves the position at the start.
    virtual int64_t Length() = 0;
    // True only when all n bytes were read.
    virtual bool Read(void* buffer, size_t n) = 0;
    virtual bool SeekTo(int64_t offset) = 0;
};

class OrvReaderFile : public OrvReaderSource {
public:
    explicit OrvReaderFile(const std::string& path) : file(std::fopen(path.c_str(), "rb")) {}
    ~OrvReaderFile() override {
        if (file != nullptr) std::fclose(file);
    }
    OrvReaderFile(const OrvReaderFile&) = delete;
    OrvReaderFile& operator=(const OrvReaderFile&) = delete;

    bool IsOpen() const { return file != nullptr; }
    std::FILE* Get() const { return file; }
    // Also -1 for lengths the C library cannot report (above 2 GB on Windows).
    int64_t Length() override;
    bool Read(void* buffer, size_t n) override { return n == 0 || std::fread(buffer, 1, n, file) == n; }
    bool SeekTo(int64_t offset) override;

private:
    std::FILE* file;
};

// A memory block read like a file; the block must outlive the source.
class OrvReaderBytes : public OrvReaderSource {
public:
    OrvReaderBytes(const uint8_t* initialData, size_t initialSize) : data(initialData), size(initialSize) {}
    int64_t Length() override;
    bool Read(void* buffer, size_t n) override;
    bool SeekTo(int64_t offset) override;

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
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
