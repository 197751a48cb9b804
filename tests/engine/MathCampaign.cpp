// A long correct-rounding campaign, run by hand in the optimised native build:
//   engine_math_campaign [arguments per family, default 10000000] [--table]
// Every result of PortableMath is compared with the double nearest to the long double
// value of the C library (or, when that value is too close to a midpoint to decide, with
// ExactMath). It also counts how often the C library's own double functions round
// differently. With --table it prints candidates for MathHardCases.h: arguments whose
// value lies closest to a midpoint, and arguments the C library rounds wrongly.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "product/engine/ExactMath.h"
#include "product/engine/PortableMath.h"
#include "tests/engine/MathSample.h"

namespace {

using MathTest::Bits;
using MathTest::Sample;

struct Candidate {
    double x, y, expected;
    double closeness;  // distance of the value from the nearest midpoint, in ulps
};

struct Family {
    const char* name;
    char function;
    std::function<void(Sample&, double*, double*)> draw;
};

long double Reference(char f, double x, double y) {
    switch (f) {
        case 's':
            return sinl(x);
        case 'c':
            return cosl(x);
        case 'l':
            return logl(x);
        default:
            return powl(x, y);
    }
}

double Portable(char f, double x, double y) {
    switch (f) {
        case 's':
            return PortableMath::Sin(x);
        case 'c':
            return PortableMath::Cos(x);
        case 'l':
            return PortableMath::Log(x);
        default:
            return PortableMath::Pow(x, y);
    }
}

double Exact(char f, double x, double y) {
    switch (f) {
        case 's':
            return ExactMath::Sin(x);
        case 'c':
            return ExactMath::Cos(x);
        case 'l':
            return ExactMath::Log(x);
        default:
            return ExactMath::Pow(x, y);
    }
}

double Library(char f, double x, double y) {
    switch (f) {
        case 's':
            return std::sin(x);
        case 'c':
            return std::cos(x);
        case 'l':
            return std::log(x);
        default:
            return std::pow(x, y);
    }
}

// Distance of the reference from the midpoint next to the rounded result, in ulps.
double Closeness(long double reference, double rounded) {
    double toward = std::nextafter(rounded, reference > rounded ? INFINITY : -INFINITY);
    long double mid = (static_cast<long double>(rounded) + toward) / 2;
    return static_cast<double>(std::fabs(reference - mid) /
                               std::fabs(static_cast<long double>(toward) - rounded));
}

}  // namespace

int main(int argc, char** argv) {
    long count = argc > 1 && argv[1][0] != '-' ? std::atol(argv[1]) : 10000000;
    bool table = argc > 1 && std::strcmp(argv[argc - 1], "--table") == 0;
    const double deg = MathTest::kRadiansPerDegree;
    std::vector<Family> families = {
        {"sin, degrees -360..720", 's',
         [&](Sample& s, double* x, double*) { *x = s.Uniform(-360, 720) * deg; }},
        {"cos, degrees -360..720", 'c',
         [&](Sample& s, double* x, double*) { *x = s.Uniform(-360, 720) * deg; }},
        {"sin, radians -2pi..4pi", 's', [](Sample& s, double* x, double*) { *x = s.Uniform(-6.3, 12.6); }},
        {"cos, radians -2pi..4pi", 'c', [](Sample& s, double* x, double*) { *x = s.Uniform(-6.3, 12.6); }},
        {"log, 1..1000", 'l', [](Sample& s, double* x, double*) { *x = s.Uniform(1, 1000); }},
        {"log, 0.01..100", 'l', [](Sample& s, double* x, double*) { *x = s.Uniform(0.01, 100); }},
        {"pow, 10^(-2..2)", 'p',
         [](Sample& s, double* x, double* y) {
             *x = 10.0;
             *y = s.Uniform(-2, 2);
         }},
        {"pow, (0.01..100)^(-1..1)", 'p',
         [](Sample& s, double* x, double* y) {
             *x = s.Uniform(0.01, 100);
             *y = s.Uniform(-1, 1);
         }},
    };
    int failures = 0;
    std::vector<std::string> lines;
    for (size_t fi = 0; fi < families.size(); ++fi) {
        const Family& family = families[fi];
        Sample s(1000 + fi);
        long undecided = 0, wrong = 0, libraryWrong = 0;
        std::vector<Candidate> closest, libraryMisses;
        for (long i = 0; i < count; ++i) {
            double x = 0, y = 0;
            family.draw(s, &x, &y);
            long double reference = Reference(family.function, x, y);
            long double margin = std::fabs(reference) * 0x1p-61L;
            double expected = static_cast<double>(reference - margin);
            if (expected != static_cast<double>(reference + margin)) {
                ++undecided;
                expected = Exact(family.function, x, y);
            }
            if (Bits(Portable(family.function, x, y)) != Bits(expected)) {
                if (++wrong <= 5)
                    std::printf("  WRONG %c %a %a expected %a\n", family.function, x, y, expected);
            }
            if (Bits(Library(family.function, x, y)) != Bits(expected)) {
                ++libraryWrong;
                if (libraryMisses.size() < 8) libraryMisses.push_back({x, y, expected, 0});
            }
            Candidate c{x, y, expected, Closeness(reference, expected)};
            if (closest.size() < 8 || c.closeness < closest.back().closeness) {
                closest.push_back(c);
                std::sort(closest.begin(), closest.end(),
                          [](const Candidate& a, const Candidate& b) { return a.closeness < b.closeness; });
                if (closest.size() > 8) closest.pop_back();
            }
        }
        failures += wrong != 0;
        std::printf(
            "%-28s %ld arguments: %ld wrong, %ld undecided by long double, C library differs %ld times\n",
            family.name, count, wrong, undecided, libraryWrong);
        for (int g = 0; g < 2; ++g) {
            for (const Candidate& c : g == 0 ? closest : libraryMisses) {
                char line[160];
                std::snprintf(line, sizeof line, "    {'%c', %a, %a, %a},  // %s", family.function, c.x, c.y,
                              c.expected, g == 0 ? "near a midpoint" : "C library differs");
                lines.push_back(line);
            }
        }
    }
    if (table) {
        for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    }
    return failures;
}
