// One seed, one picture, on every build: scenes drawn through the whole engine and
// compared by hash with values checked in here. The same constants must pass natively
// and in both Windows builds; a difference in any rounding anywhere moves a copy.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "product/engine/EffectDerived.h"
#include "product/engine/ObjectSet.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/PlacementList.h"

namespace {

uint64_t Fnv(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

std::unique_ptr<OrvImage2> Leaf(int w, int h, bool texture) {
    auto image = std::make_unique<OrvImage2>();
    image->Create(w, h, 32, nullptr);
    image->SetHasAlpha(true);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = image->RowAddress(y) + x * 4;
            const int dx = 2 * x - w, dy = 2 * y - h;
            p[0] = uint8_t(20 + 7 * x), p[1] = uint8_t(180 - 5 * y), p[2] = uint8_t(x * y);
            const int r2 = dx * dx * h * h + dy * dy * w * w, edge = w * w * h * h;
            p[3] = r2 < edge * 3 / 4 ? 255 : r2 < edge ? 140 : 0;
        }
    if (texture) ToTextureMap(*image);
    return image;
}

struct Scene {
    const char* name;
    int planes;
    bool masked, texture, quick;
    int32_t seed;
    double rotation, randomRotation, scale, randomScale;
    bool depthOptions, noOverlap, whole;
    uint64_t expected;
};

uint64_t Render(const Scene& s) {
    const int32_t W = 300, H = 200;
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    p.density = 70;
    p.randomSeed = s.seed;
    p.rotationAngle = s.rotation;
    p.randomRotation = s.randomRotation;
    p.scale = s.scale;
    p.randomScale = s.randomScale;
    p.orderByDepth = p.fadeWithDepth = p.desaturateWithDepth = s.depthOptions;
    p.noOverlap = s.noOverlap;
    p.wholeObjectsOnly = s.whole;
    p.applyAsTexture = s.texture;
    p.opacity = 230;
    p = SanitizedEffectParameters(p);

    std::vector<std::unique_ptr<OrvImage2>> objects;
    objects.push_back(Leaf(23, 17, s.texture));
    objects.push_back(Leaf(12, 30, s.texture));
    ObjectChoice choice;
    choice.widths = {23, 12};
    choice.heights = {17, 30};
    choice.cumulativeWeights = {10, 13};
    choice.meanWidth = (23 * 10 + 12 * 3) / 13;
    choice.meanHeight = (17 * 10 + 30 * 3) / 13;
    const std::vector<Placement> list = BuildPlacements(p, choice, OrvRect{10, 5, W, H}, !s.masked,
                                                        [](const OrvRect& b) { return b.left >= 40; });
    EXPECT_GT(list.size(), 10u) << s.name;

    std::vector<uint8_t> image(size_t(W) * H * s.planes), mask(size_t(W) * H);
    for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(i * 31 / 7);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = i % W >= 40 ? 255 : uint8_t(i % 97);
    const DrawSettings settings{s.texture, s.quick, p.textureAmount};
    const int32_t kind = s.planes == 4 ? pixelKindHostRGBA : pixelKindHostRGB;
    for (int32_t top = 0; top < H; top += 128)
        for (int32_t left = 0; left < W; left += 128) {
            const OrvRect area{left, top, std::min(left + 128, W), std::min(top + 128, H)};
            const PixelBuffer out{&image[(size_t(top) * W + left) * s.planes],
                                  area.Width(),
                                  area.Height(),
                                  s.planes,
                                  W * s.planes,
                                  kind};
            const PixelBuffer maskView{
                &mask[size_t(top) * W + left], area.Width(), area.Height(), 1, W, pixelKindMask};
            for (const Placement& placement : list) {
                if (placement.bounds.left < area.right && area.left < placement.bounds.right &&
                    placement.bounds.top < area.bottom && area.top < placement.bounds.bottom) {
                    DrawPlacement(out, s.masked ? &maskView : nullptr, area, placement,
                                  *objects[size_t(placement.objectIndex)], settings);
                }
            }
        }
    // The list itself is part of the picture.
    std::vector<uint8_t> listBytes;
    for (const Placement& placement : list) {
        const int32_t v[6] = {placement.objectIndex, placement.opacity,    placement.desaturation,
                              placement.bounds.left, placement.bounds.top, placement.bounds.right};
        listBytes.insert(listBytes.end(), reinterpret_cast<const uint8_t*>(v),
                         reinterpret_cast<const uint8_t*>(v + 6));
    }
    return Fnv(image) ^ (Fnv(listBytes) * 3);
}

TEST(RenderIdentityTest, EveryBuildDrawsTheSamePictures) {
    const Scene scenes[] = {
        {"plain rgb", 3, false, false, false, 1, 0, 0, 1.0, 1.0, false, false, false, 0x1b8ee4266eabb37ull},
        {"rotated scaled rgba", 4, false, false, false, 7, 30, 180, 1.3, 2.5, true, false, false,
         0xb3aada4cd32e6156ull},
        {"masked quick", 3, true, false, true, 42, 0, 90, 0.8, 1.7, true, false, true, 0x6d3eda260ccc81acull},
        {"texture full", 3, false, true, false, 9, 12, 45, 1.0, 1.0, false, false, false,
         0xddce2c116b641c1eull},
        {"texture masked rgba", 4, true, true, true, 1234, 0, 180, 2.0, 3.0, false, false, false,
         0x5c1fb944885fe1b6ull},
        {"no overlap", 3, false, false, false, 5, 0, 60, 1.0, 1.5, false, true, false, 0x7cf1a7f08b2748d4ull},
        {"whole objects", 4, true, false, false, 10000, 200, 10, 0.6, 1.1, true, true, true,
         0x7d642c10cd57d064ull},
        {"rgba quick", 4, false, false, true, 3, 0, 30, 1.0, 1.2, false, false, false, 0x6439a35eaa655910ull},
        {"texture quick rgb", 3, false, true, true, 11, 90, 0, 1.5, 1.0, false, false, false,
         0xae11bafc835df800ull},
        {"texture full rgba", 4, false, true, false, 12, 0, 120, 0.9, 2.0, true, false, false,
         0xfc45b676c609f59aull},
    };
    for (const Scene& s : scenes) {
        const uint64_t hash = Render(s);
        EXPECT_EQ(hash, s.expected) << s.name << ": 0x" << std::hex << hash;
    }
}

}  // namespace
