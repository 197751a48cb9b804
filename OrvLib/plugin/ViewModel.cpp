#include "OrvLib/plugin/ViewModel.h"

#include <algorithm>
#include <cstdio>

namespace ViewModel {

namespace {

int32_t AxisLevel(int32_t extent, int32_t preview) {
    if (extent < preview) return 2 - preview / extent;
    return (preview + extent - 1) / preview;
}

// Shifts r into f: left by any excess over the right edge, up by any over the bottom,
// then right and down by any shortfall; the near edges win when r is larger than f.
OrvRect ShiftInside(OrvRect r, const OrvRect& f) {
    auto shift = [&r](int32_t dx, int32_t dy) { r.left += dx, r.right += dx, r.top += dy, r.bottom += dy; };
    if (r.right > f.right) shift(f.right - r.right, 0);
    if (r.bottom > f.bottom) shift(0, f.bottom - r.bottom);
    if (r.left < f.left) shift(f.left - r.left, 0);
    if (r.top < f.top) shift(0, f.top - r.top);
    return r;
}

int32_t MapAxis(int32_t v, int32_t fromOrigin, int32_t fromExtent, int32_t toOrigin, int32_t toExtent) {
    return int32_t(int64_t(v - fromOrigin) * toExtent / fromExtent) + toOrigin;
}

}  // namespace

int32_t FitLevel(OrvSize area, OrvSize preview, bool hostSamples) {
    if (area.width <= 0 || area.height <= 0 || preview.width <= 0 || preview.height <= 0) return 1;
    int32_t level = std::max(AxisLevel(area.width, preview.width), AxisLevel(area.height, preview.height));
    level = std::min(level, std::min(area.width, area.height));
    if (!hostSamples) level = std::min(level, 1);
    return level;
}

OrvSize ViewSizeAt(int32_t level, OrvSize preview, OrvSize area) {
    OrvSize s;
    if (level <= 0) {
        s.width = preview.width / (2 - level);
        s.height = preview.height / (2 - level);
    } else {
        s.width = int32_t(std::min<int64_t>(int64_t(level) * preview.width, area.width));
        s.height = int32_t(std::min<int64_t>(int64_t(level) * preview.height, area.height));
    }
    s.width = std::min(s.width, area.width);
    s.height = std::min(s.height, area.height);
    return s;
}

OrvRect KeepInside(OrvRect v, OrvSize size, const OrvRect& f) {
    if (v.Width() != size.width) v.right = v.left + size.width;
    if (v.Height() != size.height) v.bottom = v.top + size.height;
    return ShiftInside(v, f);
}

OrvRect CentredOn(const OrvRect& view, OrvSize size) {
    OrvRect r;
    r.left = (view.left + view.right) / 2 - size.width / 2;
    r.right = r.left + size.width;
    r.top = (view.top + view.bottom) / 2 - size.height / 2;
    r.bottom = r.top + size.height;
    return r;
}

int32_t PanStep(int32_t delta, int32_t r, int32_t roomBefore, int32_t roomAfter) {
    if (delta > 0) return std::min(r * ((delta + r - 1) / r), roomAfter);
    if (delta < 0) return std::max(-(r * ((-delta + r - 1) / r)), roomBefore);
    return 0;
}

std::string ZoomRatioText(int32_t level, bool canZoomOut, bool showFraction, const OrvRect& view,
                          OrvSize preview, const std::string& prefix) {
    char ratio[64];
    if (canZoomOut || !showFraction || preview.width <= 0 || preview.height <= 0) {
        if (level > 0) {
            std::snprintf(ratio, sizeof ratio, "1:%d", int(level));
        } else {
            std::snprintf(ratio, sizeof ratio, "%d:1", int(-level + 2));
        }
    } else {
        const double fx = double(view.Width()) / preview.width;
        const double fy = double(view.Height()) / preview.height;
        std::snprintf(ratio, sizeof ratio, "1:%.1f", std::max(fx, fy));
    }
    return prefix + ratio;
}

int32_t LocatorFactor(const OrvRect& f, OrvSize size) {
    int32_t factor = 1;
    if (size.width > 0) factor = std::max(factor, f.Width() / size.width);
    if (size.height > 0) factor = std::max(factor, f.Height() / size.height);
    const int32_t shorter = std::min(f.Width(), f.Height());
    if (shorter >= 1) factor = std::min(factor, shorter);
    return factor;
}

OrvRect ImageToClient(const OrvRect& r, const OrvRect& f, const OrvRect& c) {
    if (f.Width() <= 0 || f.Height() <= 0) return c;
    return OrvRect{MapAxis(r.left, f.left, f.Width(), c.left, c.Width()),
                   MapAxis(r.top, f.top, f.Height(), c.top, c.Height()),
                   MapAxis(r.right, f.left, f.Width(), c.left, c.Width()),
                   MapAxis(r.bottom, f.top, f.Height(), c.top, c.Height())};
}

OrvRect ClientToImage(const OrvRect& r, const OrvRect& f, const OrvRect& c) {
    if (c.Width() <= 0 || c.Height() <= 0) return f;
    return OrvRect{MapAxis(r.left, c.left, c.Width(), f.left, f.Width()),
                   MapAxis(r.top, c.top, c.Height(), f.top, f.Height()),
                   MapAxis(r.right, c.left, c.Width(), f.left, f.Width()),
                   MapAxis(r.bottom, c.top, c.Height(), f.top, f.Height())};
}

OrvRect TrackLocator(const OrvRect& view, OrvPoint p, const OrvRect& f, const OrvRect& c) {
    if (c.Width() <= 0 || c.Height() <= 0) return view;
    OrvRect frame = ImageToClient(view, f, c);
    const int32_t dx = p.x - (frame.left + frame.right) / 2;
    const int32_t dy = p.y - (frame.top + frame.bottom) / 2;
    frame = OrvRect{frame.left + dx, frame.top + dy, frame.right + dx, frame.bottom + dy};
    OrvRect r = ShiftInside(ClientToImage(frame, f, c), f);
    r.right = std::min(r.right, f.right);
    r.bottom = std::min(r.bottom, f.bottom);
    return r;
}

OrvRect PreviewImageRect(OrvSize client, OrvSize image, bool partOfImage) {
    OrvSize shown = image;
    if (partOfImage && image.width > 0 && image.height > 0) {
        // Relatively wider than the client area: keep the width.
        if (int64_t(image.width) * client.height > int64_t(client.width) * image.height) {
            shown = OrvSize{client.width, int32_t(int64_t(client.width) * image.height / image.width)};
        } else {
            shown = OrvSize{int32_t(int64_t(client.height) * image.width / image.height), client.height};
        }
    }
    const int32_t left = (client.width - shown.width) / 2, top = (client.height - shown.height) / 2;
    return OrvRect{left, top, left + shown.width, top + shown.height};
}

OrvPoint DragPan(OrvPoint press, OrvPoint pointer, const OrvRect& startView, const OrvRect& view,
                 OrvSize preview) {
    if (preview.width <= 0 || preview.height <= 0) return OrvPoint{};
    const int32_t ddx = int32_t(int64_t(press.x - pointer.x) * view.Width() / preview.width);
    const int32_t ddy = int32_t(int64_t(view.Height()) * (press.y - pointer.y) / preview.height);
    return OrvPoint{ddx + startView.left - view.left, ddy + startView.top - view.top};
}

OrvRect LocatorPopupRect(OrvPoint press, OrvSize image, OrvSize frame, const OrvRect& workArea) {
    // Larger than the work area, the picture shrinks to fit it, keeping its shape: the whole
    // image must be there to choose from.
    const int64_t roomW = std::max(1, workArea.Width() - 2 * frame.width);
    const int64_t roomH = std::max(1, workArea.Height() - 2 * frame.height);
    if (image.width > roomW || image.height > roomH) {
        if (int64_t{image.width} * roomH >= int64_t{image.height} * roomW) {
            image =
                OrvSize{int32_t(roomW), int32_t(std::max<int64_t>(1, image.height * roomW / image.width))};
        } else {
            image =
                OrvSize{int32_t(std::max<int64_t>(1, image.width * roomH / image.height)), int32_t(roomH)};
        }
    }
    const int32_t width = image.width + 2 * frame.width, height = image.height + 2 * frame.height;
    int32_t left = press.x - width / 2, top = press.y - height / 2;
    left = std::max(std::min(left, workArea.right - width), workArea.left);
    top = std::max(std::min(top, workArea.bottom - height), workArea.top);
    return OrvRect{left, top, left + width, top + height};
}

}  // namespace ViewModel
