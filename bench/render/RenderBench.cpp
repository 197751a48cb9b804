// Placement and drawing at the sizes users reach: 10000 copies over a large image.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "product/engine/EffectDerived.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/PlacementList.h"

namespace {

EffectParameters Settings(bool rotateAndScale, bool noOverlap) {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    p.density = 100;
    p.noOverlap = noOverlap;
    if (rotateAndScale) {
        p.randomRotation = 180;
        p.randomScale = 2.0;
    }
    return SanitizedEffectParameters(p);
}

ObjectChoice Choice64() {
    ObjectChoice c;
    c.widths = {64};
    c.heights = {64};
    c.cumulativeWeights = {10};
    c.meanWidth = c.meanHeight = 64;
    return c;
}

std::unique_ptr<OrvImage2> Object64() {
    auto image = std::make_unique<OrvImage2>();
    image->Create(64, 64, 32, nullptr);
    image->SetHasAlpha(true);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = image->RowAddress(y) + x * 4;
            const int dx = x - 32, dy = y - 32;
            p[0] = uint8_t(x * 4), p[1] = uint8_t(y * 4), p[2] = 128;
            p[3] = dx * dx + dy * dy < 900 ? 255 : 0;
        }
    return image;
}

void BM_PlacePlacements(benchmark::State& state) {
    const EffectParameters p = Settings(true, state.range(0) != 0);
    const ObjectChoice c = Choice64();
    // Small copies on a large area so that the list reaches 10000 attempts.
    ObjectChoice small = c;
    small.widths = {16};
    small.heights = {16};
    small.meanWidth = small.meanHeight = 16;
    size_t kept = 0;
    for (auto _ : state) {
        const std::vector<Placement> list =
            BuildPlacements(p, small, OrvRect{0, 0, 4000, 3000}, true, [](const OrvRect&) { return true; });
        kept = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["kept"] = double(kept);
}
BENCHMARK(BM_PlacePlacements)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The final pass: every 128 x 128 tile of a 4000 x 3000 RGB image, with 10000 copies.
void BM_FinalPass(benchmark::State& state) {
    const bool rotateAndScale = state.range(0) != 0;
    const EffectParameters p = Settings(rotateAndScale, false);
    const ObjectChoice c = Choice64();
    const std::unique_ptr<OrvImage2> object = Object64();
    const std::vector<Placement> list =
        BuildPlacements(p, c, OrvRect{0, 0, 4000, 3000}, true, [](const OrvRect&) { return true; });
    std::vector<uint8_t> tile(128 * 128 * 3, 90);
    const DrawSettings settings{false, false, 50};
    int64_t covered = 0;
    for (auto _ : state) {
        for (int32_t top = 0; top < 3000; top += 128)
            for (int32_t left = 0; left < 4000; left += 128) {
                const OrvRect area{left, top, std::min(left + 128, 4000), std::min(top + 128, 3000)};
                const PixelBuffer out{tile.data(), area.Width(), area.Height(), 3, 128 * 3, pixelKindHostRGB};
                for (const Placement& placement : list) {
                    if (placement.bounds.left < area.right && area.left < placement.bounds.right &&
                        placement.bounds.top < area.bottom && area.top < placement.bounds.bottom) {
                        DrawPlacement(out, nullptr, area, placement, *object, settings);
                    }
                }
            }
    }
    for (const Placement& placement : list)
        covered += int64_t(placement.bounds.Width()) * placement.bounds.Height();
    state.counters["copies"] = double(list.size());
    state.counters["ns_per_covered_px"] = benchmark::Counter(
        double(covered), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["image_MPix_per_s"] =
        benchmark::Counter(12.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FinalPass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A preview of a 6000 x 4000 image at its fit level (23) in one 261 x 174 buffer.
void BM_Preview(benchmark::State& state) {
    const bool quick = state.range(0) != 0;
    const EffectParameters p = Settings(true, false);
    const ObjectChoice c = Choice64();
    const std::unique_ptr<OrvImage2> object = Object64();
    const std::vector<Placement> list =
        BuildPlacements(p, c, OrvRect{0, 0, 6000, 4000}, true, [](const OrvRect&) { return true; });
    std::vector<uint8_t> buffer(261 * 174 * 3, 90);
    const PixelBuffer out{buffer.data(), 261, 174, 3, 261 * 3, pixelKindProxyBGR};
    const DrawSettings settings{false, quick, 50};
    for (auto _ : state) {
        for (const Placement& placement : list) {
            DrawPlacement(out, nullptr, OrvRect{0, 0, 6000, 4000}, placement, *object, settings);
        }
    }
    state.counters["copies"] = double(list.size());
}
BENCHMARK(BM_Preview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
