// Draws a list of copies into one buffer in list order, the buffer's rows shared out
// among the threads of a pool. Every pixel still receives its copies in list order, so
// any number of threads gives the same bytes.
#pragma once

#include <memory>
#include <vector>

#include "product/engine/PlacementBins.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/WorkerPool.h"

class CopyPainter {
public:
    // span lists the placements to draw (all of them when span.indices is null); pool
    // may be null for the calling thread alone.
    void Paint(const PixelBuffer& destination, const PixelBuffer* mask, const OrvRect& area,
               const std::vector<Placement>& placements, PlacementSpan span,
               const std::vector<std::unique_ptr<OrvImage2>>& objects, const DrawSettings& settings,
               WorkerPool* pool);

private:
    std::vector<PreparedCopy> prepared;
};
