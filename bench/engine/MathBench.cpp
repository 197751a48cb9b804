// The correctly rounded elementary functions against the C library's, on arguments from
// the ranges the effect uses; and the multi-precision path that backs them up.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "product/engine/ExactMath.h"
#include "product/engine/Matrix3.h"
#include "product/engine/MersenneTwister.h"
#include "product/engine/PortableMath.h"

namespace {

constexpr size_t kArguments = 4096;  // a power of two

std::vector<double> Arguments(double lo, double hi, double factor = 1.0) {
    MersenneTwister mt(12345);
    std::vector<double> v(kArguments);
    for (double& x : v) x = (lo + (hi - lo) * mt.NextReal()) * factor;
    return v;
}

const std::vector<double>& Angles() {
    static const std::vector<double> v = Arguments(-360.0, 720.0, 0.017453292519943295);
    return v;
}
const std::vector<double>& LogArguments() {
    static const std::vector<double> v = Arguments(0.01, 1000.0);
    return v;
}
const std::vector<double>& Exponents() {
    static const std::vector<double> v = Arguments(-2.0, 2.0);
    return v;
}
const std::vector<double>& Bases() {
    static const std::vector<double> v = Arguments(0.01, 100.0);
    return v;
}

template <class F>
void Unary(benchmark::State& state, const std::vector<double>& args, F f) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(args[i]));
        i = (i + 1) & (kArguments - 1);
    }
}

void SinPortable(benchmark::State& s) { Unary(s, Angles(), PortableMath::Sin); }
void SinLibrary(benchmark::State& s) {
    Unary(s, Angles(), [](double x) { return std::sin(x); });
}
void CosPortable(benchmark::State& s) { Unary(s, Angles(), PortableMath::Cos); }
void CosLibrary(benchmark::State& s) {
    Unary(s, Angles(), [](double x) { return std::cos(x); });
}
void LogPortable(benchmark::State& s) { Unary(s, LogArguments(), PortableMath::Log); }
void LogLibrary(benchmark::State& s) {
    Unary(s, LogArguments(), [](double x) { return std::log(x); });
}
void Pow10Portable(benchmark::State& s) {
    Unary(s, Exponents(), [](double e) { return PortableMath::Pow(10.0, e); });
}
void Pow10Library(benchmark::State& s) {
    Unary(s, Exponents(), [](double e) { return std::pow(10.0, e); });
}

// v^(2r - 1), the random copy scale.
void PowPortable(benchmark::State& s) {
    Unary(s, Bases(), [](double v) { return PortableMath::Pow(v, 0.5 * v / 100.0 - 0.3); });
}
void PowLibrary(benchmark::State& s) {
    Unary(s, Bases(), [](double v) { return std::pow(v, 0.5 * v / 100.0 - 0.3); });
}

// The slow path, taken in fewer than one call in 10^9.
void SinExact(benchmark::State& s) { Unary(s, Angles(), ExactMath::Sin); }
void PowExact(benchmark::State& s) {
    Unary(s, Bases(), [](double v) { return ExactMath::Pow(v, 0.5 * v / 100.0 - 0.3); });
}

void NextU32(benchmark::State& state) {
    MersenneTwister mt(1);
    for (auto _ : state) benchmark::DoNotOptimize(mt.NextU32());
}

// One copy's matrix as placement builds and inverts it.
void CopyTransform(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        Matrix3 m = Matrix3::Translation(-32.0, -24.0);
        m.AppendRotation(-Angles()[i] * 57.29577951308232);
        m.AppendTranslation(32.0, 24.0);
        m.AppendScaling(1.5, 1.5);
        m.AppendTranslation(100.0, 200.0);
        benchmark::DoNotOptimize(m.MapBox(OrvRect{0, 0, 64, 48}));
        benchmark::DoNotOptimize(m.Invert());
        i = (i + 1) & (kArguments - 1);
    }
}

}  // namespace

BENCHMARK(SinPortable);
BENCHMARK(SinLibrary);
BENCHMARK(CosPortable);
BENCHMARK(CosLibrary);
BENCHMARK(LogPortable);
BENCHMARK(LogLibrary);
BENCHMARK(Pow10Portable);
BENCHMARK(Pow10Library);
BENCHMARK(PowPortable);
BENCHMARK(PowLibrary);
BENCHMARK(SinExact);
BENCHMARK(PowExact);
BENCHMARK(NextU32);
BENCHMARK(CopyTransform);
