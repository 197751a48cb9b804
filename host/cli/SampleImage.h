// A photograph-like test picture: sky over a meadow with soft clouds, hills and grain.
#pragma once

#include <cstdint>

#include "host/cli/ImageFile.h"

namespace VarnCli {

// RGB; the same size and seed always give the same pixels.
Raster MakeSampleImage(int32_t width, int32_t height, uint32_t seed);

}  // namespace VarnCli
