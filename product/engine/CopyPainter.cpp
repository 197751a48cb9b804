#include "product/engine/CopyPainter.h"

#include <algorithm>

void CopyPainter::Paint(const PixelBuffer& destination, const PixelBuffer* mask, const OrvRect& area,
                        const std::vector<Placement>& placements, PlacementSpan span,
                        const std::vector<std::unique_ptr<OrvImage2>>& objects, const DrawSettings& settings,
                        WorkerPool* pool) {
    const size_t count = span.indices != nullptr ? span.count : placements.size();
    prepared.clear();
    for (size_t i = 0; i < count; ++i) {
        const Placement& placement = placements[span.indices != nullptr ? span.indices[i] : i];
        if (size_t(placement.objectIndex) >= objects.size()) continue;
        if (!Intersects(placement.bounds, area)) continue;
        PreparedCopy copy;
        if (PrepareCopy(destination, mask != nullptr, area, placement,
                        *objects[size_t(placement.objectIndex)], settings, &copy))
            prepared.push_back(copy);
    }
    if (prepared.empty()) return;

    // Bands of rows, a few per thread so that a band full of copies does not hold up the rest.
    const int32_t threads = pool != nullptr ? pool->Threads() : 1;
    const int32_t height = destination.height;
    const int32_t bandRows = threads == 1 ? height : std::max(4, (height + 3 * threads - 1) / (3 * threads));
    const int32_t bands = (height + bandRows - 1) / bandRows;
    const auto drawBand = [&](int32_t band) {
        const int32_t first = band * bandRows, end = std::min(height, first + bandRows);
        for (const PreparedCopy& copy : prepared) DrawCopyRows(copy, destination, mask, first, end);
    };
    if (pool != nullptr) {
        pool->Run(bands, drawBand);
    } else {
        for (int32_t band = 0; band < bands; ++band) drawBand(band);
    }
}
