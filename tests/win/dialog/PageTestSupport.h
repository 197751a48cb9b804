// What the page tests share: an owner standing in for the effect dialog (a top-level window
// for the page, the live block, the presets and the previews asked for) and solid pictures.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <cstddef>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "product/dialog/win32/PSVarnPageOwner.h"
#include "product/engine/SettingsTable.h"

// The dialog's scheme: the skin's cool grey.
inline ColourScheme DialogScheme() {
    ColourScheme s;
    const COLORREF colours[ColourScheme::kCount] = {
        RGB(201, 206, 207), RGB(240, 245, 246), RGB(217, 230, 231), RGB(146, 163, 165), RGB(114, 128, 132),
        RGB(0, 0, 0),       RGB(128, 128, 128), RGB(0, 0, 0),       RGB(168, 176, 178), RGB(255, 255, 255)};
    std::memcpy(s.colours, colours, sizeof colours);
    return s;
}

// A top-level window for the page, the live block and the previews asked for.
class Owner : public PSVarnPageOwner {
public:
    // The whole block: the first settings, then the extension right behind them.
    struct WholeBlock {
        EffectParameters core;
        uint8_t extension[kSettingsBlockSize - sizeof(EffectParameters)];
    } whole;
    static_assert(sizeof(WholeBlock) == kSettingsBlockSize, "no padding between the parts");
    EffectParameters& block = whole.core;
    std::vector<PresetCategory> presets;
    std::vector<bool> previews;  // quick flags, in order
    // Told of every preview asked for, after it was counted.
    std::function<void(bool quick)> onPreview;
    HWND frame = nullptr;

    explicit Owner(int width = 480, int height = 280) {
        std::memset(&whole, 0, sizeof whole);
        ResetSettings(PageBlock(), PageBlockSize());
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        frame = CreateWindowExA(0, "STATIC", "Pages", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 30, 30, width,
                                height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Owner() override { DestroyWindow(frame); }
    EffectParameters& PageParameters() override { return block; }
    uint8_t* PageBlock() override { return reinterpret_cast<uint8_t*>(&whole); }
    size_t PageBlockSize() const override { return sizeof whole; }
    const ColourScheme* PageScheme() const override { return &scheme; }
    const std::vector<PresetCategory>& PagePresets() const override { return presets; }
    void UpdatePreview(bool quick) override {
        previews.push_back(quick);
        if (onPreview) onPreview(quick);
    }

    // The page over the frame's client area, or at place.
    template <class Page>
    void Show(Page& page) {
        RECT place = {0, 0, 0, 0};
        GetClientRect(frame, &place);
        Show(page, place);
    }
    template <class Page>
    void Show(Page& page, const RECT& place) {
        ASSERT_TRUE(page.Create(frame, place));
        page.ShowWindow(SW_SHOW);
        SetForegroundWindow(frame);
        Harness::Pump(80);
    }
    int Count(bool quick) const {
        int n = 0;
        for (bool q : previews) n += q == quick;
        return n;
    }

private:
    ColourScheme scheme = DialogScheme();
};

// A solid 24-bit bottom-up bitmap file.
inline void WriteSolidBmp(const std::string& path, int width, int height, COLORREF colour) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const uint32_t imageSize = uint32_t(stride * height), fileSize = 54 + imageSize;
    std::vector<uint8_t> bytes(fileSize, 0);
    const auto put32 = [&bytes](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, imageSize);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &bytes[54 + size_t(y) * stride + size_t(x) * 3];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    }
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// A folder of this name in the temporary folder, made when missing.
inline std::string TempFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
