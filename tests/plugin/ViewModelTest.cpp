// Zoom, view and locator arithmetic on the sizes that matter: ordinary images, small
// ones, thin strips and the edges of the filter area.
#include <gtest/gtest.h>

#include "OrvLib/plugin/ViewModel.h"

namespace {

using namespace ViewModel;
const OrvSize kPreview{264, 210};

TEST(ViewModelTest, FitLevels) {
    EXPECT_EQ(FitLevel({1000, 800}, kPreview, true), 4);
    EXPECT_EQ(SmallestLevel(4), -5);
    EXPECT_EQ(FitLevel({100, 80}, kPreview, true), 0) << "2:1, cannot zoom out";
    EXPECT_EQ(FitLevel({20, 10}, kPreview, true), -11);
    EXPECT_EQ(SmallestLevel(-11), -11);
    EXPECT_EQ(FitLevel({264, 210}, kPreview, true), 1);
    EXPECT_EQ(FitLevel({265, 210}, kPreview, true), 2);
    // Thin strips keep at least one sampled row.
    EXPECT_EQ(FitLevel({1000, 1}, kPreview, true), 1);
    EXPECT_EQ(FitLevel({10000, 10}, kPreview, true), 10);
    // A host that cannot sample is never asked for a rate above 1.
    EXPECT_EQ(FitLevel({1000, 800}, kPreview, false), 1);
    EXPECT_EQ(FitLevel({100, 80}, kPreview, false), 0);
}

TEST(ViewModelTest, ViewSizesAtLevels) {
    const OrvSize area{1000, 800};
    EXPECT_EQ(ViewSizeAt(4, kPreview, area).width, 1000);
    EXPECT_EQ(ViewSizeAt(4, kPreview, area).height, 800);
    EXPECT_EQ(ViewSizeAt(3, kPreview, area).width, 792);
    EXPECT_EQ(ViewSizeAt(3, kPreview, area).height, 630);
    EXPECT_EQ(ViewSizeAt(0, kPreview, area).width, 132);
    EXPECT_EQ(ViewSizeAt(-5, kPreview, area).height, 30);
    EXPECT_EQ(ViewSizeAt(3, kPreview, {300, 200}).width, 300);
}

TEST(ViewModelTest, ZoomKeepsTheCentreAndTheViewInside) {
    const OrvRect f{0, 0, 1000, 800};
    const OrvRect whole = f;
    const OrvRect in = KeepInside(CentredOn(whole, ViewSizeAt(3, kPreview, {1000, 800})), {792, 630}, f);
    EXPECT_EQ(in, (OrvRect{104, 85, 896, 715}));
    // At the edge, zooming out pushes the view back inside.
    const OrvRect corner{0, 0, 132, 105};
    EXPECT_EQ(KeepInside(CentredOn(corner, {792, 630}), {792, 630}, f), (OrvRect{0, 0, 792, 630}));
    const OrvRect farCorner{868, 695, 1000, 800};
    EXPECT_EQ(KeepInside(CentredOn(farCorner, {792, 630}), {792, 630}, f), (OrvRect{208, 170, 1000, 800}));
}

TEST(ViewModelTest, PansMoveInWholeSamplingSteps) {
    EXPECT_EQ(PanStep(4, 3, -100, 100), 6);
    EXPECT_EQ(PanStep(-4, 3, -100, 100), -6);
    EXPECT_EQ(PanStep(3, 3, -100, 100), 3);
    EXPECT_EQ(PanStep(4, 3, -100, 2), 2) << "what is left at the edge";
    EXPECT_EQ(PanStep(4, 3, -100, 0), 0);
    EXPECT_EQ(PanStep(-7, 1, -5, 0), -5);
    EXPECT_EQ(PanStep(0, 3, -100, 100), 0);
}

TEST(ViewModelTest, ZoomRatioTexts) {
    const OrvRect v{0, 0, 1000, 800};
    EXPECT_EQ(ZoomRatioText(4, true, false, v, kPreview, ""), "1:4");
    EXPECT_EQ(ZoomRatioText(1, true, false, v, kPreview, ""), "1:1");
    EXPECT_EQ(ZoomRatioText(0, true, false, v, kPreview, ""), "2:1");
    EXPECT_EQ(ZoomRatioText(-5, true, false, v, kPreview, "Zoom "), "Zoom 7:1");
    EXPECT_EQ(ZoomRatioText(4, false, true, v, kPreview, ""), "1:3.8");
    EXPECT_EQ(ZoomRatioText(4, true, true, v, kPreview, ""), "1:4");
}

TEST(ViewModelTest, LocatorFactorAndMapping) {
    EXPECT_EQ(LocatorFactor({0, 0, 2000, 1000}, kPreview), 7);
    EXPECT_EQ(LocatorFactor({0, 0, 100, 80}, kPreview), 1);
    EXPECT_EQ(LocatorFactor({0, 0, 10000, 10}, kPreview), 10) << "keeps one row";

    const OrvRect f{100, 50, 2100, 1050};
    const OrvRect c{0, 0, 285, 142};
    const OrvRect view{600, 300, 1392, 930};
    const OrvRect client = ImageToClient(view, f, c);
    EXPECT_EQ(client, (OrvRect{71, 35, 184, 124}));
    // Releasing at the frame's centre gives back nearly the same view.
    const OrvRect again =
        TrackLocator(view, {(client.left + client.right) / 2, (client.top + client.bottom) / 2}, f, c);
    EXPECT_NEAR(again.left, view.left, 8);
    EXPECT_NEAR(again.top, view.top, 8);
    EXPECT_NEAR(again.Width(), view.Width(), 8);
    // Far outside, the frame is held at the nearest edge.
    const OrvRect clamped = TrackLocator(view, {5000, -5000}, f, c);
    EXPECT_EQ(clamped.right, f.right);
    EXPECT_EQ(clamped.top, f.top);
    // The whole image in view cannot move: the frame, set as the view, is the whole area.
    EXPECT_EQ(KeepInside(TrackLocator(f, {10, 10}, f, c), {2000, 1000}, f), f);
    // An empty pop-up maps nothing and divides by nothing.
    EXPECT_EQ(TrackLocator(view, {3, 3}, f, OrvRect{0, 0, 285, 0}), view);
}

TEST(ViewModelTest, PreviewImagePlacement) {
    // Part of the image in view: fitted to the client area, keeping the proxy's shape.
    EXPECT_EQ(PreviewImageRect({198, 158}, {250, 200}, true), (OrvRect{0, 0, 197, 158}));
    EXPECT_EQ(PreviewImageRect({198, 158}, {400, 100}, true), (OrvRect{0, 54, 198, 103}));
    // The whole image: at its own size, centred (a small image is not blown up).
    EXPECT_EQ(PreviewImageRect({198, 158}, {100, 80}, false), (OrvRect{49, 39, 149, 119}));
    EXPECT_EQ(PreviewImageRect({198, 158}, {0, 0}, true), (OrvRect{99, 79, 99, 79}));
}

TEST(ViewModelTest, DragPansAgainstThePointer) {
    const OrvRect start{100, 100, 300, 260};
    // Dragging right by a quarter of the preview shows a quarter view more of the left.
    EXPECT_EQ(DragPan({50, 50}, {100, 50}, start, start, {200, 160}).x, -50);
    EXPECT_EQ(DragPan({50, 50}, {50, 10}, start, start, {200, 160}).y, 40);
    // Later moves ask for what is still missing since the drag began.
    const OrvRect moved{60, 100, 260, 260};
    EXPECT_EQ(DragPan({50, 50}, {100, 50}, start, moved, {200, 160}).x, -10);
    // Truncation toward zero, both ways.
    EXPECT_EQ(DragPan({0, 0}, {1, 0}, start, start, {3, 1}).x, -66);
    EXPECT_EQ(DragPan({1, 0}, {0, 0}, start, start, {3, 1}).x, 66);
    EXPECT_EQ(DragPan({0, 0}, {9, 9}, start, start, {0, 0}).x, 0) << "no preview size, no pan";
}

TEST(ViewModelTest, LocatorPopupCentredOnThePress) {
    const OrvRect screen{0, 0, 1280, 1000};
    const OrvRect r = LocatorPopupRect({400, 300}, {285, 142}, {3, 3}, screen);
    EXPECT_EQ(r, (OrvRect{400 - 145, 300 - 74, 400 - 145 + 291, 300 - 74 + 148}));
}

TEST(ViewModelTest, LocatorPopupStaysInsideTheWorkArea) {
    const OrvRect work{0, 0, 1280, 990};  // a task bar below
    EXPECT_EQ(LocatorPopupRect({10, 10}, {285, 142}, {3, 3}, work), (OrvRect{0, 0, 291, 148}));
    EXPECT_EQ(LocatorPopupRect({1275, 985}, {285, 142}, {3, 3}, work), (OrvRect{989, 842, 1280, 990}));
    // Larger than the area: shrunk to fit it whole, shape kept (1400 x 1100 to 1252 x 984).
    EXPECT_EQ(LocatorPopupRect({640, 500}, {1400, 1100}, {3, 3}, work), (OrvRect{11, 0, 1269, 990}));
    EXPECT_EQ(LocatorPopupRect({640, 500}, {3000, 100}, {3, 3}, work), (OrvRect{0, 476, 1280, 524}));
}

}  // namespace
