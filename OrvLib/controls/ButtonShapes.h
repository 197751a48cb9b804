// The round mark of a radio button and the frame of a group box, without the window.
//
// The radio mark is a 12 x 12 disc drawn pixel by pixel so that it looks the same at every
// scheme: a two-pixel sunken ring (dark toward the upper left, light toward the lower
// right, like the check box's bevel), the inside, and a dot when checked. It sits in the
// check box's 13 x 13 place.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"

namespace RadioMark {

constexpr int32_t kSize = 12;

enum class Part { None, OuterDark, OuterLight, InnerDark, InnerLight, Inside, Dot };

// The part at (x, y) of the 12 x 12 mark; None outside the disc.
Part At(int32_t x, int32_t y);

}  // namespace RadioMark

namespace GroupFrame {

// The text is inset from the frame's left end by this much, with a gap around it.
constexpr int32_t kTextIndent = 8, kTextGap = 2;

struct Layout {
    OrvRect frame;  // the etched frame's outer edge; its top runs through the text's middle
    OrvRect text;   // where the caption goes, the frame's top line left open beneath it
};

// `text` is the caption's size; an empty caption (width 0) leaves the top line whole.
Layout Place(const OrvRect& client, OrvSize text);

}  // namespace GroupFrame
