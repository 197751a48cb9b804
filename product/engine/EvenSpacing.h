// Even spacing by seeded best-candidate sampling: each attempt's own point and nine more
// from a generator of its own compete, and the one farthest from every copy kept so far
// wins. A grid of the kept centres finds the nearest one exactly, so the choice is the
// one a search of every kept copy would make.
#pragma once

#include <cstdint>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "product/engine/MersenneTwister.h"

class EvenSpacing {
public:
    static constexpr int kCandidates = 10;  // the attempt's own point and nine more

    // area: where the points are drawn (both ends included, as placement draws them);
    // count: about how many copies will be kept, for the grid's cell size.
    EvenSpacing(int32_t seed, const OrvRect& area, int32_t count);

    // The winning point for an attempt whose own point is `first`; `offset` takes a point
    // to the copy's centre. Takes the generator's 18 draws whatever wins.
    OrvPoint Choose(OrvPoint first, OrvPoint offset);
    void Add(OrvPoint centre);

    // The squared distance from p to the nearest centre added, or a value at most `beat`
    // once it is clear that it cannot exceed `beat`; INT64_MAX with none added.
    int64_t Nearest(OrvPoint p, int64_t beat) const;

private:
    int32_t CellOf(int32_t v, int32_t origin, int32_t cells) const;

    MersenneTwister generator;
    OrvRect area;
    int32_t cell = 1, columns = 1, rows = 1;
    std::vector<std::vector<OrvPoint>> cells;
    bool any = false;
};
