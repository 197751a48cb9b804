// The test display on GDI: a memory context holding a 32-bit top-down DIB section.
#include <windows.h>

#include "TestDisplay.h"

namespace {

struct Parts {
    HDC dc;
    HBITMAP section;
    HGDIOBJ previous;
    uint8_t* bits;
};

}  // namespace

TestDisplay::TestDisplay(int w, int h, uint32_t fill) : width(w), height(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    auto* parts = new Parts{};
    void* bits = nullptr;
    parts->dc = CreateCompatibleDC(nullptr);
    parts->section = CreateDIBSection(parts->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    parts->previous = SelectObject(parts->dc, parts->section);
    parts->bits = static_cast<uint8_t*>(bits);
    for (int i = 0; i < w * h; ++i) {
        parts->bits[4 * i] = uint8_t(fill >> 16);
        parts->bits[4 * i + 1] = uint8_t(fill >> 8);
        parts->bits[4 * i + 2] = uint8_t(fill);
    }
    platform = parts;
    dc = reinterpret_cast<OrvSurface::DC>(parts->dc);
}

TestDisplay::~TestDisplay() {
    auto* parts = static_cast<Parts*>(platform);
    SelectObject(parts->dc, parts->previous);
    DeleteObject(parts->section);
    DeleteDC(parts->dc);
    delete parts;
}

uint32_t TestDisplay::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    GdiFlush();
    const uint8_t* p = static_cast<Parts*>(platform)->bits + 4 * (size_t(y) * size_t(width) + size_t(x));
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
}
