// What the pages share: slider ranges and what a slider's scroll code means for the preview.
#pragma once

#include <cstdint>

#include "product/dialog/PreviewPacer.h"

struct SliderRange {
    int32_t minimum;
    int32_t maximum;
};

// Line and page steps (0 to 3) and the ends (6 and 7) are steps, the thumb held (5) is
// held, the thumb let go or a typed value (4) and the end of a scroll (8) settle; other
// codes mean nothing.
inline bool SliderScrollInput(int code, PreviewInput& input) {
    if ((code >= 0 && code <= 3) || code == 6 || code == 7) {
        input = PreviewInput::Step;
    } else if (code == 5) {
        input = PreviewInput::Held;
    } else if (code == 4 || code == 8) {
        input = PreviewInput::Settle;
    } else {
        return false;
    }
    return true;
}
