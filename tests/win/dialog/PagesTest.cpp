// The Settings and Options pages as real windows from the plug-in's templates, driven through
// the system's input queue: what reaches the parameter block and which previews are asked for.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "PageTestSupport.h"
#include "WindowHarness.h"
#include "product/dialog/win32/PSVarnOptionsChild.h"
#include "product/dialog/win32/PSVarnSettingsChild.h"
#include "product/dialog/win32/PSVarnGuidesChild.h"
#include "product/dialog/win32/PSVarnVariationChild.h"
#include "product/engine/EffectDerived.h"
#include "product/engine/SettingsTable.h"
#include "product/resources/ResourceIds.h"

namespace {

HWND Item(const CWnd& page, int id) { return GetDlgItem(page.hWnd, id); }
int SliderPos(const CWnd& page, int id) { return int(SendMessageA(Item(page, id), TBM_GETPOS, 0, 0)); }
bool IsChecked(const CWnd& page, int id) {
    return SendMessageA(Item(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool IsEnabled(const CWnd& page, int id) { return IsWindowEnabled(Item(page, id)) != FALSE; }
std::string Text(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(SettingsPage, OpensOnTheBlockAndADensityDragRefreshesQuicklyThenOnce) {
    Owner owner;
    owner.block.scale = 0.5;
    owner.block.opacity = 0;
    owner.block.rotationAngle = -30.5;
    owner.block.randomRotation = 45.0;
    PSVarnSettingsChild page(owner);
    owner.Show(page);
    EXPECT_TRUE(owner.previews.empty()) << "loading asks for no preview";
    EXPECT_EQ(SliderPos(page, IDC_DENSITY), 10);
    EXPECT_TRUE(IsChecked(page, IDC_SCALE_IMAGES));
    EXPECT_EQ(SliderPos(page, IDC_SCALE), -30);
    EXPECT_EQ(SliderPos(page, IDC_RANDOM_SCALE), 30);
    EXPECT_EQ(SliderPos(page, IDC_RANDOM_ROTATION), 45);
    EXPECT_EQ(SliderPos(page, IDC_OPACITY), 0);
    EXPECT_TRUE(IsEnabled(page, IDC_RANDOM_ROTATION));
    EXPECT_EQ(Text(GetDlgItem(page.hWnd, OrvAngleControl2::kBoxId)), "330");
    EXPECT_FALSE(IsEnabled(page, IDC_RANDOM_SCALE));
    Harness::SaveScreenshot(page.hWnd, "pages-settings-opened");

    auto* density = dynamic_cast<OrvCustomSliderCtrl*>(CWnd::FromHandlePermanent(Item(page, IDC_DENSITY)));
    ASSERT_NE(density, nullptr);
    const OrvRect& thumb = density->Model().Geometry().thumb;
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    Harness::Press(density->hWnd, x, y);
    for (int dx = 12; dx <= 60; dx += 12) Harness::MoveTo(density->hWnd, x + dx, y);
    Harness::Release();
    Harness::Pump(50);
    EXPECT_GT(owner.block.density, 10);
    EXPECT_EQ(owner.block.density, SliderPos(page, IDC_DENSITY));
    EXPECT_GE(owner.Count(true), 3);
    EXPECT_EQ(owner.Count(false), 1);
    ASSERT_FALSE(owner.previews.empty());
    EXPECT_FALSE(owner.previews.back()) << "the release ends with a full preview";
    // Applying writes the slider as shown: 10 to the -0.30, not the stored 0.5.
    EXPECT_EQ(owner.block.scale, SliderFactor(-30));
    EXPECT_EQ(owner.block.opacity, 0);
    EXPECT_EQ(owner.block.rotationAngle, 330.0);
    EXPECT_EQ(owner.block.randomRotation, 45.0);

    // The dial shows above the panel behind its group, and its needle drags like a thumb.
    HWND dial = Item(page, IDC_ROTATION_ANGLE);
    RECT r;
    GetClientRect(dial, &r);
    const int cx = r.right / 2, cy = r.bottom / 2;
    int drawn = 0;
    for (int dx = -cx + 2; dx < cx - 2; ++dx)
        drawn += Harness::ClientPixel(dial, cx + dx, cy) != RGB(201, 206, 207);
    EXPECT_GT(drawn, 4) << "the ring and needle cross the middle row";
    owner.previews.clear();
    Harness::Press(dial, cx + cx / 2, cy);
    Harness::MoveTo(dial, cx + cx / 2, cy + cy / 2);
    Harness::MoveTo(dial, cx, cy + cy / 2);
    Harness::Release();
    Harness::PumpUntil([&] { return !owner.previews.empty() && !owner.previews.back(); });
    EXPECT_GE(owner.Count(true), 2);
    EXPECT_EQ(owner.Count(false), 1);
    EXPECT_FALSE(owner.previews.back());
    EXPECT_NE(owner.block.rotationAngle, 330.0);
    EXPECT_EQ(Text(GetDlgItem(page.hWnd, OrvAngleControl2::kBoxId)),
              std::to_string(int(owner.block.rotationAngle)));
}

TEST(SettingsPage, ScaleImagesSwitchesItsGroupAndWritesNeutralValues) {
    Owner owner;
    owner.block.scale = 2.0;
    owner.block.randomScale = 3.0;
    owner.block.orderByDepth = 1;
    owner.block.fadeWithDepth = 1;
    PSVarnSettingsChild page(owner);
    owner.Show(page);
    for (int id :
         {IDC_SCALE, IDC_RANDOMISE_SCALING, IDC_RANDOM_SCALE, IDC_ORDER_BY_DEPTH, IDC_FADE_WITH_DEPTH})
        EXPECT_TRUE(IsEnabled(page, id)) << id;

    Harness::Click(Item(page, IDC_SCALE_IMAGES), 5, 5);
    Harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_FALSE(IsChecked(page, IDC_SCALE_IMAGES));
    EXPECT_EQ(owner.block.scale, 1.0);
    EXPECT_EQ(owner.block.randomScale, 1.0);
    EXPECT_EQ(owner.block.orderByDepth, 1);
    EXPECT_EQ(owner.block.fadeWithDepth, 1);
    for (int id : {IDC_SCALE, IDC_RANDOMISE_SCALING, IDC_RANDOM_SCALE, IDC_ORDER_BY_DEPTH,
                   IDC_FADE_WITH_DEPTH, IDC_DESATURATE_WITH_DEPTH})
        EXPECT_FALSE(IsEnabled(page, id)) << id;
    EXPECT_EQ(owner.previews, std::vector<bool>{false});
    Harness::SaveScreenshot(page.hWnd, "pages-settings-unscaled");

    Harness::Click(Item(page, IDC_SCALE_IMAGES), 5, 5);
    Harness::PumpUntil([&] { return owner.previews.size() == 2; });
    EXPECT_EQ(owner.block.scale, SliderFactor(30));
    EXPECT_EQ(owner.block.randomScale, SliderFactor(47));
    EXPECT_TRUE(IsEnabled(page, IDC_FADE_WITH_DEPTH));
}

TEST(OptionsPage, TypedSeedIsClampedWhenTheBoxLosesTheFocus) {
    Owner owner;
    owner.block.textureAmount = 73;
    PSVarnOptionsChild page(owner);
    owner.Show(page);
    EXPECT_EQ(Text(Item(page, IDC_SEED)), "1");
    EXPECT_FALSE(IsEnabled(page, IDC_TEXTURE_AMOUNT));
    EXPECT_EQ(SliderPos(page, IDC_TEXTURE_AMOUNT), 73);

    Harness::Click(Item(page, IDC_SEED), 10, 6);
    Harness::Key(VK_END);
    for (int i = 0; i < 4; ++i) Harness::Key(VK_BACK);
    for (const char* k = "20000"; *k; ++k) Harness::Key(static_cast<WORD>(VkKeyScanA(*k) & 0xFF));
    Harness::Pump(30);
    EXPECT_TRUE(owner.previews.empty()) << "typing alone takes no effect";
    Harness::Key(VK_TAB);
    Harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_EQ(owner.block.randomSeed, 10000);
    EXPECT_EQ(Text(Item(page, IDC_SEED)), "10000");
    EXPECT_EQ(owner.previews, std::vector<bool>{false});
    EXPECT_EQ(owner.block.textureAmount, 73) << "kept while its slider is disabled";
    Harness::SaveScreenshot(page.hWnd, "pages-options-seed");
}

TEST(OptionsPage, RandomiseTakesTheRuntimesGeneratorAndOptionClicksWriteEveryOption) {
    // The runtime's generator starts afresh in every thread.
    std::vector<int> fresh;
    std::thread([&fresh] {
        for (int i = 0; i < 5; ++i) fresh.push_back(RandomisedSeed(std::rand()));
    }).join();
    EXPECT_EQ(fresh, (std::vector<int>{41, 8467, 6334, 6500, 9169}));

    Owner owner;
    PSVarnOptionsChild page(owner);
    owner.Show(page);
    Harness::Click(Item(page, IDC_RANDOMISE_SEED), 8, 6);
    Harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_GE(owner.block.randomSeed, 1);
    EXPECT_LE(owner.block.randomSeed, 10000);
    EXPECT_EQ(Text(Item(page, IDC_SEED)), std::to_string(owner.block.randomSeed));

    // Changed behind the page: a click on one option writes them all from the page.
    owner.block.wholeObjectsOnly = 1;
    owner.block.applyAsTexture = 1;
    Harness::Click(Item(page, IDC_NO_OVERLAP), 5, 5);
    Harness::PumpUntil([&] { return owner.previews.size() == 2; });
    EXPECT_EQ(owner.block.noOverlap, 1);
    EXPECT_EQ(owner.block.wholeObjectsOnly, 0);
    EXPECT_EQ(owner.block.applyAsTexture, 0);

    Harness::Click(Item(page, IDC_APPLY_AS_TEXTURE), 5, 5);
    Harness::PumpUntil([&] { return owner.previews.size() == 3; });
    EXPECT_EQ(owner.block.applyAsTexture, 1);
    EXPECT_TRUE(IsEnabled(page, IDC_TEXTURE_AMOUNT));
    Harness::SaveScreenshot(page.hWnd, "pages-options-texture");
}

// Each control of the Variation page through real input: it writes its own field of the
// extension (and the page writes them all), asks for one full preview, or quick ones and a
// full one for a drag; the block's stored values open the page.
TEST(VariationPage, EachControlWritesItsFieldOfTheExtension) {
    Owner owner;
    const auto store = [&owner](const char* name, double v) {
        StoreValue(*FindSetting(name), owner.PageBlock(), v);
    };
    store("hueJitter", 30);
    store("flip", kFlipVertical);
    store("blendMode", int(BlendMode::Darken));
    PSVarnVariationChild page(owner);
    owner.Show(page);
    EXPECT_TRUE(owner.previews.empty()) << "loading asks for no preview";
    EXPECT_EQ(SliderPos(page, IDC_HUE_JITTER), 30);
    EXPECT_FALSE(IsChecked(page, IDC_FLIP_HORIZONTAL));
    EXPECT_TRUE(IsChecked(page, IDC_FLIP_VERTICAL));
    EXPECT_TRUE(IsChecked(page, IDC_BLEND_DARKEN));
    Harness::SaveScreenshot(page.hWnd, "pages-variation-opened");

    const auto variation = [&owner] { return ReadVariation(owner.PageBlock(), owner.PageBlockSize()); };
    const auto slider = [&page](int id) {
        return dynamic_cast<OrvCustomSliderCtrl*>(CWnd::FromHandlePermanent(Item(page, id)));
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::function<bool(const EffectVariation&)> wrote;
    };
    const std::vector<Step> steps = {
        {"flip horizontally", [&] { Harness::Click(Item(page, IDC_FLIP_HORIZONTAL), 5, 5); },
         [](const EffectVariation& v) { return v.flip == (kFlipHorizontal | kFlipVertical); }},
        {"multiply", [&] { Harness::Click(Item(page, IDC_BLEND_MULTIPLY), 5, 5); },
         [](const EffectVariation& v) { return v.blend == BlendMode::Multiply; }},
        {"opacity key",
         [&] {
             const OrvRect& thumb = slider(IDC_OPACITY_JITTER)->Model().Geometry().thumb;
             Harness::Click(Item(page, IDC_OPACITY_JITTER), (thumb.left + thumb.right) / 2,
                            (thumb.top + thumb.bottom) / 2);
             Harness::Pump(300);
             owner.previews.clear();
             Harness::Key(VK_RIGHT);
         },
         [](const EffectVariation& v) { return v.opacityJitter == 1; }},
        {"brightness typed",
         [&] {
             HWND box = slider(IDC_BRIGHTNESS_JITTER)->NumberBox()->hWnd;
             Harness::Click(box, 6, 6);
             Harness::Pump(300);
             owner.previews.clear();
             Harness::Key(VK_END);
             for (int i = 0; i < 4; ++i) Harness::Key(VK_BACK);
             for (const char* k = "55"; *k; ++k) Harness::Key(static_cast<WORD>(VkKeyScanA(*k) & 0xFF));
             Harness::Key(VK_RETURN);
         },
         [](const EffectVariation& v) { return v.brightnessJitter == 55; }},
        {"hue drag",
         [&] {
             const OrvRect& thumb = slider(IDC_HUE_JITTER)->Model().Geometry().thumb;
             const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
             Harness::Press(Item(page, IDC_HUE_JITTER), x, y);
             for (int dx = 10; dx <= 40; dx += 10) Harness::MoveTo(Item(page, IDC_HUE_JITTER), x + dx, y);
             Harness::Release();
         },
         [](const EffectVariation& v) { return v.hueJitter > 30; }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        owner.previews.clear();
        step.act();
        Harness::PumpUntil(
            [&] { return !owner.previews.empty() && !owner.previews.back() && step.wrote(variation()); });
        EXPECT_TRUE(step.wrote(variation()));
        ASSERT_FALSE(owner.previews.empty());
        EXPECT_FALSE(owner.previews.back()) << "every change ends in a full preview";
        // Typing "55" is a burst: its first keystroke renders in full, the second quick, and
        // its end once in full; anything else is one change.
        const bool typed = std::strcmp(step.what, "brightness typed") == 0;
        EXPECT_EQ(owner.Count(false), typed ? 2 : 1) << "one full preview for one change";
        if (typed) {
            EXPECT_EQ(owner.Count(true), 1);
        }
    }
    // The page writes every field from its controls, whichever changed.
    const EffectVariation v = variation();
    EXPECT_EQ(v.hueJitter, SliderPos(page, IDC_HUE_JITTER));
    EXPECT_EQ(v.brightnessJitter, 55);
    EXPECT_EQ(v.opacityJitter, 1);
    EXPECT_EQ(v.flip, kFlipHorizontal | kFlipVertical);
    EXPECT_EQ(v.blend, BlendMode::Multiply);
    Harness::SaveScreenshot(page.hWnd, "pages-variation-set");

    // A relief has no colour: shown again after the texture was switched on, the colour
    // variations are off, mirroring and opacity stay.
    owner.block.applyAsTexture = 1;
    page.Shown();
    for (int id : {IDC_HUE_JITTER, IDC_BRIGHTNESS_JITTER, IDC_BLEND_NORMAL, IDC_BLEND_LIGHTEN})
        EXPECT_FALSE(IsEnabled(page, id)) << id;
    for (int id : {IDC_OPACITY_JITTER, IDC_FLIP_HORIZONTAL, IDC_FLIP_VERTICAL})
        EXPECT_TRUE(IsEnabled(page, id)) << id;
    Harness::Pump(50);
    Harness::SaveScreenshot(page.hWnd, "pages-variation-texture");
}

// Each control of the Guides page through real input writes its own field of the
// extension with one full preview; a map's own controls are off until it reads a map.
TEST(GuidesPage, EachControlWritesItsFieldOfTheExtension) {
    Owner owner;
    StoreValue(*FindSetting("sizeMap"), owner.PageBlock(), int(MapSource::File));
    PSVarnGuidesChild page(owner);
    owner.Show(page);
    EXPECT_TRUE(owner.previews.empty()) << "loading asks for no preview";
    EXPECT_TRUE(IsChecked(page, IDC_SIZE_MAP_FILE));
    EXPECT_FALSE(IsEnabled(page, IDC_DENSITY_STRENGTH));
    EXPECT_TRUE(IsEnabled(page, IDC_MAP_FILE));
    Harness::SaveScreenshot(page.hWnd, "pages-guides-opened");

    const auto guides = [&owner] { return ReadGuides(owner.PageBlock(), owner.PageBlockSize()); };
    const std::string map = TempFolder("varnel-guides") + "\\grey.bmp";
    WriteSolidBmp(map, 40, 30, RGB(128, 128, 128));
    const auto key = [&page, &owner](int id, WORD vk) {
        const auto* slider = dynamic_cast<OrvCustomSliderCtrl*>(CWnd::FromHandlePermanent(Item(page, id)));
        const OrvRect& thumb = slider->Model().Geometry().thumb;
        Harness::Click(Item(page, id), (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
        Harness::Pump(300);
        owner.previews.clear();
        Harness::Key(vk);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::function<bool(const GuideSettings&)> wrote;
    };
    const std::vector<Step> steps = {
        {"density inverse", [&] { Harness::Click(Item(page, IDC_DENSITY_MAP_INVERSE), 5, 5); },
         [](const GuideSettings& g) { return g.densityMap == MapSource::Inverse; }},
        {"strength key", [&] { key(IDC_DENSITY_STRENGTH, VK_LEFT); },
         [](const GuideSettings& g) { return g.densityStrength == 99; }},
        {"keep the count", [&] { Harness::Click(Item(page, IDC_KEEP_COUNT), 5, 5); },
         [](const GuideSettings& g) { return g.keepCount; }},
        {"size luminance", [&] { Harness::Click(Item(page, IDC_SIZE_MAP_LUMINANCE), 5, 5); },
         [](const GuideSettings& g) { return g.sizeMap == MapSource::Luminance; }},
        {"smallest key", [&] { key(IDC_SIZE_MIN, VK_RIGHT); },
         [](const GuideSettings& g) { return g.sizeMinimum == 51; }},
        {"largest key", [&] { key(IDC_SIZE_MAX, VK_LEFT); },
         [](const GuideSettings& g) { return g.sizeMaximum == 149; }},
        {"even spacing", [&] { Harness::Click(Item(page, IDC_SPACING_EVEN), 5, 5); },
         [](const GuideSettings& g) { return g.even; }},
        {"follow the edges", [&] { Harness::Click(Item(page, IDC_FOLLOW_EDGES), 5, 5); },
         [](const GuideSettings& g) { return g.followEdges; }},
        {"map file typed",
         [&] {
             Harness::Click(Item(page, IDC_DENSITY_MAP_FILE), 5, 5);
             Harness::Pump(300);
             Harness::Click(Item(page, IDC_MAP_FILE), 6, 6);
             owner.previews.clear();
             for (const char* k = "map.png"; *k; ++k) Harness::Key(static_cast<WORD>(VkKeyScanA(*k) & 0xFF));
             Harness::Click(Item(page, IDC_SPACING_RANDOM), 5, 5);  // the box loses the focus
         },
         [](const GuideSettings& g) { return g.mapFile == "map.png" && !g.even; }},
        {"map file browsed",
         [&] {
             Harness::InputThread script([&] {
                 HWND chooser =
                     Harness::WaitForWindow([] { return FindWindowA("#32770", "Choose a map file"); });
                 if (chooser == nullptr) return;
                 Sleep(300);
                 SendMessageA(GetDlgItem(chooser, cmb13), WM_SETTEXT, 0, LPARAM(map.c_str()));
                 Harness::Click(GetDlgItem(chooser, IDOK), 6, 6);
             });
             Harness::Click(Item(page, IDC_MAP_BROWSE), 5, 5);
         },
         [&](const GuideSettings& g) { return g.mapFile == map; }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        owner.previews.clear();
        step.act();
        Harness::PumpUntil(
            [&] { return !owner.previews.empty() && !owner.previews.back() && step.wrote(guides()); });
        EXPECT_TRUE(step.wrote(guides()));
        ASSERT_FALSE(owner.previews.empty());
        EXPECT_FALSE(owner.previews.back()) << "every change ends in a full preview";
    }
    // The page writes every field from its controls, whichever changed.
    const GuideSettings g = guides();
    EXPECT_TRUE(g.densityMap == MapSource::File && g.densityStrength == 99 && g.keepCount && g.followEdges);
    EXPECT_TRUE(IsEnabled(page, IDC_DENSITY_STRENGTH));
    Harness::SaveScreenshot(page.hWnd, "pages-guides-set");
}

}  // namespace
