// Placement and drawing at the sizes users reach: 10000 copies over a large image.
#include <benchmark/benchmark.h>

#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "product/engine/CopyPainter.h"
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

// The final pass as the plug-in runs it: 10000 copies over every 128 x 128 tile of a
// 4000 x 3000 RGB image, at 80 % opacity, rotated and scaled (or neither).
struct FinalPassScene {
    std::vector<Placement> list;
    std::vector<std::unique_ptr<OrvImage2>> objects;
    int64_t covered = 0;

    explicit FinalPassScene(bool rotateAndScale, const EffectVariation& variation = {}) {
        EffectParameters p = Settings(rotateAndScale, false);
        p.opacity = 204;
        list = BuildPlacements(
            p, Choice64(), OrvRect{0, 0, kWidth, kHeight}, true, [](const OrvRect&) { return true; },
            variation);
        objects.push_back(Object64());
        for (const Placement& placement : list)
            covered += int64_t(placement.bounds.Width()) * placement.bounds.Height();
    }
    // The processor time is the best pass's, of all threads together.
    void Count(benchmark::State& state, double processorSeconds) const {
        state.counters["copies"] = double(list.size());
        state.counters["ns_per_covered_px"] = benchmark::Counter(
            double(covered), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
        state.counters["cpu_ns_per_covered_px"] = processorSeconds * 1e9 / double(covered);
    }
    static constexpr int32_t kWidth = 4000, kHeight = 3000, kTile = 128;
};

// The best pass of a run, on the wall clock and in processor time. On a shared machine the
// processor time of a one-thread pass is the steadier figure.
struct PassTimes {
    double wall = 0.0, processor = 0.0;

    struct Start {
        std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
        std::clock_t processor = std::clock();
    };
    void Take(const Start& start) {
        const double w = std::chrono::duration<double>(std::chrono::steady_clock::now() - start.wall).count();
        const double p = double(std::clock() - start.processor) / CLOCKS_PER_SEC;
        wall = wall == 0.0 ? w : std::min(wall, w);
        processor = processor == 0.0 ? p : std::min(processor, p);
    }
};

// The peer's best pass in this run, for the ratios printed beside ours.
PassTimes peerTimes[2];

// The same copies composited by a general 2D library: bilinear filtering, one thread,
// each copy clipped to its bounds and painted at its opacity.
void BM_PeerFinalPass(benchmark::State& state) {
    const bool rotateAndScale = state.range(0) != 0;
    const FinalPassScene scene(rotateAndScale);
    const int32_t W = FinalPassScene::kWidth, H = FinalPassScene::kHeight;
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    cairo_surface_t* object = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
    cairo_surface_flush(object);
    const OrvImage2& source = *scene.objects[0];
    for (int32_t y = 0; y < 64; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(object) +
                                                    y * cairo_image_surface_get_stride(object));
        for (int32_t x = 0; x < 64; ++x) {
            const uint8_t* p = source.RowAddress(y) + x * 4;
            const uint32_t a = p[3];  // premultiplied
            row[x] = a << 24 | (p[0] * a / 255) << 16 | (p[1] * a / 255) << 8 | p[2] * a / 255;
        }
    }
    cairo_surface_mark_dirty(object);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(object);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_NONE);
    cairo_t* cr = cairo_create(image);
    PassTimes times;
    for (auto _ : state) {
        const PassTimes::Start start;
        for (const Placement& placement : scene.list) {
            const double(*m)[3] = placement.transform.m;  // image -> object, as the pattern wants
            cairo_matrix_t matrix;
            cairo_matrix_init(&matrix, m[0][0], m[1][0], m[0][1], m[1][1], m[0][2], m[1][2]);
            cairo_pattern_set_matrix(pattern, &matrix);
            const OrvRect& b = placement.bounds;
            cairo_rectangle(cr, b.left, b.top, b.Width(), b.Height());
            cairo_clip(cr);
            cairo_set_source(cr, pattern);
            cairo_paint_with_alpha(cr, placement.opacity / 255.0);
            cairo_reset_clip(cr);
        }
        cairo_surface_flush(image);
        times.Take(start);
    }
    peerTimes[rotateAndScale] = times;
    scene.Count(state, times.processor);
    cairo_destroy(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(object);
    cairo_surface_destroy(image);
}
BENCHMARK(BM_PeerFinalPass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The variations of the varied pass: none; mirroring and opacity, which keep the vector
// samplers; every variation with a blend mode, which take the colour-varying samplers.
EffectVariation BenchVariation(int64_t kind) {
    EffectVariation v;
    if (kind >= 1) v.opacityJitter = 40, v.flip = kFlipHorizontal | kFlipVertical;
    if (kind >= 2) v.hueJitter = 60, v.brightnessJitter = 30, v.blend = BlendMode::Overlay;
    return v;
}

// Ours, as the plug-in draws it: copies binned by tile, each tile's rows over the threads.
void BM_FinalPass(benchmark::State& state) {
    const bool rotateAndScale = state.range(0) != 0;
    const int32_t threads = int32_t(state.range(1));
    const EffectVariation variation = BenchVariation(state.range(2));
    const FinalPassScene scene(rotateAndScale, variation);
    const int32_t W = FinalPassScene::kWidth, H = FinalPassScene::kHeight, T = FinalPassScene::kTile;
    PlacementBins bins;
    WorkerPool pool(threads);
    CopyPainter painter;
    std::vector<uint8_t> tile(size_t(T) * T * 3, 90);
    const DrawSettings settings{false, false, 50, uint8_t(variation.blend)};
    PassTimes times;
    for (auto _ : state) {
        const PassTimes::Start start;
        bins.Build(scene.list, OrvRect{0, 0, W, H}, T);
        for (int32_t top = 0; top < H; top += T)
            for (int32_t left = 0; left < W; left += T) {
                const OrvRect area{left, top, std::min(left + T, W), std::min(top + T, H)};
                const PixelBuffer out{tile.data(), area.Width(), area.Height(), 3, T * 3, pixelKindHostRGB};
                PlacementSpan span;
                bins.Find(area, &span);
                painter.Paint(out, nullptr, area, scene.list, span, scene.objects, settings, &pool);
            }
        benchmark::DoNotOptimize(tile.data());
        times.Take(start);
    }
    scene.Count(state, times.processor);
    state.counters["image_MPix_per_s"] =
        benchmark::Counter(12.0, benchmark::Counter::kIsIterationInvariantRate);
    // How many times faster than the peer's best pass of this run (absent when the peer did not
    // run): on the wall clock, and with one thread also in processor time.
    const PassTimes& peer = peerTimes[rotateAndScale];
    if (peer.wall > 0.0) state.counters["x_peer"] = peer.wall / times.wall;
    if (peer.processor > 0.0 && threads == 1) state.counters["x_peer_cpu"] = peer.processor / times.processor;
}
BENCHMARK(BM_FinalPass)
    ->ArgsProduct({{0, 1}, {1, 2}, {0}})
    ->ArgsProduct({{1}, {1}, {1, 2}})
    ->ArgNames({"rotated", "threads", "varied"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
