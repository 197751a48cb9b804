// The sliders' number boxes in the user's units: every position's text reads back as that
// position, texts grow with the position, and typed values go to the nearest position.
#include <gtest/gtest.h>

#include <limits>

#include "product/dialog/OptionsPage.h"
#include "product/dialog/SettingsPage.h"
#include "product/dialog/SliderUnits.h"
#include "product/engine/EffectDerived.h"

namespace {

struct UnitSlider {
    const char* name;
    SliderUnit unit;
    SliderRange range;
};

const UnitSlider kSliders[] = {
    {"density", SliderUnit::Whole, SettingsSliderRange(SettingsSlider::Density)},
    {"random rotation", SliderUnit::Whole, SettingsSliderRange(SettingsSlider::RandomRotation)},
    {"scale", SliderUnit::Factor, SettingsSliderRange(SettingsSlider::Scale)},
    {"random scale", SliderUnit::Factor, SettingsSliderRange(SettingsSlider::RandomScale)},
    {"opacity", SliderUnit::Opacity, SettingsSliderRange(SettingsSlider::Opacity)},
    {"texture amount", SliderUnit::Percent, kTextureSliderRange},
};

TEST(SliderUnits, EveryPositionReadsBackFromItsTextAndTextsStayApart) {
    for (const UnitSlider& s : kSliders) {
        SCOPED_TRACE(s.name);
        const SliderValueText& units = SliderUnitText(s.unit);
        std::string previous;
        for (int32_t p = s.range.minimum; p <= s.range.maximum; ++p) {
            const std::string text = units.Text(p);
            int32_t back = -99999;
            ASSERT_TRUE(units.Position(text, back)) << text;
            ASSERT_EQ(back, p) << text;
            EXPECT_NE(text, previous);
            previous = text;
        }
    }
}

TEST(SliderUnits, ShowTheUsersUnits) {
    const struct {
        SliderUnit unit;
        int32_t position;
        const char* text;
    } cases[] = {
        {SliderUnit::Whole, 40, "40"},        {SliderUnit::Percent, 35, "35%"},
        {SliderUnit::Opacity, 0, "0.0%"},     {SliderUnit::Opacity, 128, "50.2%"},
        {SliderUnit::Opacity, 255, "100.0%"}, {SliderUnit::Factor, 0, "1.00x"},
        {SliderUnit::Factor, 18, "1.51x"},    {SliderUnit::Factor, 100, "10.0x"},
        {SliderUnit::Factor, -100, "0.100x"}, {SliderUnit::Factor, -30, "0.501x"},
    };
    for (const auto& c : cases) EXPECT_EQ(SliderUnitText(c.unit).Text(c.position), c.text) << c.position;
}

TEST(SliderUnits, TypedValuesGoToTheNearestPositionUnclamped) {
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    const struct {
        SliderUnit unit;
        const char* typed;
        int32_t position;
    } cases[] = {
        {SliderUnit::Whole, " 45 ", 45},     {SliderUnit::Whole, "40.5", 41},
        {SliderUnit::Whole, "150", 150},     {SliderUnit::Whole, "-5", -5},
        {SliderUnit::Percent, "35 %", 35},   {SliderUnit::Opacity, "50", 128},
        {SliderUnit::Opacity, "50,0%", 128}, {SliderUnit::Opacity, "120%", 306},
        {SliderUnit::Factor, "1.5", 18},     {SliderUnit::Factor, "1.5x", 18},
        {SliderUnit::Factor, "2", 30},       {SliderUnit::Factor, "0", kLowest},
        {SliderUnit::Factor, "-1", kLowest}, {SliderUnit::Factor, "20X", 130},
        {SliderUnit::Factor, "1.57x", 20},   {SliderUnit::Whole, "99999999999999999999", 2147483647},
    };
    for (const auto& c : cases) {
        int32_t position = 0;
        ASSERT_TRUE(SliderUnitText(c.unit).Position(c.typed, position)) << c.typed;
        EXPECT_EQ(position, c.position) << c.typed;
    }
    for (const char* bad : {"", " ", ".", "1.2.3", "x", "4x5", "--4", "1 2", "abc"}) {
        int32_t position = 7;
        EXPECT_FALSE(SliderUnitText(SliderUnit::Factor).Position(bad, position)) << bad;
        EXPECT_EQ(position, 7);
    }
}

// What a typed factor writes is the slider's own value, exactly: 10^(position * 0.01).
TEST(SliderUnits, ATypedFactorWritesTheSlidersValue) {
    SettingsPageState page;
    page.scaleImages = true;
    ASSERT_TRUE(SliderUnitText(SliderUnit::Factor).Position("1.5x", page.scale));
    EffectParameters p{};
    ApplySettingsPage(page, p);
    EXPECT_EQ(p.scale, SliderFactor(18));
    EXPECT_EQ(LoadSettingsPage(p).scale, 18);
}

}  // namespace
