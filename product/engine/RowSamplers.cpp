#include "product/engine/RowSamplers.h"

#include <cstddef>

namespace {

// The object pixel under a sample point (floor(v + 0.5) on each axis), or null when the
// point misses the object. For t >= 0, floor(t) is the truncation and floor(t) < w
// exactly when t < w, so no floor call is needed; NaN fails every comparison. A point
// that hits fits in 32 bits, whose conversion stays in SSE2 on 32-bit targets too.
inline const uint8_t* Sample(const SamplerObject& o, double x, double y, int bytes) {
    const double tx = x + 0.5, ty = y + 0.5;
    if (!(tx >= 0.0 && tx < o.width && ty >= 0.0 && ty < o.height)) return nullptr;
    return o.pixels + ptrdiff_t(int32_t(ty)) * o.rowBytes + int32_t(tx) * bytes;
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

template <int Bytes>
inline void BlendRelief(uint8_t* d, int32_t delta) {
    for (int k = 0; k < 3; ++k) d[k] = Clamp(d[k] + delta);
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

template <int Bytes, bool Masked, bool Quad>
void ColourRow(const SamplerRow& row, const SamplerObject& o, const SamplerCopy& c) {
    Points<Quad> p(row, c);
    uint8_t* d = row.destination;
    const uint8_t* mask = row.mask;
    for (int32_t i = 0; i < row.count; ++i, d += Bytes, p.Advance()) {
        const int32_t M = Masked ? *mask++ : 255;
        int32_t colour[3];
        int32_t m;
        if (!Quad) {
            const uint8_t* s = Sample(o, p.x[0], p.y[0], 4);
            if (s == nullptr) continue;
            colour[0] = s[0], colour[1] = s[1], colour[2] = s[2];
            m = Masked ? c.opacity * s[3] * M / 65025 : c.opacity * s[3] / 255;
        } else {
            int32_t K = 0, sum[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                const uint8_t* s = Sample(o, p.x[k], p.y[k], 4);
                if (s == nullptr) continue;
                K += s[3];
                for (int ch = 0; ch < 3; ++ch) sum[ch] += s[3] * s[ch];
            }
            if (K == 0) continue;
            for (int ch = 0; ch < 3; ++ch) colour[ch] = sum[ch] / K;
            if (c.desaturation > 0) {
                const int32_t g = c.desaturation;
                const int32_t grey = (colour[0] + colour[1] + colour[2]) / 3;
                for (int ch = 0; ch < 3; ++ch) colour[ch] = (g * grey + (255 - g) * colour[ch]) / 255;
            }
            m = Masked ? M * K * c.opacity / 260100 : c.opacity * K / 1020;
        }
        if (m > 0) BlendColour<Bytes>(d, m, colour);
    }
}

template <int Bytes, bool Masked, bool Quad>
void ReliefRow(const SamplerRow& row, const SamplerObject& o, const SamplerCopy& c) {
    Points<Quad> p(row, c);
    uint8_t* d = row.destination;
    const uint8_t* mask = row.mask;
    const int32_t k = (c.textureAmount * c.opacity) / 255;
    for (int32_t i = 0; i < row.count; ++i, d += Bytes, p.Advance()) {
        const int32_t M = Masked ? *mask++ : 255;
        int32_t j = 0, S = 0;
        for (int s = 0; s < Points<Quad>::kCount; ++s) {
            const uint8_t* v = Sample(o, p.x[s], p.y[s], 1);
            if (v == nullptr) continue;
            ++j;
            S += *v;
        }
        if (j == 0) continue;
        int32_t delta;
        if (!Quad) {
            delta = Masked ? (S - 128) * M * k / 25500 : (S - 128) * k / 100;
        } else {
            delta = Masked ? (S - 128 * j) * M * k / (25500 * j) : (S - 128 * j) * k / (100 * j);
        }
        BlendRelief<Bytes>(d, delta);
    }
}

template <int Bytes, bool Masked>
RowSampler Pick(bool texture, bool quick) {
    if (texture) return quick ? &ReliefRow<Bytes, Masked, false> : &ReliefRow<Bytes, Masked, true>;
    return quick ? &ColourRow<Bytes, Masked, false> : &ColourRow<Bytes, Masked, true>;
}

}  // namespace

RowSampler ChooseRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    if (bytesPerPixel == 4) return masked ? Pick<4, true>(texture, quick) : Pick<4, false>(texture, quick);
    return masked ? Pick<3, true>(texture, quick) : Pick<3, false>(texture, quick);
}
