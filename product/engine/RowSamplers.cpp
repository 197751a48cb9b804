#include "product/engine/RowSamplers.h"

#include "product/engine/RowSamplerParts.h"
#include "product/engine/Variation.h"

namespace {

using namespace RowSamplerParts;

// The colour a blend mode makes of the copy's colour over the image's, mixed by the
// image's own alpha: where the image is transparent the copy's colour stays as it is.
template <int Bytes>
inline void BlendByMode(int32_t colour[3], const uint8_t* d, const SamplerCopy& c) {
    const BlendMode mode = BlendMode(c.blend);
    if (mode == BlendMode::Normal) return;
    const int32_t o = Bytes == 4 ? d[3] : 255;
    for (int k = 0; k < 3; ++k)
        colour[k] = ((255 - o) * colour[k] + o * BlendChannel(mode, d[k], colour[k])) / 255;
}

template <int Bytes, bool Masked, bool Quad, bool Varied = false>
void ColourRun(const SamplerRow& row, const SamplerObject& o, const SamplerCopy& c) {
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
            if (Varied) TurnHue(colour, c.hueShift), ScaleBrightness(colour, c.brightness);
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
            if (Varied) TurnHue(colour, c.hueShift), ScaleBrightness(colour, c.brightness);
            if (c.desaturation > 0) {
                const int32_t g = c.desaturation;
                const int32_t grey = (colour[0] + colour[1] + colour[2]) / 3;
                for (int ch = 0; ch < 3; ++ch) colour[ch] = (g * grey + (255 - g) * colour[ch]) / 255;
            }
            m = Masked ? M * K * c.opacity / 260100 : c.opacity * K / 1020;
        }
        if (m <= 0) continue;
        if (Varied) BlendByMode<Bytes>(colour, d, c);
        BlendColour<Bytes>(d, m, colour);
    }
}

template <int Bytes, bool Masked, bool Quad>
void ReliefRun(const SamplerRow& row, const SamplerObject& o, const SamplerCopy& c) {
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
        BlendRelief(d, ReliefDelta<Masked, Quad>(S, j, M, k));
    }
}

template <int Bytes, bool Masked, bool Quad, bool Varied = false>
void ColourRow(const SamplerRow& rows, const SamplerObject& o, const SamplerCopy& c) {
    ForEachRun(rows, c, [&](const SamplerRow& row) { ColourRun<Bytes, Masked, Quad, Varied>(row, o, c); });
}

template <int Bytes, bool Masked, bool Quad>
void ReliefRow(const SamplerRow& rows, const SamplerObject& o, const SamplerCopy& c) {
    ForEachRun(rows, c, [&](const SamplerRow& row) { ReliefRun<Bytes, Masked, Quad>(row, o, c); });
}

template <int Bytes, bool Masked, bool Quad>
struct Rows {
    static constexpr RowSampler colour = &ColourRow<Bytes, Masked, Quad>;
    static constexpr RowSampler relief = &ReliefRow<Bytes, Masked, Quad>;
};

template <int Bytes, bool Masked, bool Quad>
struct VariedRows {
    static constexpr RowSampler colour = &ColourRow<Bytes, Masked, Quad, true>;
    static constexpr RowSampler relief = &ReliefRow<Bytes, Masked, Quad>;
};

}  // namespace

RowSampler ChooseReferenceRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    return PickRowSampler<Rows>(texture, bytesPerPixel, quick, masked);
}

RowSampler ChooseReferenceVariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked) {
    return PickRowSampler<VariedRows>(false, bytesPerPixel, quick, masked);
}

namespace {

// Asked in code built for the baseline, before any AVX2 instruction can run.
bool HasAvx2() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    static const bool present = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return present;
#else
    return false;
#endif
}

}  // namespace

RowSampler ChooseAvx2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    return HasAvx2() ? PickAvx2RowSampler(texture, bytesPerPixel, quick, masked) : nullptr;
}

RowSampler ChooseAvx2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked) {
    return HasAvx2() ? PickAvx2VariedRowSampler(bytesPerPixel, quick, masked) : nullptr;
}

RowSampler ChooseVariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked) {
    const RowSampler wide = ChooseAvx2VariedRowSampler(bytesPerPixel, quick, masked);
    return wide != nullptr ? wide : ChooseSse2VariedRowSampler(bytesPerPixel, quick, masked);
}

RowSampler ChooseVectorRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    const RowSampler wide = ChooseAvx2RowSampler(texture, bytesPerPixel, quick, masked);
    return wide != nullptr ? wide : ChooseSse2RowSampler(texture, bytesPerPixel, quick, masked);
}

RowSampler ChooseRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    return ChooseVectorRowSampler(texture, bytesPerPixel, quick, masked);
}
