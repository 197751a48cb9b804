#include "OrvLib/image/OrvDIBBuffer.h"

#include <climits>
#include <cstring>
#include <new>

#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvPalette.h"

OrvDIBBuffer::~OrvDIBBuffer() { Empty(); }

void OrvDIBBuffer::Empty() {
    if (ownsInfo) OrvFreeBlock(info);
    info = nullptr;
    bits = nullptr;
    imageSize = stride = absHeight = 0;
    ownsInfo = packed = false;
}

int64_t OrvDIBBuffer::StrideOf(int64_t width, int bitsPerPixel) {
    if (width < 0 || bitsPerPixel < 0) return -1;
    // Whole bytes for the row (a partly used last byte counts), then whole 32-bit words.
    int64_t bytes = (width * bitsPerPixel + 7) / 8;
    return (bytes + 3) / 4 * 4;
}

int64_t OrvDIBBuffer::ColourTableEntries(const OrvBitmapInfoHeader& header) {
    if (header.biClrUsed != 0) return header.biClrUsed;
    return header.biBitCount <= 8 ? int64_t(1) << header.biBitCount : 0;
}

int64_t OrvDIBBuffer::HeaderSizeOf(const OrvBitmapInfoHeader& header) {
    int64_t entries = ColourTableEntries(header);
    if (entries == 0 && header.biCompression == kOrvBitFields) return 52;  // three colour masks
    return 40 + 4 * entries;
}

int64_t OrvDIBBuffer::ImageSizeOf(const OrvBitmapInfoHeader& header) {
    int64_t rowBytes = StrideOf(header.biWidth, header.biBitCount);
    if (rowBytes < 0) return -1;
    int64_t rows = header.biHeight < 0 ? -int64_t(header.biHeight) : int64_t(header.biHeight);
    return rowBytes * rows;
}

void OrvDIBBuffer::SetHeader(OrvBitmapInfo* newInfo, uint8_t* newBits, bool owns, bool isPacked) {
    const OrvBitmapInfoHeader& h = newInfo->bmiHeader;
    int64_t size = ImageSizeOf(h);
    if (size < 0 || HeaderSizeOf(h) + size > INT_MAX) throw std::bad_alloc();
    if (ownsInfo && info != newInfo) OrvFreeBlock(info);
    info = newInfo;
    bits = newBits;
    stride = int32_t(StrideOf(h.biWidth, h.biBitCount));
    imageSize = int32_t(size);
    absHeight = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    ownsInfo = owns;
    packed = isPacked;
}

void OrvDIBBuffer::Create(int32_t width, int32_t height, int bitsPerPixel, const OrvPalette* palette) {
    alignas(OrvBitmapInfo) unsigned char header[40 + 256 * 4];
    BuildHeader(reinterpret_cast<OrvBitmapInfo*>(header), width, height, bitsPerPixel, palette);
    AllocateLike(reinterpret_cast<OrvBitmapInfo*>(header));
}

void OrvDIBBuffer::BuildHeader(OrvBitmapInfo* h, int32_t width, int32_t height, int bitsPerPixel,
                               const OrvPalette* palette) {
    std::memset(h, 0, 40 + 256 * 4);
    h->bmiHeader.biSize = 40;
    h->bmiHeader.biWidth = width;
    h->bmiHeader.biHeight = height;
    h->bmiHeader.biPlanes = 1;
    h->bmiHeader.biBitCount = uint16_t(bitsPerPixel);
    if (bitsPerPixel == 8 && palette != nullptr && palette->GetColours() != nullptr) {
        int n = palette->GetCount() < 256 ? palette->GetCount() : 256;
        std::memcpy(h->bmiColors, palette->GetColours(), sizeof(OrvRgbQuad) * size_t(n));
    } else if (bitsPerPixel == 1) {
        h->bmiColors[1] = OrvRgbQuad{255, 255, 255, 0};
    }
}

void OrvDIBBuffer::AllocateLike(const OrvBitmapInfo* header) {
    const OrvBitmapInfoHeader& h = header->bmiHeader;
    int64_t headerSize = HeaderSizeOf(h);
    int64_t size = ImageSizeOf(h);
    if (size < 0) throw std::bad_alloc();
    OrvAutoPtr<OrvBitmapInfo> block(OrvAllocateBlock(headerSize + size));
    std::memcpy(block.Get(), header, size_t(headerSize));
    SetHeader(block.Get(), reinterpret_cast<uint8_t*>(block.Get()) + headerSize, true, true);
    block.Release();
}

void OrvDIBBuffer::Attach(OrvBitmapInfo* block) {
    SetHeader(block, reinterpret_cast<uint8_t*>(block) + HeaderSizeOf(block->bmiHeader), true, true);
}

void OrvDIBBuffer::AttachView(OrvBitmapInfo* block) {
    SetHeader(block, reinterpret_cast<uint8_t*>(block) + HeaderSizeOf(block->bmiHeader), false, true);
}

void OrvDIBBuffer::AttachSeparate(OrvBitmapInfo* header, uint8_t* rows) {
    SetHeader(header, rows, false, false);
}

void OrvDIBBuffer::CopyPacked(const OrvBitmapInfo* block) {
    int64_t size = ImageSizeOf(block->bmiHeader);
    if (size < 0) throw std::bad_alloc();
    int64_t total = HeaderSizeOf(block->bmiHeader) + size;
    OrvAutoPtr<OrvBitmapInfo> copy(OrvAllocateBlock(total));
    std::memcpy(copy.Get(), block, size_t(total));
    Attach(copy.Get());
    copy.Release();
}

void OrvDIBBuffer::TakeFrom(OrvDIBBuffer& other) {
    if (&other == this) return;
    Empty();
    info = other.info;
    bits = other.bits;
    imageSize = other.imageSize;
    stride = other.stride;
    absHeight = other.absHeight;
    ownsInfo = other.ownsInfo;
    packed = other.packed;
    other.ownsInfo = false;
    other.Empty();
}

int OrvDIBBuffer::HeaderSize() const { return info ? int(HeaderSizeOf(info->bmiHeader)) : 0; }

uint8_t* OrvDIBBuffer::PixelAddress(int x, int y, int* bitPosition) const {
    if (bitPosition != nullptr) *bitPosition = 0;
    if (info == nullptr || unsigned(x) >= unsigned(Width()) || unsigned(y) >= unsigned(absHeight))
        return nullptr;
    int depth = BitCount();
    int storedRow = IsTopDown() ? y : absHeight - 1 - y;
    uint8_t* row = bits + int64_t(storedRow) * stride;
    if (bitPosition != nullptr && depth < 8 && depth > 0) {
        int perByte = 8 / depth;
        *bitPosition = perByte - 1 - x % perByte;
    }
    return row + int64_t(x) * depth / 8;
}

OrvColour OrvDIBBuffer::TableColour(int index) const {
    if (index < 0 || index >= TableEntries()) return kOrvNoColour;
    const OrvRgbQuad& q = info->bmiColors[index];
    return OrvRGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void OrvDIBBuffer::CopyBits(const OrvDIBBuffer& source) {
    if (bits == nullptr || source.bits == nullptr) return;
    // Never read past the source's rows when the headers differ after all.
    int n = imageSize < source.imageSize ? imageSize : source.imageSize;
    std::memmove(bits, source.bits, size_t(n));
}

OrvSurface::GlobalBlock OrvDIBBuffer::ExportPacked(uint32_t allocationFlags) const {
    if (info == nullptr) return nullptr;
    const int depth = BitCount();
    const int entries = depth <= 8 ? 1 << depth : 0;
    const size_t headerSize = 40 + 4 * size_t(entries);
    OrvSurface::GlobalBlock block =
        OrvSurface::GlobalAllocate(allocationFlags, headerSize + size_t(imageSize));
    if (block == nullptr) throw std::bad_alloc();
    auto* out = static_cast<uint8_t*>(OrvSurface::GlobalLockBlock(block));
    if (out == nullptr) {
        OrvSurface::GlobalFreeBlock(block);
        throw std::bad_alloc();
    }
    OrvBitmapInfoHeader h = info->bmiHeader;
    h.biSize = 40;
    h.biHeight = absHeight;
    // The table written is always the full one, so the header must say so.
    h.biClrUsed = 0;
    std::memcpy(out, &h, 40);
    std::memset(out + 40, 0, headerSize - 40);
    int present = TableEntries() < entries ? TableEntries() : entries;
    std::memcpy(out + 40, info->bmiColors, 4 * size_t(present));
    uint8_t* rows = out + headerSize;
    for (int s = 0; s < absHeight && stride > 0; ++s)
        std::memcpy(rows + size_t(s) * size_t(stride), RowAddress(absHeight - 1 - s), size_t(stride));
    OrvSurface::GlobalUnlockBlock(block);
    return block;
}
