#include "OrvLib/controls/win32/OffscreenBuffer.h"

HDC OffscreenBuffer::Fit(HDC like, int width, int height) {
    if (dc_ != nullptr && width == width_ && height == height_) return dc_;
    Release();
    if (width <= 0 || height <= 0) return nullptr;
    dc_ = CreateCompatibleDC(like);
    bitmap_.Reset(CreateCompatibleBitmap(like, width, height));
    if (dc_ == nullptr || !bitmap_) {
        Release();
        return nullptr;
    }
    previous_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return dc_;
}

void OffscreenBuffer::CopyTo(HDC target) const {
    if (dc_ != nullptr) BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
}

void OffscreenBuffer::Release() {
    if (dc_ != nullptr) {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    dc_ = nullptr;
    previous_ = nullptr;
    bitmap_.Reset();
    width_ = height_ = -1;
}
