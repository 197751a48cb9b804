// Where every copy goes: one generator seeded with the record's seed, five draws per
// attempt, so the list depends only on the settings, the object set and the filtered
// area, never on the tile or zoom being drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "product/engine/EffectParameters.h"
#include "product/engine/Guides.h"
#include "product/engine/Placement.h"
#include "product/engine/Variation.h"

struct ObjectChoice {
    std::vector<int32_t> widths, heights;  // of each object, in list order
    // Running sums of the weights in list order. A draw q in [0, total) picks the first
    // object whose sum exceeds q: the same object as a table holding each index as
    // often as its weight, without the table's size.
    std::vector<uint64_t> cumulativeWeights;
    int32_t meanWidth = 0, meanHeight = 0;

    int32_t Pick(uint32_t value) const;
};

// "No overlap": pushes a copy once off the first kept copy it overlaps, along the
// shallower side of their intersection, away from it; false when it then still overlaps
// any kept copy.
bool PushApart(Placement& placement, const std::vector<Placement>& kept);

// p must be sanitised. isBoxSelected answers whether every mask byte of a box is 255;
// it is asked only for whole objects inside a selection that is not a plain rectangle.
// The variation changes each copy's colour, opacity and mirroring, never where it goes,
// which object it is or whether it is kept. Guides (null: none) may drop, scale, move
// and turn copies; the attempts' draws stay those of the unguided list.
std::vector<Placement> BuildPlacements(const EffectParameters& p, const ObjectChoice& objects,
                                       const OrvRect& filterArea, bool wholeImage,
                                       const std::function<bool(const OrvRect&)>& isBoxSelected,
                                       const EffectVariation& variation = {}, const Guides* guides = nullptr);
