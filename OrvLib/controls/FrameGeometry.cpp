#include "OrvLib/controls/FrameGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

void AddBevel(std::vector<FrameLine>& lines, const OrvRect& r, SchemeColour topLeft,
              SchemeColour bottomRight) {
    lines.push_back({{r.left, r.top, r.right - 1, r.top + 1}, topLeft});
    lines.push_back({{r.left, r.top + 1, r.left + 1, r.bottom - 1}, topLeft});
    lines.push_back({{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight});
    lines.push_back({{r.right - 1, r.top, r.right, r.bottom - 1}, bottomRight});
}

OrvRect Shrunk(const OrvRect& r) { return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}; }

}  // namespace

std::vector<FrameLine> FrameLines(FrameStyle style, const OrvRect& rect) {
    std::vector<FrameLine> lines;
    if (rect.Width() < 4 || rect.Height() < 4) return lines;
    using C = SchemeColour;
    switch (style) {
        case FrameStyle::Sunken:
            AddBevel(lines, rect, C::Shadow, C::Highlight);
            AddBevel(lines, Shrunk(rect), C::DarkShadow, C::Light);
            break;
        case FrameStyle::Raised:
            AddBevel(lines, rect, C::Light, C::DarkShadow);
            AddBevel(lines, Shrunk(rect), C::Highlight, C::Shadow);
            break;
        case FrameStyle::SoftRaised:
            AddBevel(lines, rect, C::Highlight, C::DarkShadow);
            AddBevel(lines, Shrunk(rect), C::Light, C::Shadow);
            break;
        case FrameStyle::Flat:
            AddBevel(lines, rect, C::Text, C::Text);
            break;
        case FrameStyle::None:
            break;
    }
    return lines;
}

int NonClientBorderWidth(int windowHeight, int clientHeight) { return (windowHeight - clientHeight) / 2; }

FrameStyle NonClientFrameStyle(int borderWidth, bool clientEdgeOrBorder, bool hasParent) {
    if (borderWidth <= 0) return FrameStyle::None;
    if (borderWidth == 1) return FrameStyle::Flat;
    if (!clientEdgeOrBorder) return FrameStyle::None;
    return hasParent ? FrameStyle::Sunken : FrameStyle::Raised;
}

std::vector<OrvRect> Bands(const OrvRect& outer, const OrvRect& inner) {
    OrvRect in{
        std::clamp(inner.left, outer.left, outer.right), std::clamp(inner.top, outer.top, outer.bottom),
        std::clamp(inner.right, outer.left, outer.right), std::clamp(inner.bottom, outer.top, outer.bottom)};
    in.right = std::max(in.right, in.left);
    in.bottom = std::max(in.bottom, in.top);
    const OrvRect candidates[4] = {{outer.left, outer.top, outer.right, in.top},
                                   {outer.left, in.bottom, outer.right, outer.bottom},
                                   {outer.left, in.top, in.left, in.bottom},
                                   {in.right, in.top, outer.right, in.bottom}};
    std::vector<OrvRect> bands;
    for (const OrvRect& band : candidates)
        if (!band.IsEmpty()) bands.push_back(band);
    return bands;
}

OrvPoint ArrangeAdvance(OrvPoint at, int width, int height, int dx, int dy, double fx, double fy) {
    return {at.x + dx + static_cast<int>(std::floor(width * fx)),
            at.y + dy + static_cast<int>(std::floor(height * fy))};
}

int NextControlIdentifier(int& counter) {
    const int id = counter;
    counter = counter == INT_MAX || counter < 0 ? kFirstControlIdentifier : counter + 1;
    return id;
}
