// Points, sizes and rectangles in pixel coordinates, shared by the image code, the view
// and the controls.
//
// A rectangle in image coordinates (left, top inclusive; right, bottom exclusive), the
// order of the platform's RECT. 32-bit like the host's own coordinates after widening.
#pragma once

#include <cstdint>

struct OrvRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const OrvRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const OrvRect& o) const { return !(*this == o); }
};

struct OrvSize {
    int32_t width = 0;
    int32_t height = 0;
};

struct OrvPoint {
    int32_t x = 0;
    int32_t y = 0;
};
