#include "OrvLib/plugin/DialogSkin.h"

#include <algorithm>
#include <cstring>

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
