// One placed copy of an object.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "product/engine/Matrix3.h"

struct Placement {
    int32_t objectIndex = 0;
    Matrix3 transform = Matrix3::Identity();  // image -> object once placed
    int32_t opacity = 255;
    int32_t desaturation = 0;
    int32_t hueShift = 0, brightness = 0;  // drawn by the variation generator
    uint8_t flip = 0;    // FlipAxes the copy is mirrored on; the transform is the unmirrored one
    OrvRect bounds;      // in image coordinates
    double depth = 0.0;  // set only while random scaling is on
};
