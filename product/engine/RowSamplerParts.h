// Pieces the reference samplers and the vector samplers share: sample points, the
// relief's arithmetic and the blends into the destination.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "product/engine/RowSamplers.h"

namespace RowSamplerParts {

// The object pixel under a sample point (floor(v + 0.5) on each axis), or null when the
// point misses the object. For t >= 0, floor(t) is the truncation and floor(t) < w
// exactly when t < w, so no floor call is needed; NaN fails every comparison. A point
// that hits fits in 32 bits, whose conversion stays in SSE2 on 32-bit targets too.
inline const uint8_t* Sample(const SamplerObject& o, double x, double y, int bytes) {
    const double tx = x + 0.5, ty = y + 0.5;
    if (!(tx >= 0.0 && tx < o.width && ty >= 0.0 && ty < o.height)) return nullptr;
    return o.pixels + ptrdiff_t(int32_t(ty)) * o.rowBytes + int32_t(tx) * bytes;
}

// Calls run(one) for each run of rows, one holding that run alone; run start points
// follow one another by addition of the row step.
template <typename Run>
inline void ForEachRun(const SamplerRow& rows, const SamplerCopy& c, const Run& run) {
    SamplerRow one = rows;
    one.rows = 1;
    for (int32_t r = 0; r < rows.rows; ++r) {
        run(one);
        one.x += c.vx;
        one.y += c.vy;
        one.destination += rows.destinationStride;
        if (one.mask != nullptr) one.mask += rows.maskStride;
    }
}

template <int Bytes>
inline void BlendColour(uint8_t* d, int32_t m, const int32_t c[3]) {
    if (m == 255) {
        d[0] = uint8_t(c[0]), d[1] = uint8_t(c[1]), d[2] = uint8_t(c[2]);
        if (Bytes == 4) d[3] = 255;
    } else if (Bytes == 3) {
        for (int k = 0; k < 3; ++k) d[k] = uint8_t((d[k] * (255 - m) + m * c[k]) / 255);
    } else {
        const int32_t o = d[3];
        const int32_t n = o + m - (m * o) / 255;
        const int32_t t = (255 - m) * o;
        for (int k = 0; k < 3; ++k) d[k] = uint8_t((m * c[k] + (t * d[k]) / 255) / n);
        d[3] = uint8_t(n);
    }
}

inline uint8_t Clamp(int32_t v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

inline void BlendRelief(uint8_t* d, int32_t delta) {
    for (int k = 0; k < 3; ++k) d[k] = Clamp(d[k] + delta);
}

// The relief's change of a pixel from the sum S of its j hit samples (j > 0), its mask
// byte M and k = amount x opacity / 255.
template <bool Masked, bool Quad>
inline int32_t ReliefDelta(int32_t S, int32_t j, int32_t M, int32_t k) {
    if (!Quad) return Masked ? (S - 128) * M * k / 25500 : (S - 128) * k / 100;
    return Masked ? (S - 128 * j) * M * k / (25500 * j) : (S - 128 * j) * k / (100 * j);
}

// Sample points of a pixel relative to the row's point: one, or four a quarter pixel to
// either side along the row, on the pixel's own row and a quarter row above it.
template <bool Quad>
struct Points {
    static constexpr int kCount = Quad ? 4 : 1;
    double x[kCount], y[kCount];
    double ux, uy;

    Points(const SamplerRow& row, const SamplerCopy& c) : ux(c.ux), uy(c.uy) {
        if (Quad) {
            const double ox[4] = {-c.ux / 4, c.ux / 4, -c.ux / 4 - c.vx / 4, c.ux / 4 - c.vx / 4};
            const double oy[4] = {-c.uy / 4, c.uy / 4, -c.uy / 4 - c.vy / 4, c.uy / 4 - c.vy / 4};
            for (int k = 0; k < kCount; ++k) x[k] = row.x + ox[k], y[k] = row.y + oy[k];
        } else {
            x[0] = row.x, y[0] = row.y;
        }
    }
    void Advance() {
        for (int k = 0; k < kCount; ++k) x[k] += ux, y[k] += uy;
    }
};

// One of a family's sixteen row samplers; Rows<Bytes, Masked, Quad> names its colour
// and relief samplers.
template <template <int, bool, bool> class Rows>
RowSampler PickRowSampler(bool texture, int32_t bytes, bool quick, bool masked) {
    const auto pick = [&](auto four, auto mask) -> RowSampler {
        constexpr int B = decltype(four)::value ? 4 : 3;
        constexpr bool M = decltype(mask)::value;
        if (texture) return quick ? Rows<B, M, false>::relief : Rows<B, M, true>::relief;
        return quick ? Rows<B, M, false>::colour : Rows<B, M, true>::colour;
    };
    if (bytes == 4)
        return masked ? pick(std::true_type(), std::true_type()) : pick(std::true_type(), std::false_type());
    return masked ? pick(std::false_type(), std::true_type()) : pick(std::false_type(), std::false_type());
}

}  // namespace RowSamplerParts
