// The rules of the Guides page: its controls for a settings block (extension included) and
// the one write path that stores every guide at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "product/dialog/PageRules.h"
#include "product/engine/GuideSettings.h"

enum class GuidesSlider { Strength, SizeMinimum, SizeMaximum };
SliderRange GuidesSliderRange(GuidesSlider slider);

struct GuidesPageState {
    MapSource densityMap = MapSource::None, sizeMap = MapSource::None;
    int32_t strength = 100, sizeMinimum = 50, sizeMaximum = 150;  // percent
    bool keepCount = false, even = false, followEdges = false;
    std::string mapFile;
};

// As the engine reads the block: absent or bad fields show their defaults.
GuidesPageState LoadGuidesPage(const uint8_t* block, size_t size);

// Writes every guide field; a path too long for its field is cut to it. A block too short
// for the extension is left alone.
void ApplyGuidesPage(const GuidesPageState& page, uint8_t* block, size_t size);

// Which controls mean something: the strength and the count with a density map, the sizes
// with a size map, the map file when either map reads it.
struct GuidesEnabling {
    bool density, size, mapFile;
};
GuidesEnabling GuidesControlsEnabled(const GuidesPageState& page);
