#include "OrvLib/controls/DisplayScale.h"

#include <algorithm>
#include <cstdlib>

namespace DisplayScale {

int32_t Scale(int32_t pixels, int dpi) {
    if (dpi <= 0) dpi = kBaseDpi;
    const int64_t scaled = int64_t(pixels) * dpi;
    const int64_t half = kBaseDpi / 2;
    return int32_t(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

OrvRect Cell(int32_t x, int32_t y, int dpi) {
    return OrvRect{Scale(x, dpi), Scale(y, dpi), Scale(x + 1, dpi), Scale(y + 1, dpi)};
}

int PictureFactor(int dpi) { return std::max(1, dpi / kBaseDpi); }

PreviewStrip ArrangePreviewStrip(const OrvRect& tabs, const OrvRect& preview, OrvSize label, int dpi) {
    const int32_t inset = Scale(2, dpi), button = Scale(22, dpi), margin = Scale(1, dpi);
    // The label keeps a pixel (scaled) clear on each side of its text.
    const int32_t cellWidth = std::max(button, label.width + 2 * margin);
    const int32_t labelHeight = std::max(button, label.height + 2 * margin);
    const int32_t stripWidth = cellWidth + 2 * inset;
    const int32_t w = preview.Width(), h = preview.Height();
    PreviewStrip s;
    s.strip = OrvRect{tabs.left, preview.top, tabs.left + stripWidth, preview.top + h};
    s.before = OrvRect{s.strip.right, preview.top, s.strip.right + w, preview.top + h};
    s.result = OrvRect{tabs.right - w, preview.top, tabs.right, preview.top + h};
    const int32_t left = tabs.left + inset;
    int32_t top = preview.top + inset;
    OrvRect* const stack[] = {&s.zoomIn, &s.zoomOut, &s.ratio, &s.locator};
    for (OrvRect* r : stack) {
        const int32_t height = r == &s.ratio ? labelHeight : button;
        const int32_t width = r == &s.ratio ? cellWidth : button;
        // Buttons stay square and centred in the strip when the label widens it.
        const int32_t x = left + (cellWidth - width) / 2;
        *r = OrvRect{x, top, x + width, top + height};
        top += height;
    }
    return s;
}

}  // namespace DisplayScale
