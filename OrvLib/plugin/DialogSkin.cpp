#include "OrvLib/plugin/DialogSkin.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace DialogSkin {

namespace {

int Channel(OrvColour c, int shift) { return int((c >> shift) & 0xFF); }

}  // namespace

OrvColour GradientColour(const GradientStops& stops, int index) {
    static const int kAt[4] = {0, 85, 170, 255};
    index = std::clamp(index, 0, 255);
    int segment = 0;
    while (segment < 2 && index > kAt[segment + 1]) ++segment;
    const int span = kAt[segment + 1] - kAt[segment], step = index - kAt[segment];
    OrvColour result = 0;
    for (int shift : {0, 8, 16}) {
        const int from = Channel(stops[size_t(segment)], shift),
                  to = Channel(stops[size_t(segment) + 1], shift);
        result |= OrvColour(from + (to - from) * step / span) << shift;
    }
    return result;
}

bool Build(const OrvImage2& background, const OrvImage2* overlay, const GradientStops& stops,
           OrvImage2& skin) {
    const int depth = background.BitCount();
    if (background.IsEmpty() || (depth != 24 && depth != 8)) return false;
    const int width = background.Width(), height = background.AbsHeight();
    OrvImage2 made;
    made.Create(width, height, 24, nullptr);
    for (int y = 0; y < height; ++y) {
        uint8_t* to = made.RowAddress(y);
        const uint8_t* from = background.RowAddress(y);
        if (depth == 24) {
            std::memcpy(to, from, size_t(width) * 3);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const OrvColour c = GradientColour(stops, from[x]);
            to[x * 3 + 0] = uint8_t(Channel(c, 16));
            to[x * 3 + 1] = uint8_t(Channel(c, 8));
            to[x * 3 + 2] = uint8_t(Channel(c, 0));
        }
    }
    // Only a real alpha overlay is read with four bytes a pixel.
    if (overlay != nullptr && !overlay->IsEmpty() && overlay->BitCount() == 32 && overlay->HasAlpha()) {
        const int w = std::min(width, overlay->Width()), h = std::min(height, overlay->AbsHeight());
        for (int y = 0; y < h; ++y) {
            uint8_t* to = made.RowAddress(y);
            const uint8_t* over = overlay->RowAddress(y);
            for (int x = 0; x < w; ++x) {
                const int a = over[x * 4 + 3];
                for (int c = 0; c < 3; ++c)
                    to[x * 3 + c] = uint8_t((a * over[x * 4 + c] + (255 - a) * to[x * 3 + c]) / 255);
            }
        }
    }
    skin.Release();
    skin.TakeFrom(made);
    skin.SetHasAlpha(false);
    skin.SetTransparent(kOrvNoColour);
    return true;
}

int ArtFactor(int dpi) { return dpi > 96 ? 2 : 1; }

OrvRect PanelIn(OrvSize client, int factor) {
    if (factor == 1) return kPanel;
    // Inward rounding: the panel's edge pixels are blended, its inside is not.
    const auto inward = [](int32_t v, int32_t to, int32_t from, bool up) {
        const int64_t scaled = int64_t(v) * to;
        return int32_t(up ? (scaled + from - 1) / from : scaled / from);
    };
    return OrvRect{inward(kPanel.left, client.width, kDrawnSize.width, true),
                   inward(kPanel.top, client.height, kDrawnSize.height, true),
                   inward(kPanel.right, client.width, kDrawnSize.width, false),
                   inward(kPanel.bottom, client.height, kDrawnSize.height, false)};
}

namespace {

struct Tap {
    int32_t from;                // first source index
    std::vector<int64_t> parts;  // overlap with source from, from + 1, ... (units: 1 / to of a source pixel)
};

// Output pixel i covers [i x from, (i + 1) x from) in units where source pixel j covers
// [j x to, (j + 1) x to): integer overlaps that add up to `from` for every i.
std::vector<Tap> Taps(int32_t from, int32_t to) {
    std::vector<Tap> taps(static_cast<size_t>(to));
    for (int32_t i = 0; i < to; ++i) {
        const int64_t start = int64_t(i) * from, end = start + from;
        Tap& tap = taps[size_t(i)];
        tap.from = int32_t(start / to);
        for (int64_t j = tap.from; j * to < end; ++j)
            tap.parts.push_back(std::min(end, (j + 1) * to) - std::max(start, j * to));
    }
    return taps;
}

}  // namespace

bool Resample(const OrvImage2& source, OrvSize size, OrvImage2& result) {
    if (source.IsEmpty() || source.BitCount() != 24 || size.width <= 0 || size.height <= 0) return false;
    const int32_t sw = source.Width(), sh = source.AbsHeight();
    const std::vector<Tap> across = Taps(sw, size.width), down = Taps(sh, size.height);
    // Across first into sums still scaled by sw, then down; one rounding at the end.
    std::vector<int64_t> rows(size_t(sh) * size_t(size.width) * 3);
    for (int32_t y = 0; y < sh; ++y) {
        const uint8_t* from = source.RowAddress(y);
        int64_t* to = &rows[size_t(y) * size_t(size.width) * 3];
        for (int32_t x = 0; x < size.width; ++x) {
            const Tap& tap = across[size_t(x)];
            for (size_t k = 0; k < tap.parts.size(); ++k)
                for (int c = 0; c < 3; ++c)
                    to[x * 3 + c] += tap.parts[k] * from[(tap.from + int32_t(k)) * 3 + c];
        }
    }
    OrvImage2 made;
    made.Create(size.width, size.height, 24, nullptr);
    const int64_t whole = int64_t(sw) * sh;
    for (int32_t y = 0; y < size.height; ++y) {
        const Tap& tap = down[size_t(y)];
        uint8_t* to = made.RowAddress(y);
        for (int32_t x = 0; x < size.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                int64_t sum = 0;
                for (size_t k = 0; k < tap.parts.size(); ++k)
                    sum += tap.parts[k] *
                           rows[(size_t(tap.from) + k) * size_t(size.width) * 3 + size_t(x) * 3 + size_t(c)];
                to[x * 3 + c] = uint8_t((sum + whole / 2) / whole);
            }
        }
    }
    result.Release();
    result.TakeFrom(made);
    result.SetHasAlpha(false);
    result.SetTransparent(kOrvNoColour);
    return true;
}

void ForEachTile(const OrvRect& area, OrvPoint origin, OrvSize skin,
                 const std::function<void(const OrvRect& destination, const OrvRect& source)>& draw) {
    if (skin.width <= 0 || skin.height <= 0 || area.Width() <= 0 || area.Height() <= 0) return;
    const int32_t ox = origin.x % skin.width, oy = origin.y % skin.height;
    for (int32_t top = area.top + oy; top < area.bottom; top += skin.height) {
        for (int32_t left = area.left + ox; left < area.right; left += skin.width) {
            const OrvRect tile{left, top, left + skin.width, top + skin.height};
            const OrvRect shown{std::max(tile.left, area.left), std::max(tile.top, area.top),
                                std::min(tile.right, area.right), std::min(tile.bottom, area.bottom)};
            if (shown.Width() <= 0 || shown.Height() <= 0) continue;
            draw(shown, OrvRect{shown.left - left, shown.top - top, shown.right - left, shown.bottom - top});
        }
    }
}

}  // namespace DialogSkin
