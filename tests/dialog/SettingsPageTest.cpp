#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "product/dialog/SettingsPage.h"
#include "product/engine/EffectDerived.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

TEST(SettingsPage, FreshBlockOpensOnTheDefaultsAndApplyingThemChangesNothing) {
    const EffectParameters stored = DefaultBlock();
    const SettingsPageState page = LoadSettingsPage(stored);
    EXPECT_EQ(page.density, 10);
    EXPECT_EQ(page.opacity, 255);
    EXPECT_FALSE(page.scaleImages);
    EXPECT_EQ(page.scale, 17);
    EXPECT_FALSE(page.randomiseScaling);
    EXPECT_EQ(page.randomScale, 30);
    EXPECT_FALSE(page.rotateImages);
    EXPECT_EQ(page.angle, 0);
    EXPECT_FALSE(page.randomiseRotation);
    EXPECT_EQ(page.randomRotation, 180);

    const SettingsEnabling e = SettingsPageEnabling(page);
    EXPECT_FALSE(e.angle || e.randomRotation || e.scale || e.randomScale || e.depthEffects);

    EffectParameters applied = stored;
    ApplySettingsPage(page, applied);
    EXPECT_EQ(std::memcmp(&applied, &stored, sizeof stored), 0);
}

TEST(SettingsPage, LogSlidersTruncateButGiveBackEveryPositionTheyWrote) {
    for (int32_t position = -100; position <= 100; ++position)
        EXPECT_EQ(LogSliderPosition(SliderFactor(position)), position) << position;
    // Values no slider wrote truncate toward zero.
    EXPECT_EQ(LogSliderPosition(0.5), -30);
    EXPECT_EQ(LogSliderPosition(1.5), 17);
    EXPECT_EQ(LogSliderPosition(2.0), 30);
    EXPECT_EQ(LogSliderPosition(0.11), -95);
    EXPECT_EQ(LogSliderPosition(std::nextafter(10.0, 0.0)), 99);
    EXPECT_EQ(LogSliderPosition(std::nextafter(0.1, 1.0)), -99);
    EXPECT_EQ(LogSliderPosition(1.0), 0);
    // Between two positions the truncation is the lower magnitude, over the whole band.
    for (double f = 0.0105; f < 100.0; f *= 1.0371) {
        const int32_t p = LogSliderPosition(f);
        const double exact = 100.0 * std::log10(f);
        if (std::fabs(exact - std::round(exact)) > 1e-9) {
            EXPECT_EQ(p, int32_t(std::trunc(exact))) << f;
        }
    }
}

TEST(SettingsPage, StoredHalfScaleOpensAtMinusThirtyAndAppliesTenToTheMinusPointThree) {
    EffectParameters p = DefaultBlock();
    p.scale = 0.5;
    const SettingsPageState page = LoadSettingsPage(p);
    EXPECT_TRUE(page.scaleImages);
    EXPECT_EQ(page.scale, -30);
    ApplySettingsPage(page, p);
    EXPECT_EQ(p.scale, SliderFactor(-30));
    EXPECT_NEAR(p.scale, 0.501187, 1e-6);
}

TEST(SettingsPage, CheckingScaleImagesWritesTheSliderShownForANeutralScale) {
    EffectParameters p = DefaultBlock();
    SettingsPageState page = LoadSettingsPage(p);
    page.scaleImages = true;
    ApplySettingsPage(page, p);
    EXPECT_EQ(p.scale, SliderFactor(17));
    EXPECT_NEAR(p.scale, 1.479108, 1e-6);
    EXPECT_EQ(p.randomScale, 1.0);
    page.randomiseScaling = true;
    ApplySettingsPage(page, p);
    EXPECT_EQ(p.randomScale, SliderFactor(30));
}

TEST(SettingsPage, EverySliderPositionSurvivesApplyAndReopen) {
    for (SettingsSlider slider :
         {SettingsSlider::Density, SettingsSlider::RandomRotation, SettingsSlider::Scale,
          SettingsSlider::RandomScale, SettingsSlider::Opacity}) {
        const SliderRange range = SettingsSliderRange(slider);
        for (int32_t v = range.minimum; v <= range.maximum; ++v) {
            SettingsPageState page = LoadSettingsPage(DefaultBlock());
            page.rotateImages = page.randomiseRotation = page.scaleImages = page.randomiseScaling = true;
            page.angle = 10;
            int32_t* field = slider == SettingsSlider::Density          ? &page.density
                             : slider == SettingsSlider::RandomRotation ? &page.randomRotation
                             : slider == SettingsSlider::Scale          ? &page.scale
                             : slider == SettingsSlider::RandomScale    ? &page.randomScale
                                                                        : &page.opacity;
            *field = v;
            EffectParameters p = DefaultBlock();
            ApplySettingsPage(page, p);
            const SettingsPageState reopened = LoadSettingsPage(p);
            // Scale 0 writes the neutral 1.0, which reopens as unchecked at 17.
            if (slider == SettingsSlider::Scale && v == 0) {
                EXPECT_FALSE(reopened.scaleImages);
                continue;
            }
            EXPECT_EQ(reopened.density, page.density);
            EXPECT_EQ(reopened.randomRotation, page.randomRotation);
            EXPECT_EQ(reopened.scale, page.scale);
            EXPECT_EQ(reopened.randomScale, page.randomScale);
            EXPECT_EQ(reopened.opacity, page.opacity);
        }
    }
    EXPECT_EQ(SettingsSliderRange(SettingsSlider::Opacity).minimum, 0);
    EXPECT_EQ(SettingsSliderRange(SettingsSlider::Density).minimum, 1);
}

TEST(SettingsPage, RotationOpensTruncatedAndNeutralWithoutItsCheckBox) {
    EffectParameters p = DefaultBlock();
    p.rotationAngle = -30.7;
    p.randomRotation = 44.9;
    SettingsPageState page = LoadSettingsPage(p);
    EXPECT_TRUE(page.rotateImages);
    EXPECT_EQ(page.angle, -30);
    EXPECT_TRUE(page.randomiseRotation);
    EXPECT_EQ(page.randomRotation, 44);
    EXPECT_TRUE(SettingsPageEnabling(page).randomRotation);

    page.rotateImages = false;
    ApplySettingsPage(page, p);
    EXPECT_EQ(p.rotationAngle, 0.0);
    EXPECT_EQ(p.randomRotation, 0.0);
    EXPECT_FALSE(SettingsPageEnabling(page).angle);
    EXPECT_FALSE(SettingsPageEnabling(page).randomRotation);
    // The page keeps what it showed: checking again writes it back.
    page.rotateImages = true;
    ApplySettingsPage(page, p);
    EXPECT_EQ(p.rotationAngle, -30.0);
    EXPECT_EQ(p.randomRotation, 44.0);
}

TEST(SettingsPage, UncheckingScaleImagesDisablesTheDepthGroupButKeepsItsStoredFlags) {
    EffectParameters p = DefaultBlock();
    p.scale = 2.0;
    p.randomScale = 3.0;
    p.orderByDepth = p.fadeWithDepth = p.desaturateWithDepth = 1;
    SettingsPageState page = LoadSettingsPage(p);
    SettingsEnabling e = SettingsPageEnabling(page);
    EXPECT_TRUE(e.scale && e.randomScale && e.depthEffects);

    page.scaleImages = false;
    ApplySettingsPage(page, p);
    e = SettingsPageEnabling(page);
    EXPECT_FALSE(e.scale || e.randomScale || e.depthEffects);
    EXPECT_EQ(p.scale, 1.0);
    EXPECT_EQ(p.randomScale, 1.0);
    EXPECT_EQ(p.orderByDepth + p.fadeWithDepth + p.desaturateWithDepth, 3);

    page.scaleImages = true;
    page.orderByDepth = false;
    EXPECT_TRUE(SettingsPageEnabling(page).randomScale);
    EXPECT_FALSE(SettingsPageEnabling(page).depthEffects);
}

TEST(SettingsPage, HostileDoublesOpenLikeTheirSaneTwins) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EffectParameters p = DefaultBlock();
    p.scale = nan;
    p.randomScale = -2.0;
    p.rotationAngle = inf;
    p.randomRotation = nan;
    SettingsPageState page = LoadSettingsPage(p);
    EXPECT_FALSE(page.scaleImages);
    EXPECT_FALSE(page.randomiseScaling);
    EXPECT_FALSE(page.rotateImages);
    EXPECT_FALSE(page.randomiseRotation);

    p.scale = 1e300;  // held to the engine's band, whose log is 200
    p.rotationAngle = 1e300;
    page = LoadSettingsPage(p);
    EXPECT_EQ(page.scale, 200);
    EXPECT_GT(page.angle, -360);
    EXPECT_LT(page.angle, 360);
}

}  // namespace
