// Objects the engine tests draw: tiny pictures whose pixels say where they came from.
#pragma once

#include <cstdint>
#include <memory>

#include "OrvLib/image/OrvImage2.h"

// A w x h colour object: pixel (x, y) = (10 + x, 20 + y, 30, alpha).
inline std::unique_ptr<OrvImage2> Object(int32_t w, int32_t h, uint8_t alpha = 255) {
    auto image = std::make_unique<OrvImage2>();
    image->Create(w, h, 32, nullptr);
    image->SetHasAlpha(true);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = image->RowAddress(y) + x * 4;
            p[0] = uint8_t(10 + x), p[1] = uint8_t(20 + y), p[2] = 30, p[3] = alpha;
        }
    return image;
}
