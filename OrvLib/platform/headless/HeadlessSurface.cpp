#include "OrvLib/platform/headless/HeadlessSurface.h"

#include <cstring>
#include <new>
#include <vector>

// A DIB section: a copy of its header and table, and its rows.
struct OrvSurface::BitmapTag {
    std::vector<uint8_t> header;
    std::vector<uint8_t> rows;
};

struct OrvSurface::DeviceTag {
    bool isDisplay = false;
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // displays only
    BitmapTag* selected = nullptr;  // memory contexts only
};

struct OrvSurface::GlobalTag {
    uint32_t flags = 0;
    std::vector<uint8_t> bytes;
};

namespace {

int screenBitsPerPixel = 32;
int sectionsToRefuse = 0;
int memoryDCsToRefuse = 0;
int liveSections = 0;
int liveMemoryDCs = 0;

uint32_t Colour(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// What GDI reads from a DIB: header fields and one pixel at a time.
struct DibReader {
    const uint8_t* header;
    const uint8_t* bits;
    int32_t width = 0, height = 0;
    int depth = 0;
    int64_t stride = 0;
    int64_t entries = 0;

    DibReader(const void* info, const void* rows)
        : header(static_cast<const uint8_t*>(info)), bits(static_cast<const uint8_t*>(rows)) {
        uint32_t clrUsed;
        uint16_t bitCount;
        std::memcpy(&width, header + 4, 4);
        std::memcpy(&height, header + 8, 4);
        std::memcpy(&bitCount, header + 14, 2);
        std::memcpy(&clrUsed, header + 32, 4);
        depth = bitCount;
        stride = (int64_t(width) * depth + 31) / 32 * 4;
        entries = clrUsed != 0 ? clrUsed : depth <= 8 ? int64_t(1) << depth : 0;
    }
    int Rows() const { return height < 0 ? -height : height; }
    const uint8_t* Row(int y) const { return bits + (height < 0 ? y : Rows() - 1 - y) * stride; }

    uint32_t Pixel(int x, int y) const {
        const uint8_t* row = Row(y);
        if (depth == 1 || depth == 2 || depth == 4 || depth == 8) {
            int perByte = 8 / depth;
            unsigned index =
                (row[x / perByte] >> ((perByte - 1 - x % perByte) * depth)) & ((1u << depth) - 1);
            if (index >= entries) return 0;
            const uint8_t* q = header + 40 + 4 * index;
            return Colour(q[2], q[1], q[0]);
        }
        if (depth == 16) {
            unsigned v = row[2 * x] | row[2 * x + 1] << 8;
            return Colour((v >> 10 & 31) << 3, (v >> 5 & 31) << 3, (v & 31) << 3);
        }
        if (depth != 24 && depth != 32) return 0;
        const uint8_t* p = row + int64_t(x) * (depth / 8);
        return Colour(p[2], p[1], p[0]);
    }
};

void PutPixel(OrvSurface::DC dc, int x, int y, uint32_t colour) {
    if (dc->isDisplay) {
        if (x >= 0 && y >= 0 && x < dc->width && y < dc->height)
            dc->pixels[size_t(y) * size_t(dc->width) + size_t(x)] = colour;
        return;
    }
    if (dc->selected == nullptr) return;
    DibReader target(dc->selected->header.data(), dc->selected->rows.data());
    if (x < 0 || y < 0 || x >= target.width || y >= target.Rows()) return;
    if (target.depth != 24 && target.depth != 32) return;
    uint8_t* p = const_cast<uint8_t*>(target.Row(y)) + x * (target.depth / 8);
    p[0] = uint8_t(colour >> 16);
    p[1] = uint8_t(colour >> 8);
    p[2] = uint8_t(colour);
}

}  // namespace

namespace OrvSurface {

int DeviceBitsPerPixel(DC dc) {
    if (dc == nullptr) return 0;
    return dc->isDisplay ? dc->bitsPerPixel : screenBitsPerPixel;
}

Bitmap MakeSection(const void* bitmapInfo, void** bits) {
    *bits = nullptr;
    if (sectionsToRefuse > 0) {
        --sectionsToRefuse;
        return nullptr;
    }
    DibReader dib(bitmapInfo, nullptr);
    // The system refuses empty and absurd sections.
    if (dib.width <= 0 || dib.height == 0 || dib.stride * dib.Rows() > (int64_t(1) << 31)) return nullptr;
    // Out of memory the system refuses the section rather than throwing.
    BitmapTag* section = new (std::nothrow) BitmapTag;
    if (section == nullptr) return nullptr;
    try {
        const auto* header = static_cast<const uint8_t*>(bitmapInfo);
        section->header.assign(header, header + 40 + 4 * size_t(dib.entries));
        section->rows.assign(size_t(dib.stride * dib.Rows()), 0);
    } catch (const std::bad_alloc&) {
        delete section;
        return nullptr;
    }
    *bits = section->rows.data();
    ++liveSections;
    return section;
}

void FreeSection(Bitmap section) {
    if (section == nullptr) return;
    delete section;
    --liveSections;
}

DC MakeMemoryDC() {
    if (memoryDCsToRefuse > 0) {
        --memoryDCsToRefuse;
        return nullptr;
    }
    DeviceTag* dc = new (std::nothrow) DeviceTag;
    if (dc != nullptr) ++liveMemoryDCs;
    return dc;
}

void FreeMemoryDC(DC dc) {
    if (dc == nullptr || dc->isDisplay) return;
    delete dc;
    --liveMemoryDCs;
}

Object SelectSection(DC dc, Bitmap section) {
    Object previous = reinterpret_cast<Object>(dc->selected);
    dc->selected = section;
    return previous;
}

void RestoreObject(DC dc, Object previous) {
    if (dc != nullptr) dc->selected = reinterpret_cast<Bitmap>(previous);
}

bool StretchBits(DC dc, const OrvRect& destination, const void* bitmapInfo, const void* bits,
                 const OrvRect& source) {
    if (dc == nullptr || bitmapInfo == nullptr || bits == nullptr) return false;
    const int dw = destination.Width(), dh = destination.Height();
    const int sw = source.Width(), sh = source.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;
    DibReader dib(bitmapInfo, bits);
    for (int dy = 0; dy < dh; ++dy) {
        const int sy = source.top + int(int64_t(dy) * sh / dh);
        if (sy < 0 || sy >= dib.Rows()) continue;
        for (int dx = 0; dx < dw; ++dx) {
            const int sx = source.left + int(int64_t(dx) * sw / dw);
            if (sx < 0 || sx >= dib.width) continue;
            PutPixel(dc, destination.left + dx, destination.top + dy, dib.Pixel(sx, sy));
        }
    }
    return true;
}

bool CopyPixels(DC dc, const OrvRect& destination, DC source) {
    if (dc == nullptr || source == nullptr || source->selected == nullptr) return false;
    DibReader dib(source->selected->header.data(), source->selected->rows.data());
    for (int y = 0; y < destination.Height() && y < dib.Rows(); ++y)
        for (int x = 0; x < destination.Width() && x < dib.width; ++x)
            PutPixel(dc, destination.left + x, destination.top + y, dib.Pixel(x, y));
    return true;
}

// No 256-colour displays here, hence no logical palettes.
Palette MakePalette(const void*) { return nullptr; }
void FreePalette(Palette) {}
Palette UsePalette(DC, Palette) { return nullptr; }
void RestorePalette(DC, Palette) {}

GlobalBlock GlobalAllocate(uint32_t flags, size_t bytes) {
    try {
        auto* block = new GlobalTag;
        block->flags = flags;
        try {
            block->bytes.assign(bytes, 0);
        } catch (...) {
            delete block;
            throw;
        }
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;  // the system's allocator answers with null
    }
}

void* GlobalLockBlock(GlobalBlock block) { return block != nullptr ? block->bytes.data() : nullptr; }
void GlobalUnlockBlock(GlobalBlock) {}
void GlobalFreeBlock(GlobalBlock block) { delete block; }
size_t GlobalBlockSize(GlobalBlock block) { return block != nullptr ? block->bytes.size() : 0; }

}  // namespace OrvSurface

namespace OrvHeadless {

OrvSurface::DC CreateDisplay(int width, int height, int bitsPerPixel, uint32_t fill) {
    auto* display = new OrvSurface::DeviceTag;
    display->isDisplay = true;
    display->bitsPerPixel = bitsPerPixel;
    display->width = width;
    display->height = height;
    display->pixels.assign(size_t(width) * size_t(height), fill);
    return display;
}

void DestroyDisplay(OrvSurface::DC display) {
    if (display != nullptr && display->isDisplay) delete display;
}

uint32_t DisplayPixel(OrvSurface::DC display, int x, int y) {
    if (display == nullptr || !display->isDisplay || x < 0 || y < 0 || x >= display->width ||
        y >= display->height)
        return 0;
    return display->pixels[size_t(y) * size_t(display->width) + size_t(x)];
}

void SetScreenBitsPerPixel(int bitsPerPixel) { screenBitsPerPixel = bitsPerPixel; }
void RefuseSections(int count) { sectionsToRefuse = count; }
void RefuseMemoryDCs(int count) { memoryDCsToRefuse = count; }
int LiveSections() { return liveSections; }
int LiveMemoryDCs() { return liveMemoryDCs; }

}  // namespace OrvHeadless
