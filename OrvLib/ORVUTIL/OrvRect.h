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
    bool operator==(const OrvRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const OrvRect& o) const { return !(*this == o); }
};
