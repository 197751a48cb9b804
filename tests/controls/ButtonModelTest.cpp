#include "OrvLib/controls/ButtonModel.h"

#include <gtest/gtest.h>

namespace {

using namespace ButtonStyle;

TEST(ButtonModel, StyleKindsChooseTheLook) {
    EXPECT_EQ(LookOf(kPush), ButtonLook::Push);
    EXPECT_EQ(LookOf(kDefaultPush), ButtonLook::Push);
    EXPECT_EQ(LookOf(kAutoCheck), ButtonLook::CheckBox);
    EXPECT_EQ(LookOf(kAutoCheck | kPushLike), ButtonLook::Push);
    EXPECT_EQ(LookOf(kAutoRadio), ButtonLook::Radio);
    EXPECT_EQ(LookOf(kRadio | kPushLike), ButtonLook::Push);
    EXPECT_EQ(LookOf(kGroupBox), ButtonLook::GroupBox);
    EXPECT_EQ(LookOf(8), ButtonLook::Nothing);
    EXPECT_EQ(LookOf(11), ButtonLook::Nothing);
    EXPECT_EQ(LookOf(12), ButtonLook::Push);
}

TEST(ButtonModel, AutomaticKindsCycleTheirCheckOnClick) {
    EXPECT_EQ(CheckAfterClick(kAutoCheck, 0), 1);
    EXPECT_EQ(CheckAfterClick(kAutoCheck, 1), 0);
    EXPECT_EQ(CheckAfterClick(kAutoThreeState, 0), 1);
    EXPECT_EQ(CheckAfterClick(kAutoThreeState, 1), 2);
    EXPECT_EQ(CheckAfterClick(kAutoThreeState, 2), 0);
    EXPECT_EQ(CheckAfterClick(kCheck, 0), 0);
}

TEST(ButtonModel, MouseReleaseOutsideOrSpaceAfterTheMouseDoesNotClick) {
    ButtonPress b;
    EXPECT_TRUE(b.Press().redraw);
    EXPECT_TRUE(b.Pushed());
    EXPECT_TRUE(b.Move(false).redraw);
    EXPECT_FALSE(b.Pushed());
    EXPECT_FALSE(b.Move(false).redraw);
    EXPECT_TRUE(b.Move(true).redraw);
    b.Move(false);
    ButtonPress::Result r = b.Release(false);
    EXPECT_FALSE(r.click);
    EXPECT_FALSE(b.MousePressed());
    b.Press();
    EXPECT_TRUE(b.Release(true).click);
    // A release that never had its press.
    EXPECT_FALSE(b.Release(true).click);

    // Holding Space pushes once however long it repeats; its release clicks.
    EXPECT_TRUE(b.SpaceDown().redraw);
    EXPECT_FALSE(b.SpaceDown().redraw);
    EXPECT_TRUE(b.Pushed());
    EXPECT_TRUE(b.SpaceUp().click);
    EXPECT_FALSE(b.SpaceUp().click);
    // Space during a mouse press is ignored both ways.
    b.Press();
    EXPECT_FALSE(b.SpaceDown().redraw);
    EXPECT_FALSE(b.SpaceUp().click);
    EXPECT_TRUE(b.Pushed());
}

TEST(ButtonModel, TextAlignmentFollowsTheStyleBits) {
    EXPECT_EQ(TextAlignOf(0, false).horizontal, TextAlign::Centre);
    EXPECT_EQ(TextAlignOf(0, true).horizontal, TextAlign::Near);
    EXPECT_EQ(TextAlignOf(kRight, true).horizontal, TextAlign::Far);
    EXPECT_EQ(TextAlignOf(kCentre, true).horizontal, TextAlign::Centre);
    EXPECT_EQ(TextAlignOf(kTop, false).vertical, TextAlign::Near);
    EXPECT_EQ(TextAlignOf(kBottom, false).vertical, TextAlign::Far);
    EXPECT_EQ(TextAlignOf(kVCentre, false).vertical, TextAlign::Centre);
}

TEST(ButtonGeometry, CheckBoxSitsBesideItsTextAndTheTickIsAV) {
    ButtonGeometry::CheckLayout l = ButtonGeometry::Check({0, 0, 100, 21}, 0);
    EXPECT_EQ(l.box, (OrvRect{0, 4, 13, 17}));
    EXPECT_EQ(l.text.left, 16);
    ButtonGeometry::CheckLayout r = ButtonGeometry::Check({0, 0, 100, 21}, kLeftText | kTop);
    EXPECT_EQ(r.box, (OrvRect{87, 0, 100, 13}));
    EXPECT_EQ(r.text.right, 84);
    EXPECT_EQ(ButtonGeometry::PushInner({0, 0, 75, 23}, true), (OrvRect{3, 3, 72, 20}));

    std::vector<ButtonGeometry::TickColumn> tick = ButtonGeometry::Tick({0, 0, 7, 7});
    std::vector<int32_t> tops;
    for (const auto& c : tick) {
        EXPECT_EQ(c.height, 3);
        EXPECT_LE(c.top + c.height, 7);
        tops.push_back(c.top);
    }
    // From the right edge: down to the bottom, then back up toward the left.
    EXPECT_EQ(tops, (std::vector<int32_t>{0, 1, 2, 3, 4, 3, 2}));
    EXPECT_EQ(tick.front().x, 6);
    EXPECT_EQ(tick.back().x, 0);
}

TEST(ButtonBitmap, SchemeCopyRecoloursGreysAndWhiteOnly) {
    ButtonBitmap::Pixels p{5, 1, {0xFFFFFF, 0xF8F8F8, 0xC5BDC0, 0x87807A, 0xFFF7FF}};
    ButtonBitmap::Pixels out = ButtonBitmap::SchemeColoured(p, 0x111111, 0x222222, 0x333333);
    EXPECT_EQ(out.colours, (std::vector<uint32_t>{0x111111, 0x111111, 0x222222, 0x333333, 0xFFF7FF}));
}

TEST(ButtonBitmap, DisabledCopyIsEmbossedAndOnePixelLarger) {
    const uint32_t W = 0xFFFFFF, K = 0x000000, hi = 1, face = 2, sh = 3;
    ButtonBitmap::Pixels p{3, 2, {K, W, W, W, W, 0xB9B9B8}};
    ButtonBitmap::Pixels out = ButtonBitmap::Embossed(p, hi, face, sh);
    ASSERT_EQ(out.width, 4);
    ASSERT_EQ(out.height, 3);
    EXPECT_EQ(out.colours, (std::vector<uint32_t>{sh, face, face, face,  //
                                                  face, hi, sh, face,    //
                                                  face, face, face, hi}));
}

}  // namespace
