// Where the shared painters put their pixels: bevelled frames, the non-client frame a
// control chooses, the bands between two rectangles, and the stepping of arranged controls.
#pragma once

#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ColourScheme.h"

enum class FrameStyle {
    None = 0,
    Sunken = 1,      // shadow over highlight, inside it dark shadow over light
    Raised = 2,      // light over dark shadow, inside it highlight over shadow
    SoftRaised = 3,  // highlight over dark shadow, inside it light over shadow
    Flat = 4,        // one line in the text colour
};

struct FrameLine {
    OrvRect rect;
    SchemeColour colour;
};

// The filled rectangles of a frame, outer bevel first. Each bevel paints its top and left
// edges in the first colour and its bottom and right edges (corners included) in the
// second, then the rectangle shrinks by one pixel. Nothing for a rectangle narrower or
// lower than 4 pixels.
std::vector<FrameLine> FrameLines(FrameStyle style, const OrvRect& rect);

// Half the difference between window and client height.
int NonClientBorderWidth(int windowHeight, int clientHeight);
// The frame a self-bordered control paints in its non-client area: flat for a one-pixel
// border; else, with a client edge or border style, sunken inside a parent and raised at
// the top level; nothing without either style or without a border at all.
FrameStyle NonClientFrameStyle(int borderWidth, bool clientEdgeOrBorder, bool hasParent);

// The up to four non-empty bands of outer outside inner (inner is clipped to outer first).
std::vector<OrvRect> Bands(const OrvRect& outer, const OrvRect& inner);

// The point after a control placed at at with the given size: dx + floor(width x fx)
// across, dy + floor(height x fy) down.
OrvPoint ArrangeAdvance(OrvPoint at, int width, int height, int dx, int dy, double fx, double fy);

// Hands out counter's value and moves it on; a counter that would turn negative restarts
// at 555.
int NextControlIdentifier(int& counter);
constexpr int kFirstControlIdentifier = 555;
