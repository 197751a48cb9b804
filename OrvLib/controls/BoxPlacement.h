// Where a control puts its companion number box: on one side of the area the control was
// given, centred along that side, the control keeping the rest less a gap.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"

enum class BoxSide { Right, Left, Top, Bottom };

struct BoxPlacement {
    OrvRect control;
    OrvRect box;
};

BoxPlacement PlaceBox(const OrvRect& area, BoxSide side, OrvSize box, int32_t gap);
