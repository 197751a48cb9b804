// What the pages share: slider ranges and what a slider's scroll code means for the preview.
#pragma once

#include <cstdint>

#include "product/dialog/PreviewPacer.h"

struct SliderRange {
    int32_t minimum;
    int32_t maximum;
};

// What the dialog may write into the named field of the settings table.
SliderRange SettingSliderRange(const char* name);

// Line and page steps (0 to 3) and the ends (6 and 7) are steps, the thumb held (5) is
// held, the thumb let go (4) and the end of a scroll (8) settle; other codes mean nothing.
// A position (4) typed into the slider's number box is a step: each keystroke is one, so
// typing a number renders quick and then once in full.
inline bool SliderScrollInput(int code, bool typed, PreviewInput& input) {
    if ((code >= 0 && code <= 3) || code == 6 || code == 7 || (code == 4 && typed)) {
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
