// The guides' settings as the engine reads them from a block: which map steers density and
// size, how strongly, even spacing and following the edges. All off by default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class MapSource : uint8_t { None, Luminance, Inverse, File };

struct GuideSettings {
    MapSource densityMap = MapSource::None;
    MapSource sizeMap = MapSource::None;
    bool even = false;
    bool followEdges = false;
    bool keepCount = false;
    int32_t densityStrength = 100;  // percent
    int32_t sizeMinimum = 50;       // percent where the map is black
    int32_t sizeMaximum = 150;      // percent where the map is white
    std::string mapFile;

    bool NeedsLuminance() const;
    bool NeedsFile() const;
};

// From a whole settings block of `size` bytes; absent or bad fields read as the table says.
GuideSettings ReadGuides(const uint8_t* block, size_t size);
