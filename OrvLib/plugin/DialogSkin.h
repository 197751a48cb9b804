// The skinned dialog's background without a window: the skin built from a background
// picture and a translucent overlay, and the tiles that paint it over an area.
//
// The skin is a 24-bit top-down image. A 24-bit background is copied; an 8-bit one is
// recoloured through a 256-step gradient between four colours of the dialog's scheme
// (indices 0, 85, 170 and 255), stored blue, green, red. The overlay is blended only when
// it is a 32-bit image with alpha: per channel (a x overlay + (255 - a) x skin) / 255 over
// the overlapping rows and columns; any other overlay leaves the skin as the background.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"

namespace DialogSkin {

// Colour values (red in the low byte) of the gradient stops: dark shadow, shadow, face,
// highlight.
using GradientStops = std::array<OrvColour, 4>;

// Entry i of the recolouring gradient, as a colour value.
OrvColour GradientColour(const GradientStops& stops, int index);

// False, skin unchanged, when the background is empty or neither 8 nor 24 bits deep.
bool Build(const OrvImage2& background, const OrvImage2* overlay, const GradientStops& stops,
           OrvImage2& skin);

// The picture the skin is drawn from at dpi: 1 (the skin as drawn, tiled) up to 96 pixels an
// inch, else 2 (the skin drawn at twice the size, resampled to the dialog's client area):
// shrinking a larger drawing keeps edges sharper than enlarging a smaller one.
int ArtFactor(int dpi);

// The skin as drawn at 96 pixels an inch, and its recessed panel behind the previews and
// the zoom strip (the artwork generator draws it there).
constexpr OrvSize kDrawnSize{497, 569};
constexpr OrvRect kPanel{8, 66, 488, 256};
// Where the panel lies in a client area of that size for the art factor: as drawn at 1
// (the skin is tiled from the top-left), resampled with the skin at 2.
OrvRect PanelIn(OrvSize client, int factor);

// A 24-bit image resampled to size by area averaging: each pixel of the result is the mean
// of the source area it covers, weighted by overlap, rounded to nearest. False, result
// unchanged, for an empty source or size or a source that is not 24 bits deep.
bool Resample(const OrvImage2& source, OrvSize size, OrvImage2& result);

// The skin tiled over area, shifted by origin (reduced modulo the skin's size, keeping its
// sign): each call gets a destination rectangle inside area and the matching rectangle of
// the skin. Nothing for an empty skin or area.
void ForEachTile(const OrvRect& area, OrvPoint origin, OrvSize skin,
                 const std::function<void(const OrvRect& destination, const OrvRect& source)>& draw);

}  // namespace DialogSkin
