// Pixel sizes designed for 96 pixels an inch, at a window's display scale, and the layout
// of the previews' zoom strip that follows from them.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"

namespace DisplayScale {

constexpr int kBaseDpi = 96;

// pixels at dpi, to the nearest pixel (halves away from zero); dpi <= 0 counts as 96.
int32_t Scale(int32_t pixels, int dpi);

// The cell that pixel i of a small fixed picture (a radio mark) covers at dpi: from
// Scale(i) to Scale(i + 1), so neighbouring cells neither overlap nor leave a gap.
OrvRect Cell(int32_t x, int32_t y, int dpi);

// Pixel pictures (button glyphs) grow by whole multiples only, so that every pixel stays a
// sharp square: 1 below 192 pixels an inch, 2 from 192, and so on.
int PictureFactor(int dpi);

// The zoom strip left of the previews and its four controls (zoom in, zoom out, the ratio
// label, the locator), stacked from its top. At 96 pixels an inch the strip is 26 wide,
// the buttons 22 square 2 inside it; each grows with dpi, and the strip and the label
// grow further when the label's widest text and a pixel either side need it.
struct PreviewStrip {
    OrvRect strip;
    OrvRect before, result;  // the previews, each as large as the template's result preview
    OrvRect zoomIn, zoomOut, ratio, locator;
};
// tabs: the page area's rectangle; preview: the template's result preview; label: the
// size of the label's widest text.
PreviewStrip ArrangePreviewStrip(const OrvRect& tabs, const OrvRect& preview, OrvSize label, int dpi);

}  // namespace DisplayScale
