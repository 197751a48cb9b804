#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "OrvLib/controls/EditBoxModel.h"
#include "product/dialog/OptionsPage.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

TEST(OptionsPage, RandomiseFollowsTheRuntimeGeneratorFromItsUnseededState) {
    ClassicRandom generator;
    std::vector<int32_t> seeds;
    for (int i = 0; i < 5; ++i) seeds.push_back(RandomisedSeed(generator.Next()));
    EXPECT_EQ(seeds, (std::vector<int32_t>{41, 8467, 6334, 6500, 9169}));
    // A multiple of 10000 is clamped by the seed box.
    EXPECT_EQ(RandomisedSeed(20000), 1);
    EXPECT_EQ(RandomisedSeed(0), 1);
    EXPECT_EQ(RandomisedSeed(32767), 2767);
    // Every value the generator can give is a valid seed.
    for (int32_t v = 0; v <= 32767; ++v) {
        const int32_t seed = RandomisedSeed(v);
        ASSERT_GE(seed, kSmallestSeed);
        ASSERT_LE(seed, kLargestSeed);
    }
}

TEST(OptionsPage, SeedBoxWithThePagesRangeCommitsClampedValues) {
    IntegerBoxModel box;
    box.SetRange(kSmallestSeed, kLargestSeed, false);
    EXPECT_EQ(box.SetValue(LoadOptionsPage(DefaultBlock()).seed), "1");
    const auto commit = [&box](const std::string& typed) {
        const IntegerBoxModel::Commit c = box.FocusLost(typed);
        return box.ValueOf(c.changed ? c.text : typed);
    };
    EXPECT_EQ(commit("1234"), 1234);
    EXPECT_EQ(commit("0"), 1);
    EXPECT_EQ(commit("20000"), 10000);
    EXPECT_EQ(commit("99999999999"), 10000);
    EXPECT_EQ(commit(std::string(400, '9')), 10000);
}

TEST(OptionsPage, OpensWithTheSeedInRangeAndTheStoredTextureAmount) {
    EffectParameters p = DefaultBlock();
    p.randomSeed = 0;
    p.textureAmount = 73;
    OptionsPageState page = LoadOptionsPage(p);
    EXPECT_EQ(page.seed, 1);
    EXPECT_FALSE(TextureSliderEnabled(page));
    p.randomSeed = 50000;
    p.applyAsTexture = 1;
    page = LoadOptionsPage(p);
    EXPECT_EQ(page.seed, 10000);
    EXPECT_TRUE(TextureSliderEnabled(page));
    p.randomSeed = INT32_MIN;
    EXPECT_EQ(LoadOptionsPage(p).seed, 1);
}

TEST(OptionsPage, OneApplyWritesAllFiveOptionsAndTheSeed) {
    EffectParameters p = DefaultBlock();
    p.randomSeed = 17;
    p.textureAmount = 73;
    OptionsPageState page = LoadOptionsPage(p);
    // The block changed behind the page (another page's apply would not do this, but the
    // page must not depend on it): one click rewrites every field from the page.
    p.applyAsTexture = 1;
    p.wholeObjectsOnly = 1;
    p.textureAmount = 5;
    p.randomSeed = 999;
    page.noOverlap = true;
    ApplyOptionsPage(page, p);
    EXPECT_EQ(p.noOverlap, 1);
    EXPECT_EQ(p.wholeObjectsOnly, 0);
    EXPECT_EQ(p.applyAsTexture, 0);
    EXPECT_EQ(p.textureAmount, 73);  // kept while the slider is disabled
    EXPECT_EQ(p.randomSeed, 17);
}

}  // namespace
