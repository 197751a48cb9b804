// Conversions between our rectangles and the host's 16-bit ones (top, left, bottom, right).
#pragma once

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/plugin/HostInterface.h"

inline Rect ToHostRect(const OrvRect& r) {
    return Rect{int16(r.top), int16(r.left), int16(r.bottom), int16(r.right)};
}
inline int32_t RectWidth(const Rect& r) { return r.right > r.left ? r.right - r.left : 0; }
inline int32_t RectHeight(const Rect& r) { return r.bottom > r.top ? r.bottom - r.top : 0; }
