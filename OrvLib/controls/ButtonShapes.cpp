#include "OrvLib/controls/ButtonShapes.h"

#include <algorithm>

namespace RadioMark {

Part At(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return Part::None;
    // Squared distances from the centre (5.5, 5.5), doubled to stay in integers.
    int32_t dx = 2 * x - 11, dy = 2 * y - 11, d = dx * dx + dy * dy;
    // The dark half faces the upper left: below the anti-diagonal through the centre.
    bool dark = x + y < 11;
    if (d < 15) return Part::Dot;                                   // radius under 1.9: a rounded 4 x 4
    if (d < 74) return Part::Inside;                                // under 4.3
    if (d < 108) return dark ? Part::InnerDark : Part::InnerLight;  // under 5.2
    if (d < 144) return dark ? Part::OuterDark : Part::OuterLight;  // under 6
    return Part::None;
}

}  // namespace RadioMark

namespace GroupFrame {

Layout Place(const OrvRect& client, OrvSize text) {
    Layout out;
    out.frame = client;
    out.frame.top = client.top + text.height / 2;
    if (text.width > 0) {
        int32_t left = client.left + kTextIndent;
        int32_t right = std::min(left + kTextGap + text.width + kTextGap, client.right - kTextIndent);
        out.text = OrvRect{left, client.top, std::max(left, right), client.top + text.height};
    }
    return out;
}

}  // namespace GroupFrame
