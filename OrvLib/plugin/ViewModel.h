// The arithmetic of the preview view: zoom levels, the viewed area, pans, the zoom
// ratio text and the locator's mapping between image and pop-up. Level L >= 1 shows
// the image reduced 1:L (read by the host at sampling rate L); L <= 0 enlarged (2 - L):1.
#pragma once

#include <cstdint>
#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"

namespace ViewModel {

constexpr int32_t kMostEnlarged = -5;  // 7:1

// The level at which the whole filter area fits the preview. Capped at the area's
// shorter side, so every sampled area keeps a row and a column, and at 1 for hosts
// that cannot sample.
int32_t FitLevel(OrvSize area, OrvSize preview, bool hostSamples);
inline int32_t SmallestLevel(int32_t fitLevel) { return fitLevel < kMostEnlarged ? fitLevel : kMostEnlarged; }

// Width and height of image area that the previews show at a level.
OrvSize ViewSizeAt(int32_t level, OrvSize preview, OrvSize area);

// A view of `size` at `wanted`'s top-left, shifted to lie inside `filter`.
OrvRect KeepInside(OrvRect wanted, OrvSize size, const OrvRect& filter);

// The view rectangle after zooming to a new size around the old view's centre.
OrvRect CentredOn(const OrvRect& view, OrvSize size);

// A pan by `delta` image pixels moves by whole multiples of the sampling step r, cut
// to the room left between the view's edge and the filter's (`roomBefore` <= 0 <= `roomAfter`).
int32_t PanStep(int32_t delta, int32_t r, int32_t roomBefore, int32_t roomAfter);

// The zoom label: "1:L", "N:1", or with showFraction and the whole image in view "1:x.y".
std::string ZoomRatioText(int32_t level, bool canZoomOut, bool showFraction, const OrvRect& view,
                          OrvSize preview, const std::string& prefix);

// Sampling factor of the locator picture for a requested size, capped like the fit level.
int32_t LocatorFactor(const OrvRect& filter, OrvSize size);

// Integer mapping between image coordinates and the locator pop-up's client area.
OrvRect ImageToClient(const OrvRect& r, const OrvRect& filter, const OrvRect& client);
OrvRect ClientToImage(const OrvRect& r, const OrvRect& filter, const OrvRect& client);

// The locator frame while tracking: the view's frame centred on the pointer, held inside
// the filter area. Returns image coordinates; an empty client area leaves the view.
OrvRect TrackLocator(const OrvRect& view, OrvPoint pointer, const OrvRect& filter, const OrvRect& client);

// Where a preview control draws its proxy of `image` pixels in a client area of `client`:
// fitted to the client area keeping the proxy's aspect ratio and centred while part of the
// image is in view (`partOfImage`), else at the proxy's own size, centred.
OrvRect PreviewImageRect(OrvSize client, OrvSize image, bool partOfImage);

// The pan a drag asks for: the pointer moved from `press` to `pointer` over a preview of
// `preview` pixels; the view was `startView` when the drag began and is `view` now. The
// image follows the pointer. Returns (dx, dy) for ScrollView.
OrvPoint DragPan(OrvPoint press, OrvPoint pointer, const OrvRect& startView, const OrvRect& view,
                 OrvSize preview);

// The locator pop-up's window rectangle: a client area of the locator image's size inside a
// frame of `frame` (the system's dialog frame width and height) on each side, centred on
// the screen point of the press, then moved as little as needed to lie inside the work
// area. A picture larger than the work area is shrunk to fit it, keeping its shape.
OrvRect LocatorPopupRect(OrvPoint press, OrvSize image, OrvSize frame, const OrvRect& workArea);

}  // namespace ViewModel
