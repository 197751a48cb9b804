// The sliders' number boxes in the user's units: copies and degrees as whole numbers, a
// percentage slider with its sign, the opacity (0 to 255) as a percentage to a tenth, and the logarithmic
// sliders as the factor 10^(position * 0.01) to three significant digits ("1.50x"). Every text a position
// shows reads back as that position, and a typed value goes to the nearest one.
#pragma once

#include <cstdint>
#include <string>

#include "OrvLib/controls/SliderValueText.h"

enum class SliderUnit { Whole, Percent, Opacity, Factor };

const SliderValueText& SliderUnitText(SliderUnit unit);

// A typed decimal ("12", "1.5", "0,25", " 40 %"): its digits as an integer and the count
// of digits after the point; false without digits, with two points or anything else
// between them. A unit sign ('%', 'x') may follow. Digits after the ninth decimal are
// dropped, and an integer part beyond 10^15 saturates.
struct TypedDecimal {
    int64_t digits = 0;
    int32_t decimals = 0;
    bool negative = false;
};
bool ParseTypedDecimal(const std::string& text, TypedDecimal& value);
