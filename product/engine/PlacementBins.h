// The placements that reach each tile of a grid, found once per pass so that a tile
// visits only its own copies instead of testing the whole list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "product/engine/Placement.h"

struct PlacementSpan {
    const uint32_t* indices = nullptr;  // into the placement list, in list order
    size_t count = 0;
};

class PlacementBins {
public:
    // Tiles of tileSize x tileSize from the grid's top left corner, the last ones cut at
    // its right and bottom edges.
    void Build(const std::vector<Placement>& placements, const OrvRect& grid, int32_t tileSize);
    void Clear();

    // The placements whose bounds overlap area, when area is exactly one tile of the grid.
    bool Find(const OrvRect& area, PlacementSpan* span) const;

private:
    OrvRect grid;
    int32_t tileSize = 0;
    int32_t columns = 0, rows = 0;
    std::vector<uint32_t> starts;  // per tile, into indices; one more at the end
    std::vector<uint32_t> indices;
};
