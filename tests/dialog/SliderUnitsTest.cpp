// The sliders' number boxes in the user's units: every position's text reads back as that
// position, texts grow with the position, and typed values go to the nearest position.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "product/dialog/OptionsPage.h"
#include "product/dialog/SettingsPage.h"
#include "product/dialog/SliderUnits.h"

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
    const std::pair<int32_t, const char*> factors[] = {
        {-100, "0.100x"}, {-30, "0.501x"}, {0, "1.00x"}, {100, "10.0x"}};
    for (const auto& [position, text] : factors)
        EXPECT_EQ(SliderUnitText(SliderUnit::Factor).Text(position), text);
    EXPECT_EQ(SliderUnitText(SliderUnit::Opacity).Text(128), "50.2%");
    EXPECT_EQ(SliderUnitText(SliderUnit::Percent).Text(35), "35%");
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

}  // namespace
