// BMP through the plug-in library's own reader, so that varnel reads exactly the bitmaps
// the plug-in reads.
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvBMPReader.h"
#include "host/cli/ImageFile.h"

namespace VarnCli {

bool DecodeBmpFile(const std::string& path, Raster& image, std::string& error) {
    OrvImage2 bitmap;
    if (!ReadBMPFile(path, bitmap)) {
        error = "damaged or unsupported BMP";
        return false;
    }
    // Every depth, palettes included, becomes 24-bit blue-green-red.
    if (bitmap.GetBitCount() != 24 && !bitmap.ConvertDepth(24)) {
        error = "BMP of an unsupported depth";
        return false;
    }
    if (bitmap.GetHeight() < 0) bitmap.MakeTopDown();
    const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
    if (width > kMaxImageSide || height > kMaxImageSide) {
        error = "larger than " + std::to_string(kMaxImageSide) + " pixels a side";
        return false;
    }
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.pixels.assign(RasterBytes(width, height, 3), 0);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* from = bitmap.RowAddress(y);
        uint8_t* to = image.pixels.data() + size_t(y) * size_t(width) * 3;
        for (int32_t x = 0; x < width; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    return true;
}

}  // namespace VarnCli
