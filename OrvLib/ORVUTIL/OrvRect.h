// Points, sizes and rectangles in pixel coordinates, shared by the image code, the view
// and the controls.
//
// A rectangle in image coordinates (left, top inclusive; right, bottom exclusive), the
// order of the platform's RECT. 32-bit like the host's own coordinates after widening.
#pragma once

#include <algorithm>
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

// The common part; empty (possibly inverted) when the two share no pixel.
inline OrvRect Intersection(const OrvRect& a, const OrvRect& b) {
    return OrvRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
}

// True when the two share at least one pixel; rectangles that only touch do not.
inline bool Intersects(const OrvRect& a, const OrvRect& b) { return !Intersection(a, b).IsEmpty(); }

// True when every edge of inner lies on or inside outer.
inline bool Contains(const OrvRect& outer, const OrvRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}
