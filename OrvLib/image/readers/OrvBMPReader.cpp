#include "OrvLib/image/readers/OrvBMPReader.h"

#include <climits>
#include <cstring>
#include <exception>
#include <vector>

#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvReaderFile.h"
#include "OrvLib/image/readers/OrvRunLength.h"

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2;
constexpr int kFileHeaderSize = 14;

struct BmpLayout {
    OrvBitmapInfoHeader header{};  // in the 40-byte form whatever the file had
    int64_t offBits = 0;
    int entrySize = 0;  // 4 for the 40-byte form, 3 for the core form
    int64_t fileEntries = 0;
};

bool ValidDepth(unsigned depth) {
    return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

// Reads both headers and checks every field the rest relies on.
bool ReadHeaders(OrvReaderSource& file, BmpLayout& out) {
    uint8_t fileHeader[kFileHeaderSize];
    uint8_t info[40] = {};
    if (!file.Read(fileHeader, sizeof fileHeader) || OrvLoad16(fileHeader) != 0x4D42) return false;
    out.offBits = OrvLoad32(fileHeader + 10);
    if (!file.Read(info, 4)) return false;
    OrvBitmapInfoHeader& h = out.header;
    const uint32_t size = OrvLoad32(info);
    if (size == 40) {
        if (!file.Read(info + 4, 36)) return false;
        h.biWidth = int32_t(OrvLoad32(info + 4));
        h.biHeight = int32_t(OrvLoad32(info + 8));
        h.biPlanes = OrvLoad16(info + 12);
        h.biBitCount = OrvLoad16(info + 14);
        h.biCompression = OrvLoad32(info + 16);
        h.biSizeImage = OrvLoad32(info + 20);
        h.biXPelsPerMeter = int32_t(OrvLoad32(info + 24));
        h.biYPelsPerMeter = int32_t(OrvLoad32(info + 28));
        h.biClrUsed = OrvLoad32(info + 32);
        h.biClrImportant = OrvLoad32(info + 36);
        out.entrySize = 4;
    } else if (size == 12) {
        if (!file.Read(info + 4, 8)) return false;
        h.biWidth = OrvLoad16(info + 4);
        h.biHeight = OrvLoad16(info + 6);
        h.biPlanes = OrvLoad16(info + 8);
        h.biBitCount = OrvLoad16(info + 10);
        out.entrySize = 3;
    } else {
        return false;
    }
    h.biSize = 40;
    if (h.biWidth < 1 || h.biHeight == 0 || h.biHeight == INT_MIN || !ValidDepth(h.biBitCount)) return false;
    // Run-length data is only defined bottom-up and at its own depth; bit fields and
    // embedded JPEG or PNG data are not read.
    if (h.biCompression == kRle8 || h.biCompression == kRle4) {
        if (h.biHeight < 0 || h.biBitCount != (h.biCompression == kRle8 ? 8 : 4)) return false;
    } else if (h.biCompression != kRgb) {
        return false;
    }
    if (h.biBitCount <= 8) {
        const int64_t full = int64_t(1) << h.biBitCount;
        if (h.biClrUsed > full) return false;
        out.fileEntries = size == 40 && h.biClrUsed != 0 ? h.biClrUsed : full;
    }
    // In memory the table always has 2^depth entries.
    h.biClrUsed = 0;
    return true;
}

bool ReadTable(OrvReaderSource& file, const BmpLayout& layout, OrvRgbQuad* table) {
    uint8_t entry[4];
    for (int64_t i = 0; i < layout.fileEntries; ++i) {
        if (!file.Read(entry, size_t(layout.entrySize))) return false;
        table[i] = OrvRgbQuad{entry[0], entry[1], entry[2], 0};
    }
    return true;
}

bool ReadBMP(OrvReaderSource& file, OrvImage2& image) {
    const int64_t length = file.Length();
    BmpLayout layout;
    if (length < 0 || !ReadHeaders(file, layout)) return false;
    OrvBitmapInfoHeader& h = layout.header;
    const int64_t rows = h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight;
    if (!OrvReaderImageAllowed(h.biWidth, rows, h.biBitCount)) return false;

    alignas(OrvBitmapInfo) uint8_t headerBytes[40 + 256 * 4] = {};
    auto* header = reinterpret_cast<OrvBitmapInfo*>(headerBytes);
    header->bmiHeader = h;
    if (!ReadTable(file, layout, header->bmiColors)) return false;

    const bool runLength = h.biCompression != kRgb;
    const int64_t available = length - layout.offBits;
    // Uncompressed rows are exactly stride x height whatever biSizeImage says; run-length
    // data is biSizeImage bytes, which the file must hold.
    const int64_t dataSize = runLength ? h.biSizeImage : OrvDIBBuffer::ImageSizeOf(h);
    if (layout.offBits < 0 || available < dataSize || (runLength && dataSize == 0)) return false;
    if (!file.SeekTo(layout.offBits)) return false;

    OrvImage2 fresh;
    if (!runLength) {
        // One block, rows read in one piece straight after the table.
        header->bmiHeader.biSizeImage = uint32_t(dataSize);
        fresh.AllocateLike(header);
        if (!file.Read(fresh.Bits(), size_t(dataSize))) return false;
    } else {
        std::vector<uint8_t> data(static_cast<size_t>(dataSize));
        if (!file.Read(data.data(), data.size())) return false;
        header->bmiHeader.biCompression = kRgb;
        header->bmiHeader.biSizeImage = 0;
        fresh.AllocateLike(header);
        if (h.biCompression == kRle8)
            DecodeRLE8(data.data(), data.size(), fresh);
        else
            DecodeRLE4(data.data(), data.size(), fresh);
    }
    fresh.MakeTopDown();
    image.Attach(fresh.Detach());
    return true;
}

bool ReadBMPSource(OrvReaderSource& source, OrvImage2& image) {
    // Allocation failures are one more unreadable file; the file and scratch memory are
    // released on the way out.
    try {
        return ReadBMP(source, image);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

bool ReadBMPFile(const std::string& path, OrvImage2& image) {
    OrvReaderFile file(path);
    return ReadBMPSource(file, image);
}

bool ReadBMPMemory(const uint8_t* data, size_t size, OrvImage2& image) {
    OrvReaderBytes bytes(data, size);
    return ReadBMPSource(bytes, image);
}
