// Placing 10,000 copies on a 6000 x 4000 picture: random spacing against even spacing and
// every guide at once, and building the luminance map the guides read.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "product/engine/EffectDerived.h"
#include "product/engine/PlacementList.h"

namespace {

const OrvRect kArea{0, 0, 6000, 4000};

// 64 x 64 objects at density 100: the count is held at its most, 10,000.
ObjectChoice Objects() {
    ObjectChoice c;
    c.widths = {64, 48};
    c.heights = {64, 80};
    c.cumulativeWeights = {1, 2};
    c.meanWidth = c.meanHeight = 64;
    return c;
}

// A picture with contours everywhere: rings of light and dark.
GreyMap Luminance() {
    LuminanceReducer reducer(kArea);
    std::vector<uint8_t> row(size_t(kArea.Width()) * 3);
    for (int32_t y = 0; y < kArea.bottom; ++y) {
        for (int32_t x = 0; x < kArea.right; ++x) {
            const int32_t dx = x - 3000, dy = y - 2000;
            std::memset(&row[size_t(x) * 3], ((dx * dx + dy * dy) >> 12) & 255, 3);
        }
        reducer.AddRow(y, row.data(), kArea.Width(), 3);
    }
    return reducer.Finish();
}

void BM_Placement(benchmark::State& state) {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    p.density = 100;
    p.randomSeed = 3;
    p.randomRotation = 30;
    p.randomScale = 1.5;
    p = SanitizedEffectParameters(p);
    Guides guides;
    guides.settings.even = state.range(0) != 0;
    if (state.range(1) != 0) {
        guides.luminance = Luminance();
        guides.settings.densityMap = MapSource::Luminance;
        guides.settings.keepCount = true;
        guides.settings.sizeMap = MapSource::Inverse;
        guides.settings.followEdges = true;
    }
    const ObjectChoice objects = Objects();
    size_t copies = 0;
    for (auto _ : state) {
        const std::vector<Placement> list = BuildPlacements(
            p, objects, kArea, true, [](const OrvRect&) { return true; }, {}, &guides);
        copies = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["copies"] = double(copies);
}
BENCHMARK(BM_Placement)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"even", "guides"})
    ->Unit(benchmark::kMillisecond);

void BM_LuminanceMap(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Luminance().grey.data());
}
BENCHMARK(BM_LuminanceMap)->Unit(benchmark::kMillisecond);

}  // namespace
