// Reading and writing a large picture as varnel does, beside libpng's own writer at its
// default level (how varnel wrote PNG before). The picture is the photograph-like sample,
// 8000 x 6000 unless VARNEL_BENCH_SIZE says WxH. The filter's own time: varnel apply --timing.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "host/cli/ImageFile.h"
#include "host/cli/SampleImage.h"

namespace {

using namespace VarnCli;

const Raster& Picture() {
    static const Raster picture = [] {
        int width = 8000, height = 6000;
        if (const char* size = std::getenv("VARNEL_BENCH_SIZE")) std::sscanf(size, "%dx%d", &width, &height);
        return MakeSampleImage(width, height, 7);
    }();
    return picture;
}

std::string Scratch(const char* name) { return std::string(P_tmpdir) + "/varnel-io-bench-" + name; }

void SetPixels(benchmark::State& state) {
    state.counters["Mpx"] = double(Picture().width) * Picture().height / 1e6;
}

void WriteOurPng(benchmark::State& state) {
    Encoding encoding;
    encoding.pngLevel = int(state.range(0));
    encoding.threads = int(state.range(1));
    std::string error;
    for (auto _ : state) {
        if (!WritePngFile(Scratch("ours.png"), Picture(), error, encoding))
            state.SkipWithError(error.c_str());
    }
    std::vector<uint8_t> bytes;
    ReadFileBytes(Scratch("ours.png"), bytes, error);
    state.counters["MB"] = double(bytes.size()) / 1e6;
    SetPixels(state);
}
BENCHMARK(WriteOurPng)
    ->ArgNames({"level", "threads"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 1})
    ->Args({2, 0})
    ->Args({6, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// libpng's writer with its defaults: zlib level 6 and its adaptive filters.
void WriteLibpngDefault(benchmark::State& state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(Picture().width);
    image.height = png_uint_32(Picture().height);
    image.format = PNG_FORMAT_RGB;
    for (auto _ : state) {
        if (!png_image_write_to_file(&image, Scratch("libpng.png").c_str(), 0, Picture().pixels.data(), 0,
                                     nullptr))
            state.SkipWithError(image.message);
    }
    SetPixels(state);
}
BENCHMARK(WriteLibpngDefault)->Unit(benchmark::kMillisecond)->UseRealTime();

void WriteJpeg(benchmark::State& state) {
    std::string error;
    for (auto _ : state) {
        if (!WriteJpegFile(Scratch("out.jpg"), Picture(), error)) state.SkipWithError(error.c_str());
    }
    SetPixels(state);
}
BENCHMARK(WriteJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

void Read(benchmark::State& state, const char* name, ImageFormat format) {
    std::string error;
    Encoding encoding;
    if (!WriteImageFile(Scratch(name), format, Picture(), error, encoding))
        state.SkipWithError(error.c_str());
    for (auto _ : state) {
        Raster read;
        if (!ReadImageFile(Scratch(name), read, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(read.pixels.data());
    }
    SetPixels(state);
}
void ReadPng(benchmark::State& state) { Read(state, "in.png", ImageFormat::Png); }
void ReadJpeg(benchmark::State& state) { Read(state, "in.jpg", ImageFormat::Jpeg); }
BENCHMARK(ReadPng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
