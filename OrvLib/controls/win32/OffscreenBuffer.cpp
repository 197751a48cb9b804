#include "OrvLib/controls/win32/OffscreenBuffer.h"

HDC OffscreenBuffer::Fit(HDC like, int fitWidth, int fitHeight) {
    if (dc != nullptr && fitWidth == width && fitHeight == height) return dc;
    Release();
    if (fitWidth <= 0 || fitHeight <= 0) return nullptr;
    dc = CreateCompatibleDC(like);
    bitmap.Reset(CreateCompatibleBitmap(like, fitWidth, fitHeight));
    if (dc == nullptr || !bitmap) {
        Release();
        return nullptr;
    }
    previous = SelectObject(dc, bitmap);
    width = fitWidth;
    height = fitHeight;
    return dc;
}

void OffscreenBuffer::CopyTo(HDC target) const {
    if (dc != nullptr) BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

void OffscreenBuffer::Release() {
    if (dc != nullptr) {
        if (previous != nullptr) SelectObject(dc, previous);
        DeleteDC(dc);
    }
    dc = nullptr;
    previous = nullptr;
    bitmap.Reset();
    width = height = -1;
}
