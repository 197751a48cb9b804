// A pixel area handed to the effect: a host tile or a proxy image.
#pragma once

#include <cstdint>

enum PixelKind : int32_t {
    pixelKindHostRGB = 0,    // 3 bytes R, G, B
    pixelKindProxyBGR = 1,   // 3 bytes B, G, R
    pixelKindHostRGBA = 2,   // 4 bytes R, G, B, transparency
    pixelKindProxyBGRA = 3,  // 4 bytes B, G, R, alpha
    pixelKindMask = 4,       // 1 byte, 0 unselected to 255 selected
};

struct PixelBuffer {
    uint8_t* data = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerPixel = 0;
    int32_t rowBytes = 0;
    int32_t kind = pixelKindHostRGB;

    uint8_t* Row(int32_t y) const { return data + int64_t(y) * rowBytes; }
};
