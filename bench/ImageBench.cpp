// Throughput of the image model's whole-image operations, in megapixels per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "OrvLib/image/OrvImage2.h"

namespace {

// Random pixels at the given depth; 8-bit images get the built-in palette.
void Fill(OrvImage2& image, int width, int height, int depth) {
    OrvPalette palette;
    palette.MakeDefault();
    image.Create(width, height, depth, &palette);
    std::mt19937 random(7);
    for (int i = 0; i < image.ImageSize(); ++i) image.Bits()[i] = uint8_t(random());
}

void Rate(benchmark::State& state, int64_t pixelsPerRun) {
    state.counters["MPix/s"] = benchmark::Counter(double(pixelsPerRun) * double(state.iterations()) / 1e6,
                                                  benchmark::Counter::kIsRate);
}

void ConvertDepthTo32(benchmark::State& state) {
    const int depth = int(state.range(0));
    OrvImage2 source, target;
    Fill(source, 2000, 1500, depth);
    for (auto _ : state) {
        target.ConvertDepth(32, &source);
        benchmark::DoNotOptimize(target.Bits());
    }
    Rate(state, 2000 * 1500);
}
BENCHMARK(ConvertDepthTo32)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);

void ResampleToPreview(benchmark::State& state) {
    OrvImage2 source, target;
    Fill(source, 4000, 3000, 24);
    for (auto _ : state) {
        target.Resample(264, 198, 24, &source);
        benchmark::DoNotOptimize(target.Bits());
    }
    Rate(state, 4000 * 3000);  // source pixels
}
BENCHMARK(ResampleToPreview)->Unit(benchmark::kMillisecond);

void FlattenOnChecker(benchmark::State& state) {
    OrvImage2 source, target;
    Fill(source, 2000, 1500, 32);
    target.SetHasAlpha(true);
    for (auto _ : state) {
        target.FlattenOnChecker(24, 10, 0xC0C0C0, 0xFFFFFF, &source);
        benchmark::DoNotOptimize(target.Bits());
    }
    Rate(state, 2000 * 1500);
}
BENCHMARK(FlattenOnChecker)->Unit(benchmark::kMillisecond);

void BuildInverseMap(benchmark::State& state) {
    for (auto _ : state) {
        OrvPalette palette;
        palette.MakeDefault();
        palette.BuildInverseMap();
        benchmark::DoNotOptimize(palette.GetInverseMap());
    }
    Rate(state, OrvPalette::kInverseMapSize);  // one key per 15-bit colour
}
BENCHMARK(BuildInverseMap)->Unit(benchmark::kMillisecond);

}  // namespace
