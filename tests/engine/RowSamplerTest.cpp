// The vector samplers against the reference ones: random objects, steps, masks, row
// lengths (also shorter than one vector step) and runs of rows must give the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "product/engine/RowSamplers.h"

namespace {

struct Trial {
    std::vector<uint8_t> object, destination, mask;
    SamplerObject source{};
    SamplerRow row{};
    SamplerCopy copy{};
};

Trial RandomTrial(std::mt19937& random, bool texture, int32_t bytes, bool masked, int32_t width,
                  int32_t height) {
    const auto uniform = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(random);
    };
    const auto whole = [&](int32_t a, int32_t b) {
        return std::uniform_int_distribution<int32_t>(a, b)(random);
    };
    Trial t;
    const int32_t objectBytes = texture ? 1 : 4;
    const int32_t rowBytes = width * objectBytes + whole(0, 3);
    t.object.resize(size_t(rowBytes) * height);
    for (uint8_t& v : t.object) v = uint8_t(random());
    // Many fully clear and fully opaque pixels, as real objects have: scattered, or in
    // blocks where every sample of a pixel is clear or every one opaque.
    if (!texture) {
        const int32_t block = whole(0, 1) == 0 ? 1 : whole(3, 12);
        std::vector<uint8_t> blockAlpha(size_t((width / block + 1) * (height / block + 1)));
        for (uint8_t& a : blockAlpha) {
            const int kind = whole(0, 3);
            a = kind == 0 ? 0 : kind < 3 ? 255 : uint8_t(random());
        }
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                uint8_t& a = t.object[size_t(y) * rowBytes + x * 4 + 3];
                if (block == 1) {
                    const int kind = whole(0, 3);
                    if (kind < 2) a = kind == 0 ? 0 : 255;
                } else {
                    a = blockAlpha[size_t((y / block) * (width / block + 1) + x / block)];
                }
            }
    }
    const bool bottomUp = whole(0, 1) == 1;
    t.source.pixels = t.object.data() + (bottomUp ? size_t(height - 1) * rowBytes : 0);
    t.source.rowBytes = bottomUp ? -rowBytes : rowBytes;
    t.source.width = width;
    t.source.height = height;

    const double angle = uniform(0, 6.3), scale = std::exp(uniform(-2.5, 2.0));
    t.copy.ux = std::cos(angle) / scale, t.copy.uy = std::sin(angle) / scale;
    t.copy.vx = -t.copy.uy, t.copy.vy = t.copy.ux;
    if (whole(0, 5) == 0) t.copy.uy = 0, t.copy.vx = 0;  // axis-aligned
    t.copy.opacity = whole(0, 3) == 0 ? 255 : whole(0, 255);
    t.copy.desaturation = whole(0, 1) == 0 ? 0 : whole(1, 255);
    t.copy.textureAmount = whole(1, 100);

    t.row.count = whole(0, 3) == 0 ? whole(0, 3) : whole(0, 41);
    t.row.rows = whole(0, 2) == 0 ? whole(2, 6) : 1;
    t.row.destinationStride = ptrdiff_t(t.row.count) * bytes + whole(0, 5);
    t.row.maskStride = t.row.count + whole(0, 5);
    t.row.x = whole(0, 1) == 0 ? std::floor(uniform(-20, width + 20)) : uniform(-20, width + 20);
    t.row.y = uniform(-10, height + 10);
    if (whole(0, 40) == 0) t.row.x = std::numeric_limits<double>::quiet_NaN();
    t.destination.resize(size_t(t.row.rows * t.row.destinationStride) + 1);
    for (uint8_t& v : t.destination) v = uint8_t(random());
    if (bytes == 4)
        for (size_t i = 3; i < t.destination.size(); i += 4)
            if (whole(0, 2) == 0) t.destination[i] = 0;
    t.mask.resize(size_t(t.row.rows * t.row.maskStride) + 1);
    for (uint8_t& v : t.mask) v = whole(0, 2) == 0 ? 255 : uint8_t(random());
    t.row.mask = masked ? t.mask.data() : nullptr;
    return t;
}

// Runs one sampler on its own copy of the destination.
std::vector<uint8_t> Draw(RowSampler sampler, Trial t) {
    t.row.destination = t.destination.data();
    if (t.row.mask != nullptr) t.row.mask = t.mask.data();
    sampler(t.row, t.source, t.copy);
    return t.destination;
}

// Every vector family this build and machine have.
std::vector<std::pair<const char*, RowSampler (*)(bool, int32_t, bool, bool)>> Families() {
    std::vector<std::pair<const char*, RowSampler (*)(bool, int32_t, bool, bool)>> families{
        {"SSE2", ChooseSse2RowSampler}};
    if (ChooseAvx2RowSampler(false, 3, false, false) != nullptr)
        families.push_back({"AVX2", ChooseAvx2RowSampler});
    return families;
}

TEST(RowSamplerTest, VectorSamplersMatchTheReferenceByteForByte) {
    for (const auto& family : Families()) {
        std::mt19937 random(2024);
        for (bool texture : {false, true})
            for (int32_t bytes : {3, 4})
                for (bool quick : {false, true})
                    for (bool masked : {false, true}) {
                        const RowSampler reference = ChooseReferenceRowSampler(texture, bytes, quick, masked);
                        const RowSampler vector = family.second(texture, bytes, quick, masked);
                        int32_t drawn = 0;
                        for (int trial = 0; trial < 400; ++trial) {
                            const int32_t w = std::uniform_int_distribution<int32_t>(1, 40)(random);
                            const int32_t h = std::uniform_int_distribution<int32_t>(1, 40)(random);
                            const Trial t = RandomTrial(random, texture, bytes, masked, w, h);
                            const std::vector<uint8_t> expected = Draw(reference, t);
                            drawn += expected != t.destination;
                            ASSERT_EQ(Draw(vector, t), expected)
                                << family.first << " texture " << texture << " bytes " << bytes << " quick "
                                << quick << " masked " << masked << " trial " << trial << " count "
                                << t.row.count;
                        }
                        EXPECT_GT(drawn, 40) << "the trials must draw something";
                    }
    }
}

// The colour samplers with variation: hue, brightness and blend mode drawn at random too.
TEST(RowSamplerTest, VariedVectorSamplersMatchTheVariedReference) {
    std::vector<std::pair<const char*, RowSampler (*)(int32_t, bool, bool)>> families{
        {"SSE2", ChooseSse2VariedRowSampler}};
    if (ChooseAvx2VariedRowSampler(3, false, false) != nullptr)
        families.push_back({"AVX2", ChooseAvx2VariedRowSampler});
    for (const auto& family : families) {
        std::mt19937 random(77);
        for (int32_t bytes : {3, 4})
            for (bool quick : {false, true})
                for (bool masked : {false, true}) {
                    const RowSampler reference = ChooseReferenceVariedRowSampler(bytes, quick, masked);
                    const RowSampler vector = family.second(bytes, quick, masked);
                    int32_t drawn = 0;
                    for (int trial = 0; trial < 300; ++trial) {
                        const int32_t w = std::uniform_int_distribution<int32_t>(1, 40)(random);
                        const int32_t h = std::uniform_int_distribution<int32_t>(1, 40)(random);
                        Trial t = RandomTrial(random, false, bytes, masked, w, h);
                        // Each step alone too: hue or brightness off, or both and only the blend mode on.
                        const int32_t only = std::uniform_int_distribution<int32_t>(0, 3)(random);
                        t.copy.hueShift = only == 1 || only == 3
                                              ? 0
                                              : std::uniform_int_distribution<int32_t>(-768, 768)(random);
                        t.copy.brightness =
                            only >= 2 ? 0 : std::uniform_int_distribution<int32_t>(-10000, 10000)(random);
                        t.copy.blend = uint8_t(std::uniform_int_distribution<int32_t>(0, 5)(random));
                        const std::vector<uint8_t> expected = Draw(reference, t);
                        drawn += expected != t.destination;
                        ASSERT_EQ(Draw(vector, t), expected)
                            << family.first << " bytes " << bytes << " quick " << quick << " masked "
                            << masked << " trial " << trial;
                    }
                    EXPECT_GT(drawn, 30) << "the trials must draw something";
                }
    }
}

// Steps of whole, half and quarter pixels along one axis from starts on half pixels put
// sample points exactly on the object's edges, where the first and last pixels that can
// hit are decided.
TEST(RowSamplerTest, PointsOnTheObjectEdgesMatchTheReference) {
    std::mt19937 random(11);
    const double steps[] = {1.0, -1.0, 0.5, -0.5, 0.25, 2.0, -2.0};
    for (const auto& family : Families())
        for (bool texture : {false, true})
            for (bool quick : {false, true})
                for (int trial = 0; trial < 300; ++trial) {
                    const int32_t w = std::uniform_int_distribution<int32_t>(1, 12)(random);
                    const int32_t h = std::uniform_int_distribution<int32_t>(1, 12)(random);
                    Trial t = RandomTrial(random, texture, 3, false, w, h);
                    const double step = steps[random() % std::size(steps)];
                    const bool alongX = random() % 2 == 0;
                    t.copy.ux = alongX ? step : 0, t.copy.uy = alongX ? 0 : step;
                    t.copy.vx = alongX ? 0 : -step, t.copy.vy = alongX ? step : 0;
                    t.row.x =
                        std::uniform_int_distribution<int32_t>(-2 * 24, 2 * (w + 4))(random) / 2.0 - 0.5;
                    t.row.y = std::uniform_int_distribution<int32_t>(-2 * 4, 2 * (h + 4))(random) / 2.0 - 0.5;
                    EXPECT_EQ(Draw(family.second(texture, 3, quick, false), t),
                              Draw(ChooseReferenceRowSampler(texture, 3, quick, false), t))
                        << family.first << " texture " << texture << " quick " << quick << " trial " << trial;
                }
}

// Bands as tall and rows as long as a tile's, whose rows run into and out of the object:
// what the vector samplers work out once for all rows of a band must hold for the last.
TEST(RowSamplerTest, TallBandsOfLongRowsMatchTheReference) {
    std::mt19937 random(5);
    const auto whole = [&](int32_t a, int32_t b) {
        return std::uniform_int_distribution<int32_t>(a, b)(random);
    };
    int32_t drawn = 0;
    for (const auto& family : Families())
        for (bool texture : {false, true})
            for (bool quick : {false, true})
                for (int trial = 0; trial < 40; ++trial) {
                    const int32_t w = whole(4, 64), h = whole(4, 64);
                    Trial t = RandomTrial(random, texture, 3, false, w, h);
                    if (std::isnan(t.row.x)) t.row.x = 0.5;
                    t.row.count = whole(60, 200);
                    t.row.rows = whole(40, 160);
                    t.row.destinationStride = ptrdiff_t(t.row.count) * 3;
                    // The band's middle row passes near the object's centre.
                    const double middle = t.row.rows / 2.0, along = t.row.count / 2.0;
                    t.row.x = w / 2.0 - along * t.copy.ux - middle * t.copy.vx + whole(-8, 8);
                    t.row.y = h / 2.0 - along * t.copy.uy - middle * t.copy.vy + whole(-8, 8);
                    t.destination.assign(size_t(t.row.rows) * t.row.destinationStride, 0);
                    for (uint8_t& v : t.destination) v = uint8_t(random());
                    const std::vector<uint8_t> expected =
                        Draw(ChooseReferenceRowSampler(texture, 3, quick, false), t);
                    drawn += expected != t.destination;
                    ASSERT_EQ(Draw(family.second(texture, 3, quick, false), t), expected)
                        << family.first << " texture " << texture << " quick " << quick << " trial " << trial;
                }
    EXPECT_GT(drawn, int32_t(Families().size()) * 4 * 30) << "most bands must draw something";
}

// Copies neither turned nor scaled step one object pixel a destination pixel. From
// starts on whole, half and quarter pixels, near powers of two and with low bits that
// make the additions round, rows must match the reference whichever way they are drawn.
TEST(RowSamplerTest, WholePixelStepsMatchTheReference) {
    std::mt19937 random(3);
    const auto whole = [&](int32_t a, int32_t b) {
        return std::uniform_int_distribution<int32_t>(a, b)(random);
    };
    int32_t drawn = 0, trials = 0;
    for (const auto& family : Families())
        for (bool texture : {false, true})
            for (int32_t bytes : {3, 4})
                for (bool quick : {false, true})
                    for (bool masked : {false, true})
                        for (int trial = 0; trial < 60; ++trial) {
                            const int32_t w = whole(1, 40), h = whole(1, 40);
                            Trial t = RandomTrial(random, texture, bytes, masked, w, h);
                            t.copy.ux = 1.0, t.copy.uy = 0.0, t.copy.vx = 0.0, t.copy.vy = 1.0;
                            const double fractions[] = {0.0, 0.5, 0.25, 0.75, 0x1p-20, 0.1, 1.0 - 0x1p-40};
                            t.row.x = whole(-50, w + 8) + fractions[whole(0, 6)];
                            if (whole(0, 9) == 0) t.row.x = 0x1p21 + 0.5 - whole(0, 3);  // coarse doubles
                            // Just below 2^m - 1/2: at 2^m the spacing doubles, the sum ties and
                            // rounds up, and one pixel moves on early.
                            if (whole(0, 3) == 0) {
                                const int m = whole(2, 5);
                                t.row.x = std::ldexp(1.0, m) - 0.5 - std::ldexp(1.0, m - 53) - whole(0, 3);
                            }
                            t.row.y = whole(-4, h + 4) + fractions[whole(0, 6)];
                            const std::vector<uint8_t> expected =
                                Draw(ChooseReferenceRowSampler(texture, bytes, quick, masked), t);
                            drawn += expected != t.destination;
                            ++trials;
                            ASSERT_EQ(Draw(family.second(texture, bytes, quick, masked), t), expected)
                                << family.first << " texture " << texture << " bytes " << bytes << " quick "
                                << quick << " masked " << masked << " trial " << trial << " x " << t.row.x;
                        }
    EXPECT_GT(drawn, trials / 5) << "many rows must cross the object";
}

TEST(RowSamplerTest, ObjectsTooWideForTheVectorOffsetsStillMatch) {
    std::mt19937 random(7);
    for (bool texture : {false, true}) {
        const RowSampler reference = ChooseReferenceRowSampler(texture, 3, false, false);
        for (int trial = 0; trial < 6; ++trial) {
            Trial t = RandomTrial(random, texture, 3, false, 40000, 2);
            t.row.x = std::uniform_real_distribution<double>(39950, 40010)(random);
            for (const auto& family : Families())
                EXPECT_EQ(Draw(family.second(texture, 3, false, false), t), Draw(reference, t))
                    << family.first << " " << texture << " " << trial;
        }
    }
}

}  // namespace
